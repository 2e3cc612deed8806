#pragma once

#include "Infrastructure/FrameStats.h"
#include "Messaging/MessageListener.h"
#include "Util/Color.h"
#include "Util/Vector2.h"

#include <functional>
#include <map>
#include <unordered_set>
#include <utility>
#include <vector>

class Console;
class GameManager;
class Renderable;
class Subsystem;
struct DebugDrawItem;

// The process-wide owner of the window, the frame loop and the layered elements.
class World : public MessageListener
{
public:
    // Created on first use and never deleted.
    static World& GetInstance();

    // Which of the plugged-in subsystems Initialize starts besides those that always
    // start (the keyboard and mouse, physics). A program that makes no sound, reads no
    // game pad or has no use for scripting (a benchmark, a tool) leaves those out: they
    // are not started, and sound's and the pads' libraries are not even loaded.
    // SoundDevice::GetInstance still starts sound on first use, and a controller's Setup
    // still looks for its pad.
    enum Services
    {
        NoServices = 0,
        SoundService = 1,
        ScriptingService = 2,
        PadService = 4,
        AllServices = SoundService | ScriptingService | PadService,
    };

    // Opens the window, creates the console and starts the plugged-in subsystems that
    // `services` (a combination of Services) asks for; game pads are looked for once the
    // first frame has been drawn. Returns false, and does nothing, if called a second
    // time; logs an ERROR line and returns false if the window can't be opened. Without
    // `verticalSync` frames are shown as soon as they are drawn (benchmarks, tools).
    // Nothing but the window and the console comes up unless subsystems were plugged in
    // first (RunProgram plugs in the engine's own; see Program/EngineSubsystems.h).
    bool Initialize(const String& windowName, bool antiAliasing, bool verticalSync = true, int services = AllServices);
    // Runs the frame loop until StopGame, then `afterLoop`; a second call returns at once.
    // On the desktop StartGame returns after `afterLoop`. In the browser it never returns
    // (see Platform/FrameLoop.h): what ends the run belongs in `afterLoop`.
    void StartGame(std::function<void()> afterLoop = {});
    // Shuts the plugged-in subsystems down in the reverse of the order they were plugged
    // in (scripting before sound, so a script's clean-up can still stop its sounds),
    // then closes the window.
    void Destroy();
    // Ends the loop after the current frame.
    void StopGame();
    // An unbound Escape: StopGame where the program can quit, or else the game manager's
    // OnLeaveKey (see Platform/FrameLoop.h).
    void OnQuitKey();

    // One frame: Tick, then the drawing steps.
    void RunFrame();
    // The update half of a frame; the simulation part runs only when `simulate`.
    void Tick(bool simulate);
    // Reads the time source and sets dt, clamped to 0..1 s.
    void MeasureFrameTime();

    // Plugs a subsystem into the frame (Infrastructure/Subsystem.h); the World calls it
    // but doesn't own it. Plugging one in twice does nothing.
    void PlugIn(Subsystem* subsystem);
    // In the order they were plugged in.
    const std::vector<Subsystem*>& GetSubsystems() const { return subsystems; }

    // Logs "ERROR: Can only have one game manager!" unless no manager is set and
    // `manager` is not null.
    void SetGameManager(GameManager* manager);
    GameManager* GetGameManager() const { return gameManager; }

    // The previous console is neither notified nor deleted.
    void RegisterConsole(Console* newConsole) { console = newConsole; }
    // Null before Initialize.
    Console* GetConsole() const { return console; }

    // The frame clear colour; alpha is always 1.
    void SetBackgroundColor(const Color& color);
    // Clock at the start of this frame, in seconds (the time source, if one is set).
    float GetCurrentTimeSeconds() const { return currentTime; }
    // This frame's clamped duration, 0..1 s.
    float GetDT() const { return dt; }
    // Whether frames run their simulation half (messages, updates, physics).
    bool IsSimulationOn() const { return simulateOn; }
    // Off, frames still read input, play sound, move the camera, update the game manager
    // and draw, but deliver no message, update no element and step no physics, and
    // delayed messages wait: the game stands still (the runner's error view).
    void SetSimulationOn(bool on) { simulateOn = on; }
    // False once StopGame was asked for, or before Initialize.
    bool IsRunning() const { return running; }

    // Layers: lower numbers update and draw first; within a layer, in order of adding.
    // Changes made during an update walk take effect after it.
    // The first Add of an actor registers it again under its name, numbered when the name
    // is taken, and an actor named before Add has taken it itself: SetName("Ball") then
    // Add makes it "Ball1" (GetNamed("Ball") still finds it, but its collision messages
    // are "CollisionWithBall1"). Name actors after adding them to get the name asked for.
    // Later adds, layer moves and adds made during an update keep the name.
    void Add(Renderable* newElement, int layer = 0);
    void Add(Renderable* newElement, const String& layerName);
    // Unlists without deleting.
    void Remove(Renderable* oldElement);
    // Unlists, but the World goes on owning the element: it is deleted once destroyed
    // or at a reset, and Add lists it again. A script's World.Remove does this, since
    // nothing else would ever delete what a script handed over.
    void SetAside(Renderable* element);
    // Moves a listed element to another layer, at the end of the walk inside one.
    void UpdateLayer(Renderable* element, int newLayer);
    void UpdateLayer(Renderable* element, const String& layerName);
    // Lets Add, UpdateLayer and Actor::SetLayer take the name; renaming replaces it.
    void NameLayer(const String& name, int number);
    // 0 for a name never given.
    int GetLayerByName(const String& name) const;
    // Resets the camera, deletes every element the game manager doesn't protect and
    // purges debug drawing. Asked for during a walk over the elements (a script's
    // Update), the elements wait until the walk is over, and only those in the World
    // when it was asked for go: what is added after it (a game starting over) stays.
    // Every element is destroyed before any is deleted, so what one does as it goes
    // never meets another already freed.
    void ResetWorld();
    // The way an owner (a screen) ends an element it made: destroys it and deletes it,
    // at once outside a walk over the elements, after the walk inside one. Listed or
    // not; null does nothing. Never for what the game manager keeps (see DeleteElement's
    // refusal line).
    void DeleteElement(Renderable* element);
    // Every listed element in walk order (tests and tools).
    std::vector<Renderable*> GetElements() const;
    // Live debug items in creation order (tests and tools).
    const std::vector<DebugDrawItem*>& GetDebugItems() const { return debugItems; }

    // Timed debug lines, drawn over the world.
    void DrawDebugLine(const Vector2& a, const Vector2& b, float time = 5.0f,
                       const Color& color = Color(1.0f, 0.0f, 0.0f));
    // Removes every debug line at once, kept ones included.
    void PurgeDebugDrawing();

    // Makes the physics world PhysicsActor bodies live in; call it before InitPhysics.
    // Gravity is in world units per second squared. Returns false, changing nothing, if it
    // is already set up, and logs an ERROR line if physics isn't plugged in.
    bool SetupPhysics(const Vector2& gravity = Vector2(0.0f, -10.0f),
                      const Vector2& maxVertex = Vector2(100.0f, 100.0f),
                      const Vector2& minVertex = Vector2(-100.0f, -100.0f));
    // Whether SetupPhysics has run (the world itself: PhysicsWorld::Find).
    bool IsPhysicsSetUp() const { return physicsSetUp; }
    // What SetupPhysics calls to make the physics world.
    using PhysicsMaker =
        std::function<void(const Vector2& gravity, const Vector2& maxVertex, const Vector2& minVertex)>;
    // The physics subsystem sets it when it plugs in.
    void SetPhysicsMaker(PhysicsMaker maker) { physicsMaker = std::move(maker); }

    void ReceiveMessage(Message*) override {}

    // Run-control for tools and tests: a source of seconds that replaces the window
    // timer, and a frame count after which the loop stops by itself (0: no limit).
    void SetTimeSource(std::function<double()> source) { timeSource = std::move(source); }
    void SetFrameLimit(int frames) { frameLimit = frames; }
    // Runs after each frame is drawn, before it is shown.
    void SetFrameDrawnHook(std::function<void()> hook) { frameDrawnHook = std::move(hook); }
    // Runs before each frame of the loop, when GetFramesRun() is that frame's number.
    void SetFrameStartHook(std::function<void()> hook) { frameStartHook = std::move(hook); }
    int GetFramesRun() const { return framesRun; }
    // Keeps the wall-clock time of each frame StartGame runs from now on.
    void SetFrameStatsOn(bool on) { frameStatsOn = on; }
    const FrameStats& GetFrameStats() const { return frameStats; }

    // When true only particle systems are updated.
    bool particlesOnly = false;

private:
    World();

    class ElementWalker;
    class EngineOnlyStretch;

    double ReadTime() const;
    // One turn of the frame loop: hooks, the frame, the swap. False once the loop ends.
    bool RunLoopFrame();

    // Layer walks.
    void UpdateElements(float frameDt);
    void CleanUpElements();
    void ProcessDeferredChanges();
    void DrawElements();
    void UnloadAll();
    void DeleteDestroyed(std::vector<Renderable*>& destroyed);
    void ApplyPendingReset();
    bool KeptByGameManager(Renderable* element) const;
    bool RefusesToList(Renderable* element) const;
    void DropRequestsFor(const std::unordered_set<Renderable*>& deleted);

    bool IsAskedFor(const Subsystem* subsystem) const;
    void StartAfterFirstFrame();
    void UpdateConsoleCaret(float frameDt);
    void RenderConsole();
    void AgeDebugItems(float frameDt);
    void RenderDebugItems();

    bool running = false;
    double lastFrameTime = 0.0;
    double currentTime = 0.0;
    float dt = 0.0f;
    bool simulateOn = true;
    bool initialized = false;
    bool started = false;

    std::map<int, std::vector<Renderable*>> layers;
    std::vector<std::pair<Renderable*, int>> deferredAdds;
    std::vector<std::pair<Renderable*, int>> deferredLayerChanges;
    std::vector<Renderable*> deferredRemoves;
    std::map<String, int> layerNames;
    bool elementsLocked = false;
    // Set while the elements draw: a reset asked for then waits, like one during an update.
    bool drawingElements = false;
    bool resetPending = false;
    // Added after a reset was asked for during a walk: the reset must not take them.
    std::unordered_set<Renderable*> addedSinceResetAsked;
    std::vector<Renderable*> deferredDeletes;
    std::vector<Renderable*> setAside;

    std::vector<Subsystem*> subsystems;
    // The Services bits Initialize was given.
    int servicesAskedFor = 0;
    PhysicsMaker physicsMaker;
    bool physicsSetUp = false;
    std::vector<DebugDrawItem*> debugItems;

    GameManager* gameManager = nullptr;
    Console* console = nullptr;

    std::function<double()> timeSource;
    std::function<void()> frameDrawnHook;
    std::function<void()> frameStartHook;
    int frameLimit = 0;
    int framesRun = 0;
    bool frameStatsOn = false;
    FrameStats frameStats;
    double lastUpdateMs = 0.0;
    int framesDrawn = 0;
    bool firstFrameStartsPending = false;
};
