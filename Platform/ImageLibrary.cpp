#include "Platform/ImageLibrary.h"

#include "Platform/Log.h"
#include "Platform/SharedLibrary.h"

#include <atomic>
#include <mutex>

namespace
{
// Debian's libfreeimage3; the unversioned name belongs to the -dev package.
const char* const LibraryFile = "libfreeimage.so.3";

struct Loader
{
    std::once_flag once;
    std::atomic<bool> started{false};
    const char* fileName = LibraryFile;
    SharedLibrary library;
    ImageLibrary::Api api;
    const ImageLibrary::Api* ready = nullptr;
};

// Never destroyed: an image may be written by code that runs at exit.
Loader& TheLoader()
{
    static auto* loader = new Loader();
    return *loader;
}

bool Open(Loader& loader, String& error)
{
    // The library initialises itself when it is loaded and reports nothing the engine
    // reads, so there is no set-up call to make here.
    if (!loader.library.Open({loader.fileName}, error))
        return false;
#define TARVO_IMAGE_FIND(name)                                                                                         \
    if (!loader.library.Find(loader.api.name, "FreeImage_" #name, error))                                              \
        return false;
    TARVO_IMAGE_FUNCTIONS(TARVO_IMAGE_FIND)
#undef TARVO_IMAGE_FIND
    return true;
}
} // namespace

const ImageLibrary::Api* ImageLibrary::Get()
{
    Loader& loader = TheLoader();
    std::call_once(loader.once,
                   [&loader]
                   {
                       loader.started = true;
                       String error;
                       if (Open(loader, error))
                           loader.ready = &loader.api;
                       else
                           SystemLogInstance().Printf(
                               "ERROR: the image library could not be loaded (%s); images are not drawn.",
                               error.c_str());
                   });
    return loader.ready;
}

bool ImageLibrary::OpenInsteadForTesting(const char* fileName)
{
    Loader& loader = TheLoader();
    if (loader.started)
        return false;
    loader.fileName = fileName;
    return true;
}
