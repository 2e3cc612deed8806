#include "Game/GameScreen.h"

#include "Game/GameControls.h"
#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Platform/KeyCodes.h"

#include <utility>

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

bool KeyDown(int code) { return GameScreen::IsKeyDown(code); }
} // namespace

bool GameScreen::IsKeyDown(int keyCode)
{
    // The open console has the keyboard and the pads, also a test's.
    if (InputRouter::IsConsoleOpen())
        return false;
    if (KeySource())
        return KeySource()(keyCode);
    return InputRouter::GetInstance().IsKeyDown(keyCode);
}

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
