#pragma once

#include "Util/StringUtil.h"

#include <cstdint>
#include <vector>

// A frame read back from the window: RGBA rows, bottom row first.
struct FrameImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// Reads the frame being drawn, the size of the viewport (call it before the buffers are
// swapped).
FrameImage CaptureFrame();
// The same into `image`, reusing its memory: for a frame kept every frame.
void CaptureFrameInto(FrameImage& image);
// Logs an ERROR line and returns false if the file can't be written completely (a full
// disk included); a partly written regular file is removed.
bool SavePng(const FrameImage& image, const String& fileName);
// Whether a screenshot could be written to `fileName` without touching it: a writable
// regular file, or a new file in a writable folder. Otherwise false with a short reason.
bool CanWriteScreenshot(const String& fileName, String& reason);
