// Test driving over xdotool and Xlib.
#include "gui_harness.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

pid_t StartXdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> words{"xdotool"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, "xdotool", nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

bool PumpUntil(const std::function<bool()>& done, double seconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done() && std::chrono::steady_clock::now() < end) Fl::wait(0.02);
  return done();
}

void RunXdotool(const std::vector<std::string>& arguments) {
  pid_t pid = StartXdotool(arguments);
  if (pid < 0) return;
  PumpUntil([pid] { return waitpid(pid, nullptr, WNOHANG) != 0; });
  // Let the server deliver what xdotool sent, then let the program handle it.
  XSync(fl_display, False);
  auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
  while (std::chrono::steady_clock::now() < settle) Fl::wait(0.02);
}

namespace {
struct Probe {
  Text name;
  std::function<void(TopWindow*)> act;
  int ticksShown = 0;
  bool acted = false;
};

// A window is looked at only after it has been on the screen for a few ticks,
// so that it has been drawn.
void ProbeTick(void* data) {
  auto* probe = static_cast<Probe*>(data);
  TopWindow* window = FindTopWindow(probe->name);
  if (window && window->shown() && window->visible() && ++probe->ticksShown >= 3) {
    probe->acted = true;
    Fl::flush();
    probe->act(window);
    return;
  }
  Fl::repeat_timeout(0.05, ProbeTick, data);
}
}  // namespace

bool ObserveWindow(const Text& name, const std::function<void()>& open, const std::function<void(TopWindow*)>& act) {
  Probe probe{name, act};
  Fl::add_timeout(0.05, ProbeTick, &probe);
  open();
  bool gone = PumpUntil([&] { return probe.acted && FindTopWindow(name) == nullptr; });
  Fl::remove_timeout(ProbeTick, &probe);
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  return gone;
}

std::string ScreenX(const TopWindow* window, int x) { return std::to_string(window->x_root() + x); }
std::string ScreenY(const TopWindow* window, int y) { return std::to_string(window->y_root() + y); }

void SendCloseRequest(const TopWindow* window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = fl_xid(window);
  event.xclient.message_type = XInternAtom(fl_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(fl_display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(fl_display, fl_xid(window), False, NoEventMask, &event);
  XFlush(fl_display);
}

std::vector<Rgb> GrabWindow(const TopWindow* window) {
  std::vector<Rgb> pixels;
  Fl::flush();
  XSync(fl_display, False);
  XImage* image = XGetImage(fl_display, fl_xid(window), 0, 0, window->w(), window->h(), AllPlanes, ZPixmap);
  if (!image) return pixels;
  pixels.reserve(static_cast<std::size_t>(window->w()) * window->h());
  for (int y = 0; y < window->h(); ++y) {
    for (int x = 0; x < window->w(); ++x) {
      unsigned long p = XGetPixel(image, x, y);
      pixels.push_back({static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                        static_cast<int>(p & 0xFF)});
    }
  }
  XDestroyImage(image);
  return pixels;
}
