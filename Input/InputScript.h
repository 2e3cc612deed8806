#pragma once

#include "Util/StringUtil.h"

#include <cstddef>
#include <vector>

// One scripted key or pad-button edge, or characters typed. `code` is an engine key code
// (letters lower-case) or a pad button code (1000..1011 for the first pad, 1020..1031 for
// the second). A non-empty `text` makes it typed characters (UTF-8), and then `code` and
// `down` mean nothing.
struct ScriptedInput
{
    int frame = 0;
    int code = -1;
    bool down = false;
    String text;

    bool IsText() const { return !text.empty(); }
};

// A list of inputs by frame, read from and written as lines of the forms
//
//   FRAME key|pad NAME down|up
//   FRAME text TEXT
//
// with the names of the binding file (SPACE, UP_ARROW, A, P1BUTTON_A, ...), any case, and
// GRAVE for the backquote key, which opens and closes the console and can't be bound.
// TEXT is the rest of the line after one space or tab: the characters typed, as the window
// reports them with the keys (a "#" in it is typed, and so are its trailing spaces).
// Elsewhere a "#" starts a comment that runs to the end of the line; blank lines are
// skipped. Frames count from 0, the first frame the loop runs.
class InputScript
{
public:
    // The name a script gives a key code: the binding file's, or GRAVE for the
    // backquote; empty for a key that has none.
    static String GetKeyName(int code);
    // Whether a character can be a script's text: not a control character (C0, DEL, C1),
    // not the backquote (its key toggles the console, and the character never arrives),
    // not a surrogate nor past U+10FFFF.
    static bool CanType(unsigned int codePoint);

    // Reads a whole file. On the first bad line returns false, keeps nothing and sets
    // `error` to "FILE:LINE: what is wrong"; also false, with `error` naming the file,
    // when it can't be read, is not a regular file (a FIFO or a device is never read) or
    // holds more than 32 MiB.
    bool Load(const String& fileName, String& error);
    // The same for lines already read; `fileName` only names them in the error.
    bool Parse(const StringList& lines, const String& fileName, String& error);

    // Appends one input; playback order is by frame, then by order of adding. Text added
    // right after other text of the same frame joins it, which plays the same.
    void Add(const ScriptedInput& input);
    // Every input of the script, in frame order.
    const std::vector<ScriptedInput>& GetInputs() const { return inputs; }
    // The script as text in the line format above.
    String Format() const;

    // Sends the inputs of `frame` through the same paths as the window's key and
    // character callbacks and the pads' poll: the console's key, the open console, key
    // bindings, Escape, and the key-state and pad-button queries; text goes character by
    // character to whatever takes the window's characters. Call once per frame with
    // rising frame numbers, before the frame runs; inputs of frames already passed are
    // sent at the first call after them.
    void Play(int frame);
    // Pads named by the script count as connected (with centred sticks) from now on,
    // so that scripted presses reach code that only reads a connected pad.
    void PlugInScriptedPads() const;

private:
    std::vector<ScriptedInput> inputs;
    std::size_t next = 0;
};
