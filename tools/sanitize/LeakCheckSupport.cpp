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

// The runtime's record of each thread's dynamic thread-locals (the blocks of modules loaded
// with dlopen) is off. It guesses a block's extent from the 16 bytes before it, taking them
// for the C library's allocation header; but these blocks come from the sanitizer's own
// malloc, so those bytes are its chunk header. A block that happens to start 16 bytes into
// a page (which depends on the order of allocations, so on timing) then gets a garbage
// range, such as 0xdd8-0x1800001eda, and the leak checker's tracer crashes reading it at
// exit ("Tracer caught signal 11: addr=0xdd8"). Nothing is lost: the blocks are allocated
// by the dynamic linker, whose allocations the leak checker scans as roots anyway.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

// Suppressions match module names, and the leak checker runs at exit, after the window
// library and the GL driver have unloaded their modules: what those leave behind would be
// "in an unknown module" and match nothing. So in these builds nothing is ever unloaded;
// a module stays mapped, and named, until the process ends.
extern "C" int dlclose(void*) { return 0; }
