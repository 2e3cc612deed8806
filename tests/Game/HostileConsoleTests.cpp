// Lines a careless or hostile player types into the Python console of a running game.
// Each runs in the sanitized build: the game must go on (or end its game cleanly), and
// any use of freed memory fails the test where it happens.

#include "Game/GameTestSupport.h"

#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Platform/KeyCodes.h"

#include <string>

namespace
{
constexpr float Dt = 1.0f / 60.0f;
} // namespace

class HostileConsoleTest : public GameTest
{
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        if (IsSkipped())
            return;
        console = World::GetInstance().GetConsole();
        ASSERT_NE(console, nullptr);
    }

    // Types the line into the open console as a player would, presses Enter, closes the
    // console and lets the game run for a moment. Returns what the console printed.
    std::string Type(const std::string& line, float seconds = 0.5f)
    {
        console->SetEnabled(true);
        const size_t before = console->GetOutputLines().size();
        for (char c : line)
            console->HandleCharacter(c);
        console->HandleKeyDown(KeyCodes::KEY_ENTER);
        console->SetEnabled(false);
        Run(seconds, Dt);
        std::string printed;
        const StringList& lines = console->GetOutputLines();
        for (size_t i = before < lines.size() ? before : lines.size(); i < lines.size(); ++i)
            printed += lines[i] + "\n";
        return printed;
    }

    // The game returns to the menu, and a new game still starts and plays.
    void ExpectTheGameGoesOn()
    {
        EXPECT_TRUE(RunUntil([this] { return manager->GetCurrentScreen() == SuitGameManager::SI_Start; }, 8.0f, Dt))
            << "the game never came back to the menu";
        PlayField* field = StartGame();
        Run(1.0f, Dt);
        EXPECT_TRUE(field->IsRunning());
        EXPECT_NE(field->Player(), nullptr);
        EXPECT_FALSE(field->Consumers().empty());
    }

    Console* console = nullptr;
};

TEST_F(HostileConsoleTest, ResetDuringAGameEndsItCleanly)
{
    PlayField* field = StartGame();
    Run(1.0f, Dt);
    Type("World.GetInstance().ResetWorld()");
    EXPECT_TRUE(field->IsGameOver()) << "nobody is left on the field";
    EXPECT_FALSE(field->IsRunning());
    EXPECT_TRUE(field->Suits().empty());
    EXPECT_TRUE(field->Dollars().empty());
    ExpectTheGameGoesOn();
}

TEST_F(HostileConsoleTest, ResetAndDestroyOnTheMenu)
{
    Run(0.5f, Dt);
    // A decoration of the menu, then everything the menu made.
    Type("Actor.GetNamed('Actor').Destroy()");
    Type("World.GetInstance().ResetWorld()");
    Run(0.5f, Dt);
    // The menu still answers: its items went with the reset, the screen itself stayed.
    manager->SwitchTo(SuitGameManager::SI_Credits);
    Run(0.5f, Dt);
    manager->SwitchTo(SuitGameManager::SI_Tutorial);
    Run(0.5f, Dt);
    manager->SwitchTo(SuitGameManager::SI_Start);
    Run(0.5f, Dt);
    ExpectTheGameGoesOn();
}

TEST_F(HostileConsoleTest, DestroyingThePlayerOrTheMetersEndsTheGame)
{
    PlayField* field = StartGame();
    Run(1.0f, Dt);
    Type("Actor.GetNamed('" + field->Ticker()->GetName() + "').Destroy()");
    Type("Actor.GetNamed('" + field->Meter()->GetName() + "').Destroy()");
    EXPECT_TRUE(field->IsRunning()) << "the game goes on without its meters";
    const String rival = field->Liars().back()->GetName();
    Type("Actor.GetNamed('" + field->Player()->GetName() + "').Destroy()");
    EXPECT_EQ(field->Player(), nullptr);
    EXPECT_TRUE(field->IsGameOver());
    // The game is over, but the field still stands until the menu returns.
    Type("Actor.GetNamed('" + rival + "').Destroy()");
    ExpectTheGameGoesOn();
}

TEST_F(HostileConsoleTest, DestroyingCharactersAndDollarsLeavesTheGameRunning)
{
    PlayField* field = StartGame();
    Run(1.0f, Dt);
    // A rival with followers, a journalist, a consumer and a dollar, each by name. The
    // names are taken first: the field changes while the lines are typed.
    ASSERT_FALSE(field->Liars().empty() || field->Journalists().empty() || field->Consumers().empty());
    ASSERT_TRUE(field->SpawnOne(PlayField::ST_Dollar, SpawnExclusion()));
    const std::vector<String> names = {field->Liars().back()->GetName(), field->Journalists().front()->GetName(),
                                       field->Consumers().front()->GetName(), field->Dollars().back()->GetName()};
    for (const String& name : names)
        Type("Actor.GetNamed('" + name + "').Destroy()", 0.2f);
    Run(3.0f, Dt);
    EXPECT_TRUE(field->IsRunning());
    manager->SwitchTo(SuitGameManager::SI_Start);
    ExpectTheGameGoesOn();
}

TEST_F(HostileConsoleTest, ScriptReferencesToDestroyedActorsRaise)
{
    StartGame();
    Run(0.5f, Dt);
    Type("b = Actor(); World.GetInstance().Add(b); l = ActorList(); l.append(b); s = ActorSet(); s.add(b)");
    Type("m = Message('Test', b); sender = m.GetSender(); b.Destroy()");
    EXPECT_NE(Type("l[0].GetName()").find("Error"), std::string::npos);
    EXPECT_NE(Type("print(len(s), l[0] is None)").find("\n0 True\n"), std::string::npos);
    EXPECT_NE(Type("sender.GetName()").find("Error"), std::string::npos);
    EXPECT_NE(Type("b.GetName()").find("Error"), std::string::npos);
}

TEST_F(HostileConsoleTest, WhatAScriptRemovesTheWorldStillDeletes)
{
    Run(0.2f, Dt);
    const long before = Renderable::GetLiveCount();
    Type("r = Actor(); World.GetInstance().Add(r); World.GetInstance().Remove(r)");
    EXPECT_EQ(Renderable::GetLiveCount(), before + 1);
    Type("r.Destroy()");
    EXPECT_EQ(Renderable::GetLiveCount(), before) << "a removed, destroyed actor is deleted";
    EXPECT_NE(Type("r.GetName()").find("Error"), std::string::npos);
}

TEST_F(HostileConsoleTest, TheCameraScreensAndManagerCannotBeDestroyed)
{
    StartGame();
    SuitScreenPlay* screen = Screen();
    Run(0.5f, Dt);
    Type("World.GetInstance().Add(Camera.GetInstance()); Camera.GetInstance().Destroy()");
    // What a script can't reach, an engine user's code can.
    screen->Destroy();
    manager->Destroy();
    Run(0.5f, Dt);
    EXPECT_FALSE(screen->IsDestroyed()) << "the manager keeps its screens";
    EXPECT_EQ(World::GetInstance().GetGameManager(), manager);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Play);
    Camera::GetInstance().Update(Dt);
    manager->SwitchTo(SuitGameManager::SI_Start);
    ExpectTheGameGoesOn();
}

TEST_F(HostileConsoleTest, AResetAskedForDuringTheUpdateWalkWaitsForItsEnd)
{
    StartGame();
    Run(0.5f, Dt);
    // A script actor that resets the World from inside its own Update.
    Type("class Resetter(Actor):");
    Type("    def Update(self, dt):");
    Type("        World.GetInstance().ResetWorld()");
    Type("");
    Type("World.GetInstance().Add(Resetter())", 1.0f);
    ExpectTheGameGoesOn();
}
