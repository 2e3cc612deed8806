#include "Util/StringUtil.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <fstream>

namespace
{
// The images the game loads by name, as the build draws them into the run folder.
const char* const gameImages[] = {"player.png",   "suit.png",       "consumer_001.png", "consumer_002.png",
                                  "Camera.png",   "dollar1.png",    "dollar2.png",      "dollar3.png",
                                  "dollar4.png",  "dollar5.png",    "dollar6.png",      "tinydollar.png",
                                  "particle.png", "dollar_001.png", "dollar_006.png",   "testcard.png"};

struct Loaded
{
    explicit Loaded(const String& path) : image(FreeImage_Load(FIF_PNG, path.c_str(), 0)) {}
    ~Loaded()
    {
        if (image)
            FreeImage_Unload(image);
    }
    // Alpha of the pixel, y counted from the top.
    int Alpha(unsigned x, unsigned y) const
    {
        const BYTE* row = FreeImage_GetScanLine(image, static_cast<int>(FreeImage_GetHeight(image) - 1 - y));
        return row[x * 4 + FI_RGBA_ALPHA];
    }
    FIBITMAP* image;
};

TEST(ArtTest, EveryGameImageIsASquareTransparentPowerOfTwo)
{
    for (const char* name : gameImages)
    {
        Loaded loaded("Resources/Images/" + String(name));
        ASSERT_NE(loaded.image, nullptr) << name;
        const unsigned size = FreeImage_GetWidth(loaded.image);
        EXPECT_EQ(FreeImage_GetHeight(loaded.image), size) << name;
        EXPECT_EQ(size & (size - 1), 0u) << name;
        ASSERT_EQ(FreeImage_GetBPP(loaded.image), 32u) << name;
        EXPECT_TRUE(FreeImage_IsTransparent(loaded.image)) << name;
    }
}

TEST(ArtTest, CharactersStandInTheMiddleOnAClearBackground)
{
    for (const char* name : {"player.png", "suit.png", "consumer_001.png", "Camera.png"})
    {
        Loaded loaded("Resources/Images/" + String(name));
        ASSERT_NE(loaded.image, nullptr) << name;
        EXPECT_EQ(loaded.Alpha(0, 0), 0) << name;
        EXPECT_EQ(loaded.Alpha(63, 32), 0) << name;
        EXPECT_EQ(loaded.Alpha(32, 36), 255) << name;
    }
}

TEST(ArtTest, DollarSeriesHasSixFrames)
{
    EXPECT_TRUE(std::ifstream("Resources/Images/dollar_006.png").good());
    EXPECT_FALSE(std::ifstream("Resources/Images/dollar_007.png").good());
    // The frames differ: the coin turns.
    Loaded front("Resources/Images/dollar_001.png");
    Loaded edge("Resources/Images/dollar_004.png");
    ASSERT_NE(front.image, nullptr);
    ASSERT_NE(edge.image, nullptr);
    EXPECT_EQ(front.Alpha(12, 32), 255);
    EXPECT_EQ(edge.Alpha(12, 32), 0);
}
} // namespace
