#pragma once

#include "Messaging/Switchboard.h"

// Subscribes to the given names and collects what is delivered, in order.
class MessageRecorder : public MessageListener
{
public:
    explicit MessageRecorder(const StringList& names)
    {
        for (const String& name : names)
            Switchboard::GetInstance().SubscribeTo(this, name);
    }
    void ReceiveMessage(Message* message) override { received.push_back(message->GetMessageName()); }

    // Delivers the queued broadcasts and returns the names that arrived.
    StringList Deliver()
    {
        received.clear();
        Switchboard::GetInstance().DeliverQueued();
        return received;
    }

    StringList received;
};
