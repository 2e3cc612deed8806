#include "Infrastructure/TestConsole.h"

#include "Platform/Log.h"

void TestConsole::Execute(String input)
{
    const String echo = "Test Console Echo: " + input;
    WriteToOutput(echo);
    // The echo also goes to the log, so the whole input path can be checked from outside
    // the window.
    SystemLogInstance().Log(echo);
}
