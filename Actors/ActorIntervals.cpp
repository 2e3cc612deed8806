#include "Actors/Actor.h"

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
    positionInterval = Tween<Vector2>(position, newPosition, duration, smooth);
    positionIntervalMessage = onCompletionMessage;
}

void Actor::RotateTo(float newRotation, float duration, bool smooth, const String& onCompletionMessage)
{
    rotationInterval = Tween<float>(rotation, newRotation, duration, smooth);
    rotationIntervalMessage = onCompletionMessage;
}

void Actor::ChangeColorTo(const Color& newColor, float duration, bool smooth, const String& onCompletionMessage)
{
    colorInterval = Tween<Color>(color, newColor, duration, smooth);
    colorIntervalMessage = onCompletionMessage;
}

void Actor::ChangeSizeTo(const Vector2& newSize, float duration, bool smooth, const String& onCompletionMessage)
{
    sizeInterval = Tween<Vector2>(size, newSize, duration, smooth);
    sizeIntervalMessage = onCompletionMessage;
}

void Actor::ChangeSizeTo(float newSize, float duration, bool smooth, const String& onCompletionMessage)
{
    ChangeSizeTo(Vector2(newSize, newSize), duration, smooth, onCompletionMessage);
}

void Actor::StepIntervals(float dt)
{
    MessageListener* self = this;
    // Position goes through the virtual SetPosition so subclasses see every step; size
    // through the clamping SetSize.
    StepInterval(positionInterval, positionIntervalMessage, self, dt, [this](const Vector2& p) { SetPosition(p); });
    StepInterval(rotationInterval, rotationIntervalMessage, self, dt, [this](float r) { rotation = r; });
    StepInterval(colorInterval, colorIntervalMessage, self, dt, [this](const Color& c) { color = c; });
    StepInterval(sizeInterval, sizeIntervalMessage, self, dt, [this](const Vector2& s) { SetSize(s.X, s.Y); });
}
