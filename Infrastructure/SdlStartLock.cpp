#include "Infrastructure/SdlStartLock.h"

std::mutex& SdlStartLock()
{
    static std::mutex lock;
    return lock;
}
