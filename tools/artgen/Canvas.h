#pragma once

#include <functional>
#include <string>
#include <vector>

// A small vector painter for the game's art: shapes are signed distance functions in
// design units (a square of `designSize` units, y down), filled with 4 x 4 supersampling
// so every edge is anti-aliased, and composited over a transparent background.
namespace Art
{
struct Vec
{
    float x = 0.0f;
    float y = 0.0f;
};

struct Rgba
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// Channels 0..255, alpha 0..1.
Rgba Rgb(int r, int g, int b, float a = 1.0f);
Rgba Mix(const Rgba& from, const Rgba& to, float t);

// Negative inside. Every shape here is (close to) a true distance near its edge, which
// lets the painter skip pixels far from any edge and grow shapes into outlines.
using Sdf = std::function<float(Vec)>;
using Paint = std::function<Rgba(Vec)>;

Sdf Circle(Vec centre, float radius);
Sdf Ellipse(Vec centre, float radiusX, float radiusY);
Sdf Box(Vec centre, Vec halfSize, float cornerRadius = 0.0f);
Sdf Capsule(Vec from, Vec to, float radius);
// A closed polygon, any winding; rounded grows it by that much with round corners.
Sdf Polygon(std::vector<Vec> points, float rounded = 0.0f);
// A thick polyline with round joints.
Sdf Stroke(std::vector<Vec> points, float radius);
// The ring of the circle between two angles (radians, 0 = +x, growing toward +y).
Sdf Arc(Vec centre, float radius, float fromAngle, float toAngle, float thickness);
// Points on the side of the line through a and b where the cross product is negative.
Sdf HalfPlane(Vec a, Vec b);

Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Grow(Sdf a, float amount);
// The shape squeezed horizontally about x = axis by `scale` (0 < scale <= 1).
Sdf SqueezeX(Sdf a, float axis, float scale);

Paint Solid(const Rgba& color);
// From `from` at point a to `to` at point b, clamped beyond them.
Paint Linear(Vec a, Vec b, const Rgba& from, const Rgba& to);
Paint Radial(Vec centre, float radius, const Rgba& inner, const Rgba& outer);

class Canvas
{
public:
    // A square of `pixels` on a side showing `designSize` units.
    Canvas(int pixels, float designSize);
    // A rectangle with one design unit per pixel (pages, preview sheets).
    Canvas(int widthPixels, int heightPixels);

    void Fill(const Sdf& shape, const Paint& paint);
    void Fill(const Sdf& shape, const Rgba& color) { Fill(shape, Solid(color)); }
    // The same, looking only at the pixels of a rectangle (pixel columns and rows, the
    // right and bottom ones excluded): a shape known to lie inside it fills much faster.
    void FillWithin(int left, int top, int right, int bottom, const Sdf& shape, const Paint& paint);
    void FillWithin(int left, int top, int right, int bottom, const Sdf& shape, const Rgba& color)
    {
        FillWithin(left, top, right, bottom, shape, Solid(color));
    }
    // Sets every pixel from a function of its centre (design units), replacing what is there.
    void Shade(const std::function<Rgba(Vec)>& shader);
    // Places another canvas's pixels with their top-left corner at a pixel of this one.
    void Blit(const Canvas& source, int left, int top);
    // Paints `color` over one pixel with `coverage` (0..1) of it covered; outside, nothing.
    void Blend(int x, int y, const Rgba& color, float coverage);

    int Pixels() const { return width; }
    int Width() const { return width; }
    int Height() const { return height; }
    // PNG with an alpha channel. Returns false if FreeImage can't write the file.
    bool Save(const std::string& path) const;

private:
    int width;
    int height;
    float unitsPerPixel;
    std::vector<Rgba> premultiplied;
};
} // namespace Art
