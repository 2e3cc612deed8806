#pragma once

#include "Util/Color.h"

#include <gtest/gtest.h>

// A test with the World initialised in a real window (under Xvfb in CI). Skips when
// there is no display.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Clears, runs one whole frame and reads the pixel at window coordinates (origin top
    // left) before the frame is shown.
    Color DrawFrameAndReadPixel(int x, int y);
};
