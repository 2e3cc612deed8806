#pragma once

#include "Util/StringUtil.h"

#include <cstdlib>
#include <filesystem>

// A fresh folder under /tmp, removed with everything in it when this goes. `path` is
// empty if the folder could not be made.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/tarvo-test-XXXXXX";
        if (mkdtemp(pattern))
            path = pattern;
    }
    ~ScratchFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    String path;
};
