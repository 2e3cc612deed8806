#pragma once

#include <mutex>

// Held while a back end starts or stops one of SDL's subsystems or changes its hints:
// SDL counts the users of each subsystem without a lock of its own, and the sound device
// opens on a thread of its own while the game pads start on the main thread.
std::mutex& SdlStartLock();
