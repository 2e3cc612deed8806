#pragma once

#include "Actors/ElementRef.h"
#include "Game/SuitGrid.h"
#include "Util/Vector2.h"

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

// The model of one game: the characters and dollars on the field, the grid that finds
// neighbours, spawning, the level and the goal, the busts, the high score, and the rules
// that end a game. The play screen owns one and draws over it; every character, coin and
// meter it makes is handed this field and reads and changes only this one.
//
// The lists are read-only from outside. They change through AddSuit (a character joins),
// Forget/ForgetDollar (called from PreDestroy, so whatever destroys a character, the game,
// a script or a reset, takes it off every list), spawning and Clear.
class PlayField
{
public:
    enum SpawnType
    {
        ST_Journalist = 0,
        ST_Consumer = 1,
        ST_AI = 2,
        ST_Dollar = 3
    };

    PlayField() = default;
    // Deletes the boids it adopted. Its characters must be gone by then (Clear).
    ~PlayField();
    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    // A new game: level 1, goal 10, no busts. The player stands at the origin among 3
    // rivals, 4 consumers, a journalist and 3 dollars; the ticker and the lie meter join
    // the World's "UI" layer. The camera must already show the starting view, since the
    // characters are placed and bounded inside it.
    void Begin();
    // Destroys whatever the game made that is still alive, empties every list and
    // releases the boids. Not running afterwards.
    void Clear();
    // The game is decided: coins in flight vanish, nothing more is counted as running.
    void Finish();

    // The field's part of a frame, after the characters moved: each dollar goes to the
    // first leader touching it, then every suit reconsiders whom it follows.
    void Update();
    // Takes the ticker's price into the high score. True when it passed the goal.
    bool TakePrice();
    // The goal rises by 20 and new characters and dollars arrive in a view a quarter
    // wider than the camera's (which is left as it was): rivals, journalists and dollars
    // outside the part already seen. Every boid is confined to that wider area.
    void LevelUp();
    // Sets the level and the goal without the arrivals of the levels between, for a
    // game resumed at a level or a measurement of one. The lie circle's limit and the
    // next level-up follow the new level.
    void JumpToLevel(int newLevel, float newGoal);
    // One more bust of the player.
    void CountBust();
    // The player walks away from a running game: it is over at the next update.
    void Leave();
    // Whether the game ended because the player left it.
    bool WasLeft() const { return left; }
    // Three busts, no consumer left, no player left, or the player left.
    bool IsGameOver() const;

    // Places a random number in [min, max) (exactly min when max <= min) of objects,
    // stopping at the first that finds no room. Returns how many were placed.
    int SpawnMany(int max, int min, int type, const SpawnExclusion& exclusion);
    // False when the field is full (more than 750 objects), no free spot turns up in 50
    // tries, or the type is unknown.
    bool SpawnOne(int type, const SpawnExclusion& exclusion);

    // The camera's visible rectangle shrunk to where characters may stand.
    PlayArea GetPlayArea() const;
    // Leaders report their follower counts, so that a consumer looking for a leader
    // knows how far the farthest reach of any leader can be (1.5 + followers / 16).
    void NoteFollowerCount(int count);
    float GetLongestReach() const;
    // 3 + 0.5 x the level.
    float GetMaxLieRadius() const;
    // Journalists whose flash grows are listed in field order.
    void SetFlashing(Suit_Journalist* journalist, bool on);

    // A character joins the field's lists (by its kind) and the grid; it gets the next
    // serial. The caller adds it to the World.
    void AddSuit(Suit* suit);
    // A suit destroyed on the field leaves every list, and its followers let go of it;
    // without the player the game is over.
    void Forget(Suit* gone);
    // The same for a dollar.
    void ForgetDollar(AlmightyDollar* gone);
    // Takes the boid over; all of a game's boids are released together by Clear.
    void AdoptBoid(SteeringBoid* boid);
    // Re-files a suit of this field whose position changed.
    void NoteMoved(Suit* suit);

    // Lookups for message senders, which are compared by address and never dereferenced
    // unchecked: the journalist or the liar (player, rival suit) of this field with this
    // address, or null.
    Suit_Journalist* FindJournalist(const MessageListener* sender) const;
    Suit* FindLiar(const MessageListener* sender) const;
    // The journalist of this field whose report a bust message is, or null (a liar's own
    // bust, or another field's journalist).
    Suit_Journalist* FindReporter(const Message* bustNews) const;
    // Whether the sender is this field's player (false once it has gone).
    bool IsPlayer(const MessageListener* sender) const;

    const std::vector<Suit*>& Suits() const { return suits; }
    const std::vector<Suit_Journalist*>& Journalists() const { return journalists; }
    const std::vector<Suit_Consumer*>& Consumers() const { return consumers; }
    const std::vector<AlmightyDollar*>& Dollars() const { return dollars; }
    // The player and the rival suits, in field order: the only suits that lead.
    const std::vector<Suit*>& Liars() const { return liars; }
    // The journalists whose flash is growing, in field order.
    const std::vector<Suit_Journalist*>& Flashing() const { return flashing; }
    const SuitGrid& Grid() const { return grid; }
    // Null before Begin and once it has been destroyed.
    Suit_Player* Player() const { return player; }
    // Null without a game, or once a script or a reset deleted them.
    StockTicker* Ticker() const { return ticker.Get(); }
    LieMeter* Meter() const { return lieMeter.Get(); }
    int Level() const { return level; }
    float Goal() const { return goal; }
    int LieBusts() const { return lieBusts; }
    int MaxLieBusts() const { return maxLieBusts; }
    // The highest price of this game so far.
    float HighScore() const { return highScore; }
    // From Begin until the game is decided or cleared.
    bool IsRunning() const { return running; }

private:
    void TakePickups();
    Vector2 RandomSpawnPoint(const SpawnExclusion& exclusion) const;
    bool IsSpotFree(const Vector2& point);
    void ReleaseBoids();

    std::vector<Suit*> suits;
    std::vector<Suit_Journalist*> journalists;
    std::vector<Suit_Consumer*> consumers;
    std::vector<AlmightyDollar*> dollars;
    std::vector<Suit*> liars;
    std::vector<Suit_Journalist*> flashing;
    SuitGrid grid;
    Suit_Player* player = nullptr;
    // Watched: a script or a reset may delete them while the game runs.
    ElementRef<StockTicker> ticker;
    ElementRef<LieMeter> lieMeter;
    int lieBusts = 0;
    int maxLieBusts = 3;
    int level = 1;
    float goal = 10.0f;
    float highScore = 0.0f;
    bool running = false;
    bool left = false;

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
