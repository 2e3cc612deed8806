#pragma once

#include "Infrastructure/World.h"
#include "Util/Color.h"

#include <gtest/gtest.h>

// Keeps the GL driver and the X extension modules loaded for the rest of the process, so
// that what they leave behind at exit is reported under their names, which the leak
// suppressions match. For tests that open the window some other way than WindowTest.
void KeepWindowModulesLoaded();

// A test with the World initialised in a real window (under Xvfb in CI). Skips when
// there is no display. Every test that opens a window goes through this fixture: it keeps
// the GL driver and the X extension modules loaded, so that what they leave behind at exit
// is reported under their names, which the leak suppressions match.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Clears, runs one whole frame and reads the pixel at window coordinates (origin top
    // left) before the frame is shown.
    Color DrawFrameAndReadPixel(int x, int y);
    // Shuts the World down now, for tests of the shutdown itself; TearDown then leaves it.
    void DestroyWorld();

    // What SetUp asks the World to start besides the window (World::Services).
    int services = World::AllServices;

private:
    bool worldDestroyed = false;
};
