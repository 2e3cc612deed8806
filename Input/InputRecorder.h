#pragma once

#include "Input/InputScript.h"

// Collects what the player presses on the real keyboard and pads, as an input script
// that replays it. Nothing is collected until Start.
namespace InputRecorder
{
// Starts an empty recording.
void Start();
// Whether Start has been called (and the recording goes on).
bool IsRecording();
// A key edge from the window, in the engine's key codes. Window events arrive between
// frames, so the edge belongs to the next frame. Keys without a name in scripts can't be
// written and are left out; the backquote is GRAVE.
void RecordKey(int keyCode, bool pressed);
// A character from the window that something took (the open console), for the next
// frame as keys are. Characters a script can't type (InputScript::CanType) are left out.
void RecordText(unsigned int codePoint);
// A bindable button edge (0..11) of pad 0 or 1, seen by the current frame's poll.
void RecordPadButton(int padIndex, int button, bool pressed);
// What was recorded since Start.
const InputScript& GetRecording();
} // namespace InputRecorder
