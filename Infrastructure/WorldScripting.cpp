#include "Infrastructure/World.h"

#include "Scripting/ScriptHost.h"

namespace
{
// The console from before the scripts, given back when the interpreter stops: a console
// written in Python can't run without it.
Console* consoleBeforeScripts = nullptr;
} // namespace

void World::StartScriptHost()
{
    consoleBeforeScripts = console;
    ScriptHost::StartScriptHost();
}

void World::FinalizeScriptHost()
{
    if (!ScriptHost::IsRunning())
        return;
    ScriptHost::Finalize();
    RegisterConsole(consoleBeforeScripts);
}
