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
// Other listeners (a screen, the game's manager) are watched like actors, so a script
// that keeps one past its end gets an error, not freed memory.
PyObject* ListenerToScript(MessageListener* listener)
{
    if (!listener)
        return SWIG_Py_Void();
    if (auto* actor = dynamic_cast<Actor*>(listener))
        return ActorToScript(actor);
    auto& watched = WatchedListeners();
    auto found = watched.find(listener);
    if (found != watched.end() && !found->second.empty())
    {
        auto* shared = reinterpret_cast<SwigPyObject*>(found->second.front());
        return SWIG_Python_NewShadowInstance(static_cast<SwigPyClientData*>(shared->ty->clientdata),
                                             found->second.front());
    }
    PyObject* result = SWIG_NewPointerObj(SWIG_as_voidptr(listener), SWIGTYPE_p_MessageListener, 0);
    if (PyObject* swigThis = SwigThisOf(result))
    {
        Py_INCREF(swigThis);
        watched[listener].push_back(swigThis);
        MessageListener::deletionObserver = OnListenerDeleted;
    }
    return result;
}

namespace swig
{
template <> struct traits_from<MessageListener*>
{
    static PyObject* from(MessageListener* listener) { return ListenerToScript(listener); }
};
} // namespace swig
%}

// A message's sender may be gone before the script lets go of it.
%typemap(out) MessageListener* GetSender %{
    $result = ListenerToScript($1);
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
