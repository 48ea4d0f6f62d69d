// Keeping the program's windows alive during a long command without letting the
// user into the program while it runs.
#pragma once

// While active, window events are processed (the windows repaint and the window
// manager gets its answers) but no mouse or keyboard input reaches any window of
// the program, and a request to close a window (close box, Esc) is held back.
// The command is thus never entered twice and the program cannot end inside it.
class BusyMode {
 public:
  BusyMode();
  // Ends the busy mode if End has not; a held-back close is forgotten only if
  // CloseIfAsked is never called.
  ~BusyMode();
  BusyMode(const BusyMode&) = delete;
  BusyMode& operator=(const BusyMode&) = delete;

  // Processes the window events that are waiting, without blocking.
  void KeepAlive();
  // Lets input reach the windows again.
  void End();
  // Closes the window whose close was held back, as if the request came now.
  // Call it when the command has nothing left to show.
  void CloseIfAsked();

 private:
  // Only the outermost busy mode changes the dispatch back.
  bool outermost_ = false;
};
