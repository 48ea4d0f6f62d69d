// Merging received cookies into a caller's cookie text, and the helpers of the merge.
#include "web/cookies.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

#include "text/primitives.h"

namespace {

struct MergeCase {
  const char* cookies;
  const char* received;
  const char* mergedCookies;
  const char* receivedAfter;
};

void PrintTo(const MergeCase& c, std::ostream* os) { *os << '"' << c.cookies << "\" + \"" << c.received << '"'; }

class CookieMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(CookieMerge, UpdatesBothVariablesAndReturnsTheMerge) {
  const MergeCase& c = GetParam();
  Text cookies = c.cookies;
  Text received = c.received;
  const Text result = MergeCookies(cookies, received);
  EXPECT_EQ(cookies.str(), c.mergedCookies);
  EXPECT_EQ(result.str(), c.mergedCookies);
  EXPECT_EQ(received.str(), c.receivedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CookieMerge,
    testing::Values(
        MergeCase{"a=1; b=2", "b=3", "b=3; a=1", "b=3"},
        MergeCase{"a=1", "a=deleted", "", "a=deleted"},
        MergeCase{"", "", "", ""},
        MergeCase{"a = 1 ; b=2", "", "a=1; b=2", ""},
        MergeCase{"q=a b", "", "q=ab", ""},
        MergeCase{"", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
        MergeCase{"", "x=1; x=1", "x=1", "x=1;x=1"},
        MergeCase{"", "x=1; x=2", "x=1; x=2", "x=1;x=2"},
        MergeCase{"A=1", "a=2", "a=2; A=1", "a=2"},
        MergeCase{"flag; a=1", "b=2", "b=2; flag; a=1", "b=2"},
        MergeCase{"flag", "flag=1", "flag=1", "flag=1"},
        MergeCase{"a=1;", "", "a=1", ""},
        MergeCase{"a=1;;b=2", "", "a=1; ; b=2", ""},
        MergeCase{"x=DELETED; y=undeleted", "", "x=DELETED; y=undeleted", ""},
        MergeCase{"", "z=deleted", "", "z=deleted"},
        // Of two old items with one name only the first survives.
        MergeCase{"a=1; a=2; b=1", "", "a=1; b=1", ""},
        MergeCase{"a=1; b=2; c=3", "b=deleted; d=4", "d=4; a=1; c=3", "b=deleted;d=4"},
        // The full-width space counts as a blank too.
        MergeCase{"a=\xA1\xA1" "1", "", "a=1", ""}));

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEqualsSign) {
  const struct {
    const char* item;
    const char* name;
  } cases[] = {{"a=1", "a"}, {" a =1", "a"}, {"flag", "flag"}, {"=v", ""},
               {"a=b=c", "a"}, {"", ""},     {" x ", "x"}};
  for (const auto& c : cases) EXPECT_EQ(CookieName(c.item).str(), c.name) << c.item;
}

TextArray MakeArray(std::initializer_list<const char*> members) {
  TextArray array;
  for (const char* m : members) AppendMember(array, m);
  return array;
}

TEST(CookieListHasName, MatchesNamesExactly) {
  const TextArray list = MakeArray({"a=1", " b = 2", "flag"});
  EXPECT_TRUE(CookieListHasName(list, "a"));
  EXPECT_TRUE(CookieListHasName(list, "b"));
  EXPECT_TRUE(CookieListHasName(list, "flag"));
  EXPECT_FALSE(CookieListHasName(list, "A"));
  EXPECT_FALSE(CookieListHasName(list, "a=1"));
  EXPECT_FALSE(CookieListHasName(TextArray(), ""));
}

TEST(TextArrayIndexOf, GivesTheFirstEqualMemberOrMinusOne) {
  const TextArray members = MakeArray({"a", "b", "a", ""});
  EXPECT_EQ(TextArrayIndexOf(members, "a"), 1);
  EXPECT_EQ(TextArrayIndexOf(members, "b"), 2);
  EXPECT_EQ(TextArrayIndexOf(members, ""), 4);
  EXPECT_EQ(TextArrayIndexOf(members, "A"), -1);
  EXPECT_EQ(TextArrayIndexOf(TextArray(), "a"), -1);
  EXPECT_EQ(TextArrayIndexOf(TextArray(), ""), -1);
}

TEST(JoinUnique, KeepsFirstSeenItemsInOrder) {
  const struct {
    const char* joined;
    const char* separator;
    const char* result;
  } cases[] = {{"", "; ", ""},
               {"a; b; a", "; ", "a; b"},
               {"a; ; b; ", "; ", "a; ; b"},
               {"x,y,x,", ",", "x,y"},
               {"a=1; A=1", "; ", "a=1; A=1"},
               {"same", "; ", "same"}};
  for (const auto& c : cases) EXPECT_EQ(JoinUnique(c.joined, c.separator).str(), c.result) << c.joined;
}

}  // namespace
