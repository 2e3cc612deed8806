// Arbitrary bytes as an image file, decoded the way the texture cache decodes before it
// uploads: header checks first, then conversion to the upload layout. The first byte
// picks the file name, which decides whether contents matching no decoder are refused.
// Smaller limits than the engine's keep every input to milliseconds: a few dozen bytes
// may legitimately claim tens of millions of pixels, and decoding those is slow, not wrong.
#include "Platform/ImageFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const char* const names[] = {"",          "image.png", "image.bmp", "image.tga", "image.jpg",
                                        "image.gif", "image.ico", "image.pcx", "image.ppm"};
    if (size < 1)
        return 0;
    const String name = names[data[0] % (sizeof(names) / sizeof(names[0]))];
    ImageLimits limits;
    limits.maxSide = 1024;
    limits.maxPixels = 256 * 1024;
    DecodedImage image;
    unsigned int claimed[2] = {0, 0};
    const ImageLoadResult result = DecodeImage(data + 1, size - 1, name, image, claimed, limits);
    if (result == ILR_TooLarge && claimed[0] <= limits.maxSide && claimed[1] <= limits.maxSide &&
        static_cast<unsigned long long>(claimed[0]) * claimed[1] <= limits.maxPixels)
        std::abort();
    if (result == ILR_Loaded)
    {
        const size_t pitch = (static_cast<size_t>(image.width) * image.components + 3) / 4 * 4;
        const bool powers = (image.width & (image.width - 1)) == 0 && (image.height & (image.height - 1)) == 0;
        if (!powers || (image.components != 3 && image.components != 4) ||
            image.pixels.size() != pitch * static_cast<size_t>(image.height))
            std::abort();
    }
    return 0;
}
