#include "Infrastructure/World.h"

// The World's link to timed debug drawing, which doesn't exist yet.
void World::DrawDebugLine(const Vector2&, const Vector2&, float, const Color&) {}
void World::PurgeDebugDrawing() {}
void World::AgeDebugItems(float) {}
void World::DrawDebugItems() {}
