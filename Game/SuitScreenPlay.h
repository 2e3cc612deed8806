#pragma once

#include "Actors/ElementRef.h"
#include "Game/GameScreen.h"
#include "Game/SuitGrid.h"

#include <unordered_map>
#include <vector>

class AlmightyDollar;
class LieMeter;
class Message;
class MessageListener;
class SteeringBoid;
class StockTicker;
class Suit;
class Suit_Consumer;
class Suit_Journalist;
class Suit_Player;

// The rectangle characters may stand in (world units).
struct PlayArea
{
    float left;
    float right;
    float bottom;
    float top;
};

// A rectangle that spawning keeps clear: (left, bottom, right, top).
struct SpawnExclusion
{
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
};

// A value that runs linearly from start to end over `duration` seconds.
struct ZoomTween
{
    float start = 0.0f;
    float end = 0.0f;
    float current = 0.0f;
    float duration = 0.0f;
    float elapsed = 0.0f;
    bool active = false;
    bool smooth = false;
};

// The play field. Owns the game's characters and dollars while active, raises the level
// (a wider view, more characters and money) whenever the price passes the goal, and ends
// the game after three busts or when no consumer is left: the world freezes except for
// particle effects, the result shows, and "Back" follows 5 s later.
class SuitScreenPlay : public GameScreen
{
public:
    enum SpawnType
    {
        ST_Journalist = 0,
        ST_Consumer = 1,
        ST_AI = 2,
        ST_Dollar = 3
    };

    // Becomes the play screen the characters read; there is one per run.
    SuitScreenPlay();

    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    // The goal line and the banners, over the field and the meters.
    void RenderOverlay() override;
    void ReceiveMessage(Message* message) override;

    // Places a random number in [min, max) (exactly min when max <= min) of objects,
    // stopping at the first that finds no room. Returns how many were placed.
    int SpawnMany(int max, int min, int type, const SpawnExclusion& exclusion);
    // False when the field is full (more than 750 objects), no free spot turns up in 50
    // tries, or the type is unknown.
    bool SpawnOne(int type, const SpawnExclusion& exclusion);
    void LevelUp();

    // The camera's visible rectangle shrunk to where characters may stand.
    PlayArea GetPlayArea() const;
    // Three busts, no consumer left, or no player left.
    bool IsGameOver() const;
    // Leaders report their follower counts, so that a consumer looking for a leader
    // knows how far the farthest reach of any leader can be (1.5 + followers / 16).
    void NoteFollowerCount(int count);
    float GetLongestReach() const;
    void SetFlashing(Suit_Journalist* journalist, bool on);

    // Field bookkeeping for the characters.
    void AddSuit(Suit* suit);
    // A suit destroyed on the field (by the game, a script or a reset) leaves every
    // list, and its followers let go of it; without the player the game is over.
    void Forget(Suit* gone);
    // The same for a dollar.
    void ForgetDollar(AlmightyDollar* gone);
    // Takes the boid over; all of a game's boids are released together at Stop.
    void AdoptBoid(SteeringBoid* boid);
    // The journalist or the liar (player, rival suit) with this address, or null: for
    // message senders, which are compared by address and never dereferenced unchecked.
    Suit_Journalist* FindJournalist(const MessageListener* sender) const;
    // The journalist whose report a bust message is, or null (a liar's own bust, or no
    // game running).
    static Suit_Journalist* FindReporter(const Message* bustNews);
    Suit* FindLiar(const MessageListener* sender) const;

    // The screen that characters read; null before the first is made.
    static SuitScreenPlay* GetPlayScreen();

    std::vector<Suit*> suits;
    std::vector<Suit_Journalist*> journalists;
    std::vector<Suit_Consumer*> consumers;
    std::vector<AlmightyDollar*> dollars;
    // The player and the rival suits, in field order: the only suits that lead.
    std::vector<Suit*> liars;
    // The journalists whose flash is growing, in field order.
    std::vector<Suit_Journalist*> flashing;
    int lieBusts = 0;
    int maxLieBusts = 3;
    int level = 1;
    Suit_Player* player = nullptr;
    // Watched: a script or a reset may delete them while the game runs.
    ElementRef<StockTicker> ticker;
    ElementRef<LieMeter> lieMeter;
    float goal = 10.0f;
    float goalMessageTime = 3.0f;
    float highScore = 0.0f;
    float savedViewRadius = 0.0f;
    bool running = false;
    ZoomTween zoom;
    SuitGrid grid;

private:
    void TakePickups();
    void EndGame();
    // The one place a finished game's high score leaves the play field.
    void RecordHighScore();
    Vector2 RandomSpawnPoint(const SpawnExclusion& exclusion) const;
    bool IsSpotFree(const Vector2& point);
    void ReleaseBoids();

    struct AreaCache
    {
        PlayArea area{};
        float z = 0.0f;
        Vector2 eye;
        int width = 0;
        int height = 0;
        bool valid = false;
    };
    mutable AreaCache areaCache;
    int mostFollowers = 0;
    std::vector<SteeringBoid*> boids;
    long long nextSerial = 0;
    std::vector<Suit*> scratch;
    // Message senders by address, for lookups that never dereference a stale pointer.
    std::unordered_map<const MessageListener*, Suit*> liarsBySender;
    std::unordered_map<const MessageListener*, Suit_Journalist*> journalistsBySender;
};
