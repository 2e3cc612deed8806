// Standalone: the smallest whole game on the installed engine. A red card turns beside
// a line of text; Escape (unbound, so the engine's default) or closing the window quits.
//
//   standalone [--frames N] [--fixed-dt S] [--screenshot F.png] ... (--help lists them)
//
// Run it in a folder that holds Resources/Fonts/Inconsolata.otf, the font the text uses.

#include "Actors/TextActor.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Program/RunProgram.h"

namespace
{
class Standalone : public GameManager
{
public:
    Standalone()
    {
        // --- Initialization ---
        World& world = World::GetInstance();
        world.SetBackgroundColor(Color(0.1f, 0.15f, 0.3f));

        card = new Actor();
        card->SetSize(6.0f);
        card->SetPosition(-6.0f, 0.0f);
        card->SetColor(0.9f, 0.15f, 0.1f);
        world.Add(card);

        auto* greeting = new TextActor("Console", "Hello from outside the tree", Align_Left);
        greeting->SetPosition(-1.0f, 0.0f);
        greeting->SetColor(1.0f, 1.0f, 1.0f);
        world.Add(greeting, 1);
    }

    // --- Update: a slow turn, small enough that the card's centre stays red ---
    void Update(float dt) override { card->SetRotation(card->GetRotation() + 20.0f * dt); }

private:
    Actor* card = nullptr;
};
} // namespace

int main(int argc, char** argv)
{
    // --- De-Initialization happens in RunProgram once the loop ends ---
    // No sound, scripts or game pads: only the window, keyboard, mouse and console start.
    return RunProgram(
        argc, argv, "standalone", "Standalone", [] { World::GetInstance().SetGameManager(new Standalone()); },
        World::NoServices);
}
