#include "Game/GameControls.h"

#include "Game/GameScreen.h"
#include "Input/ControllerManager.h"
#include "Input/InputRouter.h"

namespace
{
struct ActionKeys
{
    const char* message;
    // Names as in the binding file; the keys of the game's first release.
    const char* usualKeys[2];
};

constexpr ActionKeys actions[GA_Count] = {
    {"LieStart", {"SPACE", "P1BUTTON_A"}}, {"MoveLeft", {"LEFT_ARROW", "A"}}, {"MoveRight", {"RIGHT_ARROW", "D"}},
    {"MoveUp", {"UP_ARROW", "W"}},         {"MoveDown", {"DOWN_ARROW", "S"}},
};

bool IsValid(GameAction action) { return action >= 0 && action < GA_Count; }
} // namespace

namespace GameControls
{
const char* MessageOf(GameAction action) { return IsValid(action) ? actions[action].message : ""; }

std::vector<int> KeysOf(GameAction action)
{
    if (!IsValid(action))
        return {};
    const InputRouter& router = InputRouter::GetInstance();
    std::vector<int> keys = router.GetKeysBoundTo(actions[action].message);
    if (!keys.empty())
        return keys;
    for (const char* name : actions[action].usualKeys)
        keys.push_back(router.GetKeyCode(name));
    return keys;
}

bool IsHeld(GameAction action)
{
    for (int key : KeysOf(action))
    {
        if (GameScreen::IsKeyDown(key))
            return true;
    }
    return false;
}

Vector2 LeftStick() { return GameScreen::IsStickHeldFromBefore() ? Vector2() : PadLeftStick(); }

Vector2 PadLeftStick()
{
    const Controller& pad = ControllerManager::GetInstance().GetController(0);
    if (!pad.IsConnected() || InputRouter::IsConsoleOpen())
        return Vector2();
    return pad.GetLeftThumbVec2();
}
} // namespace GameControls
