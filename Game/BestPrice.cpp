#include "Game/BestPrice.h"

#include "Platform/Log.h"
#include "Platform/PlayerFolders.h"
#include "Platform/PlayerStorage.h"
#include "Util/SafeFiles.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{
const char* const FolderName = "qvrn";
const char* const FileName = "best-price";
const char* const LockSuffix = ".lock";
// A number of this many digits and more isn't something this game writes.
constexpr std::size_t MaxFileBytes = 64;

bool saving = true;
bool loaded = false;
float best = 0.0f;

using Clock = std::chrono::steady_clock;
double lockWaitSeconds = BestPrice::LockWaitSeconds;
// A price beaten while another game held the lock, kept as soon as the lock is free.
bool savePending = false;
float pendingPrice = 0.0f;
Clock::time_point giveUpAt;

String FolderPath() { return PlayerDataFolder(FolderName); }

enum KeptStatus
{
    KS_Price,    // the file holds a price
    KS_Missing,  // no file: a first game
    KS_None,     // an empty file: nothing to lose by writing
    KS_Unusable, // something is there that is not a price, or that can't be read
};

// Reads the kept price; `reason` says why there is none.
KeptStatus ReadFile(const String& path, float& price, String& reason)
{
    String text;
    switch (ReadRegularFile(path, MaxFileBytes, text, reason))
    {
    case FRS_Read:
        break;
    case FRS_Missing:
        return KS_Missing;
    case FRS_TooLarge:
        reason = "not a price";
        return KS_Unusable;
    default:
        return KS_Unusable;
    }
    // A zero byte would end the number early and hide the rest of the file.
    if (text.find('\0') != String::npos)
    {
        reason = "not a price";
        return KS_Unusable;
    }
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    const String rest = TrimText(end ? String(end) : String());
    if (end == text.c_str() || !rest.empty() || !std::isfinite(value) || value < 0.0f)
    {
        reason = "not a price";
        return text.empty() ? KS_None : KS_Unusable;
    }
    price = value;
    return KS_Price;
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

// Holds the lock file beside the best price for as long as it lives, so that games
// ending together take turns at reading, comparing and writing it. Never waits: when
// another game holds it, IsBusy says so and the caller tries again later.
class PriceLock
{
public:
    explicit PriceLock(const String& path)
    {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
        {
            reason = std::strerror(errno);
            return;
        }
        while (flock(fd, LOCK_EX | LOCK_NB) != 0)
        {
            if (errno == EINTR)
                continue;
            busy = errno == EWOULDBLOCK;
            reason = std::strerror(errno);
            close(fd);
            fd = -1;
            return;
        }
    }
    ~PriceLock()
    {
        // Closing releases the lock.
        if (fd >= 0)
            close(fd);
    }
    PriceLock(const PriceLock&) = delete;
    PriceLock& operator=(const PriceLock&) = delete;

    bool IsHeld() const { return fd >= 0; }
    bool IsBusy() const { return busy; }
    const String& Reason() const { return reason; }

private:
    int fd = -1;
    bool busy = false;
    String reason;
};

void WarnNotKept(const String& path, const String& reason)
{
    SystemLogInstance().Printf("WARNING: could not keep the best price in %s (%s)", path.c_str(), reason.c_str());
}

// One try at keeping the pending price: under the lock, re-read what other games kept,
// and write only a higher price. Leaves the save pending while another game holds the
// lock, until the wait is over.
void TryPendingSave()
{
    const String path = BestPrice::FilePath();
    const PriceLock lock(BestPrice::LockFilePath());
    if (lock.IsBusy())
    {
        if (Clock::now() < giveUpAt)
            return;
        savePending = false;
        char waited[32];
        std::snprintf(waited, sizeof waited, "%g", lockWaitSeconds);
        WarnNotKept(path, "another game has held " + BestPrice::LockFilePath() + " for " + waited +
                              " s; this price is not saved");
        return;
    }
    savePending = false;
    String reason;
    if (!lock.IsHeld())
    {
        WarnNotKept(path, "can't lock " + BestPrice::LockFilePath() + ": " + lock.Reason());
        return;
    }
    // Another game may have kept a higher price since Record looked.
    float kept = 0.0f;
    const KeptStatus status = ReadFile(path, kept, reason);
    if (status == KS_Price && kept > best)
        best = kept;
    if (status == KS_Price && kept >= pendingPrice)
        return;
    if (status == KS_Unusable)
    {
        // Whatever is there may matter to someone: it is never written over unread.
        WarnNotKept(path, "the file there can't be read and is left alone: " + reason);
        return;
    }
    FileReplacement file;
    char text[32];
    std::snprintf(text, sizeof text, "%.9g\n", static_cast<double>(pendingPrice));
    if (!file.Begin(path, 0600, reason) || !file.Commit(text, reason))
    {
        WarnNotKept(path, reason);
        return;
    }
    KeepPlayerFiles();
}
} // namespace

namespace BestPrice
{
String FilePath()
{
    const String folder = FolderPath();
    return folder.empty() ? String() : folder + "/" + FileName;
}

String LockFilePath()
{
    const String path = FilePath();
    return path.empty() ? String() : path + LockSuffix;
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
    {
        SystemLogInstance().Log("WARNING: no best price: neither XDG_DATA_HOME nor HOME names a folder");
        return best;
    }
    const KeptStatus status = ReadFile(path, price, reason);
    if (status == KS_Price)
        best = price;
    // No file is a first game: nothing to warn a player about.
    else if (status != KS_Missing)
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
    // A look without the lock first: the file is only ever replaced whole, and most
    // games don't beat the best, so they need neither the lock nor a writable folder.
    if (!path.empty() && ReadFile(path, kept, reason) == KS_Price && kept > best)
        best = kept;
    if (price <= best)
        return;
    if (!saving || path.empty())
    {
        best = price;
        return;
    }
    if (!MakeFolders(FolderPath()))
    {
        best = price;
        WarnNotKept(path, "can't create " + FolderPath() + ": " + std::strerror(errno));
        return;
    }
    // Another game may be comparing and writing right now: what it kept is read again
    // only once it is done, or the lower of two prices could be written last. While it
    // holds the lock, the frames go on and the save waits.
    best = price;
    pendingPrice = price;
    savePending = true;
    giveUpAt =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(lockWaitSeconds));
    TryPendingSave();
}

void RetryPendingSave()
{
    if (savePending)
        TryPendingSave();
}

void FinishPendingSave()
{
    while (savePending)
    {
        TryPendingSave();
        if (savePending)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void SetLockWait(double seconds) { lockWaitSeconds = seconds > 0.0 ? seconds : 0.0; }

void Reload()
{
    loaded = false;
    best = 0.0f;
    savePending = false;
}

void SetSaving(bool on) { saving = on; }
} // namespace BestPrice
