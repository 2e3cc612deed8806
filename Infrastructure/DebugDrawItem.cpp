#include "Infrastructure/DebugDrawItem.h"

#include "Platform/Draw.h"

void DebugLine::Draw() const { Draw::Line(points[0], points[1], color); }
