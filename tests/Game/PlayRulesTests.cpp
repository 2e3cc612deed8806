#include "GameTestSupport.h"

#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Infrastructure/Camera.h"
#include "Messaging/Switchboard.h"

#include <algorithm>
#include <map>

namespace
{
std::map<String, int> CountKinds(const PlayField* field)
{
    // The game's classes all report "Actor" as their class name: count them by kind.
    static const std::map<SuitKind, String> kindNames = {{SK_Player, "Suit_Player"},
                                                         {SK_AI, "Suit_AI"},
                                                         {SK_Consumer, "Suit_Consumer"},
                                                         {SK_Journalist, "Suit_Journalist"}};
    std::map<String, int> counts;
    for (Suit* suit : field->Suits())
    {
        auto kind = kindNames.find(suit->GetKind());
        ++counts[kind == kindNames.end() ? "Suit" : kind->second];
    }
    counts["AlmightyDollar"] = static_cast<int>(field->Dollars().size());
    return counts;
}

void Bust(PlayField* field)
{
    Switchboard::GetInstance().Broadcast(new TypedMessage<int>("LieMeterBusted", 0, field->Player()));
}
} // namespace

class PlayRulesTest : public GameTest
{
};

TEST_F(PlayRulesTest, StartPlacesTheFirstWaveAndNarrowsTheView)
{
    const float before = Camera::GetInstance().GetViewRadius();
    PlayField* field = StartGame();
    std::map<String, int> counts = CountKinds(field);
    EXPECT_EQ(counts["Suit_Player"], 1);
    EXPECT_EQ(counts["Suit_AI"], 3);
    EXPECT_EQ(counts["Suit_Consumer"], 4);
    EXPECT_EQ(counts["Suit_Journalist"], 1);
    EXPECT_EQ(counts["AlmightyDollar"], 3);
    EXPECT_NEAR(Camera::GetInstance().GetViewRadius(), 3.0f, 1e-4f);
    // Every first-wave boid watches all nine, itself included.
    for (Suit* suit : field->Suits())
        EXPECT_EQ(suit->GetBoid()->neighbors.size(), 9u);

    Switchboard::GetInstance().Broadcast(new Message("Back"));
    Frame();
    EXPECT_NEAR(Camera::GetInstance().GetViewRadius(), before, 1e-4f) << "the view is restored";
}

TEST_F(PlayRulesTest, CharactersAndDollarsAreRegisteredUnderTheEngineClassName)
{
    PlayField* field = StartGame();
    std::vector<Actor*> actors(field->Suits().begin(), field->Suits().end());
    actors.insert(actors.end(), field->Dollars().begin(), field->Dollars().end());
    for (Actor* actor : actors)
    {
        EXPECT_EQ(actor->GetClassName(), "Actor");
        EXPECT_EQ(actor->GetName().rfind("Actor", 0), 0u) << actor->GetName();
        EXPECT_EQ(Actor::GetNamed(actor->GetName()), actor);
    }
}

TEST_F(PlayRulesTest, LevelTwoBringsTwoSuitsThreeConsumersOneJournalistThreeDollars)
{
    PlayField* field = StartGame();
    const std::map<String, int> before = CountKinds(field);
    Screen()->LevelUp();
    std::map<String, int> after = CountKinds(field);
    EXPECT_EQ(field->Level(), 2);
    EXPECT_FLOAT_EQ(field->Goal(), 30.0f);
    EXPECT_EQ(after["Suit_AI"] - before.at("Suit_AI"), 2);
    EXPECT_EQ(after["Suit_Consumer"] - before.at("Suit_Consumer"), 3);
    EXPECT_EQ(after["Suit_Journalist"] - before.at("Suit_Journalist"), 1);
    EXPECT_EQ(after["AlmightyDollar"] - before.at("AlmightyDollar"), 3);

    // The view widens by a quarter over one second, and later arrivals watch nobody.
    Run(1.1f);
    EXPECT_NEAR(Camera::GetInstance().GetViewRadius(), 3.75f, 1e-3f);
    EXPECT_TRUE(field->Suits().back()->GetBoid()->neighbors.empty());
}

TEST_F(PlayRulesTest, SpawnManyWithMaxNotAboveMinPlacesExactlyMin)
{
    PlayField* field = StartEmptyGame();
    EXPECT_EQ(field->SpawnMany(2, 5, PlayField::ST_Dollar, SpawnExclusion()), 5);
    EXPECT_EQ(field->SpawnMany(4, 4, PlayField::ST_Consumer, SpawnExclusion()), 4);
    EXPECT_EQ(field->Dollars().size(), 5u);
    EXPECT_EQ(field->Consumers().size(), 4u);
    EXPECT_FALSE(field->SpawnOne(7, SpawnExclusion())) << "unknown type";
}

TEST_F(PlayRulesTest, SpawnedObjectsKeepAUnitApartAndRunOutOfRoom)
{
    PlayField* field = StartEmptyGame();
    // A 3-unit view leaves room for a few dozen objects at most.
    const int placed = field->SpawnMany(200, 200, PlayField::ST_Dollar, SpawnExclusion());
    EXPECT_LT(placed, 200);
    EXPECT_GT(placed, 10);
    std::vector<Vector2> spots{field->Player()->GetPosition()};
    for (AlmightyDollar* dollar : field->Dollars())
        spots.push_back(dollar->GetPosition());
    for (size_t i = 0; i < spots.size(); ++i)
        for (size_t j = i + 1; j < spots.size(); ++j)
            EXPECT_GE(Vector2::DistanceSquared(spots[i], spots[j]), 1.0f);
}

TEST_F(PlayRulesTest, NoSpawnBeyondSevenHundredAndFiftyObjects)
{
    PlayField* field = StartEmptyGame();
    Camera::GetInstance().SetZByViewRadius(40.0f);
    while (field->Suits().size() + field->Dollars().size() < 750)
        ASSERT_TRUE(field->SpawnOne(PlayField::ST_Dollar, SpawnExclusion()));
    EXPECT_TRUE(field->SpawnOne(PlayField::ST_Dollar, SpawnExclusion())) << "750 is still allowed";
    EXPECT_FALSE(field->SpawnOne(PlayField::ST_Dollar, SpawnExclusion()));
    EXPECT_EQ(field->SpawnMany(5, 5, PlayField::ST_Consumer, SpawnExclusion()), 0);
}

TEST_F(PlayRulesTest, MoveWithPushSharesTheOverlap)
{
    PlayField* field = StartEmptyGame();
    Suit_AI* other = Place<Suit_AI>(Vector2(1.0f, 0.0f));
    // Moving to (0.5, 0): 0.5 apart, so 0.3 of overlap.
    for (float share : {0.9f, 0.2f, 0.0f})
    {
        field->Player()->SetPosition(0.0f, 0.0f);
        other->SetPosition(1.0f, 0.0f);
        MoveWithPush(Vector2(0.5f, 0.0f), field->Player(), share);
        EXPECT_NEAR(other->GetPosition().X, 1.0f + 0.3f * share, 1e-5f) << "share " << share;
        EXPECT_NEAR(field->Player()->GetPosition().X, 0.5f - 0.3f * (1.0f - share), 1e-5f) << "share " << share;
    }
    // Nobody is pushed out of the play area.
    const PlayArea area = field->GetPlayArea();
    other->SetPosition(area.right, 0.0f);
    MoveWithPush(Vector2(area.right - 0.1f, 0.0f), field->Player(), 0.9f);
    EXPECT_LE(other->GetPosition().X, area.right);
}

TEST_F(PlayRulesTest, TwoSuitsOnOneDollarTheFirstTakesIt)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(-2.0f, -2.0f));
    Suit_AI* rival = Place<Suit_AI>(Vector2(0.2f, 0.0f));
    field->SpawnOne(PlayField::ST_Dollar, SpawnExclusion());
    AlmightyDollar* dollar = field->Dollars().front();
    dollar->SetPosition(0.1f, 0.0f);
    Screen()->Update(0.0f);
    EXPECT_TRUE(field->Dollars().empty());
    EXPECT_TRUE(dollar->IsDestroyed());
    // The rival heard of it and chases the taker for five seconds.
    Frame();
    EXPECT_TRUE(rival->follow->enabled);
    EXPECT_EQ(rival->follow->target, field->Player()->GetBoid());
    EXPECT_FLOAT_EQ(rival->followTime, 5.0f - 1.0f / 60.0f);
}

TEST_F(PlayRulesTest, ThirdBustEndsTheGameAndBackFollowsFiveSecondsLater)
{
    PlayField* field = StartGame();
    Bust(field);
    Bust(field);
    Frame();
    EXPECT_TRUE(field->IsRunning());
    Bust(field);
    Frame();
    EXPECT_EQ(field->LieBusts(), 3);
    EXPECT_FALSE(field->IsRunning()) << "the first update after the third bust ends it";
    EXPECT_TRUE(field->IsGameOver());
    EXPECT_TRUE(World::GetInstance().particlesOnly);
    Run(4.9f);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Play);
    Run(0.2f);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
    EXPECT_FALSE(World::GetInstance().particlesOnly);
}

TEST_F(PlayRulesTest, LastConsumerGoneEndsTheGame)
{
    PlayField* field = StartGame();
    const std::vector<Suit_Consumer*> consumers = field->Consumers();
    for (Suit_Consumer* consumer : consumers)
        consumer->Destroy();
    EXPECT_TRUE(field->Consumers().empty()) << "dying consumers leave the lists";
    Frame();
    EXPECT_FALSE(field->IsRunning());
    EXPECT_LT(field->LieBusts(), field->MaxLieBusts());
    Run(5.1f);
    EXPECT_EQ(manager->GetCurrentScreen(), SuitGameManager::SI_Start);
}

TEST_F(PlayRulesTest, APriceThatPassesTwoGoalsLevelsUpOncePerFrame)
{
    PlayField* field = StartGame();
    field->Ticker()->price = 35.0f;
    Frame();
    EXPECT_EQ(field->Level(), 2);
    Frame();
    EXPECT_EQ(field->Level(), 3);
    EXPECT_TRUE(field->Ticker()->events.empty()) << "pending price events are dropped";
}

TEST_F(PlayRulesTest, GamesOneAfterAnotherStartAfresh)
{
    for (int game = 0; game < 3; ++game)
    {
        PlayField* field = StartGame();
        Hold(' ');
        Run(1.0f);
        ReleaseAll();
        EXPECT_EQ(field->Suits().size(), 9u);
        EXPECT_EQ(field->Level(), 1);
        manager->SwitchTo(SuitGameManager::SI_Start);
        Run(0.1f);
        EXPECT_TRUE(field->Suits().empty());
        EXPECT_EQ(field->Player(), nullptr);
    }
}
