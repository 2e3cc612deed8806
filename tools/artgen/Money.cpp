#include "Pictures.h"

#include <algorithm>
#include <cmath>

namespace Art
{
namespace
{
constexpr float pi = 3.14159265f;
const Rgba outlineInk = Rgb(70, 44, 10);

// The dollar sign in a unit box (height -1..1, y down): an S of two bowls and a bar.
std::vector<Vec> DollarS(Vec centre, float scale)
{
    std::vector<Vec> points;
    auto bowl = [&](float cy, float from, float to)
    {
        constexpr int steps = 24;
        for (int i = 0; i <= steps; ++i)
        {
            const float angle = (from + (to - from) * i / steps) * pi / 180.0f;
            points.push_back(
                Vec{centre.x + scale * 0.36f * std::cos(angle), centre.y + scale * (cy + 0.36f * std::sin(angle))});
        }
    };
    bowl(-0.36f, -25.0f, -270.0f);
    bowl(0.36f, -90.0f, 155.0f);
    return points;
}

Sdf DollarSign(Vec centre, float scale, float weight)
{
    const Sdf s = Stroke(DollarS(centre, scale), scale * weight);
    const Sdf bar = Capsule(Vec{centre.x, centre.y - scale * 0.98f}, Vec{centre.x, centre.y + scale * 0.98f},
                            scale * weight * 0.62f);
    return Union(s, bar);
}

// A gold coin of the given radius, turned about its vertical axis.
void Coin(Canvas& canvas, Vec centre, float radius, float degrees, float signWeight, float outline)
{
    const float turn = degrees * pi / 180.0f;
    const float facing = std::cos(turn);
    const float squeeze = std::max(std::fabs(facing), 0.0001f);
    const float thickness = radius * 0.16f;
    const float shift = 0.5f * thickness * std::sin(turn);
    const Vec front{centre.x + shift, centre.y};
    const Vec back{centre.x - shift, centre.y};

    // Seen edge-on the faces still round off the ends of the rim.
    const float faceWidth = std::max(radius * squeeze, thickness * 0.35f);
    const Sdf frontFace = Ellipse(front, faceWidth, radius);
    // Nearly edge-on, a rounded bar: ellipses that thin are poor distance fields.
    const Sdf edge = squeeze < 0.2f ? Box(centre, Vec{std::fabs(shift) + faceWidth, radius}, faceWidth)
                                    : Union(Union(frontFace, Ellipse(back, faceWidth, radius)),
                                            Box(centre, Vec{std::fabs(shift) + 0.001f, radius}, 0.0f));
    canvas.Fill(Grow(edge, outline), outlineInk);
    const Rgba edgeGold = Rgb(196, 128, 24);
    canvas.Fill(edge,
                [=](Vec p)
                {
                    const bool groove = std::fmod(p.y - centre.y + 100.0f, radius * 0.14f) < radius * 0.05f;
                    return groove ? Rgb(150, 92, 16) : edgeGold;
                });
    if (std::fabs(facing) < 0.08f)
        return;

    canvas.Fill(frontFace, Radial(Vec{front.x - radius * 0.4f * facing, centre.y - radius * 0.4f}, radius * 1.6f,
                                  Rgb(255, 236, 130), Rgb(226, 160, 30)));
    const Sdf field = Ellipse(front, radius * 0.8f * squeeze, radius * 0.8f);
    canvas.Fill(Grow(field, radius * 0.04f), Rgb(200, 132, 20));
    canvas.Fill(field, Radial(Vec{front.x - radius * 0.3f * facing, centre.y - radius * 0.3f}, radius * 1.3f,
                              Rgb(255, 222, 96), Rgb(232, 166, 36)));
    // The back shows the same sign, unmirrored: a mirrored one reads as a mistake.
    // The sign is embossed: a dark shadow below right, the face colour above.
    const float signScale = radius * 0.56f;
    const Sdf sign = DollarSign(front, signScale, signWeight);
    const Sdf shadow = DollarSign(Vec{front.x + radius * 0.05f, centre.y + radius * 0.05f}, signScale, signWeight);
    canvas.Fill(Intersect(SqueezeX(shadow, front.x, squeeze), field), Rgb(150, 90, 12));
    canvas.Fill(Intersect(SqueezeX(sign, front.x, squeeze), field), Rgb(255, 246, 190));
    canvas.Fill(Intersect(SqueezeX(Grow(sign, -radius * 0.035f), front.x, squeeze), field), Rgb(250, 204, 70));
    // A glint across the upper left.
    const Sdf glint = Intersect(
        frontFace, Intersect(HalfPlane(Vec{0.0f, centre.y - radius * 0.25f}, Vec{centre.x, 0.0f}),
                             HalfPlane(Vec{centre.x + radius * 0.1f, 0.0f}, Vec{0.0f, centre.y - radius * 0.05f})));
    canvas.Fill(glint, Rgb(255, 255, 255, 0.28f));
}
} // namespace

void DrawDollarCoin(Canvas& canvas, float degrees) { Coin(canvas, Vec{32.0f, 32.0f}, 26.0f, degrees, 0.13f, 1.4f); }

void DrawTinyCoin(Canvas& canvas)
{
    // Drawn at a few pixels on screen, so the sign is heavier and the rim plain.
    Coin(canvas, Vec{16.0f, 16.0f}, 13.5f, 0.0f, 0.19f, 1.0f);
}

void DrawParticle(Canvas& canvas)
{
    canvas.Shade(
        [](Vec p)
        {
            const float r = std::sqrt((p.x - 16.0f) * (p.x - 16.0f) + (p.y - 16.0f) * (p.y - 16.0f)) / 15.5f;
            const float fall = std::max(0.0f, 1.0f - r * r);
            return Rgba{1.0f, 1.0f, 1.0f, fall * fall};
        });
}

void DrawTestCard(Canvas& canvas)
{
    const Sdf card = Box(Vec{32.0f, 32.0f}, Vec{30.0f, 30.0f}, 5.0f);
    canvas.Fill(Grow(card, 1.5f), Rgb(24, 30, 54));
    canvas.Fill(card,
                [](Vec p)
                {
                    const bool dark = (static_cast<int>(p.x / 8.0f) + static_cast<int>(p.y / 8.0f)) % 2 == 0;
                    return dark ? Rgb(58, 96, 168) : Rgb(92, 140, 214);
                });
    const Sdf arrow = Polygon(
        {{32.0f, 8.0f}, {49.0f, 27.0f}, {38.5f, 27.0f}, {38.5f, 54.0f}, {25.5f, 54.0f}, {25.5f, 27.0f}, {15.0f, 27.0f}},
        0.8f);
    canvas.Fill(Grow(arrow, 1.6f), Rgb(24, 30, 54));
    canvas.Fill(arrow, Linear(Vec{0.0f, 8.0f}, Vec{0.0f, 54.0f}, Rgb(255, 255, 255), Rgb(214, 222, 236)));
    // Corner markers tell a flip from a turn: red top left, green top right, blue bottom
    // left, yellow bottom right.
    canvas.Fill(Circle(Vec{9.5f, 9.5f}, 4.5f), Rgb(230, 50, 50));
    canvas.Fill(Circle(Vec{54.5f, 9.5f}, 4.5f), Rgb(60, 200, 80));
    canvas.Fill(Circle(Vec{9.5f, 54.5f}, 4.5f), Rgb(40, 60, 220));
    canvas.Fill(Circle(Vec{54.5f, 54.5f}, 4.5f), Rgb(250, 210, 40));
}
} // namespace Art
