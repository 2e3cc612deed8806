// The entry point of every test program.
#include <gtest/gtest.h>

#include <cstdlib>

// Leaks inside system libraries we don't own: the GL driver, X11 and its extensions,
// fonts, Python, SDL. Test fixtures keep these libraries loaded so the names match.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libGLX_mesa\n"
           "leak:libGLX\n"
           "leak:libGL.so\n"
           "leak:swrast_dri\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libX11\n"
           "leak:libxcb\n"
           "leak:libXinerama\n"
           "leak:libXxf86vm\n"
           "leak:libXrandr\n"
           "leak:libXcursor\n"
           "leak:libXi.so\n"
           "leak:libXext\n"
           "leak:libfontconfig\n"
           "leak:libdbus\n"
           "leak:libpython\n"
           "leak:libSDL2\n"
           "leak:libglfw\n";
}

int main(int argc, char** argv)
{
    // The software rasteriser's worker threads can still be winding down when the leak
    // checker stops the process at exit; rasterising on the main thread avoids that race.
    setenv("LP_NUM_THREADS", "0", 0);
    // Tests hear nothing unless a sound test picks another driver.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
