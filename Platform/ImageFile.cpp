#include "Platform/ImageFile.h"

#include "Platform/ImageLibrary.h"
#include "Util/SafeFiles.h"

#include <cstring>

namespace
{
// Bytes the decoders read through FreeImage's I/O callbacks. A read past the end fills
// the rest of the caller's buffer with zeros: several decoders read a fixed header without
// checking how much arrived, and would otherwise go on with whatever was in that memory
// before, so a truncated file decoded differently from run to run.
class ByteStream
{
public:
    ByteStream(const std::uint8_t* bytes, size_t length) : data(bytes), size(length)
    {
        io.read_proc = Read;
        io.write_proc = Write;
        io.seek_proc = Seek;
        io.tell_proc = Tell;
    }
    ByteStream(const ByteStream&) = delete;
    ByteStream& operator=(const ByteStream&) = delete;

    FreeImageIO* IO() { return &io; }
    fi_handle Handle() { return this; }
    void Rewind() { position = 0; }

private:
    static unsigned DLL_CALLCONV Read(void* buffer, unsigned itemSize, unsigned count, fi_handle handle)
    {
        auto* stream = static_cast<ByteStream*>(handle);
        const size_t wanted = static_cast<size_t>(itemSize) * count;
        const size_t left = stream->size - stream->position;
        const size_t copied = wanted < left ? wanted : left;
        std::memcpy(buffer, stream->data + stream->position, copied);
        std::memset(static_cast<std::uint8_t*>(buffer) + copied, 0, wanted - copied);
        stream->position += copied;
        return itemSize == 0 ? 0 : static_cast<unsigned>(copied / itemSize);
    }
    static unsigned DLL_CALLCONV Write(void*, unsigned, unsigned, fi_handle) { return 0; }
    static int DLL_CALLCONV Seek(fi_handle handle, long offset, int origin)
    {
        auto* stream = static_cast<ByteStream*>(handle);
        long base = 0;
        if (origin == SEEK_CUR)
            base = static_cast<long>(stream->position);
        else if (origin == SEEK_END)
            base = static_cast<long>(stream->size);
        else if (origin != SEEK_SET)
            return -1;
        // Past the end is allowed, as for a file; reads there return nothing.
        if (offset < -base)
            return -1;
        const size_t ahead = stream->size - static_cast<size_t>(base);
        stream->position =
            offset > 0 && static_cast<size_t>(offset) >= ahead ? stream->size : static_cast<size_t>(base + offset);
        return 0;
    }
    static long DLL_CALLCONV Tell(fi_handle handle)
    {
        return static_cast<long>(static_cast<ByteStream*>(handle)->position);
    }

    const std::uint8_t* data;
    size_t size;
    size_t position = 0;
    FreeImageIO io = {};
};

// The formats decoded. The library's other decoders trust their headers: fuzzing found an
// icon that writes past its buffer and Targa files (which have no signature to check)
// that read and write outside theirs.
const FREE_IMAGE_FORMAT DecodedFormats[] = {FIF_PNG, FIF_JPEG, FIF_GIF, FIF_BMP};

bool IsDecoded(FREE_IMAGE_FORMAT format)
{
    for (FREE_IMAGE_FORMAT decoded : DecodedFormats)
    {
        if (format == decoded)
            return true;
    }
    return false;
}

// The format from the contents, asking only the decoders the engine uses: the library's
// own search shows the bytes to every decoder it has. Contents that match none are
// unreadable, or refused when the file's name says they are in a format not decoded.
ImageLoadResult FindFormat(const ImageLibrary::Api& fi, ByteStream& stream, const String& nameForFormat,
                           FREE_IMAGE_FORMAT& format)
{
    for (FREE_IMAGE_FORMAT candidate : DecodedFormats)
    {
        stream.Rewind();
        if (fi.ValidateFromHandle(candidate, stream.IO(), stream.Handle()))
        {
            format = candidate;
            return ILR_Loaded;
        }
    }
    const FREE_IMAGE_FORMAT named = nameForFormat.empty() ? FIF_UNKNOWN : fi.GetFIFFromFilename(nameForFormat.c_str());
    return named == FIF_UNKNOWN || IsDecoded(named) ? ILR_Unreadable : ILR_FormatRefused;
}

bool WithinLimits(unsigned int width, unsigned int height, const ImageLimits& limits)
{
    return width <= limits.maxSide && height <= limits.maxSide &&
           static_cast<unsigned long long>(width) * height <= limits.maxPixels;
}

unsigned int LittleEndian16(const std::uint8_t* bytes) { return bytes[0] | (bytes[1] << 8u); }

// FreeImage can't read a GIF's header alone, so the first image descriptor, whose size
// the decoder allocates, is found here: past the screen descriptor, its colour table and
// any extension blocks. False when the bytes end first.
bool GifFirstImageSize(const std::uint8_t* data, size_t size, unsigned int claimed[2])
{
    size_t at = 13;
    if (size < at)
        return false;
    if (data[10] & 0x80u)
        at += 3u * (2u << (data[10] & 0x07u));
    while (at < size)
    {
        if (data[at] == 0x2c)
        {
            if (at + 9 > size)
                return false;
            claimed[0] = LittleEndian16(data + at + 5);
            claimed[1] = LittleEndian16(data + at + 7);
            return true;
        }
        if (data[at] != 0x21 || at + 2 >= size)
            return false;
        at += 2; // introducer and label, then sub-blocks up to an empty one
        while (at < size && data[at] != 0)
            at += data[at] + 1u;
        ++at;
    }
    return false;
}

// Reads only the header, so that a few bytes claiming gigabytes are refused before the
// decoder allocates them.
ImageLoadResult CheckHeader(const ImageLibrary::Api& fi, ByteStream& stream, const std::uint8_t* data, size_t size,
                            FREE_IMAGE_FORMAT format, unsigned int claimed[2], const ImageLimits& limits)
{
    if (format == FIF_GIF)
    {
        if (!GifFirstImageSize(data, size, claimed))
            return ILR_Unreadable;
        return WithinLimits(claimed[0], claimed[1], limits) ? ILR_Loaded : ILR_TooLarge;
    }
    stream.Rewind();
    FIBITMAP* header = fi.LoadFromHandle(format, stream.IO(), stream.Handle(), FIF_LOAD_NOPIXELS);
    if (!header)
        return ILR_Loaded; // Broken headers are for the real decoder to refuse.
    claimed[0] = fi.GetWidth(header);
    claimed[1] = fi.GetHeight(header);
    fi.Unload(header);
    return WithinLimits(claimed[0], claimed[1], limits) ? ILR_Loaded : ILR_TooLarge;
}

// A copy in the layout GL is given: 32-bit BGRA when the image has any transparency,
// 24-bit BGR otherwise. Palettised transparent images and 16-bit channels are converted
// too, since their own bits aren't 4 bytes per pixel. Null if FreeImage can't convert.
FIBITMAP* ToUploadLayout(const ImageLibrary::Api& fi, FIBITMAP* image, int& components)
{
    const bool plain8BitChannels = fi.GetImageType(image) == FIT_BITMAP;
    if (fi.IsTransparent(image))
    {
        components = 4;
        if (plain8BitChannels && fi.GetBPP(image) == 32)
            return fi.Clone(image);
        return fi.ConvertTo32Bits(image);
    }
    components = 3;
    return fi.ConvertTo24Bits(image);
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
FIBITMAP* ToPowerOfTwo(const ImageLibrary::Api& fi, FIBITMAP* image)
{
    const unsigned int width = fi.GetWidth(image);
    const unsigned int height = fi.GetHeight(image);
    const unsigned int newWidth = PowerOfTwoSide(width);
    const unsigned int newHeight = PowerOfTwoSide(height);
    if (newWidth == width && newHeight == height)
        return image;
    FIBITMAP* scaled = fi.Rescale(image, static_cast<int>(newWidth), static_cast<int>(newHeight), FILTER_BILINEAR);
    fi.Unload(image);
    return scaled;
}
} // namespace

ImageLoadResult DecodeImage(const std::uint8_t* data, size_t size, const String& nameForFormat, DecodedImage& image,
                            unsigned int claimed[2], const ImageLimits& limits)
{
    claimed[0] = claimed[1] = 0;
    if (!data || size == 0 || size > 0xffffffffu)
        return ILR_Unreadable;
    // Without the library every image is unreadable; Get() has said why, once.
    const ImageLibrary::Api* library = ImageLibrary::Get();
    if (!library)
        return ILR_Unreadable;
    const ImageLibrary::Api& fi = *library;
    ByteStream stream(data, size);
    FREE_IMAGE_FORMAT format = FIF_UNKNOWN;
    const ImageLoadResult found = FindFormat(fi, stream, nameForFormat, format);
    if (found != ILR_Loaded)
        return found;
    const ImageLoadResult header = CheckHeader(fi, stream, data, size, format, claimed, limits);
    if (header != ILR_Loaded)
        return header;

    stream.Rewind();
    FIBITMAP* decoded = fi.LoadFromHandle(format, stream.IO(), stream.Handle(), 0);
    if (!decoded)
        return ILR_Unreadable;
    claimed[0] = fi.GetWidth(decoded);
    claimed[1] = fi.GetHeight(decoded);
    if (!WithinLimits(claimed[0], claimed[1], limits))
    {
        fi.Unload(decoded);
        return ILR_TooLarge;
    }
    int components = 0;
    FIBITMAP* converted = ToUploadLayout(fi, decoded, components);
    fi.Unload(decoded);
    if (converted)
        converted = ToPowerOfTwo(fi, converted);
    if (!converted)
        return ILR_Unreadable;

    // FreeImage keeps rows bottom-up and padded to 4 bytes, the layout GL reads by default.
    image.width = static_cast<int>(fi.GetWidth(converted));
    image.height = static_cast<int>(fi.GetHeight(converted));
    image.components = components;
    const size_t pitch = fi.GetPitch(converted);
    const BYTE* bits = fi.GetBits(converted);
    image.pixels.assign(bits, bits + pitch * static_cast<size_t>(image.height));
    fi.Unload(converted);
    return image.width > 0 && image.height > 0 ? ILR_Loaded : ILR_Unreadable;
}

ImageLoadResult LoadImageFile(const String& fileName, DecodedImage& image, unsigned int claimed[2], String& fileProblem)
{
    claimed[0] = claimed[1] = 0;
    String bytes;
    String reason;
    const FileReadStatus status = ReadRegularFile(fileName, MaxImageFileBytes, bytes, reason);
    if (status == FRS_Missing)
        return ILR_Unreadable;
    if (status != FRS_Read)
    {
        fileProblem = DescribeReadFailure(fileName, status, reason);
        return ILR_FileRefused;
    }
    return DecodeImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), fileName, image, claimed);
}
