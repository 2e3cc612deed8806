#pragma once

#include "Messaging/Message.h"
#include "Messaging/MessageListener.h"

#include <cstddef>
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
    // The bounds of one DeliverQueued, past which it stops and leaves what is still
    // queued for the next one, with one ERROR line naming the message it stopped at: a
    // listener that answers a message with one that comes back to it, or many listeners
    // that each answer, would otherwise never let the frame end. A drain delivers at most
    // MaxMessagesPerDrain messages, lets the queue grow past MaxMessagesPerDrain (or past
    // what it held at the start, if more) by none, and delivers no message sent in reply
    // to a message itself sent in reply, and so on, more than MaxReplyDepth times over.
    static constexpr std::size_t MaxMessagesPerDrain = 1000000;
    static constexpr unsigned MaxReplyDepth = 1000;

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
    // Whether anyone is subscribed now to some name that starts with `prefix`.
    bool HasSubscribersStartingWith(const String& prefix) const;

    // Delivers every queued message, including those broadcast meanwhile, to its
    // subscribers in the order they subscribed to its name, then deletes it; within the
    // bounds above. Called from inside a delivery, it does nothing.
    void DeliverQueued();
    // Counts down the delayed messages and queues those whose time has come.
    void Update(float dt);

    // Called by ~MessageListener: drops its subscriptions and clears it as the sender of
    // the messages still queued or delayed.
    void ForgetListener(MessageListener* listener);

private:
    Switchboard() = default;

    struct QueuedMessage
    {
        Message* message;
        // 0 for a message queued outside a delivery; one more than the message being
        // delivered for one broadcast by its receiver.
        unsigned replyDepth;
    };

    // Says why the drain stops at the queue's front, or nothing while it may go on.
    String DrainLimitReached(std::size_t delivered, std::size_t queuedAtStart) const;
    void ReportCutDrain(const String& why);

    std::deque<QueuedMessage> messageQueue;
    std::map<String, ListenerSet> subscribers;
    // The same listeners in the order they subscribed: delivery follows it, so that what
    // receivers do (drawing random numbers, say) doesn't hang on where the allocator put
    // them, and a seeded replay plays the same game every time.
    std::map<String, std::vector<MessageListener*>> deliveryOrder;
    std::map<MessageListener*, StringSet> subscriptions;
    std::vector<std::pair<Message*, float>> delayedMessages;
    bool messagesLocked = false;
    // The reply depth of the message being delivered.
    unsigned deliveringDepth = 0;
    // The last drain stopped at a bound: a storm that goes on is reported once.
    bool lastDrainCut = false;
    std::vector<std::pair<MessageListener*, String>> deferredSubscriptions;
    std::vector<std::pair<MessageListener*, String>> deferredUnsubscriptions;
    // Listeners destroyed during the current delivery; they get no further calls in it.
    ListenerSet destroyedDuringDelivery;
};
