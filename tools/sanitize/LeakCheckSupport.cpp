// Linked into every sanitized program (game, examples, tests, tools) so that a clean run
// exits 0 and a leak of our own code still fails it.

#include <dlfcn.h>

// Leaks inside system libraries we don't own: the GL driver, X11 and its extensions,
// fonts, D-Bus, Python, SDL. Our own code is never named here.
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

// Suppressions match module names, and the leak checker runs at exit, after the window
// library and the GL driver have unloaded their modules: what those leave behind would be
// "in an unknown module" and match nothing. So in these builds nothing is ever unloaded;
// a module stays mapped, and named, until the process ends.
extern "C" int dlclose(void*) { return 0; }
