#include "Platform/Screenshot.h"

#include "Platform/ImageLibrary.h"
#include "Platform/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Writes the whole buffer and reports a failure at any step, the final flush included:
// a full disk often shows up only there.
bool WriteWholeFile(const String& fileName, const BYTE* data, size_t size, String& reason)
{
    FILE* file = std::fopen(fileName.c_str(), "wb");
    if (!file)
    {
        reason = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
    {
        reason = std::strerror(written ? errno : writeError);
        // A cut-off picture goes, but only a plain file: never a device or a link to one.
        struct stat info = {};
        if (lstat(fileName.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            std::remove(fileName.c_str());
        return false;
    }
    return true;
}
} // namespace

bool CanWriteScreenshot(const String& fileName, String& reason)
{
    if (fileName.empty())
    {
        reason = "no file name";
        return false;
    }
    struct stat info = {};
    if (stat(fileName.c_str(), &info) == 0)
    {
        // A device such as /dev/full takes the open and fails the write at the very end.
        if (!S_ISREG(info.st_mode))
        {
            reason = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
            return false;
        }
        if (access(fileName.c_str(), W_OK) != 0)
        {
            reason = std::strerror(errno);
            return false;
        }
        return true;
    }
    const size_t slash = fileName.find_last_of('/');
    const String folder = slash == String::npos ? "." : (slash == 0 ? "/" : fileName.substr(0, slash));
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    {
        reason = "no folder " + folder;
        return false;
    }
    if (access(folder.c_str(), W_OK | X_OK) != 0)
    {
        reason = "folder " + folder + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool SavePng(const FrameImage& image, const String& fileName)
{
    // An empty frame needs no encoder, so it doesn't open the library to be refused.
    const ImageLibrary::Api* fi = image.pixels.empty() ? nullptr : ImageLibrary::Get();
    FIBITMAP* bitmap = fi ? fi->Allocate(image.width, image.height, 24, 0, 0, 0) : nullptr;
    if (!bitmap)
    {
        const char* reason =
            image.pixels.empty() || fi ? "no frame was drawn" : "the image library could not be loaded";
        SystemLogInstance().Printf("ERROR: could not write the screenshot %s: %s", fileName.c_str(), reason);
        return false;
    }
    // Both GL and FreeImage store the bottom row first; FreeImage wants its own byte order.
    for (int y = 0; y < image.height; ++y)
    {
        BYTE* row = fi->GetScanLine(bitmap, y);
        const std::uint8_t* source =
            image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width) * 4;
        for (int x = 0; x < image.width; ++x)
        {
            row[x * 3 + FI_RGBA_RED] = source[x * 4 + 0];
            row[x * 3 + FI_RGBA_GREEN] = source[x * 4 + 1];
            row[x * 3 + FI_RGBA_BLUE] = source[x * 4 + 2];
        }
    }
    // Encoded in memory and written here, because FreeImage's own file writing doesn't
    // notice a write that fails when the file is closed.
    FIMEMORY* encoded = fi->OpenMemory(nullptr, 0);
    BYTE* data = nullptr;
    DWORD size = 0;
    String reason = "the image could not be encoded";
    const bool saved = encoded && fi->SaveToMemory(FIF_PNG, bitmap, encoded, PNG_DEFAULT) &&
                       fi->AcquireMemory(encoded, &data, &size) && WriteWholeFile(fileName, data, size, reason);
    if (encoded)
        fi->CloseMemory(encoded);
    fi->Unload(bitmap);
    if (!saved)
        SystemLogInstance().Printf("ERROR: could not write the screenshot %s: %s", fileName.c_str(), reason.c_str());
    return saved;
}
