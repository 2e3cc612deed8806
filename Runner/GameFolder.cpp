#include "Runner/GameFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const GameStartScript = "main.py";

namespace
{
// The length of the UTF-8 sequence starting at `text[at]`, or 0 if none starts there.
size_t Utf8SequenceLength(const String& text, size_t at)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    // Overlong forms and surrogates name nothing.
    if ((length == 2 && lead < 0xC2) || (length == 3 && lead == 0xE0 && byte(at + 1) < 0xA0) ||
        (length == 3 && lead == 0xED && byte(at + 1) >= 0xA0) || (length == 4 && lead == 0xF0 && byte(at + 1) < 0x90) ||
        (length == 4 && lead > 0xF4) || (length == 4 && lead == 0xF4 && byte(at + 1) >= 0x90))
        return 0;
    return length;
}

// The name as it can be printed: bytes that are not UTF-8 as \xNN.
String Printable(const String& name, bool& valid)
{
    valid = true;
    String shown;
    for (size_t at = 0; at < name.size();)
    {
        const size_t length = Utf8SequenceLength(name, at);
        if (length > 0)
        {
            shown += name.substr(at, length);
            at += length;
            continue;
        }
        valid = false;
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(name[at]));
        shown += escaped;
        ++at;
    }
    return shown;
}

String WhyNot(const String& path, int error)
{
    if (error == ELOOP)
        return path + " is a symbolic link that leads round in a loop";
    if (error == EACCES)
        return path + " can't be read: permission denied";
    return path + " can't be read: " + std::strerror(error);
}
} // namespace

String ProblemWithGameFolder(const String& folder)
{
    bool utf8 = true;
    const String shown = Printable(folder, utf8);
    if (!utf8)
        return "the folder name " + shown + " is not UTF-8, in which Python names the game's files: rename it";
    struct stat info = {};
    if (stat(folder.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? "no such folder: " + folder : WhyNot(folder, errno);
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder";
    if (access(folder.c_str(), R_OK | X_OK) != 0)
        return WhyNot(folder, errno);
    const String script = folder + "/" + GameStartScript;
    if (stat(script.c_str(), &info) != 0)
        return errno == ENOENT ? folder + " has no start script " + GameStartScript : WhyNot(script, errno);
    if (!S_ISREG(info.st_mode))
        return script + " is not a file";
    // Opened without blocking, as the game will open it; only whether it can be.
    const int fd = open(script.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return WhyNot(script, errno);
    close(fd);
    return String();
}
