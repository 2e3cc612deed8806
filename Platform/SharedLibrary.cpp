#include "Platform/SharedLibrary.h"

#include <dlfcn.h>

bool SharedLibrary::Open(std::initializer_list<const char*> names, String& error)
{
    if (handle)
        return true;
    for (const char* name : names)
    {
        handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (handle)
            return true;
        const char* reason = dlerror();
        error = reason ? reason : String(name) + ": cannot open shared object file";
    }
    return false;
}

void* SharedLibrary::FindAddress(const char* symbol, String& error)
{
    if (!handle)
    {
        error = "the library is not open";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(handle, symbol);
    if (!address)
    {
        const char* reason = dlerror();
        error = reason ? reason : String("no symbol ") + symbol;
    }
    return address;
}
