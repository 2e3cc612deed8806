// The frame read back for a screenshot, the same on every platform; writing it is not
// (Platform/Screenshot.cpp).

#include "Platform/Draw.h"
#include "Platform/Screenshot.h"

FrameImage CaptureFrame()
{
    FrameImage image;
    CaptureFrameInto(image);
    return image;
}

void CaptureFrameInto(FrameImage& image)
{
    image.width = Draw::GetViewportWidth();
    image.height = Draw::GetViewportHeight();
    Draw::ReadPixelsInto(image.pixels, 0, 0, image.width, image.height);
}
