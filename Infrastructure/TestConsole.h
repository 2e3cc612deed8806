#pragma once

#include "Infrastructure/Console.h"

// The console the engine starts with: it echoes what is entered and completes nothing.
class TestConsole : public Console
{
public:
    // Registers the console fonts on construction, as every Console does.
    TestConsole() { SetPrompt("::>"); }

    // Writes "Test Console Echo: " and the input, without a line feed, and logs the same.
    void Execute(String input) override;
    StringList GetCompletions(String) override { return StringList(); }
};
