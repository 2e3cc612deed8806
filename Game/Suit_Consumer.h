#pragma once

#include "Actors/ElementRef.h"
#include "Game/Suit.h"

class Suit_Player;
class SteeringBehavior_Follow;
class SteeringBehavior_Flee;

// A consumer: drifts about, is drawn to the player while inside a lie, joins the nearest
// suit that may lead it and pays that leader a tiny dollar a second until its 8 units of
// money run out and it dies. A bust nearby sends it fleeing for 7 s.
class Suit_Consumer : public Suit
{
public:
    // Hears the lies of the field's player.
    explicit Suit_Consumer(PlayField& playField);

    void Update(float dt) override;
    void Render() override;
    void PreDestroy() override;
    void ReceiveMessage(Message* message) override;

    bool CanLead(Suit* other) override;
    void FollowLeader(Suit* newLeader) override;
    void StopFollowing(Suit* oldLeader) override;
    bool CanFollow(Suit* other) override;
    void UpdateAllegiance() override;

    // Inside the player's lie circle or a journalist's flash.
    bool IsHearingLie() const;

    // Watched: a script may delete the player before the rest of the field.
    ElementRef<Suit_Player> player;
    // Owned by the boid.
    SteeringBehavior_Follow* follow = nullptr;
    SteeringBehavior_Flee* flee = nullptr;
    float moodTime = 0.0f;
    float dollarTime = 0.0f;
    float money = 8.0f;
    bool hearingLie = false;

private:
    void Pay(float dt);
    void Die();
};
