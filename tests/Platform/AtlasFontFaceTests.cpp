#include "Platform/Draw.h"
#include "Platform/FontFace.h"
#include "Platform/web/AtlasFontFace.h"
#include "TestUtilities/WindowTest.h"
#include "Util/SafeFiles.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>

// The browser draws text with its own face (glyph atlases made with FreeType); here it is
// tried in a desktop window against the desktop's face, which the game was laid out with.
namespace
{
const char* const FontFile = "Resources/Fonts/Inconsolata.otf";

// What the font registry hands the faces: the file's contents, or nothing.
String Contents(const String& fileName)
{
    String bytes;
    String reason;
    ReadRegularFile(fileName, 32u << 20, bytes, reason);
    return bytes;
}

std::unique_ptr<FontFace> Open(bool atlas, int size)
{
    FontOpenResult result = FOR_Unreadable;
    std::unique_ptr<FontFace> face =
        atlas ? OpenAtlasFontFace(Contents(FontFile), size, result) : OpenFontFace(Contents(FontFile), size, result);
    EXPECT_EQ(FOR_Opened, result);
    return face;
}

// Draws the text in red, its baseline at the pixel (20, 740) of a cleared white frame,
// and sums how red the pixels came out: the ink, in whole pixels' worth.
int InkOf(FontFace& face, const String& text)
{
    Draw::BeginFrame();
    Draw::SetColor(Color(1.0f, 0.0f, 0.0f));
    Draw::BeginScreenSpace(20.0f, 740.0f);
    Draw::BeginGlyphs();
    face.Render(text);
    Draw::EndGlyphs();
    Draw::EndScreenSpace();
    const std::vector<std::uint8_t> pixels =
        Draw::ReadPixels(0, 0, Draw::GetViewportWidth(), Draw::GetViewportHeight());
    Draw::EndFrame();
    // Red on white keeps the red channel and loses green as coverage grows.
    int red = 0;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4)
        red += 255 - pixels[i + 1];
    return red / 255;
}
} // namespace

using AtlasFontFaceTest = WindowTest;

TEST_F(AtlasFontFaceTest, MeasuresAndCoversAsTheDesktopFaceDoes)
{
    for (const int size : {16, 24, 44})
    {
        std::unique_ptr<FontFace> desktop = Open(false, size);
        std::unique_ptr<FontFace> atlas = Open(true, size);
        ASSERT_TRUE(desktop && atlas);
        for (const char* text : {"Hello, QVRN!", "Game Over!", "Best: 9.34", "gjpqy", "Don\u2019t get caught."})
        {
            const Vector2 expected = desktop->Measure(text);
            const Vector2 measured = atlas->Measure(text);
            EXPECT_NEAR(expected.X, measured.X, 1.0f) << text << " at " << size;
            EXPECT_NEAR(expected.Y, measured.Y, 1.0f) << text << " at " << size;
        }
        // The same strokes, within what hinting and smoothing them differently explains.
        const int expectedInk = InkOf(*desktop, "QVRN lies");
        const int ink = InkOf(*atlas, "QVRN lies");
        EXPECT_GT(expectedInk, 0);
        EXPECT_NEAR(expectedInk, ink, expectedInk / 4) << "at " << size;
    }
}

TEST_F(AtlasFontFaceTest, GlyphsBeyondOneAtlasAndBeyondAnyAreHandled)
{
    // Hundreds of large glyphs fill several atlases; every one still draws.
    std::unique_ptr<FontFace> atlas = Open(true, 60);
    ASSERT_TRUE(atlas);
    String many;
    for (unsigned int codePoint = 0x21; codePoint < 0x21 + 400; ++codePoint)
    {
        if (codePoint < 0x80)
            many += static_cast<char>(codePoint);
        else
        {
            many += static_cast<char>(0xc0 | (codePoint >> 6));
            many += static_cast<char>(0x80 | (codePoint & 0x3f));
        }
    }
    EXPECT_GT(atlas->Measure(many).X, 400.0f * 20.0f);
    EXPECT_GT(InkOf(*atlas, many), 0);
    EXPECT_GT(InkOf(*atlas, "!"), 0) << "the first atlas still holds the first glyph";
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());

    // A glyph larger than an atlas isn't drawn, but the text around it keeps its place.
    std::unique_ptr<FontFace> huge = Open(true, 1000);
    ASSERT_TRUE(huge);
    EXPECT_GT(huge->Measure("MW").X, 800.0f);
    EXPECT_EQ(0, InkOf(*huge, "M"));
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST_F(AtlasFontFaceTest, UnreadableFilesAndSizesAreTold)
{
    FontOpenResult result = FOR_Opened;
    EXPECT_FALSE(OpenAtlasFontFace(Contents("Resources/Fonts/Missing.otf"), 24, result));
    EXPECT_EQ(FOR_Unreadable, result);
    EXPECT_FALSE(OpenAtlasFontFace(Contents("Config/input_bindings.ini"), 24, result));
    EXPECT_EQ(FOR_Unreadable, result);
    EXPECT_FALSE(OpenAtlasFontFace(Contents(FontFile), 0, result));
    EXPECT_EQ(FOR_BadSize, result);
}
