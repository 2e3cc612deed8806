#include "Util/SafeFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Reads the rest of `fd` into `text`, at most `limit` bytes. Returns false on a read error.
bool ReadUpTo(int fd, std::size_t limit, String& text)
{
    char buffer[65536];
    while (text.size() < limit)
    {
        const std::size_t wanted = std::min(sizeof buffer, limit - text.size());
        const ssize_t got = read(fd, buffer, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

bool WriteAll(int fd, const String& text)
{
    std::size_t done = 0;
    while (done < text.size())
    {
        const ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The file a path ends at, through any symbolic links; the path itself when it names
// nothing yet (or a link to nothing, which the new file then replaces).
String ResolvedTarget(const String& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? String(resolved) : path;
}

// The process id in a new file's name "<target>.<pid>-<n>.new", or 0 when the name is
// not one of the target's new files.
pid_t WriterOfNewFile(const String& name, const String& targetName)
{
    const String suffix = ".new";
    if (name.size() <= targetName.size() + 1 + suffix.size() || name.compare(0, targetName.size(), targetName) != 0 ||
        name[targetName.size()] != '.' || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const String middle = name.substr(targetName.size() + 1, name.size() - targetName.size() - 1 - suffix.size());
    const std::size_t dash = middle.find('-');
    if (dash == 0 || dash == String::npos || dash + 1 == middle.size() || dash > 9 ||
        middle.find_first_not_of("0123456789-") != String::npos || middle.find('-', dash + 1) != String::npos)
        return 0;
    return static_cast<pid_t>(std::strtol(middle.c_str(), nullptr, 10));
}

// New files of this target whose writer is gone: it was killed before it could remove
// them. A writer that still runs (another game saving right now) keeps its file, and so
// does this process, which may be writing the same target through another replacement.
void RemoveLeftoversOf(int folderFd, const String& targetName)
{
    const int listFd = openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = listFd < 0 ? nullptr : fdopendir(listFd);
    if (!folder)
    {
        if (listFd >= 0)
            close(listFd);
        return;
    }
    StringList leftovers;
    while (const dirent* entry = readdir(folder))
    {
        const String name = entry->d_name;
        const pid_t writer = WriterOfNewFile(name, targetName);
        if (writer <= 0 || writer == getpid())
            continue;
        struct stat info;
        if (kill(writer, 0) != 0 && errno == ESRCH &&
            fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            leftovers.push_back(name);
    }
    closedir(folder);
    for (const String& name : leftovers)
        unlinkat(folderFd, name.c_str(), 0);
}
} // namespace

FileReadStatus ReadRegularFile(const String& path, std::size_t maxBytes, String& text, String& reason)
{
    text.clear();
    // Not blocking: opening a FIFO for reading would otherwise wait for a writer forever.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
    {
        reason = std::strerror(errno);
        return errno == ENOENT || errno == ENOTDIR ? FRS_Missing : FRS_Failed;
    }
    struct stat info;
    FileReadStatus status = FRS_Read;
    if (fstat(fd, &info) != 0)
    {
        reason = std::strerror(errno);
        status = FRS_Failed;
    }
    else if (!S_ISREG(info.st_mode))
    {
        reason = S_ISDIR(info.st_mode) ? "a folder, not a regular file" : "not a regular file";
        status = FRS_NotRegular;
    }
    else if (static_cast<unsigned long long>(info.st_size) > maxBytes)
    {
        reason = "larger than " + DescribeByteCount(maxBytes);
        status = FRS_TooLarge;
    }
    else
    {
        // Room for the claimed size at once, so a large file is not copied as it grows.
        text.reserve(static_cast<std::size_t>(info.st_size) + 1);
        if (!ReadUpTo(fd, maxBytes + 1, text))
        {
            reason = std::strerror(errno);
            status = FRS_Failed;
        }
        // The size is only a claim: files under /proc say 0, and a file can grow meanwhile.
        else if (text.size() > maxBytes)
        {
            reason = "larger than " + DescribeByteCount(maxBytes);
            status = FRS_TooLarge;
        }
    }
    close(fd);
    if (status != FRS_Read)
        String().swap(text);
    return status;
}

String DescribeByteCount(std::size_t bytes)
{
    constexpr std::size_t MiB = 1024 * 1024;
    if (bytes >= MiB && bytes % MiB == 0)
        return std::to_string(bytes / MiB) + " MiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

String DescribeReadFailure(const String& path, FileReadStatus status, const String& reason)
{
    switch (status)
    {
    case FRS_NotRegular:
    case FRS_TooLarge:
        return path + " is " + reason;
    case FRS_Missing:
        return path + " is missing";
    default:
        return path + " can't be read (" + reason + ")";
    }
}

FileReplacement::~FileReplacement() { Discard(); }

bool FileReplacement::Begin(const String& path, mode_t newFileMode, String& reason)
{
    Discard();
    const String target = ResolvedTarget(path);
    const std::size_t slash = target.rfind('/');
    const String folder = slash == String::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    targetName = slash == String::npos ? target : target.substr(slash + 1);
    if (targetName.empty() || targetName == "." || targetName == "..")
    {
        reason = "not a file name";
        return false;
    }
    folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
    {
        reason = std::strerror(errno);
        return false;
    }
    struct stat old;
    const bool replacing = fstatat(folderFd, targetName.c_str(), &old, 0) == 0;
    // Renaming over a device or a FIFO would take it away from everyone else.
    if (replacing && !S_ISREG(old.st_mode))
    {
        reason = S_ISDIR(old.st_mode) ? "a folder, not a regular file" : "not a regular file";
        Discard();
        return false;
    }
    RemoveLeftoversOf(folderFd, targetName);
    // The name is unique to this process; O_EXCL refuses anything already there.
    static unsigned int counter = 0;
    for (int attempt = 0; attempt < 100 && fileFd < 0; ++attempt)
    {
        temporaryName = targetName + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".new";
        fileFd = openat(folderFd, temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        replacing ? 0600 : newFileMode);
        if (fileFd < 0 && errno != EEXIST)
            break;
    }
    if (fileFd < 0)
    {
        reason = std::strerror(errno);
        temporaryName.clear();
        Discard();
        return false;
    }
    if (replacing)
    {
        // Another user's file keeps its owner when the program may give it back (root).
        if (fchown(fileFd, old.st_uid, old.st_gid) != 0)
        {
        }
        fchmod(fileFd, old.st_mode & 07777);
    }
    return true;
}

bool FileReplacement::Commit(const String& text, String& reason)
{
    if (fileFd < 0)
    {
        reason = "nothing to write";
        return false;
    }
    // The data must be on disk before the rename makes it the kept file.
    bool done = WriteAll(fileFd, text) && fsync(fileFd) == 0;
    int error = errno;
    if (close(fileFd) != 0 && done)
    {
        done = false;
        error = errno;
    }
    fileFd = -1;
    if (done && renameat(folderFd, temporaryName.c_str(), folderFd, targetName.c_str()) != 0)
    {
        done = false;
        error = errno;
    }
    if (!done)
    {
        reason = std::strerror(error);
        Discard();
        return false;
    }
    temporaryName.clear();
    // And the rename itself, so a crash now can't bring the old file back.
    fsync(folderFd);
    Discard();
    return true;
}

void FileReplacement::Discard()
{
    if (fileFd >= 0)
        close(fileFd);
    fileFd = -1;
    if (folderFd >= 0 && !temporaryName.empty())
        unlinkat(folderFd, temporaryName.c_str(), 0);
    temporaryName.clear();
    if (folderFd >= 0)
        close(folderFd);
    folderFd = -1;
}
