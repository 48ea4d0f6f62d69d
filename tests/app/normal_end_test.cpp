// The two ways the program ends, in a child process each: the normal end after
// the last window (exit handler once, code 0) and the fatal stop (error box,
// code -1, no exit handler).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/gui_layer.h"
#include "gui_harness.h"
#include "text/fatal_error.h"

namespace {
void FirstHandler() { std::fputs("replaced handler\n", stderr); }
void ExitHandler() { std::fputs("exit handler\n", stderr); }

class ProgramEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X server";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(ProgramEnd, EscInMainWindowEndsTheLoopAndRunsTheExitHandlerOnce) {
  EXPECT_EXIT(
      {
        StartGuiLayer();
        RegisterExitHandler(FirstHandler);
        RegisterExitHandler(ExitHandler);
        OpenStartWindow("MainWindow");
        StartXdotool({"key", "Escape"});
        RunMessageLoop();
        std::fputs("loop ended\n", stderr);
        EndProgram(0);
      },
      ::testing::ExitedWithCode(0), "^loop ended\nexit handler\n$");
}

TEST_F(ProgramEnd, FatalErrorShowsTheBoxThenEndsWithoutTheExitHandler) {
  EXPECT_EXIT(
      {
        StartGuiLayer();
        RegisterExitHandler(ExitHandler);
        OpenStartWindow("MainWindow");
        // The error box takes the keyboard; Enter presses its OK.
        StartXdotool({"sleep", "0.5", "key", "Return"});
        FatalError(7, "boom");
      },
      ::testing::ExitedWithCode(255), "^$");
}

TEST_F(ProgramEnd, WithoutADisplayTheFatalErrorGoesToStandardError) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        StartGuiLayer();
        RegisterExitHandler(ExitHandler);
        OpenStartWindow("MainWindow");
        EndProgram(0);
      },
      ::testing::ExitedWithCode(255), "^run-time error: .+\n$");
}
}  // namespace
