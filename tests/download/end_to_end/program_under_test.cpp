// Starting the program on a private X server and driving it with xdotool.
#include "tests/download/end_to_end/program_under_test.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

// Generous bounds for a busy, shared machine; reaching one means a hang, not slowness.
constexpr auto kPatience = std::chrono::seconds(30);

const char kRuntimeError[] = "运行时错误";

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (std::string& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

// The environment of this process with some variables replaced or removed.
std::vector<std::string> Environment(const std::vector<std::pair<std::string, std::string>>& set,
                                     const std::vector<std::string>& drop) {
  std::vector<std::string> out;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const auto& [n, v] : set) replaced = replaced || n == name;
    for (const std::string& d : drop) replaced = replaced || d == name;
    if (!replaced) out.push_back(entry);
  }
  for (const auto& [n, v] : set) out.push_back(n + "=" + v);
  return out;
}

}  // namespace

std::string RunTool(const std::string& display, const std::vector<std::string>& argv) {
  int fds[2];
  if (pipe(fds) != 0) return std::string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> args = argv;
  auto pointers = Pointers(args);
  auto env = Environment({{"DISPLAY", display}}, {});
  auto envPointers = Pointers(env);
  pid_t pid;
  int spawned = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, pointers.data(), envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string out;
  char buffer[4096];
  ssize_t n;
  while (spawned == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, n);
  close(fds[0]);
  if (spawned == 0) waitpid(pid, nullptr, 0);
  return out;
}

ProgramUnderTest::ProgramUnderTest(const std::string& display, const std::string& home)
    : display_(display), logPath_(home + "/labels.log") {
  std::vector<std::string> args = {MIROVEL_PROGRAM};
  auto argv = Pointers(args);
  auto env = Environment({{"DISPLAY", display},
                          {"HOME", home},
                          {"XDG_CONFIG_HOME", home + "/.config"},
                          {"LD_PRELOAD", MIROVEL_LABEL_LOG_LIBRARY},
                          {"MIROVEL_TEST_LABEL_LOG", logPath_}},
                         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"});
  auto envp = Pointers(env);
  if (posix_spawn(&pid_, MIROVEL_PROGRAM, nullptr, nullptr, argv.data(), envp.data()) != 0) {
    pid_ = -1;
    return;
  }
  for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;) {
    mainWindow_ = ShownWindow("Mirovel");
    if (!mainWindow_.empty() || !Running()) break;
    Pause();
  }
  // The run-time error box bears the program's name too; its text tells them apart.
  for (const LogLine& line : Log()) {
    if (line.kind == "label" && line.text.rfind(kRuntimeError, 0) == 0) {
      startError_ = line.text;
      mainWindow_.clear();
    }
  }
}

ProgramUnderTest::~ProgramUnderTest() {
  if (Running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

void ProgramUnderTest::Click(int x, int y) {
  RunTool(display_, {"xdotool", "mousemove", "--window", mainWindow_, std::to_string(x), std::to_string(y),
                     "click", "1"});
}

void ProgramUnderTest::Key(const std::string& keys) { RunTool(display_, {"xdotool", "key", keys}); }

void ProgramUnderTest::EnterLink(const std::string& link) {
  Click(260, 28);  // 按钮3, the clear button, which also puts the cursor in the box
  RunTool(display_, {"xdotool", "type", "--delay", "2", link});
}

void ProgramUnderTest::ClickDownload() { Click(148, 68); }

// xdotool's own title matching misses some non-Latin titles, so titles are
// compared here.
std::string ProgramUnderTest::ShownWindow(const std::string& title) {
  std::istringstream windows(RunTool(display_, {"xdotool", "search", "--onlyvisible", "--class", "mirovel"}));
  std::string window;
  while (windows >> window) {
    std::string name = RunTool(display_, {"xdotool", "getwindowname", window});
    if (!name.empty() && name.back() == '\n') name.pop_back();
    if (name == title) return window;
  }
  return std::string();
}

bool ProgramUnderTest::WindowShown(const std::string& title) { return !ShownWindow(title).empty(); }

std::string ProgramUnderTest::WaitForMessage() {
  for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;) {
    if (WindowShown("信息：")) {
      // The box's title is given first, its text right after.
      std::vector<LogLine> log = Log();
      for (size_t i = log.size(); i-- > 1;) {
        if (log[i - 1].kind == "title" && log[i - 1].text == "信息：" && log[i].kind == "label") {
          return log[i].text;
        }
      }
    }
    if (!Running()) break;
    Pause();
  }
  return std::string();
}

void ProgramUnderTest::CloseMessage() {
  Key("Return");
  for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;) {
    if (!WindowShown("信息：")) return;
    Pause();
  }
}

std::vector<LogLine> ProgramUnderTest::Log() const {
  std::vector<LogLine> lines;
  std::ifstream in(logPath_);
  std::string line;
  while (std::getline(in, line)) {
    size_t tab = line.find('\t');
    if (tab != std::string::npos) lines.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  return lines;
}

bool ProgramUnderTest::Running() {
  if (pid_ <= 0) return false;
  return waitpid(pid_, &exitStatus_, WNOHANG) == 0;
}

int ProgramUnderTest::WaitForExit() {
  for (auto end = std::chrono::steady_clock::now() + kPatience; std::chrono::steady_clock::now() < end;) {
    if (!Running()) break;
    Pause();
  }
  if (Running()) return -1;
  pid_ = -1;
  return WIFEXITED(exitStatus_) ? WEXITSTATUS(exitStatus_) : -1;
}
