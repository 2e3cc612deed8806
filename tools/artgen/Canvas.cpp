#include "Canvas.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>

namespace Art
{
namespace
{
float Length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y); }
Vec Sub(Vec a, Vec b) { return Vec{a.x - b.x, a.y - b.y}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
float Clamp01(float v) { return std::max(0.0f, std::min(1.0f, v)); }

float SegmentDistance(Vec p, Vec a, Vec b)
{
    const Vec pa = Sub(p, a);
    const Vec ba = Sub(b, a);
    const float lengthSquared = Dot(ba, ba);
    const float t = lengthSquared > 0.0f ? Clamp01(Dot(pa, ba) / lengthSquared) : 0.0f;
    return Length(Vec{pa.x - ba.x * t, pa.y - ba.y * t});
}

constexpr int samplesPerSide = 4;
} // namespace

Rgba Rgb(int r, int g, int b, float a) { return Rgba{r / 255.0f, g / 255.0f, b / 255.0f, a}; }

Rgba Mix(const Rgba& from, const Rgba& to, float t)
{
    return Rgba{from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
                from.a + (to.a - from.a) * t};
}

Sdf Circle(Vec centre, float radius)
{
    return [=](Vec p) { return Length(Sub(p, centre)) - radius; };
}

Sdf Ellipse(Vec centre, float radiusX, float radiusY)
{
    // The scaled circle distance divided by its gradient: close to the true distance
    // near the edge, which is where outlines and coverage need it.
    return [=](Vec p)
    {
        const Vec d{p.x - centre.x, p.y - centre.y};
        const float k0 = Length(Vec{d.x / radiusX, d.y / radiusY});
        const float k1 = Length(Vec{d.x / (radiusX * radiusX), d.y / (radiusY * radiusY)});
        if (k1 == 0.0f)
            return -std::min(radiusX, radiusY);
        return k0 * (k0 - 1.0f) / k1;
    };
}

Sdf Box(Vec centre, Vec halfSize, float cornerRadius)
{
    return [=](Vec p)
    {
        const float dx = std::fabs(p.x - centre.x) - (halfSize.x - cornerRadius);
        const float dy = std::fabs(p.y - centre.y) - (halfSize.y - cornerRadius);
        const float outside = Length(Vec{std::max(dx, 0.0f), std::max(dy, 0.0f)});
        return outside + std::min(std::max(dx, dy), 0.0f) - cornerRadius;
    };
}

Sdf Capsule(Vec from, Vec to, float radius)
{
    return [=](Vec p) { return SegmentDistance(p, from, to) - radius; };
}

Sdf Polygon(std::vector<Vec> points, float rounded)
{
    return [points = std::move(points), rounded](Vec p)
    {
        float nearest = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
        {
            const Vec a = points[j];
            const Vec b = points[i];
            nearest = std::min(nearest, SegmentDistance(p, a, b));
            if ((b.y > p.y) != (a.y > p.y) && p.x < (a.x - b.x) * (p.y - b.y) / (a.y - b.y) + b.x)
                inside = !inside;
        }
        return (inside ? -nearest : nearest) - rounded;
    };
}

Sdf Stroke(std::vector<Vec> points, float radius)
{
    return [points = std::move(points), radius](Vec p)
    {
        float nearest = 1e9f;
        for (size_t i = 1; i < points.size(); ++i)
            nearest = std::min(nearest, SegmentDistance(p, points[i - 1], points[i]));
        return nearest - radius;
    };
}

Sdf Arc(Vec centre, float radius, float fromAngle, float toAngle, float thickness)
{
    const Vec start{centre.x + radius * std::cos(fromAngle), centre.y + radius * std::sin(fromAngle)};
    const Vec end{centre.x + radius * std::cos(toAngle), centre.y + radius * std::sin(toAngle)};
    return [=](Vec p)
    {
        const Vec d = Sub(p, centre);
        float angle = std::atan2(d.y, d.x);
        while (angle < fromAngle)
            angle += 6.2831853f;
        if (angle <= toAngle)
            return std::fabs(Length(d) - radius) - thickness;
        return std::min(Length(Sub(p, start)), Length(Sub(p, end))) - thickness;
    };
}

Sdf HalfPlane(Vec a, Vec b)
{
    const Vec direction = Sub(b, a);
    const float length = Length(direction);
    return [=](Vec p)
    {
        const Vec pa = Sub(p, a);
        return (direction.x * pa.y - direction.y * pa.x) / length;
    };
}

Sdf Union(Sdf a, Sdf b)
{
    return [=](Vec p) { return std::min(a(p), b(p)); };
}

Sdf Intersect(Sdf a, Sdf b)
{
    return [=](Vec p) { return std::max(a(p), b(p)); };
}

Sdf Subtract(Sdf a, Sdf b)
{
    return [=](Vec p) { return std::max(a(p), -b(p)); };
}

Sdf Grow(Sdf a, float amount)
{
    return [=](Vec p) { return a(p) - amount; };
}

Sdf SqueezeX(Sdf a, float axis, float scale)
{
    // Multiplying by the scale keeps the result a distance bound.
    return [=](Vec p) { return a(Vec{axis + (p.x - axis) / scale, p.y}) * scale; };
}

Paint Solid(const Rgba& color)
{
    return [=](Vec) { return color; };
}

Paint Linear(Vec a, Vec b, const Rgba& from, const Rgba& to)
{
    const Vec ab = Sub(b, a);
    const float lengthSquared = Dot(ab, ab);
    return [=](Vec p) { return Mix(from, to, Clamp01(Dot(Sub(p, a), ab) / lengthSquared)); };
}

Paint Radial(Vec centre, float radius, const Rgba& inner, const Rgba& outer)
{
    return [=](Vec p) { return Mix(inner, outer, Clamp01(Length(Sub(p, centre)) / radius)); };
}

Canvas::Canvas(int pixels, float designSize)
    : width(pixels), height(pixels), unitsPerPixel(designSize / static_cast<float>(pixels)),
      premultiplied(static_cast<size_t>(pixels) * static_cast<size_t>(pixels), Rgba{0.0f, 0.0f, 0.0f, 0.0f})
{
}

Canvas::Canvas(int widthPixels, int heightPixels)
    : width(widthPixels), height(heightPixels), unitsPerPixel(1.0f),
      premultiplied(static_cast<size_t>(widthPixels) * static_cast<size_t>(heightPixels), Rgba{0.0f, 0.0f, 0.0f, 0.0f})
{
}

void Canvas::Blend(int x, int y, const Rgba& color, float coverage)
{
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f)
        return;
    const float a = color.a * Clamp01(coverage);
    Rgba& d = premultiplied[static_cast<size_t>(y) * width + x];
    const float keep = 1.0f - a;
    d = Rgba{color.r * a + d.r * keep, color.g * a + d.g * keep, color.b * a + d.b * keep, a + d.a * keep};
}

void Canvas::Fill(const Sdf& shape, const Paint& paint) { FillWithin(0, 0, width, height, shape, paint); }

void Canvas::FillWithin(int left, int top, int right, int bottom, const Sdf& shape, const Paint& paint)
{
    // Half the pixel's diagonal: beyond that from the edge the pixel is all in or all out.
    const float reach = unitsPerPixel * 0.7072f;
    for (int y = std::max(0, top); y < std::min(height, bottom); ++y)
    {
        for (int x = std::max(0, left); x < std::min(width, right); ++x)
        {
            const Vec centre{(x + 0.5f) * unitsPerPixel, (y + 0.5f) * unitsPerPixel};
            const float distance = shape(centre);
            if (distance > reach)
                continue;
            Rgba sum{0.0f, 0.0f, 0.0f, 0.0f};
            float coverage = 0.0f;
            if (distance < -reach)
            {
                const Rgba c = paint(centre);
                sum = Rgba{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
                coverage = 1.0f;
            }
            else
            {
                constexpr float weight = 1.0f / (samplesPerSide * samplesPerSide);
                for (int sy = 0; sy < samplesPerSide; ++sy)
                    for (int sx = 0; sx < samplesPerSide; ++sx)
                    {
                        const Vec sample{(x + (sx + 0.5f) / samplesPerSide) * unitsPerPixel,
                                         (y + (sy + 0.5f) / samplesPerSide) * unitsPerPixel};
                        if (shape(sample) >= 0.0f)
                            continue;
                        const Rgba c = paint(sample);
                        sum.r += c.r * c.a * weight;
                        sum.g += c.g * c.a * weight;
                        sum.b += c.b * c.a * weight;
                        sum.a += c.a * weight;
                        coverage += weight;
                    }
                if (coverage == 0.0f)
                    continue;
            }
            Rgba& dst = premultiplied[static_cast<size_t>(y) * width + x];
            const float keep = 1.0f - sum.a;
            dst = Rgba{sum.r + dst.r * keep, sum.g + dst.g * keep, sum.b + dst.b * keep, sum.a + dst.a * keep};
        }
    }
}

void Canvas::Shade(const std::function<Rgba(Vec)>& shader)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const Rgba c = shader(Vec{(x + 0.5f) * unitsPerPixel, (y + 0.5f) * unitsPerPixel});
            premultiplied[static_cast<size_t>(y) * width + x] = Rgba{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
        }
}

void Canvas::Blit(const Canvas& source, int left, int top)
{
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
        {
            const int tx = left + x;
            const int ty = top + y;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height)
                continue;
            const Rgba& s = source.premultiplied[static_cast<size_t>(y) * source.width + x];
            Rgba& d = premultiplied[static_cast<size_t>(ty) * width + tx];
            const float keep = 1.0f - s.a;
            d = Rgba{s.r + d.r * keep, s.g + d.g * keep, s.b + d.b * keep, s.a + d.a * keep};
        }
}

bool Canvas::Save(const std::string& path) const
{
    FIBITMAP* image = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!image)
        return false;
    auto toByte = [](float v) { return static_cast<BYTE>(std::lround(Clamp01(v) * 255.0f)); };
    for (int y = 0; y < height; ++y)
    {
        // FreeImage stores rows bottom-up; the canvas counts them from the top.
        BYTE* row = FreeImage_GetScanLine(image, height - 1 - y);
        for (int x = 0; x < width; ++x)
        {
            const Rgba& p = premultiplied[static_cast<size_t>(y) * width + x];
            const float a = Clamp01(p.a);
            const float unpremultiply = a > 0.0f ? 1.0f / a : 0.0f;
            BYTE* px = row + x * 4;
            px[FI_RGBA_RED] = toByte(p.r * unpremultiply);
            px[FI_RGBA_GREEN] = toByte(p.g * unpremultiply);
            px[FI_RGBA_BLUE] = toByte(p.b * unpremultiply);
            px[FI_RGBA_ALPHA] = toByte(a);
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, image, path.c_str(), PNG_DEFAULT) != 0;
    FreeImage_Unload(image);
    return saved;
}
} // namespace Art
