#include "Actors/Actor.h"

#include "Actors/ActorIntervals.h"
#include "Actors/ActorNameRegistry.h"
#include "Platform/Draw.h"

#include <algorithm>
#include <iterator>

long Actor::liveCount = 0;

Actor::Actor()
{
    ++liveCount;
    SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    SetSize(1.0f, -1.0f);
}

Actor::~Actor()
{
    --liveCount;
    // Untag shrinks the set, so walk a copy.
    const StringSet carried = tags;
    for (const String& tag : carried)
        Untag(tag);
    ForgetNames();
    // ~MessageListener drops the subscriptions.
}

void Actor::ForgetNames()
{
    ActorNameRegistry& registry = ActorNameRegistry::GetInstance();
    for (const String& registered : registeredNames)
        registry.Unregister(registered, this);
    registeredNames.clear();
}

void Actor::Update(float dt)
{
    UpdateSpriteAnimation(dt);
    StepIntervals(dt);
}

void Actor::Render()
{
    const int texture = SpriteTextureAt(spriteCurrentFrame);
    const Draw::Transform transform{position, rotation, size};
    switch (drawShape)
    {
    case ADS_Circle:
        Draw::Disc(transform, color, texture);
        break;
    case ADS_CustomList:
        Draw::DisplayList(transform, color, texture, displayList);
        break;
    default:
        Draw::Quad(transform, color, texture, uvLowerLeft, uvUpperRight);
        break;
    }
}

void Actor::SetSize(float x, float y)
{
    size.X = x < 0.0f ? 0.0f : x;
    size.Y = y > 0.0f ? y : size.X;
}

void Actor::SetSize(const Vector2& newSize) { size = Vector2(std::max(newSize.X, 0.0f), std::max(newSize.Y, 0.0f)); }

void Actor::SetPosition(float x, float y) { position = Vector2(x, y); }

void Actor::SetPosition(const Vector2& pos) { position = pos; }

void Actor::SetColor(float r, float g, float b, float a) { color = Color(r, g, b, a); }

void Actor::SetUVs(const Vector2 lowleft, const Vector2 upright)
{
    uvLowerLeft = lowleft;
    uvUpperRight = upright;
}

void Actor::GetUVs(Vector2& lowleft, Vector2& upright) const
{
    lowleft = uvLowerLeft;
    upright = uvUpperRight;
}

void Actor::SetLayer(int layerIndex)
{
    if (layerIndex != layer && layerChanger)
        layerChanger(this, layerIndex);
}

void Actor::SetLayer(const String& layerName)
{
    if (namedLayerChanger)
        namedLayerChanger(this, layerName);
}

String Actor::SetName(const String& newName)
{
    String candidate = newName.empty() ? GetClassName() : newName;
    if (!candidate.empty() && candidate[0] >= 'a' && candidate[0] <= 'z')
        candidate[0] = static_cast<char>(candidate[0] - 'a' + 'A');

    ActorNameRegistry& registry = ActorNameRegistry::GetInstance();
    name = registry.FirstFreeName(candidate);
    registry.Register(name, this);
    registeredNames.push_back(name);
    return name;
}

void Actor::NameOnFirstAdd()
{
    if (namedByWorld)
        return;
    namedByWorld = true;
    SetName(GetName());
}

Actor* Actor::GetNamed(const String& nameLookup) { return ActorNameRegistry::GetInstance().Find(nameLookup); }
