// Our stand-in for the platform's code page conversion calls: UTF-8 (65001) and the
// Chinese ANSI code page 936, with the platform's argument meanings and results.
#pragma once

// The ANSI, OEM and thread code pages are 936 on every machine; no locale is read.
constexpr unsigned int CP_ACP = 0;
constexpr unsigned int CP_OEMCP = 1;
constexpr unsigned int CP_THREAD_ACP = 3;
constexpr unsigned int CP_UTF8 = 65001;

constexpr unsigned int MB_PRECOMPOSED = 0x00000001;        // accepted for 936, no effect
constexpr unsigned int MB_ERR_INVALID_CHARS = 0x00000008;  // fail instead of substituting U+FFFD
constexpr unsigned int WC_ERR_INVALID_CHARS = 0x00000080;  // UTF-8 only: fail on a lone surrogate
constexpr unsigned int WC_NO_BEST_FIT_CHARS = 0x00000400;  // accepted for 936; we never best-fit

// Decodes `multiByteLength` bytes (-1: up to and including the zero terminator) into
// UTF-16 units. `wideLength` 0 asks for the unit count and writes nothing.
// Returns the units written (or needed); 0 on failure: null input, length 0 or below -1,
// unknown code page or flag, output too small (what fits has been written), or with
// MB_ERR_INVALID_CHARS an invalid sequence. Without that flag every invalid sequence
// becomes U+FFFD and decoding carries on.
int MultiByteToWideChar(unsigned int codePage, unsigned int flags, const char* multiByte,
                        int multiByteLength, char16_t* wide, int wideLength);

// Encodes `wideLength` UTF-16 units (-1: up to and including the zero unit) into bytes.
// `multiByteLength` 0 asks for the byte count and writes nothing.
// For 936 a character the table lacks (a lone surrogate and any character beyond the
// Basic Multilingual Plane included) becomes the first character of `defaultChar`, or
// "?" when it is null; `usedDefaultChar`, when given, tells whether that happened.
// For UTF-8 both must be null, and a lone surrogate becomes U+FFFD.
// Returns the bytes written (or needed); 0 on failure as for MultiByteToWideChar.
int WideCharToMultiByte(unsigned int codePage, unsigned int flags, const char16_t* wide,
                        int wideLength, char* multiByte, int multiByteLength,
                        const char* defaultChar, int* usedDefaultChar);
