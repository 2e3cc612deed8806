#pragma once

#include "Actors/Actor.h"

class PlayField;
class SteeringBoid;

// What a character is, for the checks that run for every pair every frame (cheaper
// than a dynamic_cast).
enum SuitKind
{
    SK_Other = 0,
    SK_Player,
    SK_AI,
    SK_Consumer,
    SK_Journalist
};

// A character on a play field: an actor with a 0.5 x 1.0 box, a steering agent and
// the interface through which characters recruit and release followers. It belongs to
// the field it was made for for its whole life, and reads and changes only that one.
class Suit : public Actor
{
public:
    // The field is the suit's for its whole life: it must outlive the suit.
    Suit(SuitKind suitKind, PlayField& playField);

    void Update(float dt) override;
    void Render() override { Actor::Render(); }
    // Clamped into the field's play area; the box, the boid and the grid follow.
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& pos) override { SetPosition(pos.X, pos.Y); }
    // Leaves its leader and the play field's lists. Overrides call it last.
    void PreDestroy() override;

    virtual SteeringBoid* GetBoid() { return boid; }
    virtual bool CanLead(Suit* other) { return (void)other, false; }
    // The suits that gather followers: the player and the rivals.
    static bool IsLeadingKind(const Suit* other)
    {
        return other && (other->GetKind() == SK_Player || other->GetKind() == SK_AI);
    }
    virtual void FollowLeader(Suit* newLeader) { (void)newLeader; }
    virtual void StopFollowing(Suit* oldLeader) { (void)oldLeader; }
    virtual bool CanFollow(Suit* other) { return (void)other, false; }
    virtual bool IsLiar() { return false; }
    virtual int GetFollowerCount() { return 0; }
    virtual bool AddFollower(Suit* follower) { return (void)follower, false; }
    virtual bool RemoveFollower(Suit* follower) { return (void)follower, false; }
    virtual void UpdateAllegiance() {}

    SuitKind GetKind() const { return kind; }
    PlayField& GetField() const { return field; }
    // The suit it follows, or null. Changed by FollowLeader and StopFollowing, which a
    // leader's AddFollower and RemoveFollower call.
    Suit* GetLeader() const { return leader; }
    // The field releases the boids of a game together; the suit forgets its own.
    void ForgetBoid() { boid = nullptr; }

    Vector2 boxMin;
    Vector2 boxMax;
    float boxWidth = 0.5f;
    float boxHeight = 1.0f;

    // Kept by the field: the order of joining it, and the grid cell.
    long long serial = -1;
    long long gridCell = 0;
    bool inGrid = false;

protected:
    // Gives the suit its boid, bounded by the field's current play area; the field owns it.
    void AttachBoid(SteeringBoid* newBoid);
    void SetLeader(Suit* newLeader) { leader = newLeader; }

private:
    SuitKind kind;
    PlayField& field;
    SteeringBoid* boid = nullptr;
    Suit* leader = nullptr;
};

// Moves `mover` to `target`, pushing every other suit of its field that would stand
// closer than 0.8 apart: the other moves by `share` of the overlap and the mover yields
// the rest.
void MoveWithPush(Vector2 target, Suit* mover, float share);
