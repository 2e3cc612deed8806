#include "TestUtilities/WindowTest.h"

#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"

#include <cstdlib>
#include <dlfcn.h>

void KeepWindowModulesLoaded()
{
    // The window library and the GL driver unload these when the window closes, and what
    // they leave behind would then be reported as leaks of an unknown module. Keeping them
    // mapped lets the leak checker name them, and the suppressions skip them.
    for (const char* module : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "libXinerama.so.1", "libXxf86vm.so.1",
                               "libXrandr.so.2", "libXcursor.so.1", "libXi.so.6", "libXext.so.6"})
        dlopen(module, RTLD_NOW | RTLD_NODELETE);
}

void WindowTest::SetUp()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "no display";
    KeepWindowModulesLoaded();
    ASSERT_TRUE(World::GetInstance().Initialize("QVRN test", false, true, services));
    // Frames drawn to read pixels take no time: on a loaded machine the clock could move
    // animations on between two reads. Tests that need time drive it (FrameDriver).
    World::GetInstance().SetTimeSource([] { return 0.0; });
    World::GetInstance().MeasureFrameTime();
}

void WindowTest::TearDown()
{
    if (!IsSkipped() && !worldDestroyed)
        World::GetInstance().Destroy();
}

void WindowTest::DestroyWorld()
{
    World::GetInstance().Destroy();
    worldDestroyed = true;
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
