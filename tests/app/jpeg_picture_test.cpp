// The tutorial pictures through the real libjpeg: their form, the scaled decoding,
// hostile input, and the stretch to a box.
#include "app/pictures/jpeg_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/tutorial_pictures.h"

namespace {
std::string Bytes(const EmbeddedFile& file) { return std::string(reinterpret_cast<const char*>(file.data), file.size); }

DecodeStatus Decode(const std::string& data, Picture* picture, int coverWidth = 0, int coverHeight = 0) {
  return DecodeJpeg(reinterpret_cast<const unsigned char*>(data.data()), data.size(), coverWidth, coverHeight, picture);
}

struct PictureCase {
  int number, width, height;
  const char* block;  // the application block right after the start marker
  int boxWidth, boxHeight;
};
const PictureCase kPictures[] = {
    {1, 720, 1280, "Exif", 264, 464},
    {2, 538, 954, "JFIF", 264, 464},
    {3, 865, 888, "JFIF", 312, 464},
};

TEST(TutorialPictures, AreBaselineJpegOfTheirSizeAndForm) {
  for (const PictureCase& c : kPictures) {
    SCOPED_TRACE(c.number);
    std::string data = Bytes(TutorialPicture(c.number));
    ASSERT_GT(data.size(), 1000u);
    EXPECT_EQ(data.substr(6, 4), c.block);
    // A baseline frame header, and no progressive or arithmetic one.
    EXPECT_NE(data.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(data.find("\xFF\xC2"), std::string::npos);
    Picture full;
    ASSERT_EQ(Decode(data, &full), DecodeStatus::Ok);
    EXPECT_EQ(full.width, c.width);
    EXPECT_EQ(full.height, c.height);
  }
  EXPECT_EQ(TutorialPicture(4).size, 0u);
}

// The scaled decoding covers the box, and the next smaller scale would not.
TEST(TutorialPictures, DecodeToTheSmallestScaleThatCoversTheBox) {
  for (const PictureCase& c : kPictures) {
    SCOPED_TRACE(c.number);
    Picture scaled;
    ASSERT_EQ(Decode(Bytes(TutorialPicture(c.number)), &scaled, c.boxWidth, c.boxHeight), DecodeStatus::Ok);
    EXPECT_GE(scaled.width, c.boxWidth);
    EXPECT_GE(scaled.height, c.boxHeight);
    EXPECT_LT(scaled.width, c.width);
    int eighths = static_cast<int>(std::lround(scaled.width * 8.0 / c.width));
    bool smallerCovers = (c.width * (eighths - 1) + 7) / 8 >= c.boxWidth && (c.height * (eighths - 1) + 7) / 8 >= c.boxHeight;
    EXPECT_FALSE(smallerCovers) << "decoded at " << eighths << "/8";
    EXPECT_EQ(scaled.rgb.size(), static_cast<std::size_t>(scaled.width) * scaled.height * 3);
  }
}

TEST(JpegDecoding, RefusesBadInputWithAClearStatus) {
  const std::string good = Bytes(TutorialPicture(2));
  std::string hugeFrame = good;
  // The frame header's height and width fields set to 60000.
  std::size_t sof = hugeFrame.find("\xFF\xC0");
  hugeFrame.replace(sof + 5, 4, "\xEA\x60\xEA\x60");
  std::string brokenTables = good;
  std::size_t dht = brokenTables.find("\xFF\xC4");
  brokenTables.replace(dht + 4, 40, std::string(40, '\xFF'));
  const struct {
    const char* name;
    std::string data;
    DecodeStatus status;
  } cases[] = {
      {"empty", "", DecodeStatus::NotJpeg},
      {"text", "hello, this is no picture", DecodeStatus::NotJpeg},
      {"start marker only", "\xFF\xD8\xFF", DecodeStatus::NotJpeg},
      {"header cut short", good.substr(0, 300), DecodeStatus::Corrupt},
      {"scan cut in half", good.substr(0, good.size() / 2), DecodeStatus::Corrupt},
      {"broken Huffman tables", brokenTables, DecodeStatus::Corrupt},
      {"absurd frame size", hugeFrame, DecodeStatus::TooLarge},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Picture picture;
    picture.width = 5;
    EXPECT_EQ(Decode(c.data, &picture, 10, 10), c.status);
    EXPECT_EQ(picture.width, 0);
    EXPECT_TRUE(picture.rgb.empty());
  }
}

TEST(StretchPicture, ScalesEachAxisOnItsOwnAndKeepsTheEdges) {
  // Two pixels side by side: red, blue.
  Picture source{2, 1, {255, 0, 0, 0, 0, 255}};
  Picture wide = StretchPicture(source, 8, 3);
  ASSERT_EQ(wide.width, 8);
  ASSERT_EQ(wide.height, 3);
  for (int y = 0; y < 3; ++y) {
    const unsigned char* row = wide.rgb.data() + y * 8 * 3;
    EXPECT_EQ(row[0], 255);
    EXPECT_EQ(row[2], 0);
    EXPECT_EQ(row[7 * 3 + 0], 0);
    EXPECT_EQ(row[7 * 3 + 2], 255);
  }
  EXPECT_TRUE(StretchPicture(source, 0, 3).rgb.empty());
  EXPECT_TRUE(StretchPicture(Picture(), 4, 4).rgb.empty());
  // Shrinking a flat picture keeps its colour.
  Picture flat{5, 7, std::vector<unsigned char>(5 * 7 * 3, 77)};
  Picture small = StretchPicture(flat, 2, 3);
  EXPECT_EQ(small.rgb, std::vector<unsigned char>(2 * 3 * 3, 77));
}
}  // namespace
