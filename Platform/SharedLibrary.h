#pragma once

#include "Util/StringUtil.h"

#include <atomic>
#include <initializer_list>
#include <mutex>

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

// A library the engine opens on first use (SDL, the mixer, the image library), with the
// table of the functions it calls: the first Get, from whichever thread, opens the file
// and has `bind` fill the table; every later call gives the same answer. Never closed.
template <typename Api> class LibraryOnFirstUse
{
public:
    // Fills the table from the open library; false with the reason in `error` when a
    // function is missing.
    using Binder = bool (*)(SharedLibrary& library, Api& api, String& error);

    LibraryOnFirstUse(const char* file, Binder binder) : fileName(file), bind(binder) {}

    // The table, or null with the reason in `error` when the library can't be opened or
    // lacks a function.
    const Api* Get(String& error)
    {
        std::call_once(once,
                       [this]
                       {
                           started = true;
                           if (library.Open({fileName}, loadError) && bind(library, api, loadError))
                               ready = &api;
                       });
        if (!ready)
            error = loadError;
        return ready;
    }

    // For tests: the file the first Get opens instead. False, changing nothing, once Get
    // has been called.
    bool OpenInsteadForTesting(const char* otherFile)
    {
        if (started)
            return false;
        fileName = otherFile;
        return true;
    }

private:
    std::once_flag once;
    std::atomic<bool> started{false};
    const char* fileName;
    Binder bind;
    SharedLibrary library;
    Api api;
    const Api* ready = nullptr;
    String loadError;
};
