#pragma once

#include "Game/Suit.h"
#include "Game/SuitFollowers.h"

// The player: walks by the keys bound to walking (arrows/WASD as shipped) or the left
// stick at 1.4 units per second per axis, and lies while a key bound to lying (space or
// pad A as shipped) is held, growing a red lie circle by 3 units per second up to
// the field's GetMaxLieRadius(). Consumers inside the circle come over and follow. See GameControls.
class Suit_Player : public Suit
{
public:
    explicit Suit_Player(PlayField& playField);

    void Update(float dt) override;
    void Render() override;
    void PreDestroy() override;
    void ReceiveMessage(Message* message) override;

    bool CanLead(Suit* other) override { return (void)other, true; }
    bool IsLiar() override { return true; }
    int GetFollowerCount() override { return followers.Count(); }
    // Announce the change to the ticker ("AddFollower", "RemoveFollower").
    bool AddFollower(Suit* follower) override;
    bool RemoveFollower(Suit* follower) override;

    SuitFollowers followers;
    float lieRadius = 0.0f;
    int lieCount = -1;
    int bustCount = -1;

private:
    Vector2 ReadMovement(float dt) const;
    bool IsLieHeld() const;
};
