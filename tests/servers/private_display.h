// An X server of the test's own, so that no other test's window takes the
// keyboard or covers the pixels a test reads back while tests run side by side.
#pragma once

#include <sys/types.h>

#include <string>

class PrivateDisplay {
 public:
  // Starts Xvfb with one screen of that size on a display number it picks itself.
  PrivateDisplay(int width, int height);
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // ":N", or empty when no X server could be started.
  const std::string& name() const { return name_; }
  bool ok() const { return !name_.empty(); }

 private:
  pid_t pid_ = -1;
  std::string name_;
};
