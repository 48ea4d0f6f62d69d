// A fixture base that gives the WinInet layer time-outs short enough for a broken
// exchange to fail a test in seconds instead of the minute a user would wait.
#pragma once

#include <gtest/gtest.h>

#include "platform/inet/test_hooks.h"

class QuickTimeoutsTest : public ::testing::Test {
 protected:
  explicit QuickTimeoutsTest(long stallTimeoutMs = 1000) : stallTimeoutMs_(stallTimeoutMs) {}

  void SetUp() override {
    InternetTestSettings settings;
    settings.connectTimeoutMs = 5000;
    settings.stallTimeoutMs = stallTimeoutMs_;
    SetInternetTestSettings(settings);
  }
  void TearDown() override { ResetInternetTestSettings(); }

 private:
  long stallTimeoutMs_;
};
