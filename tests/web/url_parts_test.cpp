// Host, port and path of typical and awkward links.
#include "web/url_parts.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct LinkCase {
  const char* url;
  const char* host;
  int port;
  const char* path;
};

// Readable case names in the test listing.
void PrintTo(const LinkCase& c, std::ostream* os) { *os << '"' << c.url << '"'; }

class LinkDecomposition : public testing::TestWithParam<LinkCase> {};

TEST_P(LinkDecomposition, GivesHostPortAndPath) {
  const LinkCase& c = GetParam();
  EXPECT_EQ(ExtractHost(c.url).str(), c.host);
  EXPECT_EQ(ExtractPort(c.url), c.port);
  EXPECT_EQ(ExtractPath(c.url).str(), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkDecomposition,
    testing::Values(
        LinkCase{"http://shop.test/a/b", "shop.test", 80, "/a/b"},
        LinkCase{"HTTPS://Shop.Test:81/X?y=1", "shop.test", 81, "/X?y=1"},
        LinkCase{"shop.test", "shop.test", 80, "/"},
        LinkCase{"https://shop.test", "shop.test", 443, "/"},
        LinkCase{"shop.test:81/a", "shop.test", 81, "/a"},
        LinkCase{"", "", 80, "/"},
        // A query straight after the host stays part of it.
        LinkCase{"http://shop.test?x=1", "shop.test?x=1", 80, "/"},
        // Without a scheme of its own, the link is read after the inner "http://".
        LinkCase{"shop.test/go?u=http://other.test/", "other.test", 80, "/"},
        LinkCase{"HTTP://Shop.Test/Song/A#Frag", "shop.test", 80, "/Song/A#Frag"},
        LinkCase{"http://shop.test:8080", "shop.test", 8080, "/"},
        // Any link beginning with the five letters counts as secure.
        LinkCase{"httpsx.test/a", "httpsx.test", 443, "/a"},
        // A port that is not a number gives what the number parser makes of it.
        LinkCase{"http://shop.test:/a", "shop.test", 0, "/a"},
        LinkCase{"http://shop.test:8x/a", "shop.test", 8, "/a"},
        LinkCase{"http://shop.test:port/a", "shop.test", 0, "/a"},
        LinkCase{"http://shop.test:99999999999/", "shop.test", 1215752191, "/"},
        // Other schemes are not recognised: "ftp:" is taken for a host with an empty port.
        LinkCase{"ftp://shop.test/a", "ftp", 0, "//shop.test/a"},
        LinkCase{"http://user:pw@shop.test/a", "user", 0, "/a"}));

struct HostOptionCase {
  const char* url;
  bool domainOnly;
  bool keepPort;
  std::optional<int> suffixLabels;
  const char* host;
};

void PrintTo(const HostOptionCase& c, std::ostream* os) {
  *os << '"' << c.url << "\" domainOnly=" << c.domainOnly << " keepPort=" << c.keepPort;
  if (c.suffixLabels) *os << " suffixLabels=" << *c.suffixLabels;
}

class HostOptions : public testing::TestWithParam<HostOptionCase> {};

TEST_P(HostOptions, SelectTheHostPart) {
  const HostOptionCase& c = GetParam();
  EXPECT_EQ(ExtractHost(c.url, c.domainOnly, c.keepPort, c.suffixLabels).str(), c.host);
}

INSTANTIATE_TEST_SUITE_P(
    SchemeMethod, HostOptions,
    testing::Values(HostOptionCase{"HTTPS://Shop.Test:81/X", false, true, std::nullopt, "shop.test:81"},
                    HostOptionCase{"http://a.b.shop.test/x", true, false, std::nullopt, "shop.test"},
                    HostOptionCase{"http://shop.test:81/", true, true, std::nullopt, "shop.test:81"},
                    HostOptionCase{"http://a.shop.test:81/", true, true, std::nullopt, "shop.test:81"},
                    HostOptionCase{"http://localhost/", true, false, std::nullopt, "localhost"},
                    HostOptionCase{"", true, true, std::nullopt, ""}));

INSTANTIATE_TEST_SUITE_P(
    LabelCounting, HostOptions,
    testing::Values(HostOptionCase{"http://a.b.shop.co.test/x", true, false, 2, "shop.co.test"},
                    HostOptionCase{"http://a.b.shop.co.test/x", false, false, 2, "b.shop.co.test"},
                    HostOptionCase{"http://a.b.shop.co.test/x", true, false, 0, "test"},
                    HostOptionCase{"http://a.b.shop.co.test/x", false, false, 0, "co.test"},
                    // Fewer labels than asked for: the host stays whole.
                    HostOptionCase{"http://a.b.shop.co.test/x", true, false, 5, "a.b.shop.co.test"},
                    HostOptionCase{"https://shop.test/x", false, false, 1, "shop.test"},
                    HostOptionCase{"HTTPS://Shop.Test:81/x", true, false, 0, "test"},
                    HostOptionCase{"HTTPS://Shop.Test:81/x", true, true, 0, "test:81"},
                    // The first search never finds a dot in the very last position.
                    HostOptionCase{"shop.test.", true, false, 0, "test."},
                    HostOptionCase{"nodots", true, false, 3, "nodots"},
                    HostOptionCase{"", false, false, 1, ""},
                    // Both schemes are deleted wherever they stand, also inside the query.
                    HostOptionCase{"x.test?u=https://y.test", true, false, 1, "test?u=y.test"},
                    // A negative count walks no dots, like 0.
                    HostOptionCase{"a.b.test", true, false, -1, "test"}));

}  // namespace
