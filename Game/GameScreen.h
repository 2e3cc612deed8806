#pragma once

#include "Actors/ElementRef.h"
#include "Actors/Renderable.h"
#include "Input/MouseListener.h"
#include "Messaging/MessageListener.h"

#include <functional>
#include <vector>

// Base of the game's full-screen states. The game manager lists a screen in the World
// (layer 0) while it is active: Start runs just before it is added, Stop just before it
// is removed. A screen hears the mouse for the whole run, also while inactive.
class GameScreen : public Renderable, public MouseListener, public MessageListener
{
public:
    GameScreen() = default;
    ~GameScreen() override = default;
    GameScreen(const GameScreen&) = delete;
    GameScreen& operator=(const GameScreen&) = delete;

    void Update(float dt) override { (void)dt; }
    void Render() override {}
    // Drawn by the game manager after every layer, so that what must stay readable (the
    // result, the goal) is never covered by what walks or flies on the field.
    virtual void RenderOverlay() {}
    virtual void Start() {}
    // Has the World delete every element of `objects` still alive, and empties the list.
    virtual void Stop();

    void ReceiveMessage(Message* message) override { (void)message; }

    // The input every screen reads the same way. The pad is game pad 0, read only while
    // connected; nothing is read while the console is open. Keys bound to an action are
    // those of Game/GameControls.h (the shipped bindings in brackets).
    // Down arrow, the keys bound to walking down ['s'], or the left stick pushed down past 0.2.
    static bool IsDownPressed();
    // Up arrow, the keys bound to walking up ['w'], or the left stick pushed up past 0.2.
    static bool IsUpPressed();
    // Pad A, Enter, or the keys bound to lying [space].
    static bool IsConfirmPressed();
    static bool IsPadAPressed();
    static bool IsPadBackPressed();
    // Whether the engine key or pad button (1000..) is held for the game (see
    // InputRouter::IsKeyDown). A test may put its own source of held keys in place (null
    // restores the router's); false while the console is open either way.
    // A key held since before the active screen came up is up for it, until let go.
    static bool IsKeyDown(int keyCode);
    static void SetKeySource(std::function<bool(int)> source);

    // A screen acts on presses made while it is shown, not on keys still held from the
    // screen before (space held through a game over must not start the next game from the
    // menu). The game manager calls this as it starts a screen: the keys, pad buttons and
    // stick pushes the game reads that are held now count as up until released.
    static void IgnoreHeldInput();
    // Called every frame: what was held when the screen came up and has been let go since
    // counts again from its next press.
    static void ForgetReleasedInput();
    // Whether the left stick has stayed pushed since the screen came up.
    static bool IsStickHeldFromBefore();

protected:
    // What the screen made and the World lists for it. Watched, since a script or a
    // reset may delete any of them first.
    std::vector<ElementRef<Renderable>> objects;
};
