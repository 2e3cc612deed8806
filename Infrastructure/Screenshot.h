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

// Reads the frame being drawn (call it before the buffers are swapped).
FrameImage CaptureFrame();
// Logs an ERROR line and returns false if the file can't be written.
bool SavePng(const FrameImage& image, const String& fileName);
