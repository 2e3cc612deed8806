#pragma once

// How the back-ends name a playing sound: the slot it plays in (+1, so a handle is never
// null) in the low bits, and a count of plays above them, so that a handle kept after
// its sound ended no longer matches the slot's next sound.

#include "Sound/SoundDevice.h"

#include <cstdint>

namespace SoundHandles
{
constexpr int SlotBits = 8;
constexpr uintptr_t SlotMask = (uintptr_t(1) << SlotBits) - 1;
constexpr int MaxSlots = static_cast<int>(SlotMask);

// The value of the handle for the `play`th sound, playing in `slot`.
inline uintptr_t Make(uintptr_t play, int slot) { return (play << SlotBits) | static_cast<uintptr_t>(slot + 1); }
// The slot a handle names, or -1 for a null handle.
inline int SlotOf(uintptr_t value) { return static_cast<int>(value & SlotMask) - 1; }
inline SOUND_HANDLE ToHandle(uintptr_t value) { return reinterpret_cast<SOUND_HANDLE>(value); }
inline uintptr_t ValueOf(SOUND_HANDLE sound) { return reinterpret_cast<uintptr_t>(sound); }
} // namespace SoundHandles
