#pragma once

#include "Util/StringUtil.h"

// The best stock price ever reached, kept between runs in
// $XDG_DATA_HOME/qvrn/best-price (~/.local/share/qvrn/best-price when that variable is
// unset, empty or not an absolute path) as one number on one line.
//
// Nothing here ever stops the game or loses a kept price: a missing, unreadable or
// corrupt file counts as no best price (0) with one WARNING line; a file that can't be
// written, or that is there but can't be read as a price, gets one WARNING line and is
// left as it was. Only regular files of a few bytes are read, so a FIFO or a huge file
// in that place can't hold the game up.
namespace BestPrice
{
// How long a save waits for another game's lock before it is given up.
constexpr double LockWaitSeconds = 5.0;

// The best price kept so far, 0 when there is none. The file is read once per run and
// warned about at most once; later calls return what is known, including Record's prices.
float Load();
// Keeps `price` if it beats the best price known (re-read from the file, in case another
// run beat it meanwhile). Games ending together take turns through a lock on the file
// best-price.lock beside it, so the higher price is the one kept. Writes a temporary
// file beside the real one, flushes it and renames it over, so a crash leaves the old
// best or the new one, never half a number. Creates the folder if it is missing.
// Negative, infinite and NaN prices are ignored. Never waits: while another game holds
// the lock, the save is left pending for RetryPendingSave and FinishPendingSave, and
// given up with one WARNING once the lock has been held LockWaitSeconds.
void Record(float price);
// Tries a pending save again, without waiting; the game calls it every frame.
void RetryPendingSave();
// At the end of the run: waits for a pending save until it is made or given up (at most
// what is left of LockWaitSeconds).
void FinishPendingSave();
// How long a save waits for the lock (tests); 0 gives up at the first refusal.
void SetLockWait(double seconds);
// Forgets what was read, so that the next Load reads the file again and may warn again.
void Reload();
// Off: Record changes nothing on disk (the game's --no-save). On by default.
void SetSaving(bool on);
// Where the best price is kept; empty when neither XDG_DATA_HOME nor HOME gives a place.
String FilePath();
// The lock file beside it: games hold it while they read, compare and write the price.
String LockFilePath();
} // namespace BestPrice
