#pragma once

#include "Actors/Renderable.h"
#include "Messaging/MessageListener.h"

// The one game-specific controller the World drives every frame besides its layers.
// Registered with World::SetGameManager; never listed in a layer, never deleted by the World.
class GameManager : public Renderable, public MessageListener
{
public:
    // Runs every frame before messages are delivered and elements updated.
    void Update(float) override {}
    // Draws over the layered elements.
    void Render() override {}
    // Runs after the camera view is applied, before the layered elements draw.
    virtual void PreRender() {}
    // True keeps the element through World::ResetWorld.
    virtual bool IsResetProof(Renderable*) { return false; }
    // An unbound Escape where the program can't quit (a browser page): the game's own
    // way back, to its menu say. Where the program can quit, Escape ends the run instead.
    virtual void OnLeaveKey() {}
    // A sound played by this game has ended; delivered on the main thread.
    virtual void OnSoundFinished(void* soundHandle) { (void)soundHandle; }

    void ReceiveMessage(Message*) override {}
};
