#include "Input/PadBackend.h"

// For systems without a pad library: no pad is ever found, so both controllers stay
// "not present" and read zeros.
namespace PadBackend
{
int OpenPad(int, RawPadState&) { return -1; }
int ReadPad(int, RawPadState&) { return -1; }
void SetVibration(int, std::uint16_t, std::uint16_t) {}
bool PadArrived() { return false; }
} // namespace PadBackend
