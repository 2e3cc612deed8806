#include "Game/PlayField.h"

#include "Game/AlmightyDollar.h"
#include "Game/HudText.h"
#include "Game/SteeringBoid.h"
#include "Game/StockTicker.h"
#include "Game/Suit_AI.h"
#include "Game/Suit_Consumer.h"
#include "Game/Suit_Journalist.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Platform/ScreenMath.h"
#include "Util/MathKit.h"

#include <cstdlib>

// Where new characters and dollars appear. Every random draw here is part of a replay:
// the order of the draws, and of the spawns, is what makes a seeded game the same game.

namespace
{
constexpr size_t MaxObjects = 750;
constexpr int SpawnAttempts = 50;
constexpr float MinSpawnDistanceSquared = 1.0f;
constexpr float ZoomFactor = 1.25f;
constexpr float GoalStep = 20.0f;

// a + a random multiple of 0.1 below b - a.
float PickOnGrid(float a, float b)
{
    const int steps = static_cast<int>((b - a) * 10.0f + 0.5f);
    return a + static_cast<float>(MathKit::RandomIntBelow(steps)) / 10.0f;
}

// A point picked on the grid inside the box. The order of a call's arguments differs
// between compilers, and a seed must give the same game everywhere: y is drawn first,
// as games were always played here.
Vector2 PickPointOnGrid(float left, float right, float bottom, float top)
{
    const float y = PickOnGrid(bottom, top);
    const float x = PickOnGrid(left, right);
    return Vector2(x, y);
}
} // namespace

void PlayField::LevelUp()
{
    goal += GoalStep;
    ++level;

    // New rivals, journalists and dollars appear outside the part already seen, which
    // ends at the top under the head-up display.
    Camera& camera = Camera::GetInstance();
    const float radius = camera.GetViewRadius();
    const Vector2 visibleMin = MathKit::ScreenPointToWorld(0, camera.GetWindowHeight());
    const Vector2 visibleMax =
        MathKit::ScreenPointToWorld(camera.GetWindowWidth(), HudText::FieldTop(camera.GetWindowHeight()));
    SpawnExclusion exclusion;
    exclusion.left = visibleMin.X + 0.7f;
    exclusion.bottom = visibleMin.Y + 0.7f;
    exclusion.right = visibleMax.X - 0.7f;
    exclusion.top = visibleMax.Y - 0.7f;

    // Spawn into the area of the enlarged view, which the screen's zoom then reveals.
    camera.SetZByViewRadius(ZoomFactor * radius);
    const PlayArea enlarged = GetPlayArea();
    const float l = static_cast<float>(level);
    const SpawnExclusion none;
    SpawnMany(static_cast<int>(1.75f * l), static_cast<int>(1.25f * l), ST_AI, exclusion);
    SpawnMany(static_cast<int>(2.0f * l), static_cast<int>(1.75f * l), ST_Consumer, none);
    SpawnMany(static_cast<int>(0.875f * l), static_cast<int>(0.625f * l), ST_Journalist, exclusion);
    SpawnMany(static_cast<int>(2.0f * l), static_cast<int>(1.5f * l), ST_Dollar, exclusion);
    camera.SetZByViewRadius(radius);

    if (ticker)
        ticker->events.clear();

    // Every boid is confined to the enlarged area, the one the new arrivals were given:
    // the view reaches it within the second the zoom takes.
    for (Suit* suit : suits)
        if (suit && suit->GetBoid())
            suit->GetBoid()->SetBounds(enlarged.left, enlarged.top, enlarged.right, enlarged.bottom);
}

int PlayField::SpawnMany(int max, int min, int type, const SpawnExclusion& exclusion)
{
    const int count = max > min ? min + MathKit::RandomIntBelow(max - min) : min;
    int placed = 0;
    while (placed < count && SpawnOne(type, exclusion))
        ++placed;
    return placed;
}

Vector2 PlayField::RandomSpawnPoint(const SpawnExclusion& exclusion) const
{
    const PlayArea area = GetPlayArea();
    switch (MathKit::RandomIntBelow(4))
    {
    case 0:
        return PickPointOnGrid(area.left, exclusion.left, area.bottom, area.top);
    case 1:
        return PickPointOnGrid(exclusion.right, area.right, area.bottom, area.top);
    case 2:
        return PickPointOnGrid(area.left, area.right, area.bottom, exclusion.bottom);
    default:
        return PickPointOnGrid(area.left, area.right, exclusion.top, area.top);
    }
}

bool PlayField::IsSpotFree(const Vector2& point)
{
    grid.Query(point, 1.0f, scratch);
    for (Suit* suit : scratch)
        if (suit && Vector2::DistanceSquared(suit->GetPosition(), point) < MinSpawnDistanceSquared)
            return false;
    for (AlmightyDollar* dollar : dollars)
        if (Vector2::DistanceSquared(dollar->GetPosition(), point) < MinSpawnDistanceSquared)
            return false;
    return true;
}

bool PlayField::SpawnOne(int type, const SpawnExclusion& exclusion)
{
    if (suits.size() + dollars.size() > MaxObjects)
        return false;
    if (type < ST_Journalist || type > ST_Dollar)
        return false;

    for (int attempt = 0; attempt < SpawnAttempts; ++attempt)
    {
        const Vector2 point = RandomSpawnPoint(exclusion);
        if (!IsSpotFree(point))
            continue;

        Actor* created = nullptr;
        if (type == ST_Dollar)
        {
            auto* dollar = new AlmightyDollar(*this);
            dollar->SetPosition(point);
            dollars.push_back(dollar);
            created = dollar;
        }
        else
        {
            Suit* suit = nullptr;
            if (type == ST_Journalist)
                suit = new Suit_Journalist(*this);
            else if (type == ST_Consumer)
                suit = new Suit_Consumer(*this);
            else
                suit = new Suit_AI(*this);
            suit->SetPosition(point);
            AddSuit(suit);
            created = suit;
        }
        World::GetInstance().Add(created, 0);
        return true;
    }
    return false;
}
