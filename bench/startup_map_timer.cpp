// Times a GUI program under X: from starting it until its first top-level window
// is mapped, and optionally from a click on a point of that window until the
// next top-level window is mapped. Prints one line per run, in milliseconds:
//   <start-to-map> [<click-to-map>]
// Usage: startup_map_timer <runs> <program> [<click x> <click y>]
#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

pid_t Spawn(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
  return pid;
}

// Waits for a top-level window to be mapped; 0 after ten seconds without one.
Window WaitForMap(Display* display) {
  auto end = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < end) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)) return event.xmap.window;
    }
    struct timespec pause = {0, 200000};
    nanosleep(&pause, nullptr);
  }
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: %s <runs> <program> [<click x> <click y>]\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 2;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  for (int run = 0; run < runs; ++run) {
    XSync(display, True);
    auto start = Clock::now();
    pid_t program = Spawn({argv[2]});
    Window main = WaitForMap(display);
    double startToMap = Milliseconds(start);
    if (!main) return 1;
    std::printf("%.2f", startToMap);
    if (argc == 5) {
      XWindowAttributes a;
      XGetWindowAttributes(display, main, &a);
      // The pointer is put in place first, so that only the click is timed.
      waitpid(Spawn({"xdotool", "mousemove", std::to_string(a.x + std::atoi(argv[3])),
                     std::to_string(a.y + std::atoi(argv[4]))}),
              nullptr, 0);
      XSync(display, True);
      auto click = Clock::now();
      pid_t clicker = Spawn({"xdotool", "click", "1"});
      Window second = WaitForMap(display);
      std::printf(" %.2f", second ? Milliseconds(click) : -1.0);
      waitpid(clicker, nullptr, 0);
    }
    std::printf("\n");
    std::fflush(stdout);
    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
  }
  return 0;
}
