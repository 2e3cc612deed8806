#include "Infrastructure/World.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Infrastructure/GameManager.h"
#include "Infrastructure/Subsystem.h"
#include "Infrastructure/TestConsole.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FrameLoop.h"
#include "Platform/Log.h"
#include "Platform/StopSignals.h"
#include "Platform/Window.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace
{
const char* const GameStartMessage = "GameStart";

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

// A stretch of the frame that calls no script code; the subsystems hear of both ends.
class World::EngineOnlyStretch
{
public:
    explicit EngineOnlyStretch(const std::vector<Subsystem*>& plugged) : subsystems(plugged) { Resume(); }
    ~EngineOnlyStretch() { Interrupt(); }

    // Script code may run until Resume.
    void Interrupt()
    {
        if (!inside)
            return;
        inside = false;
        for (auto subsystem = subsystems.rbegin(); subsystem != subsystems.rend(); ++subsystem)
            (*subsystem)->EndEngineOnly();
    }
    void Resume()
    {
        if (inside)
            return;
        inside = true;
        for (Subsystem* subsystem : subsystems)
            subsystem->BeginEngineOnly();
    }
    EngineOnlyStretch(const EngineOnlyStretch&) = delete;
    EngineOnlyStretch& operator=(const EngineOnlyStretch&) = delete;

private:
    const std::vector<Subsystem*>& subsystems;
    bool inside = false;
};

World& World::GetInstance()
{
    static World* instance = new World();
    return *instance;
}

World::World()
{
    // Actors ask for another layer through these, since they can't know the World.
    Renderable::layerChanger = [](Renderable* element, int newLayer) { GetInstance().UpdateLayer(element, newLayer); };
    Renderable::namedLayerChanger = [](Renderable* element, const String& layerName)
    { GetInstance().UpdateLayer(element, layerName); };
}

double World::ReadTime() const { return timeSource ? timeSource() : Window::GetTime(); }

bool World::Initialize(const String& windowName, bool antiAliasing, bool verticalSync, int services)
{
    if (initialized)
        return false;

    Window::SetResizeHandler(Camera::ResizeCallback);
    Window::SetCloseHandler([this] { StopGame(); });
    String error;
    if (!Window::Open(windowName, antiAliasing, error))
    {
        // Running the loop without a window would spin uselessly and draw nowhere.
        SystemLogInstance().Printf("ERROR: could not open the window: %s", error.c_str());
        Window::Terminate();
        return false;
    }
    // The window opens synchronised; asking again costs the driver an allocation it
    // never gives back.
    if (!verticalSync)
        Window::SetVerticalSync(false);
    running = true;
    lastFrameTime = ReadTime();

    Draw::InitState();
    Camera::ResizeCallback(Window::GetOpeningWidth(), Window::GetOpeningHeight());

    // A script host may register a console of its own later; this one is then left alone,
    // as RegisterConsole promises.
    RegisterConsole(new TestConsole());
    if (subsystems.empty())
        SystemLogInstance().Log("WARNING: No subsystem is plugged into the World: no keys, sound, physics or "
                                "scripts (RunProgram and PlugInEngineSubsystems plug them in).");
    servicesAskedFor = services;
    for (Subsystem* subsystem : subsystems)
    {
        if (IsAskedFor(subsystem))
            subsystem->Start();
    }
    // Probing game pads takes tens of milliseconds; it waits until the first frame is up.
    firstFrameStartsPending = true;

    initialized = true;
    return true;
}

void World::StartGame(std::function<void()> afterLoop)
{
    if (started)
        return;
    started = true;
    Switchboard::GetInstance().Broadcast(new Message(GameStartMessage));
    RunFrameLoop([this] { return RunLoopFrame(); }, std::move(afterLoop));
}

bool World::RunLoopFrame()
{
    if (!running)
        return false;
    if (frameStartHook)
    {
        // A hook may stop the game (a scripted Escape): then this frame never runs, as
        // after a real Escape seen between frames.
        frameStartHook();
        if (!running)
            return false;
    }
    const auto frameStart = std::chrono::steady_clock::now();
    Draw::BeginFrame();
    RunFrame();
    Draw::EndFrame();
    // A stop signal ends the loop like the close button, and is read before the hook so
    // that the hook knows this frame is the last.
    if (StopSignalReceived())
        StopGame();
    if (frameDrawnHook)
        frameDrawnHook();
    {
        // Waiting for the screen is time other script threads can use.
        EngineOnlyStretch waiting(subsystems);
        Window::SwapBuffers();
    }
    // Key and mouse callbacks may run script code (the console, mouse listeners).
    Window::PollEvents();
    if (frameStatsOn)
    {
        const double frameMs = MillisecondsSince(frameStart);
        frameStats.Record(lastUpdateMs, frameMs - lastUpdateMs);
    }
    ++framesRun;
    if (frameLimit > 0 && framesRun >= frameLimit)
        StopGame();
    return running;
}

void World::StopGame()
{
    // Terminating the window library here would crash when we are called from one of
    // its callbacks; Destroy closes the window after the loop has ended.
    running = false;
}

void World::OnQuitKey()
{
    // A page that stopped its loop would leave the player a still picture and no way back
    // but a reload.
    if (ProgramCanQuit())
        StopGame();
    else if (gameManager)
        gameManager->OnLeaveKey();
}

void World::Destroy()
{
    // Last started, first stopped: a subsystem may still use those plugged in before it
    // as it stops (a script's __del__ stops its music while the interpreter ends).
    for (auto subsystem = subsystems.rbegin(); subsystem != subsystems.rend(); ++subsystem)
        (*subsystem)->Shutdown();
    Switchboard& switchboard = Switchboard::GetInstance();
    for (const String& name : switchboard.GetSubscriptionsFor(this))
        switchboard.UnsubscribeFrom(this, name);
    Window::Terminate();
}

void World::MeasureFrameTime()
{
    currentTime = ReadTime();
    dt = static_cast<float>(std::clamp(currentTime - lastFrameTime, 0.0, 1.0));
    lastFrameTime = currentTime;
}

void World::RunFrame()
{
    if (firstFrameStartsPending && framesDrawn > 0)
        StartAfterFirstFrame();
    const auto updateStart = std::chrono::steady_clock::now();
    Tick(simulateOn);
    lastUpdateMs = MillisecondsSince(updateStart);

    // A script console is asked for its completions now, not while the frame draws.
    if (console && console->IsEnabled())
        console->GetCompletionCandidates();
    {
        // Drawing, back to front: no script code runs while the frame draws.
        EngineOnlyStretch drawing(subsystems);
        Camera::GetInstance().Render();
        if (gameManager)
            gameManager->PreRender();
        DrawElements();
        if (resetPending)
        {
            // A reset asked for while the elements drew happens now; the elements' deaths
            // may reach scripts.
            drawing.Interrupt();
            ApplyPendingReset();
            drawing.Resume();
        }
        // What the manager draws must land over the elements, whatever way it draws.
        Draw::Flush();
        if (gameManager)
            gameManager->Render();
        RenderDebugItems();
        for (Subsystem* subsystem : subsystems)
            subsystem->DrawOverWorld();
        RenderConsole();
        Draw::Flush();
    }
    ++framesDrawn;
}

void World::Tick(bool simulate)
{
    MeasureFrameTime();
    UpdateConsoleCaret(dt);
    // Input is read here, and finished-sound notifications reach the game manager from
    // here, on this thread.
    for (Subsystem* subsystem : subsystems)
        subsystem->Update(dt);
    Camera::GetInstance().Update(dt);
    if (gameManager)
        gameManager->Update(dt);

    if (!simulate)
        return;

    // Messages first, so everything updates knowing what happened last frame.
    Switchboard::GetInstance().DeliverQueued();

    // Let the elements think, then delete the ones that were destroyed.
    elementsLocked = true;
    UpdateElements(dt);
    CleanUpElements();
    elementsLocked = false;

    // Apply the adds, moves and removes requested during the walk.
    ProcessDeferredChanges();

    for (Subsystem* subsystem : subsystems)
        subsystem->Simulate(dt);

    // Delayed messages count down after the step so they queue for the next frame.
    Switchboard::GetInstance().Update(dt);
    AgeDebugItems(dt);
}

void World::SetGameManager(GameManager* manager)
{
    if (gameManager || !manager)
    {
        SystemLogInstance().Log("ERROR: Can only have one game manager!");
        return;
    }
    gameManager = manager;
}

void World::SetBackgroundColor(const Color& color) { Draw::SetClearColor(color); }

void World::PlugIn(Subsystem* subsystem)
{
    if (subsystem && std::find(subsystems.begin(), subsystems.end(), subsystem) == subsystems.end())
        subsystems.push_back(subsystem);
}

bool World::IsAskedFor(const Subsystem* subsystem) const
{
    const int service = subsystem->GetService();
    return service == 0 || (servicesAskedFor & service) != 0;
}

void World::StartAfterFirstFrame()
{
    firstFrameStartsPending = false;
    // The probes' time is not the game's: keep it out of this frame's dt. A replaced time
    // source is not read here, since each read of it may be a step of its own.
    const double probeStart = Window::GetTime();
    for (Subsystem* subsystem : subsystems)
    {
        if (IsAskedFor(subsystem))
            subsystem->StartAfterFirstFrame();
    }
    if (!timeSource)
        lastFrameTime += Window::GetTime() - probeStart;
}

bool World::SetupPhysics(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex)
{
    if (physicsSetUp)
        return false;
    if (!physicsMaker)
    {
        SystemLogInstance().Log("ERROR: Physics is not plugged into the World; SetupPhysics made nothing.");
        return false;
    }
    physicsMaker(gravity, maxVertex, minVertex);
    physicsSetUp = true;
    return true;
}

void World::UpdateConsoleCaret(float frameDt)
{
    if (console)
        console->Update(frameDt);
}

void World::RenderConsole()
{
    if (console)
        console->Render();
}
