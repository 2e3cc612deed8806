#include "Game/PlayField.h"

#include "Game/AlmightyDollar.h"
#include "Game/Explosions.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/SteeringBoid.h"
#include "Game/StockTicker.h"
#include "Game/Suit_Consumer.h"
#include "Game/Suit_Journalist.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/ScreenMath.h"

#include <algorithm>

namespace
{
// A suit's box (0.5 x 1) and a dollar's (0.75 x 0.75) overlap only within this distance.
constexpr float PickupSearchRadius = 1.0f;

bool BoxesOverlap(const Vector2& aMin, const Vector2& aMax, const Vector2& bMin, const Vector2& bMax)
{
    return !(aMin.X > bMax.X || aMax.X < bMin.X || aMin.Y > bMax.Y || aMax.Y < bMin.Y);
}
} // namespace

PlayField::~PlayField() { ReleaseBoids(); }

void PlayField::Begin()
{
    highScore = 0.0f;
    level = 1;
    maxLieBusts = 3;
    goal = 10.0f;
    lieBusts = 0;
    running = true;
    left = false;
    mostFollowers = 0;

    player = new Suit_Player(*this);
    player->SetPosition(0.0f, 0.0f);
    AddSuit(player);

    const SpawnExclusion none;
    SpawnMany(3, 3, ST_AI, none);
    SpawnMany(4, 4, ST_Consumer, none);
    SpawnMany(1, 1, ST_Journalist, none);
    SpawnMany(3, 3, ST_Dollar, none);

    // Only the boids of the first wave watch each other; later ones join nobody's list,
    // so neighbour scans never grow with the field.
    std::vector<SteeringBoid*> firstWave;
    for (Suit* suit : suits)
        if (suit->GetBoid())
            firstWave.push_back(suit->GetBoid());
    for (SteeringBoid* boid : firstWave)
        boid->neighbors = firstWave;

    World& world = World::GetInstance();
    world.Add(player, "Suits");
    auto* newTicker = new StockTicker(this);
    world.Add(newTicker, "UI");
    ticker = newTicker;
    auto* newLieMeter = new LieMeter(*this, player, 135.0f, 135.0f);
    world.Add(newLieMeter, "UI");
    lieMeter = newLieMeter;
}

void PlayField::Clear()
{
    running = false;

    // Taken out of the lists first: what is destroyed below leaves the lists as it goes
    // (Forget), and must not change the ones being walked.
    std::vector<Suit*> leaving;
    leaving.swap(suits);
    std::vector<AlmightyDollar*> dollarsLeaving;
    dollarsLeaving.swap(dollars);
    for (Suit* suit : leaving)
    {
        if (!suit)
            continue;
        suit->ForgetBoid();
        if (!suit->IsDestroyed())
            suit->Destroy();
    }
    for (AlmightyDollar* dollar : dollarsLeaving)
        dollar->Destroy();
    journalists.clear();
    consumers.clear();
    liars.clear();
    flashing.clear();
    liarsBySender.clear();
    journalistsBySender.clear();
    grid.Clear();
    ReleaseBoids();

    if (ticker)
        ticker->Destroy();
    if (lieMeter)
        lieMeter->Destroy();
    ticker = {};
    lieMeter = {};
    player = nullptr;
}

void PlayField::Finish() { running = false; }

void PlayField::ReleaseBoids()
{
    // Every boid of this game goes at once, so no neighbour list outlives its boids.
    for (SteeringBoid* boid : boids)
        delete boid;
    boids.clear();
}

void PlayField::AdoptBoid(SteeringBoid* boid)
{
    if (boid)
        boids.push_back(boid);
}

PlayArea PlayField::GetPlayArea() const
{
    // Every move of every character asks; the answer changes only with the camera.
    Camera& camera = Camera::GetInstance();
    const float z = camera.GetZ();
    const Vector2 eye = camera.GetPosition();
    const int width = camera.GetWindowWidth();
    const int height = camera.GetWindowHeight();
    if (!areaCache.valid || areaCache.z != z || areaCache.eye != eye || areaCache.width != width ||
        areaCache.height != height)
    {
        const Vector2 lowerLeft = MathKit::ScreenPointToWorld(0, height);
        // Ends under the head-up display, whose panels would hide whoever walked beneath them.
        const Vector2 upperRight = MathKit::ScreenPointToWorld(width, HudText::FieldTop(height));
        areaCache.area = PlayArea{lowerLeft.X + 0.3f, upperRight.X - 0.3f, lowerLeft.Y + 0.5f, upperRight.Y - 0.7f};
        areaCache.z = z;
        areaCache.eye = eye;
        areaCache.width = width;
        areaCache.height = height;
        areaCache.valid = true;
    }
    return areaCache.area;
}

void PlayField::SetFlashing(Suit_Journalist* journalist, bool on)
{
    auto found = std::find(flashing.begin(), flashing.end(), journalist);
    if (!on)
    {
        if (found != flashing.end())
            flashing.erase(found);
        return;
    }
    if (found != flashing.end())
        return;
    auto later =
        std::find_if(flashing.begin(), flashing.end(),
                     [journalist](const Suit_Journalist* other) { return other->serial > journalist->serial; });
    flashing.insert(later, journalist);
}

void PlayField::NoteFollowerCount(int count) { mostFollowers = std::max(mostFollowers, count); }

float PlayField::GetLongestReach() const { return 1.5f + static_cast<float>(mostFollowers) / 16.0f; }

float PlayField::GetMaxLieRadius() const { return 3.0f + 0.5f * static_cast<float>(level); }

void PlayField::CountBust() { ++lieBusts; }

void PlayField::JumpToLevel(int newLevel, float newGoal)
{
    level = newLevel;
    goal = newGoal;
}

void PlayField::Leave()
{
    if (running)
        left = true;
}

bool PlayField::IsGameOver() const { return left || lieBusts >= maxLieBusts || consumers.empty() || !player; }

void PlayField::AddSuit(Suit* suit)
{
    suit->serial = nextSerial++;
    if (suit->GetKind() == SK_Journalist)
        journalists.push_back(static_cast<Suit_Journalist*>(suit));
    if (suit->GetKind() == SK_Consumer)
        consumers.push_back(static_cast<Suit_Consumer*>(suit));
    suits.push_back(suit);
    grid.Insert(suit);
    if (suit->GetKind() == SK_Player || suit->GetKind() == SK_AI)
    {
        liars.push_back(suit);
        liarsBySender[suit] = suit;
    }
    if (suit->GetKind() == SK_Journalist)
        journalistsBySender[suit] = static_cast<Suit_Journalist*>(suit);
}

void PlayField::Forget(Suit* gone)
{
    // Also after the game is over: a script may still destroy what stands on the field.
    if (!gone)
        return;
    // Whoever follows it lets go now: after this frame it is freed memory.
    for (Suit* suit : suits)
        if (suit != gone && suit->GetLeader() == gone)
            suit->StopFollowing(gone);
    auto drop = [gone](auto& list) { list.erase(std::remove(list.begin(), list.end(), gone), list.end()); };
    drop(suits);
    drop(liars);
    drop(consumers);
    drop(journalists);
    drop(flashing);
    grid.Remove(gone);
    liarsBySender.erase(gone);
    journalistsBySender.erase(gone);
    if (gone == player)
        player = nullptr;
}

void PlayField::ForgetDollar(AlmightyDollar* gone)
{
    dollars.erase(std::remove(dollars.begin(), dollars.end(), gone), dollars.end());
}

void PlayField::NoteMoved(Suit* suit)
{
    if (suit->inGrid)
        grid.Move(suit);
}

Suit_Journalist* PlayField::FindJournalist(const MessageListener* sender) const
{
    auto found = journalistsBySender.find(sender);
    return found == journalistsBySender.end() ? nullptr : found->second;
}

Suit_Journalist* PlayField::FindReporter(const Message* bustNews) const
{
    return FindJournalist(bustNews->GetSender());
}

Suit* PlayField::FindLiar(const MessageListener* sender) const
{
    auto found = liarsBySender.find(sender);
    return found == liarsBySender.end() ? nullptr : found->second;
}

bool PlayField::IsPlayer(const MessageListener* sender) const
{
    return player && sender == static_cast<const MessageListener*>(player);
}

bool PlayField::TakePrice()
{
    if (!ticker)
        return false;
    if (ticker->price > highScore)
        highScore = ticker->price;
    return ticker->price > goal;
}

void PlayField::Update()
{
    TakePickups();
    for (size_t i = 0; i < suits.size(); ++i)
        if (suits[i])
            suits[i]->UpdateAllegiance();
}

void PlayField::TakePickups()
{
    // Each dollar goes to the first leader on the field whose box overlaps it. Looking
    // around each dollar, instead of over every pair, keeps this linear; the takings
    // are then announced in field order, as a walk over the suits would find them.
    struct Taking
    {
        long long serial;
        size_t dollarIndex;
        Suit* taker;
        AlmightyDollar* dollar;
    };
    std::vector<Taking> takings;
    for (size_t i = 0; i < dollars.size(); ++i)
    {
        AlmightyDollar* dollar = dollars[i];
        if (dollar->IsDestroyed())
            continue;
        grid.Query(dollar->GetPosition(), PickupSearchRadius, scratch);
        for (Suit* suit : scratch)
        {
            if (!suit || !suit->IsLiar() || !BoxesOverlap(suit->boxMin, suit->boxMax, dollar->boxMin, dollar->boxMax))
                continue;
            takings.push_back(Taking{suit->serial, i, suit, dollar});
            break;
        }
    }
    std::sort(takings.begin(), takings.end(),
              [](const Taking& a, const Taking& b)
              { return a.serial != b.serial ? a.serial < b.serial : a.dollarIndex < b.dollarIndex; });

    for (const Taking& taking : takings)
    {
        Switchboard::GetInstance().Broadcast(new Message("PickupMoney", taking.taker));
        World::GetInstance().Add(
            new PickupMoneyExplosion(taking.dollar->GetPosition() * 0.75f + taking.taker->GetPosition() * 0.25f), 0);
        GameSounds::Play(GS_MoneyPickup);
        // Leaves `dollars` as it is destroyed.
        taking.dollar->Destroy();
    }
}
