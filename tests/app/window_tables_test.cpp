// The window tables: every control inside its window, the names the code uses,
// and the shapes of the links.
#include "app/window_tables.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "app/simple_html_text.h"
#include "platform/codepage/boundary.h"

namespace {
TEST(WindowTables, EveryControlLiesInsideItsWindowsClientArea) {
  for (const WindowDefinition* window : WindowDefinitions()) {
    SCOPED_TRACE(window->name);
    Box client = ClientArea(*window);
    std::set<std::string> names;
    for (const ControlDefinition& control : window->controls) {
      SCOPED_TRACE(Cp936ToUtf8(control.name));
      EXPECT_TRUE(names.insert(control.name).second) << "name used twice";
      EXPECT_GE(control.box.left, 0);
      EXPECT_GE(control.box.top, 0);
      EXPECT_LE(control.box.left + control.box.width, client.width);
      EXPECT_LE(control.box.top + control.box.height, client.height);
      EXPECT_EQ(control.kind == ControlKind::Button, control.clicked != nullptr);
      EXPECT_EQ(control.kind == ControlKind::PicBox, control.picture != 0);
    }
  }
}

// The names that the handlers and the download command address must exist.
TEST(WindowTables, NamesTheCodeAddressesExist) {
  const struct {
    const char* window;
    const char* control;
    ControlKind kind;
  } used[] = {
      {"MainWindow", u8"编辑框1", ControlKind::EditBox}, {"MainWindow", u8"按钮1", ControlKind::Button},
      {"MainWindow", u8"按钮2", ControlKind::Button},    {"MainWindow", u8"按钮3", ControlKind::Button},
      {"TutorialWindow", u8"按钮1", ControlKind::Button},
  };
  for (const auto& u : used) {
    const WindowDefinition* window = FindWindowDefinition(u.window);
    ASSERT_NE(window, nullptr) << u.window;
    int found = 0;
    for (const ControlDefinition& control : window->controls) {
      if (Cp936ToUtf8(control.name) == u.control) {
        ++found;
        EXPECT_EQ(control.kind, u.kind) << u.control;
      }
    }
    EXPECT_EQ(found, 1) << u.window << " " << u.control;
  }
  EXPECT_EQ(FindWindowDefinition("NoSuchWindow"), nullptr);
}

TEST(WindowTables, StepFourShowsAShareLinkOfTheRealShape) {
  const std::regex shareLink(R"(http://[a-z0-9.]+/s/[A-Za-z0-9_-]{22}\?&code=[A-Za-z0-9]{11})");
  EXPECT_TRUE(std::regex_match(kExampleShareLink, shareLink)) << kExampleShareLink;
  const WindowDefinition* tutorial = FindWindowDefinition("TutorialWindow");
  ASSERT_NE(tutorial, nullptr);
  std::string stepFour;
  for (const ControlDefinition& control : tutorial->controls) {
    if (Cp936ToUtf8(control.name) == u8"标签4") stepFour = Cp936ToUtf8(control.text);
  }
  EXPECT_EQ(stepFour, std::string(u8"四、进入播放页面后，复制浏览器链接，一般例如") + kExampleShareLink +
                          u8"，将其复制进入本软件即可下载。");
}

TEST(WindowTables, HypertextBoxHoldsTwoLinksToTheMakersPages) {
  const WindowDefinition* main = FindWindowDefinition("MainWindow");
  ASSERT_NE(main, nullptr);
  std::string html;
  for (const ControlDefinition& control : main->controls) {
    if (control.kind == ControlKind::SimpleHtml) html = Cp936ToUtf8(control.text);
  }
  EXPECT_EQ(html.find('"'), std::string::npos) << "targets are written without quotation marks";
  std::vector<HtmlRun> runs = ReadSimpleHtml(html);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, u8"访问官网");
  EXPECT_EQ(runs[0].target, kMakerSiteAddress);
  EXPECT_EQ(runs[1].text, "|");
  EXPECT_EQ(runs[1].target, "");
  EXPECT_EQ(runs[2].text, u8"空间");
  EXPECT_EQ(runs[2].target, kMakerSpaceAddress);
  const std::regex absolute(R"(https?://[a-z0-9.-]+/\S*)");
  EXPECT_TRUE(std::regex_match(kMakerSiteAddress, absolute));
  EXPECT_TRUE(std::regex_match(kMakerSpaceAddress, absolute));
}
}  // namespace
