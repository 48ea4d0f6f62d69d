// Judging a finished audio download: only a whole 2xx body is a song.
#include "download/download_failure.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

DownloadOutcome Outcome(bool reached, int status, long long announced, bool complete) {
  DownloadOutcome outcome;
  outcome.reached = reached;
  outcome.status = status;
  outcome.announcedLength = announced;
  outcome.complete = complete;
  return outcome;
}

struct JudgeCase {
  const char* what;
  Text address;
  std::string data;
  DownloadOutcome outcome;
  DownloadFailure expected;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const JudgeCase& c, std::ostream* os) { *os << c.what; }

class Judge : public testing::TestWithParam<JudgeCase> {};

TEST_P(Judge, NamesTheCause) {
  const JudgeCase& c = GetParam();
  Bytes data(c.data.data(), c.data.size());
  EXPECT_EQ(JudgeDownload(c.address, data, c.outcome), c.expected) << c.what;
}

const Text kUrl = "http://127.0.0.1/a.mp3";

INSTANTIATE_TEST_SUITE_P(
    Table, Judge,
    testing::Values(
        JudgeCase{"whole body", kUrl, "ID3", Outcome(true, 200, 3, true), DownloadFailure::kNone},
        JudgeCase{"whole body, no length", kUrl, "ID3", Outcome(true, 200, -1, true), DownloadFailure::kNone},
        JudgeCase{"partial content is 2xx", kUrl, "ID3", Outcome(true, 206, 3, true), DownloadFailure::kNone},
        JudgeCase{"no address", "", "", Outcome(false, 0, -1, false), DownloadFailure::kNoAddress},
        JudgeCase{"not a web address", "ftp://h/a.mp3", "", Outcome(false, 0, -1, false),
                  DownloadFailure::kNotWebAddress},
        JudgeCase{"scheme in capitals is still web", "HTTPS://h/a.mp3", "", Outcome(false, 0, -1, false),
                  DownloadFailure::kUnreachable},
        JudgeCase{"nobody answered", kUrl, "", Outcome(false, 0, -1, false), DownloadFailure::kUnreachable},
        JudgeCase{"error page with a body", kUrl, "<html>404</html>", Outcome(true, 404, 16, true),
                  DownloadFailure::kHttpError},
        JudgeCase{"redirect left unfollowed", kUrl, "", Outcome(true, 302, 0, true),
                  DownloadFailure::kHttpError},
        JudgeCase{"cut short", kUrl, "ID", Outcome(true, 200, 3, false), DownloadFailure::kBrokenOff},
        JudgeCase{"stalled before any byte", kUrl, "", Outcome(true, 200, 3, false),
                  DownloadFailure::kBrokenOff},
        JudgeCase{"empty body", kUrl, "", Outcome(true, 200, 0, true), DownloadFailure::kNothingReceived},
        JudgeCase{"no content", kUrl, "", Outcome(true, 204, -1, true), DownloadFailure::kNothingReceived}));

TEST(FailureMessages, SayWhatWentWrongAndNothingForSuccess) {
  EXPECT_TRUE(DownloadFailureMessage(DownloadFailure::kNone, 0).empty());
  EXPECT_TRUE(SaveFailureMessage(SaveProblem::kNone).empty());
  for (DownloadFailure f : {DownloadFailure::kNoAddress, DownloadFailure::kNotWebAddress,
                            DownloadFailure::kUnreachable, DownloadFailure::kHttpError,
                            DownloadFailure::kBrokenOff, DownloadFailure::kNothingReceived}) {
    EXPECT_FALSE(DownloadFailureMessage(f, 500).empty());
  }
  for (SaveProblem p : {SaveProblem::kNoFolder, SaveProblem::kBadName, SaveProblem::kDiskFull,
                        SaveProblem::kNoPermission, SaveProblem::kOther}) {
    EXPECT_FALSE(SaveFailureMessage(p).empty());
  }
  EXPECT_NE(DownloadFailureMessage(DownloadFailure::kHttpError, 404).str().find("404"), std::string::npos);
}

}  // namespace
