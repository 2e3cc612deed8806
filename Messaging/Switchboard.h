#pragma once

#include "Messaging/Message.h"
#include "Messaging/MessageListener.h"

#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

using ListenerSet = std::set<MessageListener*>;

// Routes named messages to their subscribers. Broadcasts are queued and delivered by
// DeliverQueued, once per simulated frame. Owns every message handed to it.
class Switchboard
{
public:
    // Created on first use and never destroyed.
    static Switchboard& GetInstance();

    // Queues the message; it is delivered at the next DeliverQueued.
    void Broadcast(Message* message);
    // Queues the message once `delay` seconds (negative means 0) of Update have passed.
    void DeferredBroadcast(Message* message, float delay);

    // During a delivery the change is postponed until the delivery ends and false is returned.
    // Otherwise returns true if the subscription is new.
    bool SubscribeTo(MessageListener* listener, const String& messageName);
    // During a delivery the change is postponed and false is returned. Otherwise returns
    // true if the listener was subscribed.
    bool UnsubscribeFrom(MessageListener* listener, const String& messageName);

    // Who would receive the name now, and what one listener is subscribed to (copies,
    // with changes queued during a delivery not yet applied).
    ListenerSet GetSubscribersTo(const String& messageName) const;
    StringSet GetSubscriptionsFor(MessageListener* listener) const;

    // Delivers every queued message, including those broadcast meanwhile, to its
    // subscribers in the order they subscribed to its name, then deletes it.
    void DeliverQueued();
    // Counts down the delayed messages and queues those whose time has come.
    void Update(float dt);

    // Called by ~MessageListener: drops its subscriptions and clears it as the sender of
    // the messages still queued or delayed.
    void ForgetListener(MessageListener* listener);

private:
    Switchboard() = default;

    std::deque<Message*> messageQueue;
    std::map<String, ListenerSet> subscribers;
    // The same listeners in the order they subscribed: delivery follows it, so that what
    // receivers do (drawing random numbers, say) doesn't hang on where the allocator put
    // them, and a seeded replay plays the same game every time.
    std::map<String, std::vector<MessageListener*>> deliveryOrder;
    std::map<MessageListener*, StringSet> subscriptions;
    std::vector<std::pair<Message*, float>> delayedMessages;
    bool messagesLocked = false;
    std::vector<std::pair<MessageListener*, String>> deferredSubscriptions;
    std::vector<std::pair<MessageListener*, String>> deferredUnsubscriptions;
    // Listeners destroyed during the current delivery; they get no further calls in it.
    ListenerSet destroyedDuringDelivery;
};
