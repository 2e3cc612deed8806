// Arbitrary bytes as an input script (--input-script): a script either reads whole or is
// refused with an error naming its file and line. One that reads must survive being
// written back out and read again unchanged, since recorded scripts are replayed that way.
#include "Input/InputScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
bool SameInputs(const InputScript& a, const InputScript& b)
{
    const std::vector<ScriptedInput>& left = a.GetInputs();
    const std::vector<ScriptedInput>& right = b.GetInputs();
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        if (left[i].frame != right[i].frame || left[i].code != right[i].code || left[i].down != right[i].down ||
            left[i].text != right[i].text)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const String text(reinterpret_cast<const char*>(data), size);
    InputScript script;
    String error;
    if (!script.Parse(SplitText(text, "\n", false), "fuzz.script", error))
    {
        if (error.rfind("fuzz.script:", 0) != 0 || !script.GetInputs().empty())
            std::abort();
        return 0;
    }
    InputScript again;
    if (!again.Parse(SplitText(script.Format(), "\n", false), "formatted", error) || !SameInputs(script, again))
        std::abort();
    return 0;
}
