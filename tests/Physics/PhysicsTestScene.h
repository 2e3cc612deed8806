#pragma once

#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Physics/ContactPoint.h"
#include "Physics/PhysicsActor.h"
#include "Physics/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A physics actor configured and initialised in one call; not listed in the World, so
// the test owns it.
inline std::unique_ptr<PhysicsActor> MakeBody(const String& name, const Vector2& position, const Vector2& size,
                                              float density = 1.0f,
                                              PhysicsActor::eShapeType shape = PhysicsActor::SHAPETYPE_BOX)
{
    auto actor = std::make_unique<PhysicsActor>();
    if (!name.empty())
        actor->SetName(name);
    actor->SetPosition(position);
    actor->SetSize(size);
    actor->SetDensity(density);
    actor->SetShapeType(shape);
    actor->InitPhysics();
    return actor;
}

// Records every collision message it is subscribed to, copying the contact point while
// it is still valid.
class CollisionRecorder : public MessageListener
{
public:
    struct Received
    {
        String name;
        MessageListener* sender;
        ContactPoint point;
    };

    void Listen(const String& name) { Switchboard::GetInstance().SubscribeTo(this, name); }

    void ReceiveMessage(Message* message) override
    {
        auto* typed = dynamic_cast<TypedMessage<ContactPoint*>*>(message);
        ASSERT_NE(typed, nullptr) << message->GetMessageName();
        received.push_back({message->GetMessageName(), message->GetSender(), *typed->GetValue()});
    }

    size_t Count(const String& name) const
    {
        size_t count = 0;
        for (const Received& r : received)
            count += r.name == name ? 1 : 0;
        return count;
    }

    std::vector<Received> received;
};

inline PhysicsWorld& Physics() { return *PhysicsWorld::Find(); }
