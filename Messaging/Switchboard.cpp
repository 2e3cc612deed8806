#include "Messaging/Switchboard.h"

#include "Platform/Log.h"

#include <algorithm>

void (*MessageListener::deletionObserver)(MessageListener*) = nullptr;

MessageListener::~MessageListener()
{
    Switchboard::GetInstance().ForgetListener(this);
    if (deletionObserver)
        deletionObserver(this);
}

Switchboard& Switchboard::GetInstance()
{
    static Switchboard* instance = new Switchboard();
    return *instance;
}

void Switchboard::Broadcast(Message* message)
{
    messageQueue.push_back(QueuedMessage{message, messagesLocked ? deliveringDepth + 1 : 0});
}

void Switchboard::DeferredBroadcast(Message* message, float delay)
{
    delayedMessages.emplace_back(message, std::max(delay, 0.0f));
}

bool Switchboard::SubscribeTo(MessageListener* listener, const String& messageName)
{
    if (messagesLocked)
    {
        deferredSubscriptions.emplace_back(listener, messageName);
        return false;
    }
    subscriptions[listener].insert(messageName);
    if (!subscribers[messageName].insert(listener).second)
        return false;
    deliveryOrder[messageName].push_back(listener);
    return true;
}

bool Switchboard::UnsubscribeFrom(MessageListener* listener, const String& messageName)
{
    if (messagesLocked)
    {
        deferredUnsubscriptions.emplace_back(listener, messageName);
        return false;
    }
    auto named = subscribers.find(messageName);
    if (named == subscribers.end() || named->second.erase(listener) == 0)
        return false;
    auto& ordered = deliveryOrder[messageName];
    ordered.erase(std::find(ordered.begin(), ordered.end(), listener));
    auto listed = subscriptions.find(listener);
    if (listed != subscriptions.end())
    {
        listed->second.erase(messageName);
        if (listed->second.empty())
            subscriptions.erase(listed);
    }
    return true;
}

ListenerSet Switchboard::GetSubscribersTo(const String& messageName) const
{
    auto named = subscribers.find(messageName);
    return named == subscribers.end() ? ListenerSet() : named->second;
}

bool Switchboard::HasSubscribersStartingWith(const String& prefix) const
{
    // The names are sorted, so those with the prefix stand together from its place on;
    // a name whose last listener left keeps its empty entry.
    for (auto named = subscribers.lower_bound(prefix); named != subscribers.end(); ++named)
    {
        if (named->first.compare(0, prefix.size(), prefix) != 0)
            return false;
        if (!named->second.empty())
            return true;
    }
    return false;
}

StringSet Switchboard::GetSubscriptionsFor(MessageListener* listener) const
{
    auto listed = subscriptions.find(listener);
    return listed == subscriptions.end() ? StringSet() : listed->second;
}

void Switchboard::DeliverQueued()
{
    // A drain inside a delivery would take the message being delivered from under it.
    if (messagesLocked)
        return;
    messagesLocked = true;
    const std::size_t queuedAtStart = messageQueue.size();
    std::size_t delivered = 0;
    String cutBecause;
    while (!messageQueue.empty())
    {
        cutBecause = DrainLimitReached(delivered, queuedAtStart);
        if (!cutBecause.empty())
            break;
        const QueuedMessage queued = messageQueue.front();
        Message* message = queued.message;
        deliveringDepth = queued.replyDepth;
        auto named = deliveryOrder.find(message->GetMessageName());
        if (named != deliveryOrder.end())
        {
            // The list can't change under us: subscription changes wait for the end of delivery.
            for (MessageListener* listener : named->second)
            {
                if (destroyedDuringDelivery.count(listener) == 0)
                    listener->ReceiveMessage(message);
            }
        }
        delete message;
        messageQueue.pop_front();
        ++delivered;
    }
    messagesLocked = false;
    deliveringDepth = 0;
    destroyedDuringDelivery.clear();
    if (!cutBecause.empty())
        ReportCutDrain(cutBecause);
    lastDrainCut = !cutBecause.empty();

    // Removals before additions: a listener that did both ends up subscribed.
    std::vector<std::pair<MessageListener*, String>> removals;
    removals.swap(deferredUnsubscriptions);
    for (const auto& [listener, name] : removals)
        UnsubscribeFrom(listener, name);
    std::vector<std::pair<MessageListener*, String>> additions;
    additions.swap(deferredSubscriptions);
    for (const auto& [listener, name] : additions)
        SubscribeTo(listener, name);
}

String Switchboard::DrainLimitReached(std::size_t delivered, std::size_t queuedAtStart) const
{
    if (messageQueue.front().replyDepth > MaxReplyDepth)
        return "sent in reply to a reply more than " + std::to_string(MaxReplyDepth) + " times over";
    if (delivered >= MaxMessagesPerDrain)
        return std::to_string(MaxMessagesPerDrain) + " messages delivered";
    // Several listeners that each answer grow the queue faster than it drains.
    if (messageQueue.size() > std::max(MaxMessagesPerDrain, queuedAtStart))
        return "more than " + std::to_string(MaxMessagesPerDrain) + " messages queued";
    return String();
}

void Switchboard::ReportCutDrain(const String& why)
{
    // What was left starts the next drain afresh.
    for (QueuedMessage& queued : messageQueue)
        queued.replyDepth = 0;
    if (lastDrainCut)
        return;
    const std::size_t left = messageQueue.size();
    SystemLogInstance().Printf("ERROR: message storm at \"%s\": %s in one frame. The %zu %s still queued wait%s "
                               "for the next frame.",
                               messageQueue.front().message->GetMessageName().c_str(), why.c_str(), left,
                               left == 1 ? "message" : "messages", left == 1 ? "s" : "");
}

void Switchboard::Update(float dt)
{
    for (size_t i = 0; i < delayedMessages.size();)
    {
        delayedMessages[i].second -= dt;
        if (delayedMessages[i].second <= 0.0f)
        {
            Broadcast(delayedMessages[i].first);
            delayedMessages.erase(delayedMessages.begin() + static_cast<std::ptrdiff_t>(i));
        }
        else
        {
            ++i;
        }
    }
}

void Switchboard::ForgetListener(MessageListener* listener)
{
    for (const String& name : GetSubscriptionsFor(listener))
        UnsubscribeFrom(listener, name);
    // Messages it sent outlive it: their receivers would read a dead sender. This
    // includes the message being delivered right now, which sits at the queue's front.
    for (QueuedMessage& queued : messageQueue)
    {
        if (queued.message->sender == listener)
            queued.message->sender = nullptr;
    }
    for (auto& delayed : delayedMessages)
    {
        if (delayed.first->sender == listener)
            delayed.first->sender = nullptr;
    }
    if (messagesLocked)
    {
        destroyedDuringDelivery.insert(listener);
        // Its own postponed subscriptions die with it. A new object may take this address
        // and subscribe later in this delivery; those requests come after, so they stay.
        auto& pending = deferredSubscriptions;
        pending.erase(std::remove_if(pending.begin(), pending.end(),
                                     [listener](const auto& entry) { return entry.first == listener; }),
                      pending.end());
    }
}

// Design note: why broadcasts arrive a frame late.
// Delivering at the moment of Broadcast would run receivers in the middle of whoever
// sent the message: an actor's Update, a physics step, a key callback. Receivers could
// then destroy or move the sender while it is still on the stack. Queuing everything
// and draining at one fixed point of the frame, before the elements update, makes every
// reaction happen in a known state, at the cost of a one-frame lag. Subscription changes
// made while draining are queued for the same reason: the sets being walked never change.
// Messages sent during the drain still arrive in it, so a chain of reactions completes in
// one frame; the drain's bounds only stop chains that would never end, and what they
// leave waits in the queue rather than being dropped, since a game may count on each
// message it sent.
