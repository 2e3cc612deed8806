#include "Actors/Actor.h"

#include "Actors/ActorIntervals.h"
#include "Messaging/Switchboard.h"

namespace
{
// Steps an active interval and hands the value to `apply`; in the step that runs the
// interval out, broadcasts its completion message, if it has one.
template <typename T, typename Apply>
void StepInterval(Tween<T>& interval, const String& message, MessageListener* sender, float dt, Apply apply)
{
    if (!interval.IsActive())
        return;
    apply(interval.Step(dt));
    if (!interval.IsActive() && !message.empty())
        Switchboard::GetInstance().Broadcast(new Message(message, sender));
}
} // namespace

void Actor::MoveTo(const Vector2& newPosition, float duration, bool smooth, const String& onCompletionMessage)
{
    Intervals().position = Tween<Vector2>(position, newPosition, duration, smooth);
    intervals->positionMessage = onCompletionMessage;
}

void Actor::RotateTo(float newRotation, float duration, bool smooth, const String& onCompletionMessage)
{
    Intervals().rotation = Tween<float>(rotation, newRotation, duration, smooth);
    intervals->rotationMessage = onCompletionMessage;
}

void Actor::ChangeColorTo(const Color& newColor, float duration, bool smooth, const String& onCompletionMessage)
{
    Intervals().color = Tween<Color>(color, newColor, duration, smooth);
    intervals->colorMessage = onCompletionMessage;
}

void Actor::ChangeSizeTo(const Vector2& newSize, float duration, bool smooth, const String& onCompletionMessage)
{
    Intervals().size = Tween<Vector2>(size, newSize, duration, smooth);
    intervals->sizeMessage = onCompletionMessage;
}

void Actor::ChangeSizeTo(float newSize, float duration, bool smooth, const String& onCompletionMessage)
{
    ChangeSizeTo(Vector2(newSize, newSize), duration, smooth, onCompletionMessage);
}

ActorIntervals& Actor::Intervals()
{
    if (!intervals)
        intervals = std::make_unique<ActorIntervals>();
    return *intervals;
}

void Actor::StepIntervals(float dt)
{
    if (!intervals)
        return;
    ActorIntervals& set = *intervals;
    MessageListener* self = this;
    // Position goes through the virtual SetPosition so subclasses see every step; size
    // through the clamping SetSize.
    StepInterval(set.position, set.positionMessage, self, dt, [this](const Vector2& p) { SetPosition(p); });
    StepInterval(set.rotation, set.rotationMessage, self, dt, [this](float r) { rotation = r; });
    StepInterval(set.color, set.colorMessage, self, dt, [this](const Color& c) { color = c; });
    StepInterval(set.size, set.sizeMessage, self, dt, [this](const Vector2& s) { SetSize(s.X, s.Y); });
}
