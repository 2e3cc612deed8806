#include "Input/KeyBinding.h"

#include "Messaging/Switchboard.h"

// The Switchboard deletes the messages after delivery.
void KeyBinding::OnKeyDown()
{
    if (!keyDownMessage.empty())
        Switchboard::GetInstance().Broadcast(new Message(keyDownMessage));
}

void KeyBinding::OnKeyUp()
{
    if (!keyUpMessage.empty())
        Switchboard::GetInstance().Broadcast(new Message(keyUpMessage));
}
