// The page's way to the console from JavaScript, for tests and tools that can't type:
// Module.ccall('TypeConsoleLine', null, ['string'], ['print(6*7)']) opens the World's
// console, types the line and presses Enter, as a player would, then logs every output
// line the console gained, each as "console: LINE", to the page's log. A tab in the line
// presses Tab there, which completes what was typed so far.

#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Platform/KeyCodes.h"
#include "Platform/Log.h"

#include <algorithm>
#include <emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE void TypeConsoleLine(const char* line)
{
    Console* console = World::GetInstance().GetConsole();
    if (!console || !line)
    {
        SystemLogInstance().Log("WARNING: no console to type a line into.");
        return;
    }
    console->SetEnabled(true);
    // Only what a keyboard types reaches the line: the console refuses anything else.
    for (const char* c = line; *c; ++c)
    {
        if (*c == '\t')
            console->HandleKeyDown(KeyCodes::KEY_TAB);
        else
            console->HandleCharacter(static_cast<unsigned char>(*c));
    }
    const StringList before = console->GetOutputLines();
    console->HandleKeyDown(KeyCodes::KEY_ENTER);
    const StringList& after = console->GetOutputLines();
    // The output keeps only its newest lines: find where the old ones end.
    size_t kept = before.size();
    while (kept > 0 &&
           !(after.size() >= kept && std::equal(before.end() - static_cast<long>(kept), before.end(), after.begin())))
        --kept;
    for (size_t i = kept; i < after.size(); ++i)
        SystemLogInstance().Printf("console: %s", after[i].c_str());
}
