// The fatal stop ends the process with -1 (255) and reports through the installed reporter.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "text/fatal_error.h"
#include "text/primitives.h"

namespace {

void ExitHandlerThatMustNotRun() { std::fputs("exit handler ran\n", stderr); }

void ReportToStderrWithMarker(int code, const Text& message) {
  std::fprintf(stderr, "reporter saw code=%d message=%s\n", code, message.c_str());
}

TEST(FatalErrorDeathTest, EndsWithMinusOneAndSkipsExitHandlers) {
  EXPECT_EXIT(
      {
        std::atexit(ExitHandlerThatMustNotRun);
        FatalError(7, "boom");
      },
      testing::ExitedWithCode(255), "run-time error 7: boom");
}

TEST(FatalErrorDeathTest, InstalledReporterReceivesCodeAndMessage) {
  EXPECT_EXIT(
      {
        SetFatalReporter(ReportToStderrWithMarker);
        FatalError(0, "no window");
      },
      testing::ExitedWithCode(255), "reporter saw code=0 message=no window");
}

TEST(FatalErrorDeathTest, ArrayIndexOutsideMembersIsFatal) {
  TextArray array;
  AppendMember(array, "only");
  for (int index : {0, -1, 2}) {
    EXPECT_EXIT((void)array[index], testing::ExitedWithCode(255), "run-time error") << index;
  }
}

}  // namespace
