// An X server of the test's own. Pixels read back from a window are only what was
// drawn there when no other test's window can cover it, and tests run side by side.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class PrivateDisplay {
 public:
  // Starts Xvfb on a display number it picks itself and points DISPLAY at it.
  // ok() is false when Xvfb could not be started.
  PrivateDisplay() {
    int ends[2];
    if (pipe(ends) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ends[0]);
      std::string fd = std::to_string(ends[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
             "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ends[1]);
    std::string number;
    char c;
    while (pid_ > 0 && read(ends[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(ends[0]);
    if (number.empty()) return;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    ok_ = true;
  }
  ~PrivateDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  bool ok() const { return ok_; }

 private:
  pid_t pid_ = -1;
  bool ok_ = false;
};
