#include "Physics/DebugDraw.h"

#include "Platform/Draw.h"

#include <box2d/b2_math.h>

#include <cmath>
#include <vector>

namespace
{
constexpr int CircleSegments = 24;
// Filled shapes are see-through so the actors beneath stay visible.
constexpr float FillAlpha = 0.5f;
// Length of the axes drawn for a transform, world units.
constexpr float AxisLength = 0.4f;
// Points are drawn as squares; the library's size is in pixels, ours in world units.
constexpr float PointScale = 0.02f;

Color ToColor(const b2Color& color, float alphaFactor = 1.0f)
{
    return Color(color.r, color.g, color.b, color.a * alphaFactor);
}

void CirclePoints(const b2Vec2& center, float radius, Vector2* points)
{
    const float increment = 2.0f * b2_pi / static_cast<float>(CircleSegments);
    for (int i = 0; i < CircleSegments; ++i)
    {
        const float angle = increment * static_cast<float>(i);
        points[i] = Vector2(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
    }
}

std::vector<Vector2> ToPoints(const b2Vec2* vertices, int32 vertexCount)
{
    std::vector<Vector2> points;
    points.reserve(static_cast<size_t>(vertexCount));
    for (int32 i = 0; i < vertexCount; ++i)
        points.emplace_back(vertices[i].x, vertices[i].y);
    return points;
}
} // namespace

void DebugDraw::DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    const std::vector<Vector2> points = ToPoints(vertices, vertexCount);
    Draw::Polygon(points.data(), vertexCount, ToColor(color), false);
}

void DebugDraw::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color)
{
    const std::vector<Vector2> points = ToPoints(vertices, vertexCount);
    Draw::Polygon(points.data(), vertexCount, ToColor(color, FillAlpha), true);
    Draw::Polygon(points.data(), vertexCount, ToColor(color), false);
}

void DebugDraw::DrawCircle(const b2Vec2& center, float radius, const b2Color& color)
{
    Vector2 points[CircleSegments];
    CirclePoints(center, radius, points);
    Draw::Polygon(points, CircleSegments, ToColor(color), false);
}

void DebugDraw::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color)
{
    Vector2 points[CircleSegments];
    CirclePoints(center, radius, points);
    Draw::Polygon(points, CircleSegments, ToColor(color, FillAlpha), true);
    Draw::Polygon(points, CircleSegments, ToColor(color), false);
    // The radius line shows how the body has turned.
    const b2Vec2 rim = center + radius * axis;
    Draw::Line(Vector2(center.x, center.y), Vector2(rim.x, rim.y), ToColor(color));
}

void DebugDraw::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color)
{
    Draw::Line(Vector2(p1.x, p1.y), Vector2(p2.x, p2.y), ToColor(color));
}

void DebugDraw::DrawTransform(const b2Transform& xf)
{
    const Vector2 origin(xf.p.x, xf.p.y);
    const b2Vec2 xAxis = xf.p + AxisLength * xf.q.GetXAxis();
    const b2Vec2 yAxis = xf.p + AxisLength * xf.q.GetYAxis();
    Draw::Line(origin, Vector2(xAxis.x, xAxis.y), Color(1.0f, 0.0f, 0.0f));
    Draw::Line(origin, Vector2(yAxis.x, yAxis.y), Color(0.0f, 1.0f, 0.0f));
}

void DebugDraw::DrawPoint(const b2Vec2& p, float size, const b2Color& color)
{
    const float half = 0.5f * size * PointScale;
    const Vector2 corners[4] = {Vector2(p.x - half, p.y - half), Vector2(p.x + half, p.y - half),
                                Vector2(p.x + half, p.y + half), Vector2(p.x - half, p.y + half)};
    Draw::Polygon(corners, 4, ToColor(color), true);
}
