#pragma once

#include "Util/StringUtil.h"

class MessageListener;

// A named notification. Handed to the Switchboard, which deletes it after delivery.
class Message
{
public:
    Message() : Message("GenericMessage") {}
    explicit Message(const String& name, MessageListener* from = nullptr) : messageName(name), sender(from) {}
    // Virtual because the Switchboard deletes every message through a Message*.
    virtual ~Message() = default;

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
    TypedMessage(const String& name, T carried, MessageListener* from = nullptr) : Message(name, from), value(carried)
    {
    }

    T GetValue() const { return value; }

private:
    T value;
};
