#pragma once

#include "Util/StringUtil.h"

// The messages one key or pad button sends. Either may be empty, which sends nothing.
class KeyBinding
{
public:
    // Both broadcast a sender-less message named by the press or release text.
    void OnKeyDown();
    void OnKeyUp();

    // These set and read the names sent on press and release; empty sends nothing.
    void SetKeyDownMessage(const String& message) { keyDownMessage = message; }
    void SetKeyUpMessage(const String& message) { keyUpMessage = message; }
    const String& GetKeyDownMessage() const { return keyDownMessage; }
    const String& GetKeyUpMessage() const { return keyUpMessage; }

private:
    String keyDownMessage;
    String keyUpMessage;
};
