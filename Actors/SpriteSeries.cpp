#include "Actors/SpriteSeries.h"

#include <algorithm>

bool ParseSpriteSeriesName(const String& firstFilename, SpriteSeriesName& name)
{
    const size_t lastDot = firstFilename.rfind('.');
    const size_t lastUnderscore = firstFilename.rfind('_');
    if (lastDot == String::npos || lastUnderscore == String::npos || lastDot <= lastUnderscore + 1)
        return false;
    const String number = firstFilename.substr(lastUnderscore + 1, lastDot - lastUnderscore - 1);
    if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    name.prefix = firstFilename.substr(0, lastUnderscore + 1);
    name.number = number;
    name.suffix = firstFilename.substr(lastDot);
    return true;
}

String NextSeriesNumber(String number)
{
    for (auto digit = number.rbegin(); digit != number.rend(); ++digit)
    {
        if (*digit != '9')
        {
            ++*digit;
            return number;
        }
        *digit = '0';
    }
    return "1" + number;
}
