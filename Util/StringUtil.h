#pragma once

#include <set>
#include <string>
#include <vector>

using String = std::string;
using StringList = std::vector<String>;
using StringSet = std::set<String>;

// Both change ASCII letters only, byte by byte; other bytes (UTF-8 included) pass unchanged.
String ToUpper(String text);
String ToLower(String text);

// Splits at any byte of splitChars. Adjacent separators give an empty piece unless
// removeEmptyElements; a trailing separator never gives a trailing empty piece.
StringList SplitText(const String& input, const String& splitChars, bool removeEmptyElements);

// Strips leading and trailing bytes found in trimChars (space, tab, LF and CR by default).
String TrimText(const String& source, const String& trimChars);
String TrimText(const String& source);

// The largest file ReadFileLines reads.
constexpr unsigned long MaxLinesFileBytes = 32ul << 20;
// Appends the file's lines (line feeds dropped) to outLines. A file ending in a line
// feed yields one final empty line. Returns false and leaves outLines alone if the
// file can't be read, is not a regular file or holds more than MaxLinesFileBytes.
bool ReadFileLines(const String& fileName, StringList& outLines);
