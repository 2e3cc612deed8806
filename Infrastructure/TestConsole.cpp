#include "Infrastructure/TestConsole.h"

void TestConsole::Execute(String input) { WriteToOutput("Test Console Echo: " + input); }
