#include "Actors/Actor.h"

#include "Messaging/Switchboard.h"

namespace
{
// Called right after a step of an active interval: sends the completion message if
// that step ran it out.
void AnnounceIfFinished(bool stillActive, const String& message, MessageListener* sender)
{
    if (!stillActive && !message.empty())
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
    if (positionInterval.IsActive())
    {
        SetPosition(positionInterval.Step(dt));
        AnnounceIfFinished(positionInterval.IsActive(), positionIntervalMessage, self);
    }
    if (rotationInterval.IsActive())
    {
        rotation = rotationInterval.Step(dt);
        AnnounceIfFinished(rotationInterval.IsActive(), rotationIntervalMessage, self);
    }
    if (colorInterval.IsActive())
    {
        color = colorInterval.Step(dt);
        AnnounceIfFinished(colorInterval.IsActive(), colorIntervalMessage, self);
    }
    if (sizeInterval.IsActive())
    {
        const Vector2 stepped = sizeInterval.Step(dt);
        SetSize(stepped.X, stepped.Y);
        AnnounceIfFinished(sizeInterval.IsActive(), sizeIntervalMessage, self);
    }
}
