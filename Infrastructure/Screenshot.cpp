#include "Infrastructure/Screenshot.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Draw.h"
#include "Infrastructure/Log.h"

#include <FreeImage.h>

FrameImage CaptureFrame()
{
    const Camera& camera = Camera::GetInstance();
    FrameImage image;
    image.width = camera.GetWindowWidth();
    image.height = camera.GetWindowHeight();
    image.pixels = Draw::ReadPixels(0, 0, image.width, image.height);
    return image;
}

bool SavePng(const FrameImage& image, const String& fileName)
{
    FIBITMAP* bitmap = image.pixels.empty() ? nullptr : FreeImage_Allocate(image.width, image.height, 24);
    if (!bitmap)
    {
        SystemLogInstance().Printf("ERROR: could not write the screenshot %s: no frame was drawn", fileName.c_str());
        return false;
    }
    // Both GL and FreeImage store the bottom row first; FreeImage wants its own byte order.
    for (int y = 0; y < image.height; ++y)
    {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        const std::uint8_t* source =
            image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width) * 4;
        for (int x = 0; x < image.width; ++x)
        {
            row[x * 3 + FI_RGBA_RED] = source[x * 4 + 0];
            row[x * 3 + FI_RGBA_GREEN] = source[x * 4 + 1];
            row[x * 3 + FI_RGBA_BLUE] = source[x * 4 + 2];
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, fileName.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(bitmap);
    if (!saved)
        SystemLogInstance().Printf("ERROR: could not write the screenshot %s", fileName.c_str());
    return saved;
}
