// Utf8ToAnsi on a 1 MiB page of mixed Chinese and ASCII beside glibc iconv from
// UTF-8 to CP936 on the same bytes, then the ratios. Run with
// --benchmark_repetitions=5 on a busy machine: the ratios use the best repetition.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <vector>
#include <random>
#include <string>

#include "bench/ratio_reporter.h"
#include "download/page_decoding.h"
#include "platform/codepage/code_page_conversion.h"

namespace {
// Markup and Latin text around runs of common Chinese characters, as a share page is.
const std::string& MixedPage() {
  static const std::string page = [] {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> han(0x4E00, 0x9FA5);
    std::string text;
    while (text.size() < (1u << 20)) {
      text += "<div class=\"lyric\"><a href=\"http://example.test/s?id=1234\">song ";
      for (int i = random() % 24; i >= 0; --i) {
        int c = han(random);
        text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
      }
      text += "</a></div>\n";
    }
    text.resize(1u << 20);
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (!text.empty() && static_cast<unsigned char>(text.back()) >= 0xC0) text.pop_back();
    return text;
  }();
  return page;
}

void BM_Utf8ToAnsi(benchmark::State& state) {
  Text page(MixedPage());
  for (auto _ : state) {
    Text ansi = Utf8ToAnsi(page);
    benchmark::DoNotOptimize(ansi.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}
BENCHMARK(BM_Utf8ToAnsi)->Unit(benchmark::kMillisecond);

// The two conversion calls alone, without the sizing calls and buffers of Utf8ToAnsi.
void BM_CodePageCallsOnly(benchmark::State& state) {
  const std::string& page = MixedPage();
  std::u16string wide(page.size() + 1, u'\0');
  std::string out(2 * page.size() + 2, '\0');
  for (auto _ : state) {
    int units = MultiByteToWideChar(CP_UTF8, 0, page.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    int bytes = WideCharToMultiByte(936, 0, wide.data(), units, out.data(), static_cast<int>(out.size()),
                                    nullptr, nullptr);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}
BENCHMARK(BM_CodePageCallsOnly)->Unit(benchmark::kMillisecond);

// iconv at its best: descriptor opened once, output buffer allocated once.
void BM_GlibcIconv(benchmark::State& state) {
  const std::string& page = MixedPage();
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("glibc has no CP936 converter");
    return;
  }
  std::string out(2 * page.size() + 2, '\0');
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(page.data());
    size_t inLeft = page.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    size_t result = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    benchmark::DoNotOptimize(result);
    if (inLeft != 0) state.SkipWithError("iconv stopped early");
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}
BENCHMARK(BM_GlibcIconv)->Unit(benchmark::kMillisecond);

// iconv doing the whole job Utf8ToAnsi does: a fresh descriptor and a new text per
// page, its buffer sized for the worst case because iconv cannot size in advance.
void BM_GlibcIconvNewText(benchmark::State& state) {
  const std::string& page = MixedPage();
  for (auto _ : state) {
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      state.SkipWithError("glibc has no CP936 converter");
      return;
    }
    std::string out(2 * page.size() + 2, '\0');
    char* in = const_cast<char*>(page.data());
    size_t inLeft = page.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    iconv(cd, &in, &inLeft, &dst, &dstLeft);
    iconv_close(cd);
    Text ansi(std::string_view(out.data(), out.size() - dstLeft));
    benchmark::DoNotOptimize(ansi.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size());
}
BENCHMARK(BM_GlibcIconvNewText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter({
      {"BM_Utf8ToAnsi", "BM_GlibcIconvNewText"},
      {"BM_Utf8ToAnsi", "BM_GlibcIconv"},
      {"BM_CodePageCallsOnly", "BM_GlibcIconv"},
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios("best CPU time per 1 MiB page");
  benchmark::Shutdown();
  return 0;
}
