#include "Game/GameScreen.h"

#include "Infrastructure/World.h"
#include "Input/ControllerManager.h"
#include "Input/InputRouter.h"
#include "Input/KeyCodes.h"

#include <utility>

namespace
{
constexpr float StickThreshold = 0.2f;

Controller* ConnectedPad()
{
    Controller& pad = ControllerManager::GetInstance().GetController(0);
    return pad.IsConnected() ? &pad : nullptr;
}

float StickVertical()
{
    Controller* pad = ConnectedPad();
    return pad ? static_cast<float>(pad->GetState().LeftThumbstickY) / 32768.0f : 0.0f;
}

std::function<bool(int)>& KeySource()
{
    static std::function<bool(int)> source;
    return source;
}

bool KeyDown(int code) { return GameScreen::IsKeyDown(code); }
} // namespace

bool GameScreen::IsKeyDown(int keyCode)
{
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

bool GameScreen::IsDownPressed()
{
    return KeyDown(KeyCodes::KEY_DOWN) || KeyDown('s') || StickVertical() < -StickThreshold;
}

bool GameScreen::IsUpPressed() { return KeyDown(KeyCodes::KEY_UP) || KeyDown('w') || StickVertical() > StickThreshold; }

bool GameScreen::IsConfirmPressed() { return IsPadAPressed() || KeyDown(KeyCodes::KEY_ENTER) || KeyDown(' '); }

bool GameScreen::IsPadAPressed()
{
    Controller* pad = ConnectedPad();
    return pad && pad->IsAButtonDown();
}

bool GameScreen::IsPadBackPressed()
{
    Controller* pad = ConnectedPad();
    return pad && pad->IsBackButtonDown();
}
