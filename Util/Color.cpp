#include "Util/Color.h"

#include <algorithm>
#include <cctype>

namespace
{
float Clamp01(float v) { return std::min(std::max(v, 0.0f), 1.0f); }

// Arithmetic must not clamp, so it builds colours field by field.
Color Unclamped(float r, float g, float b, float a)
{
    Color c;
    c.R = r;
    c.G = g;
    c.B = b;
    c.A = a;
    return c;
}

bool ParseHexByte(const String& digits, size_t at, float& out)
{
    int value = 0;
    for (size_t i = at; i < at + 2; ++i)
    {
        const int c = std::tolower(static_cast<unsigned char>(digits[i]));
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        value = value * 16 + digit;
    }
    out = value / 255.0f;
    return true;
}
} // namespace

Color::Color(float r, float g, float b, float a) : R(Clamp01(r)), G(Clamp01(g)), B(Clamp01(b)), A(Clamp01(a)) {}

Color::Color(int r, int g, int b, int a) : Color(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f) {}

Color::Color(const String& hex)
{
    String rest = hex;
    bool prefixed = false;
    if (!rest.empty() && rest[0] == '#')
    {
        rest.erase(0, 1);
        prefixed = true;
    }
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
    {
        rest.erase(0, 2);
        prefixed = true;
    }
    if (!prefixed)
        return;

    if (rest.size() == 3)
        rest = String{rest[0], rest[0], rest[1], rest[1], rest[2], rest[2]};
    if (rest.size() != 6)
        return;

    float r, g, b;
    // Non-hex digits leave the colour white rather than half-parsed.
    if (ParseHexByte(rest, 0, r) && ParseHexByte(rest, 2, g) && ParseHexByte(rest, 4, b))
        *this = Color(r, g, b, 1.0f);
}

Color Color::operator+(const Color& o) const { return Unclamped(R + o.R, G + o.G, B + o.B, A + o.A); }

Color Color::operator-(const Color& o) const { return Unclamped(R - o.R, G - o.G, B - o.B, A - o.A); }

Color Color::operator*(float s) const { return Unclamped(R * s, G * s, B * s, A * s); }

Color Color::operator/(float s) const { return Unclamped(R / s, G / s, B / s, A / s); }
