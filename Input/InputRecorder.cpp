#include "Input/InputRecorder.h"

#include "Infrastructure/World.h"
#include "Input/InputRouter.h"
#include "Util/Utf8.h"

namespace
{
constexpr int FirstPadCode = 1000;
constexpr int PadCodeStride = 20;

bool recording = false;

InputScript& Recording()
{
    static InputScript* script = new InputScript();
    return *script;
}
} // namespace

namespace InputRecorder
{
void Start()
{
    Recording() = InputScript();
    recording = true;
}

bool IsRecording() { return recording; }

void RecordKey(int keyCode, bool pressed)
{
    const int code = LowerCaseKeyCode(keyCode);
    if (!recording || InputScript::GetKeyName(code).empty())
        return;
    Recording().Add({World::GetInstance().GetFramesRun() + 1, code, pressed, String()});
}

void RecordText(unsigned int codePoint)
{
    if (!recording || !InputScript::CanType(codePoint))
        return;
    Recording().Add({World::GetInstance().GetFramesRun() + 1, -1, false, CodePointToUtf8(codePoint)});
}

void RecordPadButton(int padIndex, int button, bool pressed)
{
    if (!recording || padIndex < 0 || padIndex > 1)
        return;
    Recording().Add(
        {World::GetInstance().GetFramesRun(), FirstPadCode + padIndex * PadCodeStride + button, pressed, String()});
}

const InputScript& GetRecording() { return Recording(); }
} // namespace InputRecorder
