// Cookie merging over the text primitives.
#include "web/cookies.h"

#include "text/editing.h"
#include "text/primitives.h"

Text MergeCookies(Text& cookies, Text& receivedCookies) {
  cookies = RemoveSpaces(cookies);
  receivedCookies = RemoveSpaces(receivedCookies);

  const TextArray oldItems = SplitText(cookies, ";");
  TextArray working = SplitText(receivedCookies, ";");
  // Tested against the list as it grows: of two old items with one name only
  // the first is kept, while received items are never weeded against each other.
  for (int i = 1; i <= ArraySize(oldItems); ++i) {
    if (!CookieListHasName(working, CookieName(oldItems[i]))) AppendMember(working, oldItems[i]);
  }

  // A received deletion drops the old value (it was not appended) and itself.
  Text merged;
  for (int i = 1; i <= ArraySize(working); ++i) {
    if (CompareText(TextRight(working[i], 8), "=deleted") != 0) merged = JoinText(merged, working[i], "; ");
  }
  merged = TextLeft(merged, TextLength(merged) - 2);

  cookies = JoinUnique(merged, "; ");
  return cookies;
}

Text CookieName(const Text& cookieItem) {
  const int equals = FindText(cookieItem, "=");
  return TrimBoth(equals != -1 ? TextLeft(cookieItem, equals - 1) : cookieItem);
}

bool CookieListHasName(const TextArray& cookieList, const Text& wantedName) {
  for (int i = 1; i <= ArraySize(cookieList); ++i) {
    if (CompareText(CookieName(cookieList[i]), wantedName) == 0) return true;
  }
  return false;
}

Text JoinUnique(const Text& joinedText, const Text& separator) {
  const TextArray items = SplitText(joinedText, separator);
  TextArray seen;
  Text output;
  for (int i = 1; i <= ArraySize(items); ++i) {
    if (TextArrayIndexOf(seen, items[i]) == -1) {
      AppendMember(seen, items[i]);
      output = JoinText(output, items[i], separator);
    }
  }
  return TextLeft(output, TextLength(output) - TextLength(separator));
}

int TextArrayIndexOf(const TextArray& members, const Text& wanted) {
  for (int i = 1; i <= ArraySize(members); ++i) {
    if (CompareText(members[i], wanted) == 0) return i;
  }
  return -1;
}
