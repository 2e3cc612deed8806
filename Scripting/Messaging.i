// Messages and the Switchboard.

class MessageListener
{
public:
    virtual ~MessageListener();
    virtual void ReceiveMessage(Message* message) = 0;
};

class Message
{
public:
    Message(String name, MessageListener* from = nullptr);
    virtual ~Message();
    virtual String GetMessageName() const;
    MessageListener* GetSender() const;
};

// The Switchboard deletes every message handed to it after delivery, so the script's
// object lets go of it on the way in.
%apply Message* HANDED_TO_ENGINE { Message* handedMessage };

%nodefaultctor Switchboard;
%nodefaultdtor Switchboard;
class Switchboard
{
public:
    static Switchboard& GetInstance();
    void Broadcast(Message* handedMessage);
    void DeferredBroadcast(Message* handedMessage, float delay);
    bool SubscribeTo(MessageListener* listener, String messageName);
    bool UnsubscribeFrom(MessageListener* listener, String messageName);
    std::set<MessageListener*> GetSubscribersTo(String messageName) const;
    StringSet GetSubscriptionsFor(MessageListener* listener) const;
};
