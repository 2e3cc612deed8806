// Images in the browser: the page preloads every image file with the game's data and the
// browser's own decoder decodes it before the program starts, so loading is a lookup.
// Only preloaded files can be read; a file the page didn't preload is unreadable.

#include "Platform/ImageFile.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>

ImageLoadResult LoadImageFile(const String& fileName, DecodedImage& image, unsigned int claimed[2], String&)
{
    int width = 0;
    int height = 0;
    // RGBA rows, top row first, in memory the caller frees.
    char* rgba = emscripten_get_preloaded_image_data(fileName.c_str(), &width, &height);
    if (!rgba)
        return ILR_Unreadable;
    if (width <= 0 || height <= 0)
    {
        std::free(rgba);
        return ILR_Unreadable;
    }
    const ImageLimits limits;
    if (static_cast<unsigned int>(width) > limits.maxSide || static_cast<unsigned int>(height) > limits.maxSide ||
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > limits.maxPixels)
    {
        claimed[0] = static_cast<unsigned int>(width);
        claimed[1] = static_cast<unsigned int>(height);
        std::free(rgba);
        return ILR_TooLarge;
    }

    // The layout textures are made from everywhere: BGRA, bottom row first. Four-byte
    // texels need no row padding.
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    image.width = width;
    image.height = height;
    image.components = 4;
    image.pixels.resize(rowBytes * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row)
    {
        const auto* source = reinterpret_cast<const std::uint8_t*>(rgba) + static_cast<size_t>(row) * rowBytes;
        std::uint8_t* target = image.pixels.data() + static_cast<size_t>(height - 1 - row) * rowBytes;
        for (size_t texel = 0; texel < rowBytes; texel += 4)
        {
            target[texel + 0] = source[texel + 2];
            target[texel + 1] = source[texel + 1];
            target[texel + 2] = source[texel + 0];
            target[texel + 3] = source[texel + 3];
        }
    }
    std::free(rgba);
    return ILR_Loaded;
}
