// Throughput of the text scans on a 1 MiB page, beside std::string::find on the same bytes.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/ratio_reporter.h"
#include "text/editing.h"

namespace {

constexpr std::size_t kPageSize = 1 << 20;

// An HTML-like page: markup and Latin text only.
std::string AsciiPage() {
  std::string page;
  const std::string row = "<div class=\"song-item\"><a href=\"/s/abcdefghij?code=xyz\">A song title here</a></div>\n";
  while (page.size() + row.size() < kPageSize) page += row;
  return page;
}

// The same markup with code page 936 titles (two-byte characters) in every row.
std::string MixedPage() {
  std::string page;
  const std::string row =
      "<div class=\"song-item\"><a href=\"/s/abcdefghij?code=xyz\">\xB8\xE8\xC7\xFA\xB1\xEA\xCC\xE2\xD6\xD0"
      "\xCE\xC4\xB8\xE8\xC7\xFA\xC3\xFB</a></div>\n";
  while (page.size() + row.size() < kPageSize) page += row;
  return page;
}

const std::string& Page(int kind) {
  static const std::string ascii = AsciiPage();
  static const std::string mixed = MixedPage();
  return kind == 0 ? ascii : mixed;
}

const char* const kAbsent = "mp3:\"http";

void BM_FindText(benchmark::State& state) {
  const Text page(Page(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(FindText(page, kAbsent));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}

void BM_StdStringFind(benchmark::State& state) {
  const std::string& page = Page(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(page.find(kAbsent));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}

void BM_FindTextIgnoreCase(benchmark::State& state) {
  const Text page(Page(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(FindText(page, kAbsent, std::nullopt, true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}

void BM_ReplaceText(benchmark::State& state) {
  const Text page(Page(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceText(page, "song-item", "track", std::nullopt, std::nullopt, true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}

void BM_SplitText(benchmark::State& state) {
  const Text page(Page(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(SplitText(page, "\n"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}

// Argument 0 is the ASCII page, 1 the mixed page.
BENCHMARK(BM_StdStringFind)->Arg(0)->Arg(1);
BENCHMARK(BM_FindText)->Arg(0)->Arg(1);
BENCHMARK(BM_FindTextIgnoreCase)->Arg(0)->Arg(1);
BENCHMARK(BM_ReplaceText)->Arg(0)->Arg(1);
BENCHMARK(BM_SplitText)->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter({
      {"BM_FindText/0", "BM_StdStringFind/0"},
      {"BM_FindText/1", "BM_StdStringFind/1"},
      {"BM_FindTextIgnoreCase/0", "BM_StdStringFind/0"},
      {"BM_FindTextIgnoreCase/1", "BM_StdStringFind/1"},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios("best CPU time per 1 MiB page, /0 ASCII, /1 mixed with two-byte characters");
  benchmark::Shutdown();
  return 0;
}
