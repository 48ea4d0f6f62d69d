// The skin library drawing real FLTK windows on a real X server: pixels read back
// from the server before and after a skin is attached.
// gtest comes first: the X headers behind FLTK define names that gtest uses.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/attach_export.h"
#include "skin/engine/skin_format.h"
#include "skin/skin_resources.h"
#include "skin/skin_table_layout.h"
#include "tests/platform/temporary_folder.h"
#include "tests/servers/private_display.h"

namespace {

using she::Rgb;

struct Screenshot {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  Rgb At(int x, int y) const {
    const unsigned char* p = &rgb[3 * (static_cast<std::size_t>(y) * w + x)];
    return Rgb{p[0], p[1], p[2]};
  }
  bool operator==(const Screenshot& o) const { return rgb == o.rgb; }
};

int Difference(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  auto m = [t](int x, int y) { return static_cast<unsigned char>(x + (y - x) * t + 0.5); };
  return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

std::string Show(const Rgb& c) {
  char s[16];
  std::snprintf(s, sizeof s, "%02X%02X%02X", c.r, c.g, c.b);
  return s;
}

// A window like the program's: a backdrop, a button, a text field and a framed box.
struct SampleWindow {
  std::unique_ptr<Fl_Window> window;
  Fl_Button* button;
  Fl_Input* input;
  SampleWindow() {
    window = std::make_unique<Fl_Window>(300, 200, "skin");
    button = new Fl_Button(20, 20, 120, 30, "Button");
    input = new Fl_Input(20, 70, 200, 26);
    new Fl_Box(FL_ENGRAVED_BOX, 20, 120, 120, 40, "");
    window->end();
    window->show();
    // FLTK draws nothing into a window before the server has exposed it.
    window->wait_for_expose();
  }
  Screenshot Capture() {
    window->redraw();
    Fl::flush();
    window->make_current();
    Screenshot shot;
    shot.w = window->w();
    shot.h = window->h();
    unsigned char* pixels = fl_read_image(nullptr, 0, 0, shot.w, shot.h);
    shot.rgb.assign(pixels, pixels + 3 * shot.w * shot.h);
    delete[] pixels;
    return shot;
  }
};

PrivateDisplay* g_display = nullptr;

// One server for the whole test program: FLTK opens its display once per process.
class DisplayEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    g_display = new PrivateDisplay(640, 480);
    if (!g_display->ok()) return;
    setenv("DISPLAY", g_display->name().c_str(), 1);
    fl_open_display();
  }
  void TearDown() override {
    // Leave the server before it goes, or Xlib ends the process on the lost connection.
    if (g_display->ok()) fl_close_display();
    delete g_display;
    g_display = nullptr;
  }
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);

class SkinLook : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!g_display || !g_display->ok()) GTEST_SKIP() << "needs Xvfb";
    originalUpBox_ = Fl::get_boxtype(FL_UP_BOX);
    // Load the very bytes the program carries, from a file as the program does.
    const std::string path = folder_.path() + "/SkinH_EL.dll";
    Bytes image = SkinLibraryBytes();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()),
                                                static_cast<std::streamsize>(image.size()));
    library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    attach_ = reinterpret_cast<SkinAttachFunction>(dlsym(library_, kSkinAttachExport));
    ASSERT_NE(attach_, nullptr);
  }
  void TearDown() override {
    if (library_) dlclose(library_);
  }

  int Attach(int number) {
    Bytes skin = CopySkin(number);
    return attach_(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
  }
  static she::Look LookOf(int number) {
    Bytes skin = CopySkin(number);
    she::Look look;
    EXPECT_TRUE(she::ParseSkin(skin.data(), skin.size(), &look));
    return look;
  }

  TemporaryFolder folder_;
  void* library_ = nullptr;
  SkinAttachFunction attach_ = nullptr;
  Fl_Box_Draw_F* originalUpBox_ = nullptr;
};

TEST_F(SkinLook, SkinElevenPaintsWhereItsLookSays) {
  SampleWindow sample;
  Screenshot plain = sample.Capture();
  ASSERT_EQ(Attach(11), 1);
  Screenshot skinned = sample.Capture();
  she::Look look = LookOf(11);

  EXPECT_EQ(Show(skinned.At(290, 0)), Show(look.windowTop)) << "backdrop top";
  EXPECT_EQ(Show(skinned.At(290, 199)), Show(look.windowBottom)) << "backdrop bottom";
  EXPECT_EQ(Show(skinned.At(20, 35)), Show(look.buttonBorder)) << "button border";
  EXPECT_LE(Difference(skinned.At(80, 22), Mix(look.buttonTop, look.buttonBottom, 2.0 / 29)), 3) << "button fill";
  EXPECT_EQ(Show(skinned.At(20, 83)), Show(look.fieldBorder)) << "field border";
  EXPECT_EQ(Show(skinned.At(200, 83)), Show(look.field)) << "field inside";
  EXPECT_EQ(Show(skinned.At(20, 140)), Show(look.frameDark)) << "frame";
  for (auto [x, y] : {std::pair{290, 0}, {20, 35}, {80, 22}, {20, 83}}) {
    EXPECT_GE(Difference(plain.At(x, y), skinned.At(x, y)), 20) << x << "," << y << " looks unskinned";
  }
}

TEST_F(SkinLook, PressedAndDisabledButtonsLookDifferent) {
  SampleWindow sample;
  ASSERT_EQ(Attach(11), 1);
  Rgb up = sample.Capture().At(80, 24);
  sample.button->value(1);
  Rgb pressed = sample.Capture().At(80, 24);
  sample.button->value(0);
  sample.button->deactivate();
  Rgb disabled = sample.Capture().At(80, 24);
  EXPECT_GE(Difference(up, pressed), 15);
  EXPECT_GE(Difference(up, disabled), 15);
}

TEST_F(SkinLook, WindowsCreatedLaterGetTheLook) {
  ASSERT_EQ(Attach(3), 1);
  SampleWindow later;
  Screenshot shot = later.Capture();
  EXPECT_EQ(Show(shot.At(290, 0)), Show(LookOf(3).windowTop));
  EXPECT_EQ(Show(shot.At(20, 35)), Show(LookOf(3).buttonBorder));
}

TEST_F(SkinLook, NullOrMalformedSkinsChangeNothing) {
  SampleWindow sample;
  ASSERT_EQ(Attach(11), 1);
  Screenshot before = sample.Capture();
  Bytes good = CopySkin(5);
  std::vector<unsigned char> garbage(4096);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<unsigned char>(i * 131 + 7);
  garbage[0] = '.', garbage[1] = 'S', garbage[2] = 'H', garbage[3] = 'E';
  struct Case {
    const char* what;
    const void* skin;
    int length;
  };
  const Case cases[] = {
      {"null", nullptr, 0},
      {"null with a length", nullptr, 100},
      {"zero length", good.data(), 0},
      {"negative length", good.data(), -5},
      {"truncated", good.data(), static_cast<int>(good.size()) - 1},
      {"magic only", good.data(), 4},
      {"garbage after the magic", garbage.data(), static_cast<int>(garbage.size())},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(attach_(c.skin, c.length, "", 0, 0, 0), 0) << c.what;
    EXPECT_TRUE(sample.Capture() == before) << c.what;
  }
  EXPECT_EQ(attach_(nullptr, 0, nullptr, 1, 2, 3), 0);
}

TEST_F(SkinLook, TheThirtyThreeSkinsLookDifferentOnScreen) {
  SampleWindow sample;
  std::vector<std::vector<Rgb>> seen;
  for (int n = 1; n <= kSkinCount; ++n) {
    ASSERT_EQ(Attach(n), 1) << n;
    Screenshot shot = sample.Capture();
    seen.push_back({shot.At(290, 2), shot.At(290, 197), shot.At(80, 24), shot.At(80, 44), shot.At(20, 35)});
  }
  for (std::size_t i = 0; i < seen.size(); ++i) {
    for (std::size_t j = i + 1; j < seen.size(); ++j) {
      int d = 0;
      for (std::size_t k = 0; k < seen[i].size(); ++k) d += Difference(seen[i][k], seen[j][k]);
      EXPECT_GE(d, 60) << "skins " << i + 1 << " and " << j + 1;
    }
  }
}

TEST_F(SkinLook, UnloadingHandsFltkItsOwnBoxesBack) {
  SampleWindow sample;
  ASSERT_EQ(Attach(11), 1);
  EXPECT_NE(Fl::get_boxtype(FL_UP_BOX), originalUpBox_);
  dlclose(library_);
  library_ = nullptr;
  EXPECT_EQ(Fl::get_boxtype(FL_UP_BOX), originalUpBox_);
  // Drawing after the unload must not reach into the unloaded library.
  sample.Capture();
}

}  // namespace
