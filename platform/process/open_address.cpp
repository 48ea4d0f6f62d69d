// xdg-open started directly with an argument vector, so no shell ever reads the address.
#include "platform/process/open_address.h"

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace {
// Children started earlier; reaped when they have ended so none lingers as a zombie.
std::vector<pid_t> g_openers;

void ReapEndedOpeners() {
  std::vector<pid_t> running;
  for (pid_t pid : g_openers) {
    if (waitpid(pid, nullptr, WNOHANG) == 0) running.push_back(pid);
  }
  g_openers.swap(running);
}
}  // namespace

void OpenAddress(const Text& address) {
  ReapEndedOpeners();
  if (address.empty()) return;
  std::string program = "xdg-open";
  std::string argument = address.str();
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) g_openers.push_back(pid);
}
