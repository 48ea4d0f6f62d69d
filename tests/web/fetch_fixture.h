// A scripted loopback server and short time-outs for the FetchWebPage tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/inet/test_hooks.h"
#include "tests/servers/test_server.h"
#include "text/values.h"

class FetchWebPageTest : public testing::Test {
 protected:
  void SetUp() override {
    settings.connectTimeoutMs = 5000;
    settings.stallTimeoutMs = 2000;
    SetInternetTestSettings(settings);
    ClearInternetCookieStore();
  }
  void TearDown() override {
    ResetInternetTestSettings();
    ClearInternetCookieStore();
  }

  std::string HostLine() const { return "Host: 127.0.0.1:" + std::to_string(web.port()) + "\r\n"; }

  InternetTestSettings settings;
  TestServer web = TestServer::Http();
};

inline std::string HeadOf(const std::string& raw) { return raw.substr(0, raw.find("\r\n\r\n") + 4); }
inline std::string BodyOf(const std::string& raw) { return raw.substr(raw.find("\r\n\r\n") + 4); }
inline std::string AsString(const Bytes& bytes) { return std::string(bytes.view()); }

// The three lines a page request adds when the caller gives none.
inline const char kDefaultLines[] =
    "Accept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
inline const char kDefaultAgentLine[] = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\r\n";
