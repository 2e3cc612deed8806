#pragma once

#include "TestUtilities/ScratchFolder.h"
#include "Util/StringUtil.h"

#include <cstddef>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Paths a loader must refuse at once rather than read: a device that never ends, a FIFO
// with no writer (opening it the usual way waits for one), a file one byte past the
// loader's limit (sparse: it takes no disk), and a file whose reads fail.
class HostileFiles
{
private:
    ScratchFolder scratch;

public:
    explicit HostileFiles(std::size_t limitBytes, const String& extension = "")
    {
        fifo = scratch.path + "/fifo" + extension;
        huge = scratch.path + "/huge" + extension;
        const bool madeFifo = mkfifo(fifo.c_str(), 0600) == 0;
        const int fd = open(huge.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const bool madeHuge = fd >= 0 && ftruncate(fd, static_cast<off_t>(limitBytes) + 1) == 0;
        if (fd >= 0)
            close(fd);
        made = !scratch.path.empty() && madeFifo && madeHuge;
    }

    // False if the FIFO or the large file could not be made.
    bool made = false;
    const String device = "/dev/zero";
    String fifo;
    String huge;
    // A regular file by its type, whose first page is never mapped: reading it fails
    // with an I/O error.
    const String failing = "/proc/self/mem";
};
