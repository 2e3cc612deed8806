#pragma once

#include <box2d/b2_draw.h>

// The physics library's debug renderer, drawing through the engine's drawing layer in
// world coordinates. Its draw flags start at 0, so it draws nothing until someone sets
// them (PhysicsWorld::SetDebugDrawFlags).
class DebugDraw : public b2Draw
{
public:
    // Draws nothing until flags are set (PhysicsWorld::SetDebugDrawFlags).
    DebugDraw() { SetFlags(0); }

    void DrawPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount, const b2Color& color) override;
    void DrawCircle(const b2Vec2& center, float radius, const b2Color& color) override;
    void DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2& axis, const b2Color& color) override;
    void DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) override;
    void DrawTransform(const b2Transform& xf) override;
    void DrawPoint(const b2Vec2& p, float size, const b2Color& color) override;
};
