// What deploying and attaching the skin adds to a start-up. A probe program that
// links the shared FLTK, as mirovel does, is started many times from a folder of
// its own: without the skin (the peer), as a first start that writes the library,
// and as a later start that finds it. Prints medians and their ratios to the peer,
// then the cost of one attach call inside a running process.
#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/engine/attach_export.h"
#include "skin/skin_resources.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

double RunOnce(const std::string& program, const char* argument) {
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument), nullptr};
  auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string FreshFolderWithProbe(const fs::path& root, int i) {
  fs::path folder = root / ("start" + std::to_string(i));
  fs::create_directories(folder);
  fs::copy_file(MIROVEL_SKIN_STARTUP_PROBE, folder / "mirovel", fs::copy_options::overwrite_existing);
  return (folder / "mirovel").string();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 41;
  std::string pattern = (fs::temp_directory_path() / "mirovel-skin-bench-XXXXXX").string();
  const fs::path root = mkdtemp(pattern.data());

  std::vector<double> peer, first, later;
  const std::string steady = FreshFolderWithProbe(root, -1);
  RunOnce(steady, "11");  // leaves the library for the later starts
  for (int i = 0; i < runs; ++i) {
    // Interleaved, so that drift of the machine touches all three alike.
    peer.push_back(RunOnce(steady, "none"));
    first.push_back(RunOnce(FreshFolderWithProbe(root, i), "11"));
    later.push_back(RunOnce(steady, "11"));
  }
  if (std::count(first.begin(), first.end(), -1.0) || std::count(later.begin(), later.end(), -1.0)) {
    std::fprintf(stderr, "a probe start failed\n");
    return 1;
  }
  double p = Median(peer), f = Median(first), l = Median(later);
  std::printf("engine file: %lu bytes\n", SkinLibraryImage_size);
  std::printf("start-up, median of %d (ms): without skin %.3f | first start %.3f | later start %.3f\n", runs, p,
              f, l);
  std::printf("added by the skin (ms): first start %+.3f | later start %+.3f\n", f - p, l - p);
  std::printf("ratio to the start without skin: first %.3f | later %.3f\n", f / p, l / p);

  // One attach inside a running process: parse the skin and install the look.
  void* engine = dlopen((root / "start0" / "SkinH_EL.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
  auto attach = engine ? reinterpret_cast<SkinAttachFunction>(dlsym(engine, kSkinAttachExport)) : nullptr;
  if (attach) {
    Bytes skin = CopySkin(11);
    const int calls = 20000;
    auto start = Clock::now();
    for (int i = 0; i < calls; ++i) attach(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
    double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
    std::printf("one SkinH_AttachRes call with skin 11 (no window open): %.3f us\n", us);
    dlclose(engine);
  }
  std::error_code ignored;
  fs::remove_all(root, ignored);
  return 0;
}
