#include "Scripting/ScriptingSubsystem.h"

#include "Infrastructure/Subsystem.h"
#include "Infrastructure/World.h"
#include "Scripting/ScriptHost.h"

namespace
{
class ScriptingSubsystem : public Subsystem
{
public:
    int GetService() const override { return World::ScriptingService; }

    void Start() override
    {
        consoleBeforeScripts = World::GetInstance().GetConsole();
        ScriptHost::StartScriptHost();
    }

    // Threads a script started (loading, computing) get the interpreter while the frame
    // draws and waits for the screen, instead of a few steps now and then.
    void BeginEngineOnly() override { ScriptHost::LetOtherThreadsRun(); }
    void EndEngineOnly() override { ScriptHost::TakeInterpreterBack(); }

    void Shutdown() override
    {
        if (!ScriptHost::IsRunning())
            return;
        ScriptHost::Finalize();
        // A console written in Python can't run without the interpreter.
        World::GetInstance().RegisterConsole(consoleBeforeScripts);
    }

private:
    Console* consoleBeforeScripts = nullptr;
};
} // namespace

void PlugInScripting()
{
    static ScriptingSubsystem scripting;
    World::GetInstance().PlugIn(&scripting);
}
