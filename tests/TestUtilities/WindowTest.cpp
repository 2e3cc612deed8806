#include "TestUtilities/WindowTest.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Draw.h"
#include "Infrastructure/World.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace
{
// The GL driver's libraries are unloaded when the window closes, so leaks inside them
// would be reported from an "unknown module" that lsan.supp can't name. Pinning them
// keeps their names for the leak report.
void PinGraphicsLibraries()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*)
        {
            const char* name = info->dlpi_name;
            if (name && *name && !std::strstr(name, "asan"))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
} // namespace

void WindowTest::SetUp()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no display";
    ASSERT_TRUE(World::GetInstance().Initialize("QVRN test", false));
    PinGraphicsLibraries();
}

void WindowTest::TearDown()
{
    if (!IsSkipped())
        World::GetInstance().Destroy();
}

Color WindowTest::DrawFrameAndReadPixel(int x, int y)
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    Draw::EndFrame();
    const int height = Camera::GetInstance().GetWindowHeight();
    const auto pixel = Draw::ReadPixels(x, height - 1 - y, 1, 1);
    return Color(static_cast<int>(pixel[0]), static_cast<int>(pixel[1]), static_cast<int>(pixel[2]),
                 static_cast<int>(pixel[3]));
}
