// The program's folder, from /proc/self/exe.
#include "platform/process/program_directory.h"

#include <unistd.h>

#include <string>

#include "platform/codepage/boundary.h"

namespace {
Text g_programDirectory;
}

Text DirectoryOfPath(const Text& path) {
  std::size_t slash = path.str().rfind('/');
  if (slash == std::string::npos) return Text();
  return Text(path.str().substr(0, slash));
}

bool LearnProgramDirectory() {
  std::string path(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return false;
  path.resize(static_cast<std::size_t>(length));
  // The program keeps its texts in code page 936; the file system speaks UTF-8.
  g_programDirectory = DirectoryOfPath(Utf8ToCp936(path));
  if (path.find('/') == std::string::npos) return false;
  // The folder of "/mirovel" is the root, which the empty folder cannot name.
  std::string folder = DirectoryOfPath(Text(path)).str();
  return chdir(folder.empty() ? "/" : folder.c_str()) == 0;
}

Text ProgramDirectory() { return g_programDirectory; }
