#pragma once

class Message;

// Receives messages it has subscribed to through the Switchboard.
class MessageListener
{
public:
    // Unsubscribes from every name, so no message reaches a destroyed listener,
    // not even one still being delivered when it was destroyed.
    virtual ~MessageListener();

    // The message is lent for the call only: it is deleted after the last receiver.
    virtual void ReceiveMessage(Message* message) = 0;

    // Called at the end of every listener's destruction, when set. A script binding uses
    // it to cut the references scripts still hold, so they can't reach freed memory.
    static void (*deletionObserver)(MessageListener* deleted);
};
