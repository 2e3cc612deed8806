#pragma once

// A part of the engine that plugs into the World's frame (input, sound, physics,
// scripting). The World calls every plugged-in subsystem at the same steps, in the order
// they were plugged in (and shuts them down in the reverse order), and never needs to
// know what they are.
class Subsystem
{
public:
    virtual ~Subsystem() = default;

    // The World::Services bit that asks for this subsystem at Initialize; 0 when it
    // always starts.
    virtual int GetService() const { return 0; }
    // From Initialize, when asked for: the window is open and the console exists.
    virtual void Start() {}
    // Once the first frame is on the screen, when asked for: slow probes wait for it, and
    // their time is kept out of the game's clock.
    virtual void StartAfterFirstFrame() {}
    // Every frame, before the camera and the game manager update (started or not: a
    // frame ticked without Initialize runs it too).
    virtual void Update(float dt) { (void)dt; }
    // Simulated frames, after the elements have moved and the adds and removes are done.
    virtual void Simulate(float dt) { (void)dt; }
    // Drawn over the elements and the debug lines, under the console.
    virtual void DrawOverWorld() {}
    // The frame runs no script code from BeginEngineOnly to EndEngineOnly (drawing the
    // elements, waiting for the screen): the script host lets the interpreter's other
    // threads run meanwhile. Always called in pairs, never nested.
    virtual void BeginEngineOnly() {}
    virtual void EndEngineOnly() {}
    // From World::Destroy, before the window closes; the last plugged in first.
    virtual void Shutdown() {}
};
