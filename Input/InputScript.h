#pragma once

#include "Util/StringUtil.h"

#include <cstddef>
#include <vector>

// One scripted key or pad-button edge. `code` is an engine key code (letters lower-case)
// or a pad button code (1000..1011 for the first pad, 1020..1031 for the second).
struct ScriptedInput
{
    int frame = 0;
    int code = -1;
    bool down = false;
};

// A list of input edges by frame, read from and written as lines of the form
//
//   FRAME key|pad NAME down|up
//
// with the names of the binding file (SPACE, UP_ARROW, A, P1BUTTON_A, ...), any case.
// A "#" starts a comment that runs to the end of the line; blank lines are skipped.
// Frames count from 0, the first frame the loop runs.
class InputScript
{
public:
    // Reads a whole file. On the first bad line returns false, keeps nothing and sets
    // `error` to "FILE:LINE: what is wrong"; also false, with `error` naming the file,
    // when it can't be read, is not a regular file (a FIFO or a device is never read) or
    // holds more than 32 MiB.
    bool Load(const String& fileName, String& error);
    // The same for lines already read; `fileName` only names them in the error.
    bool Parse(const StringList& lines, const String& fileName, String& error);

    // Appends one edge; playback order is by frame, then by order of adding.
    void Add(const ScriptedInput& input);
    // Every input of the script, in frame order.
    const std::vector<ScriptedInput>& GetInputs() const { return inputs; }
    // The script as text in the line format above.
    String Format() const;

    // Sends the edges of `frame` through the same paths as the window's key callback
    // and the pads' poll: key bindings, the console, Escape, and the key-state and
    // pad-button queries. Call once per frame with rising frame numbers, before the
    // frame runs; edges of frames already passed are sent at the first call after them.
    void Play(int frame);
    // Pads named by the script count as connected (with centred sticks) from now on,
    // so that scripted presses reach code that only reads a connected pad.
    void PlugInScriptedPads() const;

private:
    std::vector<ScriptedInput> inputs;
    std::size_t next = 0;
};
