#include "Util/StringUtil.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cstdio>
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

TEST(ArtTest, TutorialPagesFillTheWindowAndAreNumberedWithoutGaps)
{
    // The tutorial loads Tutorial_001.png and its followers until one is missing, and
    // only single-digit page numbers form valid names.
    int pages = 0;
    for (int page = 1; page <= 9; ++page)
    {
        char name[64];
        std::snprintf(name, sizeof name, "Resources/Images/Tutorial_%03d.png", page);
        Loaded loaded(name);
        if (!loaded.image)
            break;
        ++pages;
        EXPECT_EQ(FreeImage_GetWidth(loaded.image), 1024u) << name;
        EXPECT_EQ(FreeImage_GetHeight(loaded.image), 768u) << name;
        // Opaque: nothing may show through a page that covers the window.
        const unsigned bpp = FreeImage_GetBPP(loaded.image);
        EXPECT_TRUE(bpp == 24u || bpp == 32u) << name;
        if (bpp == 32u)
        {
            for (const auto& [x, y] : {std::pair{0u, 0u}, std::pair{1023u, 767u}, std::pair{512u, 384u}})
                EXPECT_EQ(loaded.Alpha(x, y), 255) << name;
        }
    }
    EXPECT_GE(pages, 4);
    char next[64];
    std::snprintf(next, sizeof next, "Resources/Images/Tutorial_%03d.png", pages + 1);
    EXPECT_FALSE(std::ifstream(next).good());
}
} // namespace
