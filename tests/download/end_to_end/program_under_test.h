// The real program on a private X server, driven like a user with xdotool.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/servers/private_display.h"

// Runs a program with DISPLAY set and returns what it wrote to standard output.
std::string RunTool(const std::string& display, const std::vector<std::string>& argv);

struct LogLine {
  std::string kind;  // "title", "label", "activate" or "deactivate"
  std::string text;
};

class ProgramUnderTest {
 public:
  // Starts the program with HOME and XDG_CONFIG_HOME inside home and waits for
  // its main window. started() tells whether it came up.
  ProgramUnderTest(const std::string& display, const std::string& home);
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  bool started() const { return !mainWindow_.empty(); }
  // The text of the run-time error box when the start failed with one.
  const std::string& startError() const { return startError_; }
  const std::string& mainWindow() const { return mainWindow_; }

  // Clicks at a point of the main window's client area.
  void Click(int x, int y);
  void Key(const std::string& keys);
  // Empties the link box with its clear button and types the link.
  void EnterLink(const std::string& link);
  void ClickDownload();

  // Waits for a message box and answers its text; empty if none came.
  std::string WaitForMessage();
  // Presses the box's OK (Enter) and waits until it is gone.
  void CloseMessage();
  // Whether a window of that exact title is shown now.
  bool WindowShown(const std::string& title);
  // The id of a shown window of the program with that exact title, or empty.
  std::string ShownWindow(const std::string& title);

  // Everything logged so far (see label_log.cpp).
  std::vector<LogLine> Log() const;
  // Waits for the process to end; its exit code, or -1 if it did not end.
  int WaitForExit();
  bool Running();

 private:
  std::string display_;
  std::string logPath_;
  pid_t pid_ = -1;
  int exitStatus_ = 0;
  std::string mainWindow_;
  std::string startError_;
};
