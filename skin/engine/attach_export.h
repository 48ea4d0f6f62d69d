// The one entry point of the skin library, as its callers look it up by name.
#pragma once

// Parses the skin at skin[0..length) and makes it the look of every window of the
// program, present and future. Returns 1 when the skin was attached, 0 when it was
// null, empty or malformed, in which case nothing changes. The library has taken
// all it needs from the bytes by the time it returns. The text and the three
// integers are reserved: any value is accepted and ignored.
using SkinAttachFunction = int (*)(const void* skin, int length, const char* reserved, int, int, int);

constexpr const char kSkinAttachExport[] = "SkinH_AttachRes";
