// Arbitrary sprite file names: a name that parses splits back into itself, and counting
// on from its number keeps the width and only ever yields digits.
#include "Actors/SpriteSeries.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const String name(reinterpret_cast<const char*>(data), size);
    SpriteSeriesName series;
    if (!ParseSpriteSeriesName(name, series))
        return 0;
    if (series.prefix + series.number + series.suffix != name || series.number.empty() || series.prefix.back() != '_' ||
        series.suffix.front() != '.')
        std::abort();
    String number = series.number;
    for (int frame = 0; frame < 70; ++frame)
    {
        const String next = NextSeriesNumber(number);
        if (next.size() < number.size() || next.size() > number.size() + 1 ||
            next.find_first_not_of("0123456789") != String::npos || next == number)
            std::abort();
        number = next;
    }
    return 0;
}
