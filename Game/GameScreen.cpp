#include "Game/GameScreen.h"

#include "Game/GameControls.h"
#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Platform/KeyCodes.h"

#include <cmath>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

namespace
{
constexpr float StickThreshold = 0.2f;
// Pad 0's buttons as the binding file numbers them.
constexpr int PadAButton = 1000;
constexpr int PadBackButton = 1005;

std::function<bool(int)>& KeySource()
{
    static std::function<bool(int)> source;
    return source;
}

// What was held when the active screen came up and has not been let go since.
struct HeldFromBefore
{
    std::set<int> keys;
    bool stick = false;
};

HeldFromBefore& FromBefore()
{
    static HeldFromBefore held;
    return held;
}

bool KeyDown(int code) { return GameScreen::IsKeyDown(code); }

// Held at all, whenever the press was.
bool KeyHeld(int keyCode)
{
    // The open console has the keyboard and the pads, also a test's.
    if (InputRouter::IsConsoleOpen())
        return false;
    if (KeySource())
        return KeySource()(keyCode);
    return InputRouter::GetInstance().IsKeyDown(keyCode);
}

bool StickPushed()
{
    const Vector2 stick = GameControls::PadLeftStick();
    return std::fabs(stick.X) > StickThreshold || std::fabs(stick.Y) > StickThreshold;
}

// Every key and button some screen reads.
std::vector<int> KeysTheGameReads()
{
    std::vector<int> keys = {KeyCodes::KEY_UP, KeyCodes::KEY_DOWN, KeyCodes::KEY_ENTER, PadAButton, PadBackButton};
    for (int action = 0; action < GA_Count; ++action)
    {
        const std::vector<int> bound = GameControls::KeysOf(static_cast<GameAction>(action));
        keys.insert(keys.end(), bound.begin(), bound.end());
    }
    return keys;
}
} // namespace

bool GameScreen::IsKeyDown(int keyCode) { return KeyHeld(keyCode) && FromBefore().keys.count(keyCode) == 0; }

void GameScreen::IgnoreHeldInput()
{
    HeldFromBefore& before = FromBefore();
    before.keys.clear();
    for (int key : KeysTheGameReads())
        if (KeyHeld(key))
            before.keys.insert(key);
    before.stick = StickPushed();
}

void GameScreen::ForgetReleasedInput()
{
    HeldFromBefore& before = FromBefore();
    for (auto key = before.keys.begin(); key != before.keys.end();)
        key = KeyHeld(*key) ? std::next(key) : before.keys.erase(key);
    if (before.stick && !StickPushed())
        before.stick = false;
}

bool GameScreen::IsStickHeldFromBefore() { return FromBefore().stick; }

void GameScreen::SetKeySource(std::function<bool(int)> source) { KeySource() = std::move(source); }

void GameScreen::Stop()
{
    World& world = World::GetInstance();
    for (const ElementRef<Renderable>& object : objects)
        world.DeleteElement(object.Get());
    objects.clear();
}

// The arrows, Enter and pad A always work the menus, whatever the bindings say, so that no
// binding file can lock a player out; the keys bound to walking and lying work them too.
bool GameScreen::IsDownPressed()
{
    return KeyDown(KeyCodes::KEY_DOWN) || GameControls::IsHeld(GA_MoveDown) ||
           GameControls::LeftStick().Y < -StickThreshold;
}

bool GameScreen::IsUpPressed()
{
    return KeyDown(KeyCodes::KEY_UP) || GameControls::IsHeld(GA_MoveUp) || GameControls::LeftStick().Y > StickThreshold;
}

bool GameScreen::IsConfirmPressed()
{
    return IsPadAPressed() || KeyDown(KeyCodes::KEY_ENTER) || GameControls::IsHeld(GA_Lie);
}

bool GameScreen::IsPadAPressed() { return KeyDown(PadAButton); }

bool GameScreen::IsPadBackPressed() { return KeyDown(PadBackButton); }
