#pragma once

#include "Util/StringUtil.h"

#include <cstddef>
#include <sys/types.h>

// Reading and replacing the files a player keeps (recordings, best scores) so that a
// strange path can't hang or exhaust the program and a failed write loses nothing.

// What ReadRegularFile found, so a caller can tell a first run (no file) from a fault.
enum FileReadStatus
{
    FRS_Read,       // the whole file is in `text`
    FRS_Missing,    // nothing there (or a folder on the way is missing)
    FRS_NotRegular, // a folder, FIFO, device or socket: never opened for reading
    FRS_TooLarge,   // holds more than the given number of bytes
    FRS_Failed,     // there, but could not be opened or read
};

// Reads the whole of a regular file of at most `maxBytes` bytes into `text`. Opening
// never blocks (a FIFO with no writer is refused, not waited for), and no more than
// `maxBytes` + 1 bytes are ever read, whatever the file claims its size is. For any
// status but FRS_Read, `text` is left empty and `reason` says what is wrong in a few
// words ("not a regular file", "larger than 32 MiB", the system's error text).
FileReadStatus ReadRegularFile(const String& path, std::size_t maxBytes, String& text, String& reason);

// "32 MiB" or "64 bytes": a size as a limit is named in messages.
String DescribeByteCount(std::size_t bytes);

// What went wrong with a read that was not FRS_Read, in a few words that start with the
// path: "x.png is not a regular file", "x.png is larger than 64 MiB", "x.png can't be
// read (Input/output error)".
String DescribeReadFailure(const String& path, FileReadStatus status, const String& reason);

// Puts new contents in the place of a file without ever leaving a half-written one: the
// text goes to a new file beside the target, is flushed to disk, and only then renamed
// over the target, whose mode (and owner, where allowed) the new file takes. A symbolic
// link is followed, so the file it names is replaced and the link stays. The target's
// folder is held open, so a later change of working folder does not matter.
// Destroying a replacement that was not committed removes the new file and leaves the
// target as it was. A new file left beside the target by a process that was killed
// (SIGKILL, a power cut) is removed by the next Begin for that target.
class FileReplacement
{
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the new file beside `path` with `newFileMode` (less the umask) when the
    // target does not exist yet. Returns false with a short `reason` when the folder
    // can't be written or the target is there but is not a regular file.
    bool Begin(const String& path, mode_t newFileMode, String& reason);
    // Whether Begin succeeded and neither Commit nor Discard has ended it yet.
    bool IsBegun() const { return fileFd >= 0; }
    // Writes `text`, flushes it and renames the new file over the target. Returns false
    // with `reason` (and the target untouched) if any step fails.
    bool Commit(const String& text, String& reason);
    // Removes the new file; the target stays as it was.
    void Discard();

private:
    int folderFd = -1;
    int fileFd = -1;
    String targetName;
    String temporaryName;
};
