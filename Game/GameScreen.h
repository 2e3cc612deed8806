#pragma once

#include "Infrastructure/Renderable.h"
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
    // Removes every element of `objects` from the World, deletes it and empties the list.
    virtual void Stop();

    void ReceiveMessage(Message* message) override { (void)message; }

    // The input every screen reads the same way. The pad is game pad 0, read only while
    // connected.
    // Down arrow or 's', or the pad's left stick pushed down past 0.2.
    static bool IsDownPressed();
    // Up arrow or 'w', or the left stick pushed up past 0.2.
    static bool IsUpPressed();
    // Pad A, Enter or space.
    static bool IsConfirmPressed();
    static bool IsPadAPressed();
    static bool IsPadBackPressed();
    // Whether the engine key is held. Reads the window's keyboard unless a test has put
    // its own source in place (null restores the keyboard).
    static bool IsKeyDown(int keyCode);
    static void SetKeySource(std::function<bool(int)> source);

protected:
    std::vector<Renderable*> objects;
};
