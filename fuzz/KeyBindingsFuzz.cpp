// Arbitrary bytes as a key-binding file: every line either binds, is skipped with a
// WARNING, or is a comment; nothing may crash or read out of bounds.
#include "Input/InputRouter.h"
#include "Input/KeyBinding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const String text(reinterpret_cast<const char*>(data), size);
    InputRouter& router = InputRouter::GetInstance();
    router.ClearBindings();
    router.ReadBindings(SplitText(text, "\n", false), "fuzz.ini");
    // Only names from the table bind, and the backquote key (the console's) has none.
    if (router.GetBinding('`') || router.GetBinding(-1))
        std::abort();
    return 0;
}
