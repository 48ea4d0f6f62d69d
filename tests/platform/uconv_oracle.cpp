// Feeds uconv through a file and reads its output file back.
#include "uconv_oracle.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

extern char** environ;

namespace {
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mirovel-uconv-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};
}  // namespace

std::optional<std::string> RunUconv(const std::string& from, const std::string& to,
                                    std::string_view input) {
  ScratchFolder folder;
  if (folder.path().empty()) return std::nullopt;
  std::string inPath = folder.path() + "/in";
  std::string outPath = folder.path() + "/out";
  {
    std::ofstream in(inPath, std::ios::binary);
    in.write(input.data(), static_cast<std::streamsize>(input.size()));
    if (!in) return std::nullopt;
  }

  std::vector<std::string> args = {"uconv", "--callback", "substitute", "-f", from, "-t", to,
                                   "-o", outPath, inPath};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, "uconv", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  std::ifstream out(outPath, std::ios::binary);
  if (!out) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(out), std::istreambuf_iterator<char>());
}

std::string ToUtf16le(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

std::u16string FromUtf16le(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return units;
}
