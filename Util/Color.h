#pragma once

#include "Util/StringUtil.h"

// An RGBA colour. Construction clamps every channel to 0..1; arithmetic does not.
struct Color
{
    float R = 1.0f;
    float G = 1.0f;
    float B = 1.0f;
    float A = 1.0f;

    Color() = default;
    // Each channel is clamped to 0..1.
    Color(float r, float g, float b, float a = 1.0f);
    // Each channel is divided by 255, then clamped.
    Color(int r, int g, int b, int a = 255);
    // "#0xRRGGBB", "0xRGB", ...: a "#" and then a "0x" prefix are removed; without either
    // prefix, or with a remainder that is not 3 or 6 digits long, the colour is opaque white.
    explicit Color(const String& hex);

    // Per channel and not clamped, so the steps of an interpolation keep their values;
    // only the constructor clamps.
    Color operator+(const Color& o) const;
    Color operator-(const Color& o) const;
    Color operator*(float s) const;
    Color operator/(float s) const;
    bool operator==(const Color& o) const { return R == o.R && G == o.G && B == o.B && A == o.A; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};
