#include "Platform/Window.h"

#include "Platform/KeyCodes.h"
#include "Platform/Log.h"

#include <GLFW/glfw3.h>

#include <utility>

namespace
{
GLFWwindow* window = nullptr;
bool libraryRunning = false;
bool keyRepeat = false;
String lastLibraryError;
int openingWidth = Window::DefaultWidth;
int openingHeight = Window::DefaultHeight;
WindowInputHandler* inputHandler = nullptr;
std::function<void(int, int)> resizeHandler;
std::function<void()> closeHandler;

void OnLibraryError(int code, const char* description)
{
    lastLibraryError = description ? description : "unknown error";
    // Before a window exists the error is reported by Open; afterwards it is worth a line.
    if (window)
        SystemLogInstance().Printf("WARNING: window library error %d: %s", code, lastLibraryError.c_str());
}

void OnResize(GLFWwindow*, int width, int height)
{
    if (resizeHandler)
        resizeHandler(width, height);
}

void OnKey(GLFWwindow*, int key, int, int action, int)
{
    if (action == GLFW_REPEAT)
    {
        if (!keyRepeat)
            return;
        action = GLFW_PRESS;
    }
    const int engineKey = KeyCodes::FromLibraryKey(key);
    if (engineKey < 0)
        return;
    if (inputHandler)
        inputHandler->OnKey(engineKey, action == GLFW_PRESS);
}

void OnCharacter(GLFWwindow*, unsigned int codepoint)
{
    if (inputHandler)
        inputHandler->OnCharacter(codepoint);
}

void OnCursor(GLFWwindow*, double x, double y)
{
    if (inputHandler)
        inputHandler->OnMouseMotion(static_cast<int>(x), static_cast<int>(y));
}

void OnMouseButton(GLFWwindow*, int button, int action, int)
{
    if (inputHandler)
        inputHandler->OnMouseButton(button, action == GLFW_PRESS);
}

void OnClose(GLFWwindow*)
{
    if (closeHandler)
        closeHandler();
}
} // namespace

namespace Window
{
void SetOpeningSize(int width, int height)
{
#ifndef __EMSCRIPTEN__
    openingWidth = width;
    openingHeight = height;
#else
    (void)width;
    (void)height;
#endif
}

int GetOpeningWidth() { return openingWidth; }

int GetOpeningHeight() { return openingHeight; }

bool Open(const String& title, bool antiAliasing, String& error)
{
    glfwSetErrorCallback(OnLibraryError);
    if (!libraryRunning)
    {
        if (!glfwInit())
        {
            error = lastLibraryError.empty() ? "the window library could not start" : lastLibraryError;
            return false;
        }
        libraryRunning = true;
    }

    glfwDefaultWindowHints();
    if (antiAliasing)
        glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_RED_BITS, 8);
    glfwWindowHint(GLFW_GREEN_BITS, 8);
    glfwWindowHint(GLFW_BLUE_BITS, 8);
#ifdef __EMSCRIPTEN__
    // A page shows a canvas with alpha blended over what lies behind it, so translucent
    // drawing would let the page show through; the frame is opaque.
    glfwWindowHint(GLFW_ALPHA_BITS, 0);
#else
    glfwWindowHint(GLFW_ALPHA_BITS, 8);
#endif
    glfwWindowHint(GLFW_DEPTH_BITS, 8);
    glfwWindowHint(GLFW_STENCIL_BITS, 1);
    window = glfwCreateWindow(openingWidth, openingHeight, title.c_str(), nullptr, nullptr);
    if (!window)
    {
        error = lastLibraryError.empty() ? "no window was created" : lastLibraryError;
        return false;
    }
    glfwSetWindowPos(window, 50, 50);
    glfwMakeContextCurrent(window);
    glfwSwapInterval(1);

    glfwSetWindowSizeCallback(window, OnResize);
    glfwSetKeyCallback(window, OnKey);
    glfwSetCharCallback(window, OnCharacter);
    glfwSetCursorPosCallback(window, OnCursor);
    glfwSetMouseButtonCallback(window, OnMouseButton);
    glfwSetWindowCloseCallback(window, OnClose);
    keyRepeat = false;

    // The library reports no position until the cursor moves; listeners want one now.
    double x = 0.0, y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    OnCursor(window, x, y);
    return true;
}

void SetInputHandler(WindowInputHandler* handler) { inputHandler = handler; }

void SetResizeHandler(std::function<void(int width, int height)> handler) { resizeHandler = std::move(handler); }

void SetCloseHandler(std::function<void()> handler) { closeHandler = std::move(handler); }

void SetVerticalSync(bool on)
{
    if (window)
        glfwSwapInterval(on ? 1 : 0);
}

void SwapBuffersAndPoll()
{
    SwapBuffers();
    PollEvents();
}

void SwapBuffers()
{
    if (window)
        glfwSwapBuffers(window);
}

void PollEvents()
{
    if (window)
        glfwPollEvents();
}

double GetTime() { return libraryRunning ? glfwGetTime() : 0.0; }

void SetKeyRepeat(bool on) { keyRepeat = on; }

bool IsKeyRepeatOn() { return keyRepeat; }

bool IsLibraryKeyDown(int glfwKey)
{
    return window && glfwKey >= 0 && glfwKey <= GLFW_KEY_LAST && glfwGetKey(window, glfwKey) == GLFW_PRESS;
}

void Terminate()
{
    if (!libraryRunning)
        return;
#ifdef __EMSCRIPTEN__
    // The page keeps its canvas, and the last frame stays on it; the library would shrink
    // it to a pixel. Events just stop reaching the program.
    inputHandler = nullptr;
    resizeHandler = nullptr;
    closeHandler = nullptr;
#else
    glfwTerminate();
#endif
    window = nullptr;
    libraryRunning = false;
}
} // namespace Window
