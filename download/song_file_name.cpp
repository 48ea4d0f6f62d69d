// Turning a song title into a file name that cannot leave the desktop folder.
#include "download/song_file_name.h"

#include <string>

#include "download/character_references.h"
#include "platform/codepage/boundary.h"
#include "platform/files/safe_save.h"

namespace {

constexpr char kExtension[] = ".mp3";
constexpr char kUntitled[] = "未命名";

struct Refused {
  char ascii;
  const char* fullWidth;
};

// The full-width forms read as the same character, so the title stays legible.
constexpr Refused kRefused[] = {
    {'/', "／"}, {'\\', "＼"}, {':', "："}, {'*', "＊"}, {'?', "？"},
    {'"', "＂"}, {'<', "＜"}, {'>', "＞"}, {'|', "｜"},
};

const char* FullWidthFormOf(char c) {
  for (const Refused& r : kRefused) {
    if (r.ascii == c) return r.fullWidth;
  }
  return nullptr;
}

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// How many bytes the file system sees for one code page 936 character; 0 when the
// character has no Unicode form (an unassigned pair, a stray byte).
size_t NativeWidth(const std::string& character) {
  std::string native = Cp936ToUtf8(Text(character));
  // A failed conversion shows as the replacement character U+FFFD or as an ASCII
  // stand-in, neither of which a real character of 0x80 and above turns into.
  if (native.empty() || native.find("\xEF\xBF\xBD") != std::string::npos) return 0;
  for (unsigned char b : native) {
    if (b < 0x80) return 0;
  }
  return native.size();
}

}  // namespace

Text SongFileName(const Text& title) {
  const size_t room = kLongestFileName - kTemporaryNameGrowth - (sizeof(kExtension) - 1);
  const std::string in = DecodeCharacterReferences(title).str();
  std::string name;
  size_t used = 0;

  size_t i = 0;
  while (i < in.size()) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    std::string piece;
    size_t width = 0;
    if (c < 0x80) {
      ++i;
      if (c < 0x20 || c == 0x7F) continue;
      if (const char* full = FullWidthFormOf(static_cast<char>(c))) {
        piece = full;
        width = NativeWidth(piece);
      } else {
        piece.assign(1, static_cast<char>(c));
        width = 1;
      }
    } else {
      // Stepping by real byte pairs matters here: the second byte of a pair may
      // be "\" or "|", which must not be touched, and a lone lead byte must not
      // swallow a "/" after it.
      size_t length =
          (IsLeadByte(c) && i + 1 < in.size() && IsTrailByte(static_cast<unsigned char>(in[i + 1]))) ? 2 : 1;
      piece = in.substr(i, length);
      i += length;
      width = NativeWidth(piece);
      if (width == 0) continue;
    }
    if (used + width > room) break;
    name += piece;
    used += width;
  }

  if (name.empty()) name = kUntitled;
  return Text(name + kExtension);
}
