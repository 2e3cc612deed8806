#include "Util/StringUtil.h"

#include "Util/SafeFiles.h"

#include <cctype>

String ToUpper(String text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

String ToLower(String text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

StringList SplitText(const String& input, const String& splitChars, bool removeEmptyElements)
{
    StringList pieces;
    String current;
    for (char c : input)
    {
        if (splitChars.find(c) == String::npos)
        {
            current += c;
            continue;
        }
        if (!removeEmptyElements || !current.empty())
            pieces.push_back(current);
        current.clear();
    }
    if (!current.empty())
        pieces.push_back(current);
    return pieces;
}

String TrimText(const String& source, const String& trimChars)
{
    const size_t first = source.find_first_not_of(trimChars);
    if (first == String::npos)
        return String();
    const size_t last = source.find_last_not_of(trimChars);
    return source.substr(first, last - first + 1);
}

String TrimText(const String& source) { return TrimText(source, " \t\n\r"); }

bool ReadFileLines(const String& fileName, StringList& outLines)
{
    String text;
    String reason;
    if (ReadRegularFile(fileName, MaxLinesFileBytes, text, reason) != FRS_Read)
        return false;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != String::npos; end = text.find('\n', start))
    {
        outLines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    outLines.push_back(text.substr(start));
    return true;
}
