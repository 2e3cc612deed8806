#include "Util/StringUtil.h"

#include <cctype>
#include <fstream>

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
    std::ifstream file(fileName);
    if (!file.is_open())
        return false;
    // Reading until end of file, not until a failed read, is what gives a file that
    // ends in a line feed its final empty line.
    String line;
    while (!file.eof())
    {
        // A read error short of end of file (a directory, say) would otherwise loop forever.
        if (!std::getline(file, line) && !file.eof())
            return false;
        outLines.push_back(line);
    }
    return true;
}
