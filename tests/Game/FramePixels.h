#pragma once

#include "Platform/Screenshot.h"

#include <cstddef>

// Reading a captured frame by window pixels (x, y from the top left).
struct Pixel
{
    int r, g, b;
};

inline Pixel At(const FrameImage& image, int x, int y)
{
    // Rows are stored bottom-up.
    const size_t offset =
        (static_cast<size_t>(image.height - 1 - y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4;
    return Pixel{image.pixels[offset], image.pixels[offset + 1], image.pixels[offset + 2]};
}

// Pixels in [left, right) x [top, bottom) that pass the test.
template <typename Test> int CountIn(const FrameImage& image, int left, int top, int right, int bottom, Test test)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height && test(At(image, x, y)))
                ++count;
    return count;
}

// Pixels of the box where one frame passes the test and the other doesn't.
template <typename Test>
int MismatchesIn(const FrameImage& a, const FrameImage& b, int left, int top, int right, int bottom, Test test)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (test(At(a, x, y)) != test(At(b, x, y)))
                ++count;
    return count;
}

inline bool IsInk(const Pixel& p) { return p.r < 80 && p.g < 80 && p.b < 80; }
