#pragma once

#include "Util/Vector2.h"

// The button of a mouse event.
enum MouseButtonInput
{
    MOUSE_LEFT = 0,
    MOUSE_MIDDLE = 1,
    MOUSE_RIGHT = 2
};

// Base of everything that wants mouse events. A listener is registered from the end of
// its construction to the start of its destruction and is called in ascending address
// order. Positions are window pixels, origin top left, y down.
class MouseListener
{
public:
    // Registers the listener: events reach it from now until its destruction.
    MouseListener();
    // A copy is a listener of its own, registered like any other.
    MouseListener(const MouseListener&);
    MouseListener& operator=(const MouseListener&) = default;
    virtual ~MouseListener();

    // Each does nothing by default: override the ones you need.
    virtual void MouseMotionEvent(Vec2i screenCoordinates);
    virtual void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button);
    virtual void MouseUpEvent(Vec2i screenCoordinates, MouseButtonInput button);
};

// The window layer's mouse events. Listeners may create or destroy listeners (also
// themselves) from inside their handlers.
namespace MouseInput
{
// Stores the position and tells every listener.
void OnMotion(int x, int y);
// `libraryButton` is the window layer's number: 1 right, 2 middle, anything else left.
// Reports the position of the last motion.
void OnButton(int libraryButton, bool pressed);
// Where the mouse was at its last motion event.
Vec2i GetLastPosition();
// Whether the button is held: pressed and not released since.
bool IsButtonDown(MouseButtonInput button);
} // namespace MouseInput
