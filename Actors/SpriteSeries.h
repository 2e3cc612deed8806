#pragma once

#include "Util/StringUtil.h"

// The pieces of a numbered sprite file name, somename_###.ext: "somename_", "###" and
// ".ext". The number is kept as text so that its width (leading zeros) survives.
struct SpriteSeriesName
{
    String prefix;
    String number;
    String suffix;
};

// Splits at the last '_' and the last '.'; false unless at least one character lies
// between them and all of them are decimal digits.
bool ParseSpriteSeriesName(const String& firstFilename, SpriteSeriesName& name);
// Adds one to a decimal number written as text, keeping its width: "007" -> "008",
// "099" -> "100", "999" -> "1000". Text avoids overflow on series with long numbers.
String NextSeriesNumber(String number);
