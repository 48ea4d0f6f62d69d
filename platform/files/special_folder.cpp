// The desktop folder found the way the freedesktop user-dirs convention finds it.
#include "platform/files/special_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "platform/codepage/boundary.h"

namespace {

std::string Getenv(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// The value of a user-dirs.dirs assignment with its quotes and backslash escapes
// undone; the file is written for a shell to source.
std::string Unquote(const std::string& raw) {
  std::string out;
  bool quoted = !raw.empty() && raw[0] == '"';
  for (size_t i = quoted ? 1 : 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (quoted && c == '"') break;
    if (!quoted && (c == ' ' || c == '\t' || c == '#')) break;
    if (c == '\\' && i + 1 < raw.size()) c = raw[++i];
    out += c;
  }
  return out;
}

// XDG_DESKTOP_DIR from the user-dirs file; like the shell that sources the file,
// the last assignment wins. Only "$HOME/..." and absolute paths are meaningful.
std::optional<std::string> DesktopFromUserDirs(const std::string& home) {
  std::string configHome = Getenv("XDG_CONFIG_HOME");
  if (configHome.empty() || configHome[0] != '/') configHome = home + "/.config";
  std::ifstream file(configHome + "/user-dirs.dirs");
  if (!file) return std::nullopt;

  static const std::string kKey = "XDG_DESKTOP_DIR=";
  std::optional<std::string> found;
  std::string line;
  while (std::getline(file, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, kKey.size(), kKey) != 0) continue;
    std::string value = Unquote(line.substr(start + kKey.size()));
    if (value.compare(0, 5, "$HOME") == 0 && (value.size() == 5 || value[5] == '/')) {
      found = home + value.substr(5);
    } else if (!value.empty() && value[0] == '/') {
      found = value;
    }
  }
  return found;
}

bool MakeFolders(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) {
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  return false;
}

}  // namespace

Text SpecialFolder(int folder) {
  if (folder != CSIDL_DESKTOPDIRECTORY) return Text();
  std::string home = Getenv("HOME");
  // A relative HOME would put the desktop wherever the program happens to run.
  if (home.empty() || home[0] != '/') return Text();

  std::string desktop = DesktopFromUserDirs(home).value_or(home + "/Desktop");
  while (desktop.size() > 1 && desktop.back() == '/') desktop.pop_back();
  if (!MakeFolders(desktop)) return Text();
  if (desktop.back() != '/') desktop += '/';

  // A folder whose name the program's texts cannot carry would come back as some
  // other folder; better no desktop than the wrong one.
  Text path = Utf8ToCp936(desktop);
  if (Cp936ToUtf8(path) != desktop) return Text();
  return path;
}
