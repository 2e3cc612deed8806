// Scripting in the browser build: there is no Python to host there, so the console
// answers every line by saying so, and the game plays on without scripts.

#include "Scripting/ScriptingSubsystem.h"

#include "Infrastructure/Console.h"
#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"

#include <memory>

namespace
{
const char* const Notice = "Scripting is not available in the browser: the console runs Python in the desktop "
                           "game only.";

class ScriptlessConsole : public Console
{
public:
    ScriptlessConsole()
    {
        SetPrompt("::>");
        WriteToOutput(String(Notice) + "\n");
    }

    void Execute(String) override { WriteToOutput(String(Notice) + "\n"); }
    StringList GetCompletions(String) override { return StringList(); }
};

class ScriptlessSubsystem : public Subsystem
{
public:
    int GetService() const override { return World::ScriptingService; }

    // The World's first console exists by now, and stays as it is.
    void Start() override
    {
        if (!console)
            console = std::make_unique<ScriptlessConsole>();
        World::GetInstance().RegisterConsole(console.get());
    }

private:
    std::unique_ptr<ScriptlessConsole> console;
};
} // namespace

void PlugInScripting()
{
    static ScriptlessSubsystem scripting;
    World::GetInstance().PlugIn(&scripting);
}
