#pragma once

#include "Actors/Actor.h"

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

// A character on the play field: an actor with a 0.5 x 1.0 box, a steering agent and
// the interface through which characters recruit and release followers.
class Suit : public Actor
{
public:
    explicit Suit(SuitKind suitKind = SK_Other);
    // Deletes the boid only if no play screen took it over (see SuitScreenPlay::Stop).
    ~Suit() override;

    void Update(float dt) override;
    void Render() override { Actor::Render(); }
    // Clamped into the play area while a play screen exists; the box and the boid follow.
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
    // The play screen releases the boids of a game together; the suit forgets its own.
    void ForgetBoid() { boid = nullptr; }

    SteeringBoid* boid = nullptr;
    Vector2 boxMin;
    Vector2 boxMax;
    float boxWidth = 0.5f;
    float boxHeight = 1.0f;
    Suit* leader = nullptr;

    // Kept by the play screen: the order of joining the field, and the grid cell.
    long long serial = -1;
    long long gridCell = 0;
    bool inGrid = false;

protected:
    // Gives the suit its boid, bounded by the current play area when a play screen
    // exists, which then owns it.
    void AttachBoid(SteeringBoid* newBoid);

private:
    SuitKind kind;
    bool ownsBoid = false;
};

// Moves `mover` to `target`, pushing every other suit of the play field that would stand
// closer than 0.8 apart: the other moves by `share` of the overlap and the mover yields
// the rest.
void MoveWithPush(Vector2 target, Suit* mover, float share);

// 3 + 0.5 x the play field's level; 3 without a play field.
float GetMaxLieRadius();
