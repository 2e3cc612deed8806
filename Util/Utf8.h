#pragma once

#include "Util/StringUtil.h"

// Text as the font code may read it: each byte that doesn't start a well-formed UTF-8
// character (a cut-off character, a stray continuation byte, an overlong form, a
// surrogate) becomes '?'; valid text passes unchanged.
String WellFormedUtf8(const String& text);

// Reads the code point starting at `index` of well-formed text and moves `index` past it.
unsigned int NextCodePoint(const String& text, size_t& index);

// The UTF-8 bytes of one code point; a value past U+10FFFF or a surrogate gives "?".
String CodePointToUtf8(unsigned int codePoint);
