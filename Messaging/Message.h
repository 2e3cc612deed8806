#pragma once

#include "Util/StringUtil.h"

class MessageListener;

// A named notification. Handed to the Switchboard, which deletes it after delivery.
class Message
{
public:
    // A message named "GenericMessage", for scripts that set nothing.
    Message() : Message("GenericMessage") {}
    // Make it with new and hand it to the Switchboard. `from` may be null; it reads null if
    // the sender dies before delivery.
    explicit Message(const String& name, MessageListener* from = nullptr) : messageName(name), sender(from) {}
    // Virtual because the Switchboard deletes every message through a Message*.
    virtual ~Message() = default;

    // The name subscribers chose it by; the sender, or null (see the constructor).
    virtual String GetMessageName() const { return messageName; }
    MessageListener* GetSender() const { return sender; }

protected:
    String messageName;
    MessageListener* sender;

    // Clears the sender when the sending listener dies before delivery.
    friend class Switchboard;
};

// A message carrying one value. The value must need no clean-up (a pointer or a number).
template <typename T> class TypedMessage : public Message
{
public:
    // As Message, carrying `carried` to every subscriber.
    TypedMessage(const String& name, T carried, MessageListener* from = nullptr) : Message(name, from), value(carried)
    {
    }

    // A copy of the value carried.
    T GetValue() const { return value; }

private:
    T value;
};
