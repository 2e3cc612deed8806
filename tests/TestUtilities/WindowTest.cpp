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
// The GL driver is unloaded when the window closes, and its own small leaks then show
// up as "<unknown module>", which no suppression can name. Pinning it keeps them
// attributed to the driver, where tests/lsan.supp suppresses them.
void KeepGraphicsDriverLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*)
        {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
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
    KeepGraphicsDriverLoaded();
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
