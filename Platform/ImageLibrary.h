#pragma once

#include <FreeImage.h>

// The functions the engine calls in the image library, named without the library's prefix.
#define TARVO_IMAGE_FUNCTIONS(X)                                                                                       \
    X(AcquireMemory)                                                                                                   \
    X(Allocate)                                                                                                        \
    X(Clone)                                                                                                           \
    X(CloseMemory)                                                                                                     \
    X(ConvertTo24Bits)                                                                                                 \
    X(ConvertTo32Bits)                                                                                                 \
    X(GetBits)                                                                                                         \
    X(GetBPP)                                                                                                          \
    X(GetFIFFromFilename)                                                                                              \
    X(GetHeight)                                                                                                       \
    X(GetImageType)                                                                                                    \
    X(GetPitch)                                                                                                        \
    X(GetScanLine)                                                                                                     \
    X(GetWidth)                                                                                                        \
    X(IsTransparent)                                                                                                   \
    X(LoadFromHandle)                                                                                                  \
    X(OpenMemory)                                                                                                      \
    X(Rescale)                                                                                                         \
    X(SaveToMemory)                                                                                                    \
    X(Unload)                                                                                                          \
    X(ValidateFromHandle)

// The image library, opened the first time an image is decoded or written rather than when
// the program starts. It brings some thirty codec libraries with it, which a program that
// never touches an image should neither load nor have the loader search for every symbol
// of the libraries it does load (the graphics driver's among them).
//
// Kept out of the installed headers: it is the one place that names the library's header.
class ImageLibrary
{
public:
    // The library's own function types. Called through pointers, its functions lose the
    // header's default arguments: callers pass every argument.
    struct Api
    {
#define TARVO_IMAGE_POINTER(name) decltype(&FreeImage_##name) name = nullptr;
        TARVO_IMAGE_FUNCTIONS(TARVO_IMAGE_POINTER)
#undef TARVO_IMAGE_POINTER
    };

    // Opens the library on the first call, from whichever thread makes it; later calls
    // return at once. Null when the library can't be opened or lacks a function, which
    // is logged as one ERROR line, once per run.
    static const Api* Get();

    // For tests: the file the first Get() opens instead of the library. False, changing
    // nothing, once Get() has been called.
    static bool OpenInsteadForTesting(const char* fileName);
};
