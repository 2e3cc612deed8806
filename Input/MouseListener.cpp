#include "Input/MouseListener.h"

#include <set>

namespace
{
// Not owned: listeners unregister themselves.
std::set<MouseListener*>& Listeners()
{
    static auto* listeners = new std::set<MouseListener*>();
    return *listeners;
}

Vec2i lastPosition;
bool buttonsDown[3] = {};

// Handlers may add or remove listeners, so the walk never holds an iterator across a
// call: after each listener it looks up the next registered address above it. A
// listener removed meanwhile is simply not found, and one added above the current
// address is reached in this same walk.
template <typename Call> void ForEachListener(Call call)
{
    std::set<MouseListener*>& listeners = Listeners();
    auto next = listeners.begin();
    while (next != listeners.end())
    {
        MouseListener* listener = *next;
        call(listener);
        next = listeners.upper_bound(listener);
    }
}

MouseButtonInput MapButton(int libraryButton)
{
    switch (libraryButton)
    {
    case 1:
        return MOUSE_RIGHT;
    case 2:
        return MOUSE_MIDDLE;
    default:
        return MOUSE_LEFT;
    }
}
} // namespace

MouseListener::MouseListener() { Listeners().insert(this); }

MouseListener::MouseListener(const MouseListener&) : MouseListener() {}

MouseListener::~MouseListener() { Listeners().erase(this); }

void MouseListener::MouseMotionEvent(Vec2i) {}

void MouseListener::MouseDownEvent(Vec2i, MouseButtonInput) {}

void MouseListener::MouseUpEvent(Vec2i, MouseButtonInput) {}

namespace MouseInput
{
void OnMotion(int x, int y)
{
    lastPosition = Vec2i(x, y);
    const Vec2i position = lastPosition;
    ForEachListener([position](MouseListener* listener) { listener->MouseMotionEvent(position); });
}

void OnButton(int libraryButton, bool pressed)
{
    const MouseButtonInput button = MapButton(libraryButton);
    buttonsDown[button] = pressed;
    const Vec2i position = lastPosition;
    ForEachListener(
        [position, button, pressed](MouseListener* listener)
        {
            if (pressed)
                listener->MouseDownEvent(position, button);
            else
                listener->MouseUpEvent(position, button);
        });
}

Vec2i GetLastPosition() { return lastPosition; }

bool IsButtonDown(MouseButtonInput button)
{
    return button >= MOUSE_LEFT && button <= MOUSE_RIGHT && buttonsDown[button];
}
} // namespace MouseInput
