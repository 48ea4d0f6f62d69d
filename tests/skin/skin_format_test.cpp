// The .SHE reader against well-formed and malformed skins, and the 33 skins we carry.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/skin_resources.h"
#include "skin/skin_table_layout.h"
#include "tools/skin_compiler/skin_source.h"

namespace {

using Skin = std::vector<unsigned char>;

she::Look SampleLook() {
  she::Look l;
  l.name = "Sample";
  l.windowTop = {1, 2, 3};
  l.windowBottom = {4, 5, 6};
  l.text = {7, 8, 9};
  l.field = {10, 11, 12};
  l.selection = {13, 14, 15};
  l.buttonFill = she::Fill::kGlossy;
  l.buttonShape = she::Shape::kPill;
  l.buttonRadius = 7;
  l.buttonTop = {16, 17, 18};
  l.buttonBottom = {19, 20, 21};
  l.buttonBorder = {22, 23, 24};
  l.pressedShade = -33;
  l.fieldBorder = {25, 26, 27};
  l.fieldRadius = 5;
  l.frameStyle = she::FrameStyle::kGroove;
  l.frameDark = {28, 29, 30};
  l.frameLight = {31, 32, 33};
  return l;
}

// Offset of the first record with this tag in a skin written by EncodeSkin.
std::size_t RecordAt(const Skin& s, unsigned char tag) {
  std::size_t at = she::kHeaderSize;
  while (at + 1 < s.size() && s[at] != tag) at += 2 + s[at + 1];
  return at;
}

bool SameLook(const she::Look& a, const she::Look& b) { return she::EncodeSkin(a) == she::EncodeSkin(b); }

TEST(SkinFormat, ReadsBackWhatWasWritten) {
  she::Look in = SampleLook();
  Skin skin = she::EncodeSkin(in);
  she::Look out;
  ASSERT_TRUE(she::ParseSkin(skin.data(), skin.size(), &out));
  EXPECT_TRUE(SameLook(in, out));
  EXPECT_EQ(out.pressedShade, -33);
  EXPECT_EQ(out.buttonShape, she::Shape::kPill);
}

TEST(SkinFormat, SkipsUnknownRecordsAndNeedsNoName) {
  she::Look in = SampleLook();
  in.name.clear();
  Skin skin = she::EncodeSkin(in);
  // A record from a later revision, which this reader does not know.
  skin[6] = 5;
  skin.insert(skin.end(), {0x40, 3, 'x', 'y', 'z'});
  she::Look out;
  ASSERT_TRUE(she::ParseSkin(skin.data(), skin.size(), &out));
  EXPECT_TRUE(SameLook(in, out));
}

TEST(SkinFormat, EveryTruncationIsRefused) {
  Skin skin = she::EncodeSkin(SampleLook());
  for (std::size_t n = 0; n < skin.size(); ++n) {
    // A copy of exactly n bytes, so that reading past it is a sanitizer error.
    Skin cut(skin.begin(), skin.begin() + static_cast<long>(n));
    she::Look out = SampleLook();
    out.name = "untouched";
    EXPECT_FALSE(she::ParseSkin(cut.empty() ? nullptr : cut.data(), cut.size(), &out)) << "length " << n;
    EXPECT_EQ(out.name, "untouched");
  }
}

TEST(SkinFormat, MalformedSkinsAreRefusedAndChangeNothing) {
  const Skin good = she::EncodeSkin(SampleLook());
  struct Case {
    const char* what;
    std::function<void(Skin&)> damage;
  };
  const std::vector<Case> cases = {
      {"magic", [](Skin& s) { s[1] = 's'; }},
      {"version 0", [](Skin& s) { s[4] = 0; }},
      {"version 2", [](Skin& s) { s[4] = 2; }},
      {"one record too many", [](Skin& s) { s[6] += 1; }},
      {"one record too few", [](Skin& s) { s[6] -= 1; }},
      {"record count in high byte", [](Skin& s) { s[7] = 1; }},
      {"trailing byte", [](Skin& s) { s.push_back(0); }},
      {"window record short", [](Skin& s) { s[RecordAt(s, she::kTagWindow) + 1] -= 1; }},
      {"window record long", [](Skin& s) { s[RecordAt(s, she::kTagWindow) + 1] += 1; }},
      {"frame length runs past the end", [](Skin& s) { s[RecordAt(s, she::kTagFrame) + 1] = 0xFF; }},
      {"button fill unknown", [](Skin& s) { s[RecordAt(s, she::kTagButton) + 2] = 3; }},
      {"button shape unknown", [](Skin& s) { s[RecordAt(s, she::kTagButton) + 3] = 9; }},
      {"button radius too large", [](Skin& s) { s[RecordAt(s, she::kTagButton) + 4] = she::kMaxRadius + 1; }},
      {"pressed shade too dark", [](Skin& s) { s[RecordAt(s, she::kTagButton) + 14] = 0x80; }},
      {"field radius too large", [](Skin& s) { s[RecordAt(s, she::kTagField) + 5] = 200; }},
      {"frame style unknown", [](Skin& s) { s[RecordAt(s, she::kTagFrame) + 2] = 3; }},
      {"name empty", [](Skin& s) { s[RecordAt(s, she::kTagName) + 1] = 0; }},
      {"name control byte", [](Skin& s) { s[RecordAt(s, she::kTagName) + 2] = '\n'; }},
      {"name high byte", [](Skin& s) { s[RecordAt(s, she::kTagName) + 2] = 0xC8; }},
      {"duplicate window record",
       [](Skin& s) {
         std::size_t at = RecordAt(s, she::kTagWindow);
         Skin record(s.begin() + static_cast<long>(at), s.begin() + static_cast<long>(at + 2 + she::kWindowLength));
         s.insert(s.end(), record.begin(), record.end());
         s[6] += 1;
       }},
      {"missing button record",
       [](Skin& s) {
         std::size_t at = RecordAt(s, she::kTagButton);
         s.erase(s.begin() + static_cast<long>(at), s.begin() + static_cast<long>(at + 2 + she::kButtonLength));
         s[6] -= 1;
       }},
      {"known tag disguised with a wrong length",
       [](Skin& s) {
         std::size_t at = RecordAt(s, she::kTagField);
         s.insert(s.begin() + static_cast<long>(at + 2), 0);
         s[at + 1] += 1;
       }},
      {"header only", [](Skin& s) { s.resize(she::kHeaderSize); }},
      {"zero records", [](Skin& s) { s.resize(she::kHeaderSize); s[6] = 0; }},
  };
  for (const Case& c : cases) {
    Skin bad = good;
    c.damage(bad);
    she::Look out;
    out.name = "untouched";
    EXPECT_FALSE(she::ParseSkin(bad.data(), bad.size(), &out)) << c.what;
    EXPECT_EQ(out.name, "untouched") << c.what;
  }
}

TEST(SkinFormat, NullSkinOrTargetIsRefused) {
  Skin skin = she::EncodeSkin(SampleLook());
  she::Look out;
  EXPECT_FALSE(she::ParseSkin(nullptr, skin.size(), &out));
  EXPECT_FALSE(she::ParseSkin(skin.data(), skin.size(), nullptr));
}

// Sum of the channel differences over the colours that fill most of a window.
int Distance(const she::Look& a, const she::Look& b) {
  auto d = [](const she::Rgb& x, const she::Rgb& y) {
    return std::abs(x.r - y.r) + std::abs(x.g - y.g) + std::abs(x.b - y.b);
  };
  return d(a.windowTop, b.windowTop) + d(a.windowBottom, b.windowBottom) + d(a.buttonTop, b.buttonTop) +
         d(a.buttonBottom, b.buttonBottom) + d(a.buttonBorder, b.buttonBorder) + d(a.text, b.text);
}

TEST(CarriedSkins, AllThirtyThreeReadAndLookDifferent) {
  std::vector<she::Look> looks;
  for (int n = 1; n <= kSkinCount; ++n) {
    Bytes skin = CopySkin(n);
    ASSERT_GE(skin.size(), 4u) << n;
    EXPECT_EQ(std::memcmp(skin.data(), ".SHE", 4), 0) << n;
    she::Look look;
    ASSERT_TRUE(she::ParseSkin(skin.data(), skin.size(), &look)) << n;
    looks.push_back(look);
  }
  for (std::size_t i = 0; i < looks.size(); ++i) {
    for (std::size_t j = i + 1; j < looks.size(); ++j) {
      EXPECT_GE(Distance(looks[i], looks[j]), 60) << "skins " << i + 1 << " and " << j + 1 << " look alike";
    }
  }
}

TEST(CarriedSkins, NumbersOutsideTheTableGiveNoSkin) {
  for (int n : {0, -1, 34, 1000, -2147483647 - 1}) EXPECT_TRUE(CopySkin(n).empty()) << n;
}

TEST(CarriedSkins, LibraryImageIsTheBuiltEngine) {
  Bytes image = SkinLibraryBytes();
  ASSERT_GT(image.size(), 4u);
  EXPECT_EQ(std::memcmp(image.data(), "\x7f" "ELF", 4), 0);
}

TEST(SkinSource, LinesWithFaultsNameTheColumn) {
  const std::string good =
      "11 Jade EEF6F2 CFE6DB 173428 FFFFFF 6FA38A 4 2E8B62 gradient rounded 5 FCFFFD C4E2D3 4B8A6C -16 rounded 7DAE96 "
      "FFFFFF";
  int number = 0;
  she::Look look;
  std::string error;
  ASSERT_TRUE(ParseSkinLine(good, &number, &look, &error)) << error;
  EXPECT_EQ(number, 11);
  EXPECT_EQ(look.name, "Jade");
  EXPECT_EQ(look.pressedShade, -16);
  EXPECT_TRUE((look.windowTop == she::Rgb{0xEE, 0xF6, 0xF2}));

  struct Case {
    std::string from, to, error;
  };
  const std::vector<Case> cases = {
      {"EEF6F2", "EEF6G2", "bad window colour"},
      {"EEF6F2", "EEF6F", "bad window colour"},
      {" 4 2E8B62", " 17 2E8B62", "bad field radius"},
      {"gradient", "shiny", "bad button fill"},
      {"rounded 5", "oval 5", "bad button shape"},
      {"-16", "-61", "bad pressed shade"},
      {"-16", "--1", "bad pressed shade"},
      {"rounded 7DAE96", "dotted 7DAE96", "bad frame style"},
      {"11 Jade", "eleven Jade", "bad number"},
      {" FFFFFF", "", "expected 19 columns, found 18"},
  };
  for (const Case& c : cases) {
    std::string line = good;
    line.replace(line.rfind(c.from), c.from.size(), c.to);
    EXPECT_FALSE(ParseSkinLine(line, &number, &look, &error)) << line;
    EXPECT_EQ(error, c.error) << line;
  }
}

TEST(SkinSource, TableMustBeNumberedInOrder) {
  const std::string row = " Name EEF6F2 CFE6DB 173428 FFFFFF 6FA38A 4 2E8B62 flat square 0 FCFFFD C4E2D3 4B8A6C -16 line 7DAE96 FFFFFF\n";
  std::vector<she::Look> looks;
  std::string error;
  std::istringstream ordered("# comment\n\n1" + row + "2" + row);
  EXPECT_TRUE(ReadSkinTable(ordered, &looks, &error)) << error;
  EXPECT_EQ(looks.size(), 2u);
  std::istringstream gap("1" + row + "3" + row);
  EXPECT_FALSE(ReadSkinTable(gap, &looks, &error));
  EXPECT_EQ(error, "line 2: skin 3 out of order");
}

}  // namespace
