// A console reporter that also prints, after all runs, how each of our benchmarks
// compares with its peer measured in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Each pair names (ours, peer) as the benchmark prints them, arguments included.
  explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : pairs_(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      // The best of the repetitions: the machine may be shared, and other work
      // only ever adds to a run's time.
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.run_name.str();
      double cpu = run.GetAdjustedCPUTime();
      if (!times_.count(name) || cpu < times_[name]) times_[name] = cpu;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios(const char* heading) const {
    std::printf("\n%s; ratio above 1 means ours is faster\n", heading);
    for (const auto& [ours, peer] : pairs_) {
      auto a = times_.find(ours);
      auto b = times_.find(peer);
      if (a == times_.end() || b == times_.end()) continue;
      std::printf("%-26s vs %-24s ratio %.2f\n", ours.c_str(), peer.c_str(), b->second / a->second);
    }
  }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, double> times_;
};
