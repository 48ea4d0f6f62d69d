// FetchWebPage against curl on the same loopback body: time ratio and peak memory.
//
// Both run as fresh processes, so both pay the same start-up; each round runs
// one of each, and the medians are compared. The FetchWebPage process reports
// its own peak resident memory, which is set against the body size.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "fetch_bench_server.h"
#include "platform/inet/wininet.h"
#include "web/fetch_web_page.h"

extern char** environ;

namespace {

constexpr int kRounds = 5;

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}

// The child's side: one fetch, then "<body bytes> <rss before KiB> <peak KiB> <seconds in FetchWebPage>".
int FetchOnce(const char* url) {
  const long before = StatusKiB("VmRSS");
  const auto start = std::chrono::steady_clock::now();
  const Bytes body = FetchWebPage(url);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%zu %ld %ld %.6f\n", body.size(), before, StatusKiB("VmHWM"), seconds);
  return 0;
}

// The layer alone, reading 1024 bytes at a time and keeping nothing: what the
// transfer costs before FetchWebPage holds the body. Prints the seconds taken.
int ReadThroughLayer(const char* host, int port, const char* path) {
  const auto start = std::chrono::steady_clock::now();
  HINTERNET internet = InternetOpenA(DefaultUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET connection = InternetConnectA(internet, host, static_cast<INTERNET_PORT>(port), nullptr, nullptr,
                                          INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request = HttpOpenRequestA(connection, "GET", path, "HTTP/1.1", nullptr, nullptr, INTERNET_FLAG_RELOAD, 0);
  HttpSendRequestA(request, "Accept: */*", 11, nullptr, 0);
  char piece[1024];
  DWORD count = 0;
  while (InternetReadFile(request, piece, sizeof piece, &count) && count > 0) {
  }
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  InternetCloseHandle(internet);
  std::printf("%.6f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return 0;
}

struct Run {
  double seconds = 0;
  long peakKiB = 0;
  std::string output;
};

Run RunProcess(std::vector<std::string> arguments) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  close(pipeEnds[1]);
  Run run;
  char chunk[256];
  ssize_t got;
  while ((got = read(pipeEnds[0], chunk, sizeof chunk)) > 0) run.output.append(chunk, static_cast<size_t>(got));
  close(pipeEnds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakKiB = usage.ru_maxrss;
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    std::exit(1);
  }
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Compare(const std::string& url, int port, std::size_t bodySize, const char* label) {
  const std::string memoryFile = "/dev/shm/mirovel_fetch_bench." + std::to_string(getpid());
  std::vector<double> ours, inside, layer, curls, curlsToMemory;
  std::vector<double> peakRatios, growthRatios;
  long curlPeakKiB = 0;
  for (int round = 0; round < kRounds; ++round) {
    const Run fetch = RunProcess({"/proc/self/exe", "--fetch", url});
    std::size_t received = 0;
    long beforeKiB = 0, peakKiB = 0;
    double fetchSeconds = 0;
    if (std::sscanf(fetch.output.c_str(), "%zu %ld %ld %lf", &received, &beforeKiB, &peakKiB, &fetchSeconds) != 4 ||
        received != bodySize) {
      std::fprintf(stderr, "FetchWebPage gave %zu of %zu bytes\n", received, bodySize);
      std::exit(1);
    }
    ours.push_back(fetch.seconds);
    inside.push_back(fetchSeconds);
    const std::string path = url.substr(url.find('/', 7));
    const Run layerRun = RunProcess({"/proc/self/exe", "--layer", std::to_string(port), path});
    layer.push_back(std::atof(layerRun.output.c_str()));
    peakRatios.push_back(peakKiB * 1024.0 / static_cast<double>(bodySize));
    growthRatios.push_back((peakKiB - beforeKiB) * 1024.0 / static_cast<double>(bodySize));

    const Run peer = RunProcess({"curl", "-s", "-o", "/dev/null", url});
    curls.push_back(peer.seconds);
    curlPeakKiB = std::max(curlPeakKiB, peer.peakKiB);
    // curl into a memory-backed file: it too must find pages for the whole body.
    curlsToMemory.push_back(RunProcess({"curl", "-s", "-o", memoryFile, url}).seconds);
    unlink(memoryFile.c_str());
  }
  const double ourTime = Median(ours), curlTime = Median(curls);
  const double memoryTime = Median(curlsToMemory);
  std::printf("%-8s FetchWebPage %.3f s (%.3f s inside the call), curl to /dev/null %.3f s: time ratio %.2f "
              "(goal <= 1.2)\n",
              label, ourTime, Median(inside), curlTime, ourTime / curlTime);
  std::printf("%-8s the layer alone, 1024-byte reads, nothing kept: %.3f s inside the calls\n", label,
              Median(layer));
  std::printf("%-8s curl to a file in /dev/shm %.3f s: time ratio %.2f\n", label, memoryTime, ourTime / memoryTime);
  std::printf("%-8s peak memory / body %.2f (process peak; goal <= 1.3), growth during the fetch / body %.2f, "
              "curl peak %ld KiB\n",
              label, Median(peakRatios), Median(growthRatios), curlPeakKiB);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--fetch") return FetchOnce(argv[2]);
  if (argc == 4 && std::string(argv[1]) == "--layer") return ReadThroughLayer("127.0.0.1", std::atoi(argv[2]), argv[3]);

  const std::size_t bodySize = (argc == 2 ? std::strtoull(argv[1], nullptr, 10) : 64) << 20;
  BodyServer server(bodySize);
  const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
  std::printf("body %zu MiB, median of %d rounds, each a fresh process\n", bodySize >> 20, kRounds);
  Compare(base + "/sized", server.port(), bodySize, "sized");
  Compare(base + "/unsized", server.port(), bodySize, "unsized");
  return 0;
}
