#include "TestUtilities/WindowTest.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/Draw.h"
#include "Infrastructure/World.h"

#include <cstdlib>
#include <dlfcn.h>

void WindowTest::SetUp()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no display";
    ASSERT_TRUE(World::GetInstance().Initialize("QVRN test", false));
    // Shutting the window down unloads the GL driver; blocks it never freed could then
    // no longer be traced to it, and its leak suppressions would not match. Keep it loaded.
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
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
