// Undoing HTML character references in texts cut out of a web page.
#pragma once

#include "text/values.h"

// Replaces &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references (&#39;,
// &#x27;) in a code page 936 text, in one pass: "&amp;lt;" becomes "&lt;".
// &nbsp; becomes a plain blank. A reference to a character that code page 936
// lacks becomes "?". A reference without its ";", with an unknown name, or with a
// number that is no character (0, surrogates, past U+10FFFF) stays as written.
Text DecodeCharacterReferences(const Text& text);
