// Messages and the Switchboard.

class MessageListener
{
public:
    virtual ~MessageListener();
    virtual void ReceiveMessage(Message* message) = 0;
};

// The subscribers of a message name, as the Switchboard lists them.
%traits_swigtype(MessageListener);
%fragment(SWIG_Traits_frag(MessageListener));
%{
// Listening actors come out as the most derived class, a script's own as its object.
namespace swig
{
template <> struct traits_from<MessageListener*>
{
    static PyObject* from(MessageListener* listener)
    {
        if (auto* actor = dynamic_cast<Actor*>(listener))
            return ActorToScript(actor);
        return traits_from_ptr<MessageListener>::from(listener, 0);
    }
};
} // namespace swig
%}
%template(ListenerSet) std::set<MessageListener*>;
typedef std::set<MessageListener*> ListenerSet;

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
    ListenerSet GetSubscribersTo(String messageName) const;
    StringSet GetSubscriptionsFor(MessageListener* listener) const;
};
