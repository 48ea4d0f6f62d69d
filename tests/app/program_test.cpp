// The built program itself: how it ends, and what tools read from its file.
// gtest first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
const std::string kProgram = MIROVEL_PROGRAM;

struct ProgramRun {
  pid_t pid = -1;
  std::string errorFile;
};

// Starts the program with the given environment, its standard error in a file.
ProgramRun Start(const std::vector<std::string>& environment) {
  ProgramRun run;
  char name[] = "/tmp/mirovel-stderr-XXXXXX";
  int fd = mkstemp(name);
  run.errorFile = name;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, 2);
  std::vector<std::string> env = environment;
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = kProgram;
  char* argv[] = {program.data(), nullptr};
  posix_spawn(&run.pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fd);
  return run;
}

// The exit code, or -1000 when the program had to be killed after the timeout.
int WaitForEnd(const ProgramRun& run, double seconds = 20) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (waitpid(run.pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) {
      kill(run.pid, SIGKILL);
      waitpid(run.pid, &status, 0);
      return -1000;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -2000;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// The program's viewable top-level window with this title, or 0.
Window FindViewableWindow(Display* display, const char* title, double seconds = 20) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
      char* name = nullptr;
      XWindowAttributes attributes;
      if (XFetchName(display, children[i], &name) && name && std::string(name) == title &&
          XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
        found = children[i];
      if (name) XFree(name);
    }
    if (children) XFree(children);
    if (found) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return 0;
}

std::vector<std::string> EnvironmentWith(const std::string& display) {
  std::vector<std::string> env;
  if (const char* path = std::getenv("PATH")) env.push_back(std::string("PATH=") + path);
  if (const char* home = std::getenv("HOME")) env.push_back(std::string("HOME=") + home);
  if (!display.empty()) env.push_back("DISPLAY=" + display);
  return env;
}

TEST(Program, WithoutADisplayItEndsWithCodeMinusOneAndSaysWhy) {
  for (const char* display : {"", ":987", "no-such-host.invalid:0"}) {
    SCOPED_TRACE(display);
    ProgramRun run = Start(EnvironmentWith(display));
    EXPECT_EQ(WaitForEnd(run), 255);
    std::string error = ReadAll(run.errorFile);
    EXPECT_NE(error.find("run-time error"), std::string::npos) << error;
    EXPECT_NE(error.find(u8"加载启动窗口失败"), std::string::npos) << error;
    std::remove(run.errorFile.c_str());
  }
}

// Esc (with the link box focused) and the window manager's close request both
// destroy MainWindow, which ends the program normally.
TEST(Program, ClosingTheMainWindowEndsWithCodeZero) {
  const char* display = std::getenv("DISPLAY");
  if (!display) GTEST_SKIP() << "needs an X server";
  Display* x = XOpenDisplay(display);
  ASSERT_NE(x, nullptr);
  for (const char* how : {"Esc", "close request"}) {
    SCOPED_TRACE(how);
    ProgramRun run = Start(EnvironmentWith(display));
    Window main = FindViewableWindow(x, "Mirovel");
    ASSERT_NE(main, 0u);
    if (std::string(how) == "Esc") {
      // A click into the link box, some typing, then Esc.
      XWindowAttributes a;
      XGetWindowAttributes(x, main, &a);
      std::string command = "xdotool mousemove " + std::to_string(a.x + 120) + " " + std::to_string(a.y + 28) +
                            " click 1 type abc && xdotool key Escape";
      ASSERT_EQ(std::system(command.c_str()), 0);
    } else {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = main;
      event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
      XSendEvent(x, main, False, NoEventMask, &event);
      XFlush(x);
    }
    EXPECT_EQ(WaitForEnd(run), 0);
    std::remove(run.errorFile.c_str());
  }
  XCloseDisplay(x);
}

TEST(Program, VersionInformationIsReadableByTools) {
  FILE* pipe = popen(("readelf -p .mirovel.version '" + kProgram + "' 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  for (const char* field : {"FileVersion=1.0.0.0", "ProductVersion=1.0.0.0", "FileDescription=Mirovel",
                            "ProductName=Mirovel", "Comments=Mirovel"})
    EXPECT_NE(out.find(field), std::string::npos) << field << " in\n" << out;
}
}  // namespace
