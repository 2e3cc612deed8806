#include "Platform/TextureCache.h"

#include "Platform/Draw.h"
#include "Platform/ImageFile.h"
#include "Platform/Log.h"

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

// Files that failed, with whether the failure was logged: a sprite asked for every frame
// must not retry the disk or repeat its line each time.
std::map<String, bool>& Failures()
{
    static auto* failures = new std::map<String, bool>();
    return *failures;
}

int Upload(const String& filename, GLint clampmode, GLint filtermode, ImageLoadResult& result)
{
    DecodedImage image;
    unsigned int claimed[2] = {0, 0};
    String fileProblem;
    result = LoadImageFile(filename, image, claimed, fileProblem);
    if (result == ILR_FileRefused)
    {
        SystemLogInstance().Printf("ERROR: %s. Not loaded.", fileProblem.c_str());
        return -1;
    }
    if (result == ILR_TooLarge)
    {
        SystemLogInstance().Printf("ERROR: %s claims %u x %u pixels; images may have at most %u a side and %llu in "
                                   "all. Not loaded.",
                                   filename.c_str(), claimed[0], claimed[1], MaxImageSide, MaxImagePixels);
        return -1;
    }
    if (result == ILR_FormatRefused)
    {
        SystemLogInstance().Printf("ERROR: %s is not a PNG, JPEG, GIF or BMP image. Not loaded.", filename.c_str());
        return -1;
    }
    if (result != ILR_Loaded)
        return -1;
    const unsigned int texture =
        Draw::CreateTexture(image.pixels.data(), image.width, image.height, image.components, clampmode, filtermode);
    return texture == 0 ? -1 : static_cast<int>(texture);
}
} // namespace

int AcquireTexture(const String& filename, GLint clampmode, GLint filtermode, bool optional)
{
    auto found = Cache().find(filename);
    if (found != Cache().end())
        return static_cast<int>(found->second.textureIndex);

    auto failed = Failures().find(filename);
    if (failed != Failures().end())
    {
        // Tried before quietly; a caller that needs the file still deserves the line once.
        if (!optional && !failed->second)
        {
            SystemLogInstance().Log("Failed to find - " + filename);
            failed->second = true;
        }
        return -1;
    }

    ImageLoadResult result = ILR_Unreadable;
    const int texture = Upload(filename, clampmode, filtermode, result);
    if (texture < 0)
    {
        // Refused files have had their own line already.
        const bool refused = result == ILR_TooLarge || result == ILR_FormatRefused || result == ILR_FileRefused;
        if (!optional && !refused)
            SystemLogInstance().Log("Failed to find - " + filename);
        // An upload that failed with a good file (no GL context yet) may work later.
        if (result != ILR_Loaded)
            Failures()[filename] = !optional || refused;
        return -1;
    }
    Cache()[filename] = TextureCacheEntry{filename, clampmode, filtermode, static_cast<GLuint>(texture)};
    return texture;
}

size_t GetTextureCacheSize() { return Cache().size(); }
