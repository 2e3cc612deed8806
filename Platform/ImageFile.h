#pragma once

#include "Util/StringUtil.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Image files decoded into the layout textures are uploaded from. Files whose header
// claims more than these are refused before any pixel is decoded, so a tiny file can't
// ask for gigabytes.
constexpr unsigned int MaxImageSide = 16384;
constexpr unsigned long long MaxImagePixels = 64ull * 1024 * 1024;
// Files past this size are refused before a byte is read: the images a game ships are a
// small fraction of it, and the decoders would need several times as much memory again.
constexpr std::size_t MaxImageFileBytes = 64u << 20;

// The size past which an image is refused; tests lower them to try the refusal.
struct ImageLimits
{
    unsigned int maxSide = MaxImageSide;
    unsigned long long maxPixels = MaxImagePixels;
};

// Rows bottom-up, each padded to 4 bytes; BGR (3 components) or BGRA (4, when the image
// has any transparency); both sides powers of two.
struct DecodedImage
{
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    int components = 0;
};

// Why a load gave no image, so the caller's one log line can say which.
enum ImageLoadResult
{
    ILR_Loaded,
    ILR_Unreadable,    // missing, empty, not an image, or broken
    ILR_TooLarge,      // the header claims more pixels than allowed
    ILR_FormatRefused, // an image format the engine doesn't decode (see DecodeImage)
    ILR_FileRefused,   // a folder, FIFO or device, a file past MaxImageFileBytes, or a read error
};

// Decodes an image held in memory. Only PNG, JPEG, GIF and BMP are decoded, found by their
// contents: the image library's other decoders trust their headers, and games ship images
// in these formats. A file whose name gives another format is ILR_FormatRefused. On
// ILR_TooLarge, `claimed` holds the width and height the header gave. Logs nothing.
ImageLoadResult DecodeImage(const std::uint8_t* data, size_t size, const String& nameForFormat, DecodedImage& image,
                            unsigned int claimed[2], const ImageLimits& limits = ImageLimits());
// Reads the whole file and decodes it as above. A missing file is ILR_Unreadable; on
// ILR_FileRefused, `fileProblem` says what is wrong with the file, starting with its name.
ImageLoadResult LoadImageFile(const String& fileName, DecodedImage& image, unsigned int claimed[2],
                              String& fileProblem);
