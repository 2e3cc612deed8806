#include "FramePixels.h"
#include "GameTestSupport.h"

#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/StockTicker.h"
#include "Infrastructure/Camera.h"
#include "Platform/ScreenMath.h"

#include <algorithm>

namespace
{
template <typename List, typename Item> bool Lists(const List& list, const Item* item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// The player's navy jacket.
bool IsJacket(const Pixel& p) { return p.b > p.r + 30 && p.b < 170 && p.r < 80 && p.g < 90; }

bool InGrid(const PlayField& field, const Suit* suit)
{
    std::vector<Suit*> found;
    field.Grid().Query(suit->GetPosition(), 1.0f, found);
    return Lists(found, suit);
}
} // namespace

class PlayFieldTest : public GameTest
{
protected:
    // Nobody made for a field may outlive it: what is still standing goes, and the
    // World deletes it, before the field does.
    static void DestroyAll(const PlayField& field)
    {
        const std::vector<Suit*> suits = field.Suits();
        for (Suit* suit : suits)
            suit->Destroy();
        const std::vector<AlmightyDollar*> dollars = field.Dollars();
        for (AlmightyDollar* dollar : dollars)
            dollar->Destroy();
    }
};

TEST_F(PlayFieldTest, CharactersOfASecondFieldKeepToTheirOwn)
{
    PlayField* game = StartEmptyGame();
    Suit_Consumer* ours = Place<Suit_Consumer>(Vector2(-2.5f, -2.0f));
    Suit_AI* ourRival = Place<Suit_AI>(Vector2(3.0f, 2.0f));
    ourRival->GetBoid()->maxSpeed = 0.0f;
    const std::vector<Suit*> ourSuits = game->Suits();

    PlayField other;
    // Right beside our player: on a shared grid it would push him, and its dollar would
    // be within his reach.
    Suit_AI* theirRival = Place<Suit_AI>(Vector2(0.3f, 0.0f), &other);
    Suit_Consumer* theirs = Place<Suit_Consumer>(Vector2(0.0f, 1.0f), &other);
    Suit_Journalist* theirJournalist = Place<Suit_Journalist>(Vector2(-1.0f, 0.0f), &other);
    for (Suit* suit : other.Suits())
        suit->GetBoid()->maxSpeed = 0.0f;
    ASSERT_TRUE(other.SpawnOne(PlayField::ST_Dollar, SpawnExclusion()));
    other.Dollars().front()->SetPosition(0.3f, 0.0f);

    EXPECT_EQ(game->Suits(), ourSuits);
    EXPECT_EQ(game->Consumers(), std::vector<Suit_Consumer*>{ours});
    EXPECT_TRUE(game->Journalists().empty());
    EXPECT_TRUE(game->Dollars().empty());
    EXPECT_EQ(other.Suits().size(), 3u);
    EXPECT_EQ(other.Player(), nullptr);
    EXPECT_FALSE(InGrid(*game, theirRival));

    // Their rival takes their dollar: our rival doesn't chase it, our ticker doesn't hear it
    // as ours, and their consumer joins their rival, not our player standing as close.
    game->Ticker()->events.clear();
    other.Update();
    Frame();
    EXPECT_TRUE(other.Dollars().empty());
    EXPECT_FALSE(ourRival->follow->enabled);
    EXPECT_TRUE(game->Ticker()->events.empty());
    EXPECT_EQ(theirs->GetLeader(), static_cast<Suit*>(theirRival));
    EXPECT_EQ(game->Player()->GetFollowerCount(), 0);
    EXPECT_NEAR(game->Player()->GetPosition().X, 0.0f, 1e-6f) << "pushed by another field's rival";
    EXPECT_EQ(game->FindLiar(theirRival), nullptr);
    EXPECT_EQ(other.FindJournalist(theirJournalist), theirJournalist);
    EXPECT_EQ(game->FindJournalist(theirJournalist), nullptr);

    DestroyAll(other);
    Frame();
    EXPECT_TRUE(other.Suits().empty());
    EXPECT_EQ(game->Suits(), ourSuits) << "their characters left our lists alone";
    EXPECT_EQ(game->Consumers(), std::vector<Suit_Consumer*>{ours});
    EXPECT_TRUE(game->IsRunning());
}

TEST_F(PlayFieldTest, ADestroyedSuitLeavesEveryListAndItsFollowersLetGo)
{
    PlayField* field = StartEmptyGame();
    Suit_AI* rival = Place<Suit_AI>(Vector2(3.0f, 2.0f));
    Suit_Consumer* follower = Place<Suit_Consumer>(Vector2(3.0f, 1.0f));
    Suit_Journalist* journalist = Place<Suit_Journalist>(Vector2(-3.0f, -2.0f));
    ASSERT_TRUE(rival->AddFollower(follower));
    journalist->SetFlashRadius(1.0f);
    ASSERT_TRUE(Lists(field->Flashing(), journalist));

    rival->Destroy();
    EXPECT_EQ(follower->GetLeader(), nullptr);
    EXPECT_FALSE(Lists(field->Suits(), rival));
    EXPECT_FALSE(Lists(field->Liars(), rival));
    EXPECT_FALSE(InGrid(*field, rival));
    EXPECT_EQ(field->FindLiar(rival), nullptr);

    journalist->Destroy();
    EXPECT_FALSE(Lists(field->Suits(), journalist));
    EXPECT_FALSE(Lists(field->Journalists(), journalist));
    EXPECT_FALSE(Lists(field->Flashing(), journalist));
    EXPECT_EQ(field->FindJournalist(journalist), nullptr);

    Suit_Player* player = field->Player();
    EXPECT_FALSE(field->IsGameOver());
    player->Destroy();
    EXPECT_EQ(field->Player(), nullptr);
    EXPECT_FALSE(Lists(field->Liars(), player));
    EXPECT_FALSE(field->IsPlayer(player));
    EXPECT_TRUE(field->IsGameOver());
    EXPECT_EQ(field->Suits(), std::vector<Suit*>{follower});
}

TEST_F(PlayFieldTest, AJournalistCatchingAFlashWhileTheListGrowsHearsEveryColleague)
{
    StartEmptyGame();
    // A field of its own, so that the list of flashing journalists is new: holding two,
    // it is full, and the third to flash makes it move.
    PlayField field;
    Suit_Journalist* first = Place<Suit_Journalist>(Vector2(0.0f, 0.0f), &field);
    Suit_Journalist* second = Place<Suit_Journalist>(Vector2(0.5f, 0.0f), &field);
    Suit_Journalist* third = Place<Suit_Journalist>(Vector2(1.0f, 0.0f), &field);
    first->lastLieSeen = 1;
    first->SetFlashRadius(3.0f);
    second->lastLieSeen = 2;
    second->SetFlashRadius(3.0f);

    third->Update(1.0f / 60.0f);
    EXPECT_EQ(third->lastLieSeen, 2) << "the later lie of the second colleague counts too";
    EXPECT_EQ(field.Flashing(), (std::vector<Suit_Journalist*>{first, second, third}));

    DestroyAll(field);
    Frame();
}

TEST_F(PlayFieldTest, CharactersStayInSightBelowTheHeadUpDisplay)
{
    PlayField* field = StartEmptyGame();
    Place<Suit_Consumer>(Vector2(0.0f, -2.5f));
    Screen()->HideGoalBanner();
    Suit_Player* player = field->Player();
    Frame();
    const int whole = CountIn(CaptureFrame(), 0, 0, 1024, 768, IsJacket);
    ASSERT_GT(whole, 500);

    // Pushed into the top corners and under the goal: the ticker, the goal and the lie
    // meter stand there.
    for (float x : {-100.0f, 0.0f, 100.0f})
    {
        player->SetPosition(x, 100.0f);
        Frame();
        const Vector2 head = MathKit::WorldPointToScreen(player->GetPosition() + Vector2(0.0f, 0.5f));
        EXPECT_GE(head.Y, static_cast<float>(HudText::HudBottom)) << "x " << x;
        EXPECT_GT(CountIn(CaptureFrame(), 0, 0, 1024, 768, IsJacket), whole * 9 / 10) << "x " << x;
    }

    // The same in the wider view of a later level, and for new arrivals.
    field->LevelUp();
    Camera::GetInstance().SetZByViewRadius(Camera::GetInstance().GetViewRadius() * 1.25f);
    const float fieldTop = MathKit::ScreenPointToWorld(0, HudText::HudBottom).Y;
    for (Suit* suit : field->Suits())
        EXPECT_LE(suit->GetPosition().Y + 0.5f, fieldTop) << suit->GetClassName();
}
