#pragma once

#include "Actors/ElementRef.h"
#include "Game/Suit.h"
#include "Game/SuitFollowers.h"

class Suit_Player;
class SteeringBehavior_Follow;

// A rival suit: wanders with the crowd, leads the consumers that come near, and for five
// seconds chases whoever has just taken a dollar.
class Suit_AI : public Suit
{
public:
    // Watches the field's player.
    explicit Suit_AI(PlayField& playField);

    void Update(float dt) override;
    void PreDestroy() override;
    void ReceiveMessage(Message* message) override;

    bool CanLead(Suit* other) override;
    void FollowLeader(Suit* newLeader) override;
    void StopFollowing(Suit* oldLeader) override;
    bool IsLiar() override { return true; }
    int GetFollowerCount() override { return followers.Count(); }
    bool AddFollower(Suit* follower) override;
    bool RemoveFollower(Suit* follower) override;

    // Watched: a script may delete the player before the rest of the field.
    ElementRef<Suit_Player> player;
    SuitFollowers followers;
    // Owned by the boid.
    SteeringBehavior_Follow* follow = nullptr;
    float followTime = 0.0f;
};
