// Showcase: one screen of what actors can do. A textured card turns, a looping coin
// spins, a circle walks a square path by chaining tweens on their completion messages,
// text stands left, centred, right and on several lines, a fountain of particles rises,
// and debug lines frame it all.
//
//   showcase [--frames N] [--fixed-dt S] [--seed N] [--screenshot F.png] [--no-msaa]
//
// Run it from the run folder (build/<preset>/run).

#include "Actors/ParticleActor.h"
#include "Actors/TextActor.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Program/RunProgram.h"

namespace
{
const char* const WalkStepDone = "WalkStepDone";

// Corners of the circle's walk, visited in turn.
const Vector2 walkCorners[] = {Vector2(-11.0f, 1.5f), Vector2(-7.0f, 1.5f), Vector2(-7.0f, -2.5f),
                               Vector2(-11.0f, -2.5f)};
constexpr int WalkCornerCount = 4;

TextActor* AddText(const String& text, const Vector2& position, TextAlignment alignment, const String& font = "Console")
{
    auto* label = new TextActor(font, text, alignment);
    label->SetPosition(position);
    World::GetInstance().Add(label, 2);
    return label;
}

class Showcase : public GameManager
{
public:
    Showcase()
    {
        // --- Initialization ---
        World& world = World::GetInstance();
        world.SetBackgroundColor(Color(0.96f, 0.95f, 0.91f));

        card = new Actor();
        card->SetSprite("Resources/Images/testcard.png");
        card->SetSize(4.0f);
        card->SetPosition(0.0f, 1.0f);
        world.Add(card);

        auto* coin = new Actor();
        const int coinFrames = coin->LoadSpriteFrames("Resources/Images/dollar_001.png");
        coin->SetSize(3.0f);
        coin->SetPosition(8.5f, 1.0f);
        // The bounds default to frame 0 alone: a whole series needs them spelt out.
        coin->PlaySpriteAnimation(0.08f, SAT_Loop, 0, coinFrames - 1);
        world.Add(coin);

        walker = new Actor();
        walker->SetDrawShape(ADS_Circle);
        walker->SetSize(1.4f);
        walker->SetColor(0.85f, 0.2f, 0.2f);
        walker->SetPosition(walkCorners[0]);
        world.Add(walker, 1);
        Switchboard::GetInstance().SubscribeTo(this, WalkStepDone);
        WalkToNextCorner();

        auto* fountain = new ParticleActor();
        fountain->SetSprite("Resources/Images/particle.png");
        fountain->SetPosition(0.0f, -8.5f);
        fountain->SetRotation(90.0f);
        fountain->SetColor(0.2f, 0.45f, 1.0f);
        fountain->SetEndColor(Color(0.6f, 0.9f, 1.0f, 0.0f));
        fountain->SetSize(0.5f);
        fountain->SetEndScale(0.2f);
        fountain->SetSpread(0.35f);
        fountain->SetSpeedRange(5.0f, 7.0f);
        fountain->SetGravity(Vector2(0.0f, -6.0f));
        fountain->SetParticleLifetime(1.6f);
        fountain->SetParticlesPerSecond(250.0f);
        fountain->SetMaxParticles(500);
        world.Add(fountain, 1);

        AddText("Tarvo showcase", Vector2(0.0f, 8.3f), Align_Center, "ConsoleLarge");
        AddText("left-aligned", Vector2(-12.5f, 5.5f), Align_Left);
        AddText("centred", Vector2(0.0f, 5.5f), Align_Center);
        AddText("right-aligned", Vector2(12.5f, 5.5f), Align_Right);
        AddText("tweens chained by\ncompletion messages", Vector2(-9.0f, -4.5f), Align_Center, "ConsoleSmall");
        AddText("a sprite series\nplayed in a loop", Vector2(8.5f, -1.6f), Align_Center, "ConsoleSmall");
        AddText("particles", Vector2(3.2f, -7.5f), Align_Left, "ConsoleSmall");
    }

    // --- Update ---
    void Update(float) override { card->SetRotation(card->GetRotation() + 0.75f); }

    void ReceiveMessage(Message* message) override
    {
        if (message->GetMessageName() == WalkStepDone)
            WalkToNextCorner();
    }

    // --- Draw: debug lines are timed, so they are drawn again each frame ---
    void PreRender() override
    {
        World& world = World::GetInstance();
        const Color frame(0.3f, 0.3f, 0.35f);
        world.DrawDebugLine(Vector2(-12.5f, 4.3f), Vector2(12.5f, 4.3f), 0.0f, frame);
        world.DrawDebugLine(Vector2(-12.5f, -9.3f), Vector2(12.5f, -9.3f), 0.0f, frame);
        for (int i = 0; i < WalkCornerCount; ++i)
            world.DrawDebugLine(walkCorners[i], walkCorners[(i + 1) % WalkCornerCount], 0.0f, Color(0.85f, 0.2f, 0.2f));
    }

private:
    // Each leg announces its end; the next leg starts when that message arrives.
    void WalkToNextCorner()
    {
        nextCorner = (nextCorner + 1) % WalkCornerCount;
        walker->MoveTo(walkCorners[nextCorner], 0.8f, true, WalkStepDone);
        walker->ChangeColorTo(nextCorner % 2 ? Color(0.2f, 0.6f, 0.3f) : Color(0.85f, 0.2f, 0.2f), 0.8f);
    }

    Actor* card = nullptr;
    Actor* walker = nullptr;
    int nextCorner = 0;
};
} // namespace

int main(int argc, char** argv)
{
    // Actors only: no sound, scripts or game pads are started.
    return RunProgram(
        argc, argv, "showcase", "Tarvo showcase", [] { World::GetInstance().SetGameManager(new Showcase()); },
        World::NoServices);
}
