#include "Game/SuitScreenCredits.h"

#include "Actors/TextActor.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"

namespace
{
constexpr float InputDelay = 0.3f;
constexpr float ScrollSeconds = 20.0f;
} // namespace

// As long as the scroll: its last line is still going up the screen when the scroll ends
// and the menu returns, so the credits never end on an empty screen.
const char* const SuitScreenCredits::CreditsText = "QVRN\n"
                                                   "a game about lying for profit\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "GAME DESIGN\n"
                                                   "The QVRN crew\n"
                                                   "\n"
                                                   "\n"
                                                   "ENGINE\n"
                                                   "Tarvo, a compact 2-D engine\n"
                                                   "\n"
                                                   "\n"
                                                   "CODE\n"
                                                   "The Tarvo and QVRN developers\n"
                                                   "\n"
                                                   "\n"
                                                   "CHARACTERS\n"
                                                   "The player, in his best suit\n"
                                                   "Rival suits, three of a kind\n"
                                                   "Consumers, with shopping bags\n"
                                                   "A journalist, with a camera\n"
                                                   "\n"
                                                   "\n"
                                                   "ART\n"
                                                   "Painted by the artgen tool\n"
                                                   "from circles, curves and care\n"
                                                   "\n"
                                                   "\n"
                                                   "SOUND\n"
                                                   "Synthesised by the soundgen tool\n"
                                                   "one sine wave at a time\n"
                                                   "\n"
                                                   "\n"
                                                   "TYPE\n"
                                                   "Inconsolata\n"
                                                   "\n"
                                                   "\n"
                                                   "BUILT WITH\n"
                                                   "OpenGL, GLFW, FreeType, FTGL\n"
                                                   "FreeImage, Box2D, SDL2, Python\n"
                                                   "\n"
                                                   "\n"
                                                   "STOCK MARKET ADVICE\n"
                                                   "None whatsoever\n"
                                                   "\n"
                                                   "\n"
                                                   "NO SHARES WERE TRADED\n"
                                                   "in the making of this game\n"
                                                   "\n"
                                                   "\n"
                                                   "TESTED BY\n"
                                                   "Everyone who got busted\n"
                                                   "\n"
                                                   "\n"
                                                   "SPECIAL THANKS\n"
                                                   "Every consumer who believed us\n"
                                                   "and every journalist who didn't\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "No consumers were harmed.\n"
                                                   "Several were mildly misled.\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "\n"
                                                   "Thank you for playing!\n";

void SuitScreenCredits::Start()
{
    auto* scroll = new TextActor("Console", "", Align_Left, 5);
    scroll->SetDisplayString(CreditsText);
    scroll->SetAlignment(Align_Center);
    scroll->SetPosition(0.0f, -11.0f);
    scroll->MoveTo(Vector2(0.0f, 53.5f), ScrollSeconds, false, "CreditsOver");
    Switchboard::GetInstance().SubscribeTo(this, "CreditsOver");
    World::GetInstance().Add(scroll, 0);
    text = scroll;
    inputDelay = InputDelay;
}

void SuitScreenCredits::Stop()
{
    if (text)
        text->Destroy();
    text = {};
}

void SuitScreenCredits::Update(float dt)
{
    if (inputDelay > 0.0f)
    {
        inputDelay -= dt;
        return;
    }
    if (IsDownPressed() || IsUpPressed())
        inputDelay = InputDelay;
    if (IsConfirmPressed())
    {
        Switchboard::GetInstance().Broadcast(new Message("Back"));
        inputDelay = InputDelay;
    }
}

void SuitScreenCredits::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "CreditsOver")
        Switchboard::GetInstance().Broadcast(new Message("Back"));
}
