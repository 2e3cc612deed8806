// Arbitrary text as a colour: the result is always a valid colour, white for anything
// that isn't "#rgb", "#rrggbb" or the same with "0x".
#include "Util/Color.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const String text(reinterpret_cast<const char*>(data), size);
    const Color color(text);
    for (const float channel : {color.R, color.G, color.B, color.A})
    {
        if (!(channel >= 0.0f && channel <= 1.0f))
            std::abort();
    }
    if (color.A != 1.0f)
        std::abort();
    return 0;
}
