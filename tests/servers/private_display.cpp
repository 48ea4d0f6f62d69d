// Xvfb started with -displayfd, which writes the display number once it is ready.
#include "tests/servers/private_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

PrivateDisplay::PrivateDisplay(int width, int height) {
  int fds[2];
  if (pipe(fds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // Without -noreset the server starts over each time its last client leaves, and
  // a client connecting just then is refused: a short tool such as xdotool comes
  // and goes while the program under test is still connecting.
  std::vector<std::string> args = {"Xvfb",     "-displayfd", "3",   "-screen",  "0",
                                   std::to_string(width) + "x" + std::to_string(height) + "x24",
                                   "-nolisten", "tcp", "-noreset"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  char c;
  while (pid_ > 0 && poll(&p, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) name_ = ":" + number;
}

PrivateDisplay::~PrivateDisplay() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}
