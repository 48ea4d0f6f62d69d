// The body collector gives back exactly what it was given, across block borders.
#include "web/body_collector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

TEST(BodyCollector, GivesBackEveryByteInOrder) {
  std::string expected;
  for (std::size_t i = 0; i < 3 * (1u << 20) + 777; ++i) expected.push_back(static_cast<char>(i * 131 + 7));
  const std::size_t pieces[] = {1, 1023, 1024, (1u << 20) - 2048, 1u << 20, 5000};

  BodyCollector collector;
  std::size_t at = 0;
  for (std::size_t i = 0; at < expected.size(); ++i) {
    const std::size_t piece = std::min(pieces[i % 6], expected.size() - at);
    collector.Append(expected.data() + at, piece);
    at += piece;
  }
  EXPECT_EQ(std::string(collector.Take().view()), expected);
  EXPECT_TRUE(collector.Take().empty());
}

TEST(BodyCollector, NothingGatheredGivesEmptyBytes) {
  BodyCollector collector;
  collector.Append("", 0);
  EXPECT_TRUE(collector.Take().empty());
}

}  // namespace
