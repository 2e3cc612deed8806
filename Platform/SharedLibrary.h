#pragma once

#include "Util/StringUtil.h"

#include <initializer_list>

// A shared library opened while the program runs rather than when it starts. A back end
// whose library pulls in dozens of others (decoders, sound servers) opens it on first
// use, so a program that never uses it neither loads them nor has the loader search
// them for every symbol of the libraries it does load.
class SharedLibrary
{
public:
    SharedLibrary() = default;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    // The library stays loaded: libraries that start threads or register exit handlers
    // crash the process when they are unloaded under them.
    ~SharedLibrary() = default;

    // Opens the first of the names that loads, its symbols kept to itself. False with the
    // loader's reason in error when none does.
    bool Open(std::initializer_list<const char*> names, String& error);
    // False until Open has loaded a library (Open returned false with the reason).
    bool IsOpen() const { return handle != nullptr; }

    // Sets function to the library's symbol of that name; false with error set when the
    // library has no such symbol.
    template <typename Function> bool Find(Function& function, const char* symbol, String& error)
    {
        void* address = FindAddress(symbol, error);
        function = reinterpret_cast<Function>(address);
        return address != nullptr;
    }

private:
    void* FindAddress(const char* symbol, String& error);

    void* handle = nullptr;
};
