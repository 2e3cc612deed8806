#include "Infrastructure/DebugDrawItem.h"
#include "Infrastructure/World.h"

#include <cmath>

void World::DrawDebugLine(const Vector2& a, const Vector2& b, float time, const Color& color)
{
    auto* line = new DebugLine();
    // A NaN time would never run out yet never count as permanent either.
    line->timeRemaining = std::isnan(time) ? 0.0f : time;
    line->permanent = line->timeRemaining < 0.0f;
    line->color = color;
    line->points[0] = a;
    line->points[1] = b;
    debugItems.push_back(line);
}

void World::PurgeDebugDrawing()
{
    for (DebugDrawItem* item : debugItems)
        delete item;
    debugItems.clear();
}

void World::AgeDebugItems(float frameDt)
{
    for (auto item = debugItems.begin(); item != debugItems.end();)
    {
        if ((*item)->permanent)
        {
            ++item;
            continue;
        }
        (*item)->timeRemaining -= frameDt;
        if ((*item)->timeRemaining <= 0.0f)
        {
            delete *item;
            item = debugItems.erase(item);
        }
        else
        {
            ++item;
        }
    }
}

void World::RenderDebugItems()
{
    for (const DebugDrawItem* item : debugItems)
        item->Draw();
}
