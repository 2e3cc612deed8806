#include "Platform/StopSignals.h"

#include <csignal>

namespace
{
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void OnStopSignal(int signalNumber)
{
    if (stopRequested)
    {
        // Whoever asks twice wants out now: die by the signal itself, as without a handler.
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
        return;
    }
    // Only a flag: the loop reads it between frames, where stopping is safe.
    stopRequested = 1;
}
} // namespace

void InstallStopSignals()
{
    stopRequested = 0;
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool StopSignalReceived() { return stopRequested != 0; }
