#include "Input/InputPolling.h"

#include "Input/InputRouter.h"
#include "Platform/ScreenMath.h"

bool IsKeyDown(const String& keyName)
{
    const int code = InputRouter::GetKeyCode(keyName);
    return code >= 0 && InputRouter::GetInstance().IsKeyDown(code);
}

bool IsActionDown(const String& action)
{
    if (action.empty())
        return false;
    const InputRouter& router = InputRouter::GetInstance();
    for (int code : router.GetKeysBoundTo(action))
        if (router.IsKeyDown(code))
            return true;
    return false;
}

Vector2 GetMousePosition()
{
    const Vec2i pixel = MouseInput::GetLastPosition();
    return MathKit::ScreenPointToWorld(pixel.X, pixel.Y);
}

bool IsMouseButtonDown(MouseButtonInput button) { return MouseInput::IsButtonDown(button); }
