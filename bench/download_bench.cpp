// The song download path (DownloadUrl, judging, the safe save to the desktop)
// on a large audio file from loopback, beside `curl -o` of the same address in
// the same run; prints the time ratio and the memory held over the idle figure.
//
// The save flushes the file to disk before renaming it; curl does not, so the
// run also times curl followed by `sync` of its file.
//
//   download_bench [MiB=200] [rounds=3]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "download/download_failure.h"
#include "download/download_url.h"
#include "download/save_song.h"
#include "download_bench_server.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// A field of /proc/self/status in KiB.
long long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atoll(line.c_str() + std::string(field).size() + 1);
  }
  return -1;
}

bool Run(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool SameAsServed(const std::filesystem::path& path, long long size) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> buffer(1 << 20);
  long long at = 0;
  while (in) {
    in.read(buffer.data(), buffer.size());
    for (std::streamsize i = 0; i < in.gcount(); ++i, ++at) {
      if (static_cast<unsigned char>(buffer[i]) != AudioByte(at)) return false;
    }
  }
  return at == size;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const long long mib = argc > 1 ? std::atoll(argv[1]) : 200;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const long long size = mib << 20;

  std::string pattern = (std::filesystem::temp_directory_path() / "mirovel-bench-XXXXXX").string();
  const std::filesystem::path home = mkdtemp(pattern.data());
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  for (const char* proxy : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy"}) {
    unsetenv(proxy);
  }

  AudioServer server(size);
  if (server.port() == 0) {
    std::fprintf(stderr, "the loopback server did not start\n");
    return 1;
  }
  const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/song.mp3";

  const long long idleKiB = StatusKiB("VmRSS:");
  long long firstPeakKiB = -1;
  std::vector<double> curlTimes, curlSyncTimes, downloadTimes, totalTimes;
  Bytes held;  // the program keeps the last song like this until the next replaces it
  bool ok = true;

  for (int round = 0; round < rounds && ok; ++round) {
    const std::string curlFile = (home / "curl.mp3").string();
    Clock::time_point start = Clock::now();
    ok = Run({"curl", "-s", "-o", curlFile, url});
    curlTimes.push_back(Seconds(start));
    // The same with the file flushed to disk, as the safe save does before its rename.
    start = Clock::now();
    ok = ok && Run({"curl", "-s", "-o", curlFile, url}) && Run({"sync", curlFile});
    curlSyncTimes.push_back(Seconds(start));

    start = Clock::now();
    DownloadOutcome outcome;
    long long calls = 0;
    Bytes data = DownloadUrl(Text(url), &outcome, [&](long long, long long) { ++calls; });
    downloadTimes.push_back(Seconds(start));
    ok = ok && JudgeDownload(Text(url), data, outcome) == DownloadFailure::kNone &&
         SaveSong("bench song", data) == SaveProblem::kNone;
    totalTimes.push_back(Seconds(start));
    held = std::move(data);
    if (round == 0) firstPeakKiB = StatusKiB("VmHWM:");
  }
  ok = ok && SameAsServed(home / "Desktop" / "bench song.mp3", size) && SameAsServed(home / "curl.mp3", size);
  const long long lastPeakKiB = StatusKiB("VmHWM:");
  std::filesystem::remove_all(home);
  if (!ok) {
    std::fprintf(stderr, "a download failed or saved the wrong bytes\n");
    return 1;
  }

  const double curl = Median(curlTimes), curlSync = Median(curlSyncTimes);
  const double download = Median(downloadTimes), total = Median(totalTimes);
  const double sizeKiB = static_cast<double>(size) / 1024;
  std::printf("file %lld MiB, %d rounds, medians\n", mib, rounds);
  std::printf("curl -o                         %7.3f s\n", curl);
  std::printf("curl -o, then sync of the file  %7.3f s\n", curlSync);
  std::printf("DownloadUrl                     %7.3f s   ratio to curl -o %.2f\n", download, download / curl);
  std::printf("DownloadUrl + safe save (fsync) %7.3f s   ratio to curl -o %.2f, to curl -o + sync %.2f"
              "   (goal <= 1.2)\n", total, total / curl, total / curlSync);
  std::printf("idle RSS %lld KiB; peak over idle after the first download %.2f x file size (goal <= 1.3)\n",
              idleKiB, (firstPeakKiB - idleKiB) / sizeKiB);
  std::printf("peak over idle after %d downloads, the last song held: %.2f x file size\n", rounds,
              (lastPeakKiB - idleKiB) / sizeKiB);
  return 0;
}
