// The real windows under the test's X server, driven with xdotool: the clear
// button, Enter, the modal tutorial and its ways of closing, the pictures, the
// links and the message box.
// gtest first: Xlib defines macros (None, Bool) that clash with its names.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <FL/x.H>
#include <X11/Xutil.h>
#include <sys/stat.h>

#include "app/gui/top_window.h"
#include "app/gui_layer.h"
#include "app/gui_operations.h"
#include "app/handlers.h"
#include "app/pictures/jpeg_picture.h"
#include "app/tutorial_pictures.h"
#include "app/window_tables.h"
#include "gui_harness.h"

namespace {
const Text kMain = "MainWindow";
const Text kTutorial = "TutorialWindow";
const Text kLinkBox = "编辑框1";

class ShellWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY")) return;
    StartGuiLayer();
    OpenStartWindow(kMain);
  }
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X server";
    main_ = FindTopWindow(kMain);
    ASSERT_NE(main_, nullptr);
  }
  // Clicks the control's centre.
  void Click(TopWindow* window, const Text& control, int dx = -1, int dy = -1) {
    Fl_Widget* widget = window->Control(control);
    ASSERT_NE(widget, nullptr);
    int x = widget->x() + (dx < 0 ? widget->w() / 2 : dx);
    int y = widget->y() + (dy < 0 ? widget->h() / 2 : dy);
    RunXdotool({"mousemove", ScreenX(window, x), ScreenY(window, y), "click", "1"});
  }
  std::vector<std::string> ClickArguments(TopWindow* window, const Text& control) {
    Fl_Widget* widget = window->Control(control);
    return {"mousemove", ScreenX(window, widget->x() + widget->w() / 2),
            ScreenY(window, widget->y() + widget->h() / 2), "click", "1"};
  }
  TopWindow* main_ = nullptr;
};

TEST_F(ShellWindows, ClearButtonEmptiesTheLinkBoxAndPutsTheCursorInIt) {
  for (const Text& before : {Text(), Text("http://www.kelvora.com/s/abc?&code=x"), Text("歌曲页面")}) {
    SetControlText(kMain, kLinkBox, before);
    SetControlFocus(kMain, "按钮1");
    Click(main_, "按钮3");
    EXPECT_EQ(GetControlText(kMain, kLinkBox), Text());
    EXPECT_EQ(Fl::focus(), main_->Control(kLinkBox));
    // The keyboard really reaches the box.
    RunXdotool({"type", "ab"});
    EXPECT_EQ(GetControlText(kMain, kLinkBox), Text("ab"));
  }
}

TEST_F(ShellWindows, EnterPressesNoButton) {
  for (const Text& focused : {kLinkBox, Text("按钮3"), Text("按钮2")}) {
    SetControlText(kMain, kLinkBox, "keep");
    SetControlFocus(kMain, focused);
    RunXdotool({"key", "Return"});
    EXPECT_EQ(GetControlText(kMain, kLinkBox), Text("keep")) << "focus on " << focused.str();
    EXPECT_EQ(FindTopWindow(kTutorial), nullptr);
    EXPECT_EQ(Fl::focus(), main_->Control(focused));
  }
}

TEST_F(ShellWindows, TutorialDisablesMainWindowUntilClosedAnyWay) {
  struct Closer {
    const char* name;
    std::function<void(TopWindow*)> close;
  };
  const std::vector<Closer> closers = {
      {"OK button", [&](TopWindow* t) { StartXdotool(ClickArguments(t, "按钮1")); }},
      {"Esc with the OK button focused", [](TopWindow*) { StartXdotool({"key", "Escape"}); }},
      {"close request", [](TopWindow* t) { SendCloseRequest(t); }},
      {"OK handler", [](TopWindow* t) {
         OnTutorialOkClicked();
         // The window goes only once the handler has returned.
         EXPECT_TRUE(IsOpen(t));
         EXPECT_TRUE(t->closing);
       }},
  };
  for (const Closer& closer : closers) {
    SCOPED_TRACE(closer.name);
    bool mainWasDisabled = false;
    TopWindow* seen = nullptr;
    bool observed = ObserveWindow(
        kTutorial, [&] { StartXdotool(ClickArguments(main_, "按钮2")); },
        [&](TopWindow* tutorial) {
          mainWasDisabled = main_->inputDisabled;
          seen = tutorial;
          EXPECT_EQ(std::string(tutorial->label()), u8"使用教程");
          for (const char* control : {"标签1", "标签2", "标签3", "标签4", "图片框1", "图片框2", "图片框3", "按钮1"})
            EXPECT_NE(tutorial->Control(control), nullptr) << control;
          closer.close(tutorial);
        });
    EXPECT_TRUE(observed);
    EXPECT_TRUE(mainWasDisabled);
    EXPECT_FALSE(main_->inputDisabled);
    EXPECT_EQ(FindTopWindow(kTutorial), nullptr);
  }
}

TEST_F(ShellWindows, DisabledMainWindowIgnoresClicksAndEsc) {
  SetControlText(kMain, kLinkBox, "still here");
  bool observed = ObserveWindow(
      kTutorial, [&] { StartXdotool(ClickArguments(main_, "按钮2")); },
      [&](TopWindow* tutorial) {
        // Raised above the tutorial, the disabled main window gets a click on its
        // clear button and an Esc; then the tutorial's OK.
        std::vector<std::string> script = {"windowraise", std::to_string(fl_xid(main_))};
        for (const std::string& word : ClickArguments(main_, "按钮3")) script.push_back(word);
        for (const char* word : {"windowfocus", "--sync"}) script.push_back(word);
        script.push_back(std::to_string(fl_xid(main_)));
        for (const char* word : {"key", "Escape", "sleep", "0.3"}) script.push_back(word);
        for (const std::string& word : ClickArguments(tutorial, "按钮1")) script.push_back(word);
        StartXdotool(script);
      });
  EXPECT_TRUE(observed);
  EXPECT_TRUE(IsOpen(main_));
  EXPECT_EQ(GetControlText(kMain, kLinkBox), Text("still here"));
}

// What a window manager reads: Motif functions (minimise 8, maximise 16, resize 2)
// and equal minimum and maximum sizes.
struct FrameHints {
  long functions = -1;
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
};

FrameHints ReadFrameHints(const TopWindow* window) {
  FrameHints hints;
  Atom motif = XInternAtom(fl_display, "_MOTIF_WM_HINTS", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(fl_display, fl_xid(window), motif, 0, 5, False, motif, &type, &format, &count, &after,
                         &data) == Success && data && count >= 2) {
    hints.functions = reinterpret_cast<long*>(data)[1];
  }
  if (data) XFree(data);
  XSizeHints size{};
  long supplied = 0;
  if (XGetWMNormalHints(fl_display, fl_xid(window), &size, &supplied)) {
    hints.minWidth = size.min_width;
    hints.minHeight = size.min_height;
    hints.maxWidth = size.max_width;
    hints.maxHeight = size.max_height;
  }
  return hints;
}

TEST_F(ShellWindows, WindowsHaveFixedFramesAndOnlyMainWindowMinimises) {
  FrameHints mainHints = ReadFrameHints(main_), tutorialHints;
  int tutorialWidth = 0, tutorialHeight = 0;
  bool observed = ObserveWindow(
      kTutorial, [&] { StartXdotool(ClickArguments(main_, "按钮2")); },
      [&](TopWindow* tutorial) {
        tutorialHints = ReadFrameHints(tutorial);
        tutorialWidth = tutorial->w();
        tutorialHeight = tutorial->h();
        SendCloseRequest(tutorial);
      });
  ASSERT_TRUE(observed);
  const struct {
    const char* window;
    FrameHints hints;
    int width, height;
    bool minimises;
  } cases[] = {
      {"MainWindow", mainHints, main_->w(), main_->h(), true},
      {"TutorialWindow", tutorialHints, tutorialWidth, tutorialHeight, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    Box client = ClientArea(*FindWindowDefinition(c.window));
    EXPECT_EQ(c.width, client.width);
    EXPECT_EQ(c.height, client.height);
    EXPECT_EQ((c.hints.functions & 8) != 0, c.minimises);
    EXPECT_EQ(c.hints.functions & (16 | 2), 0);
    EXPECT_EQ(c.hints.minWidth, client.width);
    EXPECT_EQ(c.hints.maxWidth, client.width);
    EXPECT_EQ(c.hints.minHeight, client.height);
    EXPECT_EQ(c.hints.maxHeight, client.height);
  }
}

// Box-relative samples of the screenshot against the picture decoded at full
// size, and the background just outside each box.
TEST_F(ShellWindows, EachPictureFillsItsBoxExactly) {
  const WindowDefinition* table = FindWindowDefinition(kTutorial);
  ASSERT_NE(table, nullptr);
  std::vector<Rgb> shot;
  int width = 0;
  bool observed = ObserveWindow(
      kTutorial, [&] { StartXdotool(ClickArguments(main_, "按钮2")); },
      [&](TopWindow* tutorial) {
        shot = GrabWindow(tutorial);
        width = tutorial->w();
        SendCloseRequest(tutorial);
      });
  ASSERT_TRUE(observed);
  ASSERT_FALSE(shot.empty());
  auto pixel = [&](int x, int y) { return shot[static_cast<std::size_t>(y) * width + x]; };
  for (const ControlDefinition& control : table->controls) {
    if (control.kind != ControlKind::PicBox) continue;
    SCOPED_TRACE(control.picture);
    EmbeddedFile file = TutorialPicture(control.picture);
    Picture full;
    ASSERT_EQ(DecodeJpeg(file.data, file.size, 0, 0, &full), DecodeStatus::Ok);
    const Box& b = control.box;
    int close = 0, samples = 0;
    for (int i = 0; i < 12; ++i) {
      for (int j = 0; j < 12; ++j) {
        double fx = (i + 0.5) / 12, fy = (j + 0.5) / 12;
        Rgb seen = pixel(b.left + static_cast<int>(fx * b.width), b.top + static_cast<int>(fy * b.height));
        std::size_t at = (static_cast<std::size_t>(fy * full.height) * full.width + static_cast<std::size_t>(fx * full.width)) * 3;
        int diff = std::abs(seen.r - full.rgb[at]) + std::abs(seen.g - full.rgb[at + 1]) + std::abs(seen.b - full.rgb[at + 2]);
        close += diff <= 60;
        ++samples;
      }
    }
    EXPECT_GE(close * 10, samples * 9) << close << " of " << samples << " samples match";
    // The corners of the box show the corners of the picture.
    for (auto [x, y, sx, sy] : {std::tuple{0, 0, 0, 0}, std::tuple{b.width - 1, b.height - 1, full.width - 1, full.height - 1}}) {
      Rgb seen = pixel(b.left + x, b.top + y);
      std::size_t at = (static_cast<std::size_t>(sy) * full.width + sx) * 3;
      EXPECT_NEAR(seen.r, full.rgb[at], 40);
      EXPECT_NEAR(seen.g, full.rgb[at + 1], 40);
      EXPECT_NEAR(seen.b, full.rgb[at + 2], 40);
    }
    // One pixel outside every edge is the window's background, the same as a few
    // pixels further out (the skin may shade it): no border, no overflow.
    const int mx = b.left + b.width / 2, my = b.top + b.height / 2;
    for (auto [x, y, dx, dy] : {std::tuple{b.left - 1, my, -3, 0}, std::tuple{b.left + b.width, my, 3, 0},
                                std::tuple{mx, b.top - 1, 0, -3}, std::tuple{mx, b.top + b.height, 0, 3}}) {
      Rgb edge = pixel(x, y), beyond = pixel(x + dx, y + dy);
      EXPECT_NEAR(edge.r, beyond.r, 4) << x << "," << y;
      EXPECT_NEAR(edge.g, beyond.g, 4) << x << "," << y;
      EXPECT_NEAR(edge.b, beyond.b, 4) << x << "," << y;
    }
  }
}

TEST_F(ShellWindows, LinksOpenTheirTargetsThroughXdgOpen) {
  // A stand-in xdg-open on the PATH records the address it was given.
  char folder[] = "/tmp/mirovel-xdg-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string record = std::string(folder) + "/opened";
  {
    std::ofstream script(std::string(folder) + "/xdg-open");
    script << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << record << "'\n";
  }
  chmod((std::string(folder) + "/xdg-open").c_str(), 0755);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (std::string(folder) + ":" + oldPath).c_str(), 1);

  // The middle of each of the three runs: two links with "|", no link, between.
  fl_font(FL_HELVETICA, 12);
  const int site = static_cast<int>(fl_width(u8"访问官网")), bar = static_cast<int>(fl_width("|"));
  const int space = static_cast<int>(fl_width(u8"空间"));
  Click(main_, "简单超文本框2", site / 2, 8);
  Click(main_, "简单超文本框2", site + bar / 2, 8);
  Click(main_, "简单超文本框2", site + bar + space / 2, 8);
  std::string opened;
  PumpUntil([&] {
    std::ifstream in(record);
    std::stringstream all;
    all << in.rdbuf();
    opened = all.str();
    return opened.size() >= std::string(kMakerSiteAddress).size() + std::string(kMakerSpaceAddress).size() + 2;
  }, 5.0);
  setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(opened, std::string(kMakerSiteAddress) + "\n" + kMakerSpaceAddress + "\n");
  std::remove(record.c_str());
  std::remove((std::string(folder) + "/xdg-open").c_str());
  rmdir(folder);
}

TEST_F(ShellWindows, MessageBoxDisablesEveryWindowAndReturnsOk) {
  struct Case {
    std::optional<Text> title;
    const char* caption;
  };
  for (const Case& c : {Case{std::nullopt, u8"信息："}, Case{Text("提示"), u8"提示"}}) {
    std::string caption;
    bool mainWasDisabled = false;
    int result = 0;
    bool observed = ObserveWindow(
        Text(), [&] { result = ShowMessage("下载成功！", MB_OK, c.title); },
        [&](TopWindow* box) {
          caption = box->label();
          mainWasDisabled = main_->inputDisabled;
          StartXdotool({"key", "Return"});
        });
    EXPECT_TRUE(observed);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, c.caption);
    EXPECT_TRUE(mainWasDisabled);
    EXPECT_FALSE(main_->inputDisabled);
  }
}
}  // namespace
