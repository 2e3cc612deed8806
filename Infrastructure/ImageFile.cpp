#include "Infrastructure/ImageFile.h"

#include <FreeImage.h>

#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace
{
// Owns one FreeImage memory stream over bytes it doesn't own.
class MemoryStream
{
public:
    MemoryStream(const std::uint8_t* data, size_t size)
        : stream(FreeImage_OpenMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size)))
    {
    }
    ~MemoryStream()
    {
        if (stream)
            FreeImage_CloseMemory(stream);
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    FIMEMORY* Get() const { return stream; }

private:
    FIMEMORY* stream;
};

FREE_IMAGE_FORMAT FindFormat(const MemoryStream& memory, const String& nameForFormat)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory.Get(), 0);
    if (format == FIF_UNKNOWN && !nameForFormat.empty())
        format = FreeImage_GetFIFFromFilename(nameForFormat.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return FIF_UNKNOWN;
    return format;
}

bool WithinLimits(unsigned int width, unsigned int height, const ImageLimits& limits)
{
    return width <= limits.maxSide && height <= limits.maxSide &&
           static_cast<unsigned long long>(width) * height <= limits.maxPixels;
}

// Reads only the header where the format allows it. Formats that can't do that are
// checked after decoding, which still keeps oversized pictures away from the GPU.
bool HeaderWithinLimits(const MemoryStream& memory, FREE_IMAGE_FORMAT format, unsigned int claimed[2],
                        const ImageLimits& limits)
{
    if (!FreeImage_FIFSupportsNoPixels(format))
        return true;
    FreeImage_SeekMemory(memory.Get(), 0, SEEK_SET);
    FIBITMAP* header = FreeImage_LoadFromMemory(format, memory.Get(), FIF_LOAD_NOPIXELS);
    if (!header)
        return true; // Broken headers are for the real decoder to refuse.
    claimed[0] = FreeImage_GetWidth(header);
    claimed[1] = FreeImage_GetHeight(header);
    FreeImage_Unload(header);
    return WithinLimits(claimed[0], claimed[1], limits);
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
} // namespace

ImageLoadResult DecodeImage(const std::uint8_t* data, size_t size, const String& nameForFormat, DecodedImage& image,
                            unsigned int claimed[2], const ImageLimits& limits)
{
    claimed[0] = claimed[1] = 0;
    if (!data || size == 0 || size > 0xffffffffu)
        return ILR_Unreadable;
    MemoryStream memory(data, size);
    if (!memory.Get())
        return ILR_Unreadable;
    const FREE_IMAGE_FORMAT format = FindFormat(memory, nameForFormat);
    if (format == FIF_UNKNOWN)
        return ILR_Unreadable;
    if (!HeaderWithinLimits(memory, format, claimed, limits))
        return ILR_TooLarge;

    FreeImage_SeekMemory(memory.Get(), 0, SEEK_SET);
    FIBITMAP* decoded = FreeImage_LoadFromMemory(format, memory.Get(), 0);
    if (!decoded)
        return ILR_Unreadable;
    claimed[0] = FreeImage_GetWidth(decoded);
    claimed[1] = FreeImage_GetHeight(decoded);
    if (!WithinLimits(claimed[0], claimed[1], limits))
    {
        FreeImage_Unload(decoded);
        return ILR_TooLarge;
    }
    int components = 0;
    FIBITMAP* converted = ToUploadLayout(decoded, components);
    FreeImage_Unload(decoded);
    if (converted)
        converted = ToPowerOfTwo(converted);
    if (!converted)
        return ILR_Unreadable;

    // FreeImage keeps rows bottom-up and padded to 4 bytes, the layout GL reads by default.
    image.width = static_cast<int>(FreeImage_GetWidth(converted));
    image.height = static_cast<int>(FreeImage_GetHeight(converted));
    image.components = components;
    const size_t pitch = FreeImage_GetPitch(converted);
    const BYTE* bits = FreeImage_GetBits(converted);
    image.pixels.assign(bits, bits + pitch * static_cast<size_t>(image.height));
    FreeImage_Unload(converted);
    return image.width > 0 && image.height > 0 ? ILR_Loaded : ILR_Unreadable;
}

ImageLoadResult LoadImageFile(const String& fileName, DecodedImage& image, unsigned int claimed[2])
{
    claimed[0] = claimed[1] = 0;
    // Devices and pipes (/dev/zero, say) could be read forever.
    struct stat info = {};
    if (stat(fileName.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return ILR_Unreadable;
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return ILR_Unreadable;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return ILR_Unreadable;
    return DecodeImage(bytes.data(), bytes.size(), fileName, image, claimed);
}
