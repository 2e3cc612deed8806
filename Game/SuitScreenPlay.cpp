#include "Game/SuitScreenPlay.h"

#include "Game/AlmightyDollar.h"
#include "Game/BestPrice.h"
#include "Game/Explosions.h"
#include "Game/GameSounds.h"
#include "Game/HudText.h"
#include "Game/LieMeter.h"
#include "Game/SteeringBoid.h"
#include "Game/StockTicker.h"
#include "Game/Suit_AI.h"
#include "Game/Suit_Consumer.h"
#include "Game/Suit_Journalist.h"
#include "Game/Suit_Player.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/ScreenMath.h"
#include "Util/MathKit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
SuitScreenPlay* playScreen = nullptr;

constexpr size_t MaxObjects = 750;
constexpr int SpawnAttempts = 50;
constexpr float MinSpawnDistanceSquared = 1.0f;
constexpr float StartViewRadius = 3.0f;
constexpr float ZoomFactor = 1.25f;
constexpr float GoalStep = 20.0f;
constexpr float BackDelay = 5.0f;
constexpr float BannerSeconds = 3.0f;
// A suit's box (0.5 x 1) and a dollar's (0.75 x 0.75) overlap only within this distance.
constexpr float PickupSearchRadius = 1.0f;

bool BoxesOverlap(const Vector2& aMin, const Vector2& aMax, const Vector2& bMin, const Vector2& bMax)
{
    return !(aMin.X > bMax.X || aMax.X < bMin.X || aMin.Y > bMax.Y || aMax.Y < bMin.Y);
}

// a + a random multiple of 0.1 below b - a.
float PickOnGrid(float a, float b)
{
    const int steps = static_cast<int>((b - a) * 10.0f + 0.5f);
    return a + static_cast<float>(MathKit::RandomIntBelow(steps)) / 10.0f;
}

void DrawBanner(const char* text, int row)
{
    HudText::DrawBoxed(text, "ConsoleLarge", HudText::CenteredX(text, "ConsoleLarge"), row,
                       Color(0.0f, 0.0f, 0.0f, 1.0f));
}
} // namespace

SuitScreenPlay::SuitScreenPlay()
{
    playScreen = this;
    Switchboard::GetInstance().SubscribeTo(this, "LieMeterBusted");
}

SuitScreenPlay* SuitScreenPlay::GetPlayScreen() { return playScreen; }

PlayArea SuitScreenPlay::GetPlayArea() const
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
        const Vector2 upperRight = MathKit::ScreenPointToWorld(width, 0);
        areaCache.area = PlayArea{lowerLeft.X + 0.3f, upperRight.X - 0.3f, lowerLeft.Y + 0.5f, upperRight.Y - 0.7f};
        areaCache.z = z;
        areaCache.eye = eye;
        areaCache.width = width;
        areaCache.height = height;
        areaCache.valid = true;
    }
    return areaCache.area;
}

void SuitScreenPlay::SetFlashing(Suit_Journalist* journalist, bool on)
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

void SuitScreenPlay::NoteFollowerCount(int count) { mostFollowers = std::max(mostFollowers, count); }

float SuitScreenPlay::GetLongestReach() const { return 1.5f + static_cast<float>(mostFollowers) / 16.0f; }

bool SuitScreenPlay::IsGameOver() const { return lieBusts >= maxLieBusts || consumers.empty() || !player; }

void SuitScreenPlay::Start()
{
    highScore = 0.0f;
    level = 1;
    maxLieBusts = 3;
    goal = 10.0f;
    lieBusts = 0;
    running = true;
    goalMessageTime = BannerSeconds;
    zoom = ZoomTween();
    mostFollowers = 0;

    Camera& camera = Camera::GetInstance();
    savedViewRadius = camera.GetViewRadius();
    camera.SetZByViewRadius(StartViewRadius);

    player = new Suit_Player();
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
    auto* newTicker = new StockTicker();
    world.Add(newTicker, "UI");
    ticker = newTicker;
    auto* newLieMeter = new LieMeter(player, 135.0f, 135.0f);
    world.Add(newLieMeter, "UI");
    lieMeter = newLieMeter;
}

void SuitScreenPlay::Stop()
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

    Camera::GetInstance().SetZByViewRadius(savedViewRadius);
    World::GetInstance().particlesOnly = false;
}

void SuitScreenPlay::ReleaseBoids()
{
    // Every boid of this game goes at once, so no neighbour list outlives its boids.
    for (SteeringBoid* boid : boids)
        delete boid;
    boids.clear();
}

void SuitScreenPlay::AdoptBoid(SteeringBoid* boid)
{
    if (boid)
        boids.push_back(boid);
}

void SuitScreenPlay::AddSuit(Suit* suit)
{
    suit->serial = nextSerial++;
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

void SuitScreenPlay::Forget(Suit* gone)
{
    // Also after the game is over: a script may still destroy what stands on the field.
    if (!gone)
        return;
    // Whoever follows it lets go now: after this frame it is freed memory.
    for (Suit* suit : suits)
        if (suit != gone && suit->leader == gone)
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

void SuitScreenPlay::ForgetDollar(AlmightyDollar* gone)
{
    dollars.erase(std::remove(dollars.begin(), dollars.end(), gone), dollars.end());
}

Suit_Journalist* SuitScreenPlay::FindJournalist(const MessageListener* sender) const
{
    auto found = journalistsBySender.find(sender);
    return found == journalistsBySender.end() ? nullptr : found->second;
}

Suit_Journalist* SuitScreenPlay::FindReporter(const Message* bustNews)
{
    SuitScreenPlay* play = GetPlayScreen();
    return play ? play->FindJournalist(bustNews->GetSender()) : nullptr;
}

Suit* SuitScreenPlay::FindLiar(const MessageListener* sender) const
{
    auto found = liarsBySender.find(sender);
    return found == liarsBySender.end() ? nullptr : found->second;
}

void SuitScreenPlay::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "LieMeterBusted")
        ++lieBusts;
}

void SuitScreenPlay::Update(float dt)
{
    if (zoom.active)
    {
        zoom.elapsed += dt;
        if (zoom.elapsed >= zoom.duration)
        {
            zoom.active = false;
            zoom.current = zoom.end;
        }
        else
        {
            zoom.current = zoom.start + (zoom.end - zoom.start) * zoom.elapsed / zoom.duration;
        }
        Camera::GetInstance().SetZByViewRadius(zoom.current);
    }

    if (IsGameOver())
    {
        EndGame();
        return;
    }

    if (IsPadBackPressed())
        Switchboard::GetInstance().Broadcast(new Message("Back"));
    if (goalMessageTime > 0.0f)
        goalMessageTime -= dt;
    if (ticker)
    {
        if (ticker->price > highScore)
            highScore = ticker->price;
        if (ticker->price > goal)
            LevelUp();
    }

    TakePickups();
    for (size_t i = 0; i < suits.size(); ++i)
        if (suits[i])
            suits[i]->UpdateAllegiance();
}

void SuitScreenPlay::TakePickups()
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

void SuitScreenPlay::EndGame()
{
    if (!running)
        return;
    running = false;
    RecordHighScore();
    Switchboard::GetInstance().DeferredBroadcast(new Message("Back"), BackDelay);
    World::GetInstance().particlesOnly = true;
}

void SuitScreenPlay::RecordHighScore() { BestPrice::Record(highScore); }

void SuitScreenPlay::LevelUp()
{
    goal += GoalStep;
    ++level;

    Camera& camera = Camera::GetInstance();
    const float radius = camera.GetViewRadius();
    zoom = ZoomTween();
    zoom.start = radius;
    zoom.end = ZoomFactor * radius;
    zoom.current = radius;
    zoom.duration = 1.0f;
    zoom.active = true;

    // New rivals, journalists and dollars appear outside the part already seen.
    const Vector2 visibleMin = MathKit::ScreenPointToWorld(0, camera.GetWindowHeight());
    const Vector2 visibleMax = MathKit::ScreenPointToWorld(camera.GetWindowWidth(), 0);
    SpawnExclusion exclusion;
    exclusion.left = visibleMin.X + 0.7f;
    exclusion.bottom = visibleMin.Y + 0.7f;
    exclusion.right = visibleMax.X - 0.7f;
    exclusion.top = visibleMax.Y - 0.7f;

    // Spawn into the area of the enlarged view, which the zoom below then reveals.
    camera.SetZByViewRadius(ZoomFactor * radius);
    const PlayArea enlarged = GetPlayArea();
    const float l = static_cast<float>(level);
    const SpawnExclusion none;
    SpawnMany(static_cast<int>(1.75f * l), static_cast<int>(1.25f * l), ST_AI, exclusion);
    SpawnMany(static_cast<int>(2.0f * l), static_cast<int>(1.75f * l), ST_Consumer, none);
    SpawnMany(static_cast<int>(0.875f * l), static_cast<int>(0.625f * l), ST_Journalist, exclusion);
    SpawnMany(static_cast<int>(2.0f * l), static_cast<int>(1.5f * l), ST_Dollar, exclusion);
    camera.SetZByViewRadius(radius);

    goalMessageTime += BannerSeconds;
    if (ticker)
        ticker->events.clear();
    GameSounds::Play(GS_StockGoal);

    // Every boid is confined to the enlarged area, the one the new arrivals were given:
    // the view reaches it within the second the zoom takes.
    for (Suit* suit : suits)
        if (suit && suit->GetBoid())
            suit->GetBoid()->SetBounds(enlarged.left, enlarged.top, enlarged.right, enlarged.bottom);
}

int SuitScreenPlay::SpawnMany(int max, int min, int type, const SpawnExclusion& exclusion)
{
    const int count = max > min ? min + std::rand() % (max - min) : min;
    int placed = 0;
    while (placed < count && SpawnOne(type, exclusion))
        ++placed;
    return placed;
}

Vector2 SuitScreenPlay::RandomSpawnPoint(const SpawnExclusion& exclusion) const
{
    const PlayArea area = GetPlayArea();
    switch (std::rand() % 4)
    {
    case 0:
        return Vector2(PickOnGrid(area.left, exclusion.left), PickOnGrid(area.bottom, area.top));
    case 1:
        return Vector2(PickOnGrid(exclusion.right, area.right), PickOnGrid(area.bottom, area.top));
    case 2:
        return Vector2(PickOnGrid(area.left, area.right), PickOnGrid(area.bottom, exclusion.bottom));
    default:
        return Vector2(PickOnGrid(area.left, area.right), PickOnGrid(exclusion.top, area.top));
    }
}

bool SuitScreenPlay::IsSpotFree(const Vector2& point)
{
    grid.Query(point, 1.0f, scratch);
    for (Suit* suit : scratch)
        if (suit && Vector2::DistanceSquared(suit->GetPosition(), point) < MinSpawnDistanceSquared)
            return false;
    for (AlmightyDollar* dollar : dollars)
        if (Vector2::DistanceSquared(dollar->GetPosition(), point) < MinSpawnDistanceSquared)
            return false;
    return true;
}

bool SuitScreenPlay::SpawnOne(int type, const SpawnExclusion& exclusion)
{
    if (suits.size() + dollars.size() > MaxObjects)
        return false;
    if (type < ST_Journalist || type > ST_Dollar)
        return false;

    for (int attempt = 0; attempt < SpawnAttempts; ++attempt)
    {
        const Vector2 point = RandomSpawnPoint(exclusion);
        if (!IsSpotFree(point))
            continue;

        Actor* created = nullptr;
        if (type == ST_Dollar)
        {
            auto* dollar = new AlmightyDollar();
            dollar->SetPosition(point);
            dollars.push_back(dollar);
            created = dollar;
        }
        else
        {
            Suit* suit = nullptr;
            if (type == ST_Journalist)
            {
                auto* journalist = new Suit_Journalist(player);
                journalists.push_back(journalist);
                suit = journalist;
            }
            else if (type == ST_Consumer)
            {
                auto* consumer = new Suit_Consumer(player);
                consumers.push_back(consumer);
                suit = consumer;
            }
            else
            {
                suit = new Suit_AI(player);
            }
            suit->SetPosition(point);
            AddSuit(suit);
            created = suit;
        }
        World::GetInstance().Add(created, 0);
        return true;
    }
    return false;
}

void SuitScreenPlay::RenderOverlay()
{
    char text[127];
    if (player)
    {
        std::snprintf(text, sizeof(text), "Goal:%.2f", static_cast<double>(goal));
        HudText::DrawBoxed(text, "Console", HudText::CenteredX(text, "Console"), 30, Color(0.0f, 0.0f, 0.0f, 0.9f));
    }
    if (!IsGameOver())
    {
        if (goalMessageTime > 0.0f)
        {
            std::snprintf(text, sizeof(text), "Reach Stock Price of %.2f", static_cast<double>(goal));
            DrawBanner(text, 300);
        }
        return;
    }
    DrawBanner("Game Over!", 300);
    DrawBanner(lieBusts >= maxLieBusts ? "You lied too much." : "All Consumers are dead.", 400);
    std::snprintf(text, sizeof(text), "High Score: %.2f", static_cast<double>(highScore));
    DrawBanner(text, 500);
}
