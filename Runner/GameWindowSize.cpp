#include "Runner/GameWindowSize.h"

#include "Platform/Window.h"

#include <cstdio>
#include <sstream>

namespace
{
// Two whole numbers and nothing else.
bool ReadSize(const String& size, long long& width, long long& height)
{
    std::istringstream words(size);
    if (!(words >> width >> height))
        return false;
    words >> std::ws;
    return words.eof();
}

bool WithinBounds(long long width, long long height)
{
    return width >= MinGameWindowWidth && width <= MaxGameWindowWidth && height >= MinGameWindowHeight &&
           height <= MaxGameWindowHeight;
}
} // namespace

void ApplyGameWindowSize(const String& size, const String& where)
{
    if (size.empty())
        return;
    long long width = 0, height = 0;
    if (!ReadSize(size, width, height))
    {
        std::fprintf(stderr, "WARNING: %s gives no readable window size; the window is %d x %d\n", where.c_str(),
                     Window::DefaultWidth, Window::DefaultHeight);
        return;
    }
    if (!WithinBounds(width, height))
    {
        std::fprintf(stderr,
                     "WARNING: %s asks for a %lld x %lld window, outside %d x %d to %d x %d; the window is %d x %d\n",
                     where.c_str(), width, height, MinGameWindowWidth, MinGameWindowHeight, MaxGameWindowWidth,
                     MaxGameWindowHeight, Window::DefaultWidth, Window::DefaultHeight);
        return;
    }
    Window::SetOpeningSize(static_cast<int>(width), static_cast<int>(height));
}
