#include "Game/BestPrice.h"

#include "Infrastructure/Log.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char* const FolderName = "qvrn";
const char* const FileName = "best-price";
// A number of this many digits and more isn't something this game writes.
constexpr std::size_t MaxFileBytes = 64;

bool saving = true;
bool loaded = false;
float best = 0.0f;

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

String FolderPath()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (IsAbsolute(dataHome))
        return String(dataHome) + "/" + FolderName;
    const char* home = std::getenv("HOME");
    if (IsAbsolute(home))
        return String(home) + "/.local/share/" + FolderName;
    return String();
}

// Reads the kept price. Returns false with the reason when there is no usable one.
bool ReadFile(const String& path, float& price, String& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
    {
        reason = std::strerror(errno);
        return false;
    }
    char text[MaxFileBytes + 1] = {};
    const std::size_t size = std::fread(text, 1, MaxFileBytes + 1, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
    {
        reason = "read error";
        return false;
    }
    // A zero byte would end the number early and hide the rest of the file.
    if (size > MaxFileBytes || std::memchr(text, '\0', size) != nullptr)
    {
        reason = "not a price";
        return false;
    }
    text[size] = '\0';
    char* end = nullptr;
    const float value = std::strtof(text, &end);
    const String rest = TrimText(end ? String(end) : String());
    if (end == text || !rest.empty() || !std::isfinite(value) || value < 0.0f)
    {
        reason = "not a price";
        return false;
    }
    price = value;
    return true;
}

// Creates the folder and the folders above it that are missing.
bool MakeFolders(const String& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1))
    {
        const String part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == String::npos)
            return true;
    }
}

bool WriteAtomically(const String& folder, const String& path, float price, String& reason)
{
    if (!MakeFolders(folder))
    {
        reason = "can't create " + folder + ": " + std::strerror(errno);
        return false;
    }
    String temporary = path + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0)
    {
        reason = std::strerror(errno);
        return false;
    }
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%.9g\n", static_cast<double>(price));
    // The data must be on disk before the rename makes it the kept file.
    const bool written = write(fd, text, static_cast<std::size_t>(length)) == length && fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        reason = std::strerror(written && closed ? errno : writeError);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
} // namespace

namespace BestPrice
{
String FilePath()
{
    const String folder = FolderPath();
    return folder.empty() ? String() : folder + "/" + FileName;
}

float Load()
{
    if (loaded)
        return best;
    loaded = true;
    const String path = FilePath();
    String reason;
    float price = 0.0f;
    if (path.empty())
        SystemLogInstance().Log("WARNING: no best price: neither XDG_DATA_HOME nor HOME names a folder");
    else if (ReadFile(path, price, reason))
        best = price;
    else
        SystemLogInstance().Printf("WARNING: no best price from %s (%s)", path.c_str(), reason.c_str());
    return best;
}

void Record(float price)
{
    if (!std::isfinite(price) || price < 0.0f)
        return;
    Load();
    const String path = FilePath();
    float kept = 0.0f;
    String reason;
    if (!path.empty() && ReadFile(path, kept, reason) && kept > best)
        best = kept;
    if (price <= best)
        return;
    best = price;
    if (!saving || path.empty())
        return;
    if (!WriteAtomically(FolderPath(), path, price, reason))
        SystemLogInstance().Printf("WARNING: could not keep the best price in %s (%s)", path.c_str(), reason.c_str());
}

void Reload()
{
    loaded = false;
    best = 0.0f;
}

void SetSaving(bool on) { saving = on; }
} // namespace BestPrice
