// The busy caption with the download's progress.
#include "download/busy_caption.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CaptionCase {
  long long received;
  long long total;
  Text expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.received << " of " << c.total; }

class BusyCaptions : public testing::TestWithParam<CaptionCase> {};

TEST_P(BusyCaptions, ShowShareOrAmount) {
  const CaptionCase& c = GetParam();
  EXPECT_EQ(BusyCaption(c.received, c.total).str(), c.expected.str()) << c.received << " of " << c.total;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BusyCaptions,
    testing::Values(CaptionCase{0, 100, "正在下载...0%"}, CaptionCase{999, 1000, "正在下载...99%"},
                    CaptionCase{100, 100, "正在下载...100%"},
                    CaptionCase{150, 100, "正在下载...100%"},  // more than announced
                    CaptionCase{1LL << 60, 1LL << 61, "正在下载...50%"},
                    CaptionCase{0, -1, "正在下载...0B"}, CaptionCase{5, 0, "正在下载...5B"},
                    CaptionCase{1023, -1, "正在下载...1023B"}, CaptionCase{1536, -1, "正在下载...1KB"},
                    CaptionCase{3 * 512 * 1024, -1, "正在下载...1.5MB"},
                    CaptionCase{3LL << 30, -1, "正在下载...3.0GB"}, CaptionCase{-7, -1, "正在下载...0B"}));

}  // namespace
