#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/HostileFiles.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace
{
const char* const FontFile = "Resources/Fonts/Inconsolata.otf";
} // namespace

// Glyphs become GL textures when first measured, so the registry is tested with a window.
using FontRegistryTest = WindowTest;

TEST_F(FontRegistryTest, MeasuresWithTheFontsPixelSize)
{
    ASSERT_TRUE(AddFont(FontFile, 24, "Console"));
    EXPECT_VEC2_NEAR(Vector2(137.86f, 20.08f), MeasureText("Hello, QVRN!", "Console"), 0.01f);
    EXPECT_VEC2_NEAR(Vector2(), MeasureText("", "Console"), 0.0f);
    // Drawing answers with the same extents.
    EXPECT_VEC2_NEAR(MeasureText("Hello, QVRN!", "Console"), DrawScreenText("Hello, QVRN!", "Console", 10, 50), 0.0f);
}

TEST_F(FontRegistryTest, SecondFontUnderANicknameReplacesTheFirst)
{
    ASSERT_TRUE(AddFont(FontFile, 16, "Label"));
    const Vector2 small = MeasureText("Hello", "Label");
    ASSERT_TRUE(AddFont(FontFile, 44, "Label"));
    const Vector2 large = MeasureText("Hello", "Label");
    EXPECT_NEAR(large.X / small.X, 44.0f / 16.0f, 0.1f);
}

TEST_F(FontRegistryTest, MissingFileIsLoggedAndItsNicknameMeasuresNothing)
{
    LogCapture log;
    EXPECT_FALSE(AddFont("Resources/Fonts/Missing.otf", 24, "Missing"));
    EXPECT_EQ(log.lines, StringList{"Failed to open font Resources/Fonts/Missing.otf"});
    EXPECT_VEC2_NEAR(Vector2(), MeasureText("Hello", "Missing"), 0.0f);
    EXPECT_VEC2_NEAR(Vector2(), DrawScreenText("Hello", "Missing", 10, 10), 0.0f);

    // A file that exists but holds no font fails the same way.
    const String junk = ::testing::TempDir() + "junk-" + std::to_string(getpid()) + ".otf";
    std::ofstream(junk) << "OTTO this is not a font";
    EXPECT_FALSE(AddFont(junk, 24, "Junk"));
    EXPECT_TRUE(log.Contains("Failed to open font " + junk));
    EXPECT_VEC2_NEAR(Vector2(), MeasureText("Hello", "Junk"), 0.0f);
    std::remove(junk.c_str());
}

TEST_F(FontRegistryTest, FailedReplacementLeavesTheNicknameFree)
{
    ASSERT_TRUE(AddFont(FontFile, 24, "Console"));
    LogCapture log;
    EXPECT_FALSE(AddFont(FontFile, 0, "Console"));
    EXPECT_TRUE(log.Contains("Failed to set size."));
    EXPECT_VEC2_NEAR(Vector2(), MeasureText("Hello", "Console"), 0.0f);
}

TEST_F(FontRegistryTest, RemovingAnUnknownNicknameIsLogged)
{
    ASSERT_TRUE(AddFont(FontFile, 24, "Console"));
    EXPECT_TRUE(RemoveFont("Console"));
    LogCapture log;
    EXPECT_FALSE(RemoveFont("Console"));
    EXPECT_EQ(log.lines, StringList{"No font called \"Console\"; un-registration failed."});
}

TEST_F(FontRegistryTest, BrokenUtf8IsMeasuredAndDrawnWithoutOverrun)
{
    ASSERT_TRUE(AddFont(FontFile, 24, "Console"));
    // A character cut off at the end, a stray continuation byte, bytes never valid, and
    // the last code point, which the font doesn't have.
    for (const String& text :
         {String("abc\xe2\x82"), String("\x80x"), String("\xff\xfe\xf4"), String("\xf0"), String("\xf4\x8f\xbf\xbf")})
    {
        MeasureText(text, "Console");
        DrawScreenText(text, "Console", 10, 40);
    }
    // Each broken byte stands in as one character of the same width.
    EXPECT_VEC2_NEAR(MeasureText("abc??", "Console"), MeasureText("abc\xe2\x82", "Console"), 0.0f);
}

TEST_F(FontRegistryTest, DrawingTextPutsBackTheDepthAndTextureSettingsItFound)
{
    ASSERT_TRUE(AddFont(FontFile, 24, "Console"));
    for (const bool depthOn : {false, true})
    {
        Draw::SetDepthTest(depthOn);
        DrawScreenText("Overlay", "Console", 10, 40);
        EXPECT_EQ(Draw::IsDepthTestOn(), depthOn);
        EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D), GL_FALSE);
    }
}

TEST_F(FontRegistryTest, FilesThatCantBeFontsAreRefusedWithoutBeingRead)
{
    HostileFiles files(MaxFontFileBytes, ".otf");
    ASSERT_TRUE(files.made);
    LogCapture log;
    for (const String& file : {files.device, files.fifo, files.huge, files.failing})
    {
        EXPECT_FALSE(AddFont(file, 24, "Hostile")) << file;
        EXPECT_VEC2_NEAR(Vector2(), MeasureText("Hello", "Hostile"), 0.0f);
    }
    EXPECT_EQ(log.lines, (StringList{"ERROR: /dev/zero is not a regular file. The font is not opened.",
                                     "ERROR: " + files.fifo + " is not a regular file. The font is not opened.",
                                     "ERROR: " + files.huge + " is larger than 32 MiB. The font is not opened.",
                                     "ERROR: /proc/self/mem can't be read (Input/output error). The font is not "
                                     "opened."}));
}
