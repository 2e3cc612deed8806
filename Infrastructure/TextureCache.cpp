#include "Infrastructure/TextureCache.h"

#include "Infrastructure/Draw.h"
#include "Infrastructure/Log.h"

#include <FreeImage.h>

#include <map>

namespace
{
struct TextureCacheEntry
{
    String filename;
    GLint clampMode;
    GLint filterMode;
    GLuint textureIndex;
};

std::map<String, TextureCacheEntry>& Cache()
{
    // Never destroyed: the textures outlive every caller.
    static auto* cache = new std::map<String, TextureCacheEntry>();
    return *cache;
}

FIBITMAP* Decode(const String& filename)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(filename.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(filename.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return nullptr;
    return FreeImage_Load(format, filename.c_str(), 0);
}

// A copy in the layout GL is given: 32-bit BGRA when the image has any transparency,
// 24-bit BGR otherwise. Palettised transparent images and 16-bit channels are converted
// too, since their own bits aren't 4 bytes per pixel. Null if FreeImage can't convert.
FIBITMAP* ToUploadLayout(FIBITMAP* image, int& components)
{
    const bool plain8BitChannels = FreeImage_GetImageType(image) == FIT_BITMAP;
    if (FreeImage_IsTransparent(image))
    {
        components = 4;
        if (plain8BitChannels && FreeImage_GetBPP(image) == 32)
            return FreeImage_Clone(image);
        return FreeImage_ConvertTo32Bits(image);
    }
    components = 3;
    return FreeImage_ConvertTo24Bits(image);
}

// The power of two GLU would pick for a side: the nearest one, with 3 x 2^k going up.
unsigned int PowerOfTwoSide(unsigned int side)
{
    unsigned int power = 1;
    while (side > 1)
    {
        if (side == 3)
            return power * 4;
        side >>= 1;
        power *= 2;
    }
    return power;
}

// GLU would rescale sides that aren't powers of two itself, but its scaler leaves rows
// black when only one side changes; rescaled here, GLU gets nothing to rescale.
FIBITMAP* ToPowerOfTwo(FIBITMAP* image)
{
    const unsigned int width = FreeImage_GetWidth(image);
    const unsigned int height = FreeImage_GetHeight(image);
    const unsigned int newWidth = PowerOfTwoSide(width);
    const unsigned int newHeight = PowerOfTwoSide(height);
    if (newWidth == width && newHeight == height)
        return image;
    FIBITMAP* scaled =
        FreeImage_Rescale(image, static_cast<int>(newWidth), static_cast<int>(newHeight), FILTER_BILINEAR);
    FreeImage_Unload(image);
    return scaled;
}

int Upload(const String& filename, GLint clampmode, GLint filtermode)
{
    FIBITMAP* image = Decode(filename);
    if (!image)
        return -1;
    int components = 0;
    FIBITMAP* converted = ToUploadLayout(image, components);
    FreeImage_Unload(image);
    if (converted)
        converted = ToPowerOfTwo(converted);
    if (!converted)
        return -1;

    // FreeImage keeps rows bottom-up and padded to 4 bytes, the layout GL reads by
    // default, so the image's bottom row lands at v = 0.
    const unsigned int texture =
        Draw::CreateTexture(FreeImage_GetBits(converted), static_cast<int>(FreeImage_GetWidth(converted)),
                            static_cast<int>(FreeImage_GetHeight(converted)), components, clampmode, filtermode);
    FreeImage_Unload(converted);
    return texture == 0 ? -1 : static_cast<int>(texture);
}
} // namespace

int AcquireTexture(const String& filename, GLint clampmode, GLint filtermode, bool optional)
{
    auto found = Cache().find(filename);
    if (found != Cache().end())
        return static_cast<int>(found->second.textureIndex);

    const int texture = Upload(filename, clampmode, filtermode);
    if (texture < 0)
    {
        if (!optional)
            SystemLogInstance().Log("Failed to find - " + filename);
        return -1;
    }
    Cache()[filename] = TextureCacheEntry{filename, clampmode, filtermode, static_cast<GLuint>(texture)};
    return texture;
}

size_t GetTextureCacheSize() { return Cache().size(); }
