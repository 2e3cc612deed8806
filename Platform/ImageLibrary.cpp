#include "Platform/ImageLibrary.h"

#include "Platform/Log.h"
#include "Platform/SharedLibrary.h"

#include <mutex>

namespace
{
// The library initialises itself when it is loaded and reports nothing the engine reads,
// so binding its functions is all the set-up there is.
bool Bind(SharedLibrary& library, ImageLibrary::Api& api, String& error)
{
#define TARVO_IMAGE_FIND(name)                                                                                         \
    if (!library.Find(api.name, "FreeImage_" #name, error))                                                            \
        return false;
    TARVO_IMAGE_FUNCTIONS(TARVO_IMAGE_FIND)
#undef TARVO_IMAGE_FIND
    return true;
}

// Never deleted: an image may be written by code that runs at exit. Debian's
// libfreeimage3; the unversioned name belongs to the -dev package.
LibraryOnFirstUse<ImageLibrary::Api>& Images()
{
    static auto* images = new LibraryOnFirstUse<ImageLibrary::Api>("libfreeimage.so.3", Bind);
    return *images;
}
} // namespace

const ImageLibrary::Api* ImageLibrary::Get()
{
    String error;
    const Api* api = Images().Get(error);
    static std::once_flag reported;
    if (!api)
        std::call_once(reported,
                       [&error]
                       {
                           SystemLogInstance().Printf(
                               "ERROR: the image library could not be loaded (%s); images are not drawn.",
                               error.c_str());
                       });
    return api;
}

bool ImageLibrary::OpenInsteadForTesting(const char* fileName) { return Images().OpenInsteadForTesting(fileName); }
