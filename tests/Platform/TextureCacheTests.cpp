#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Platform/ImageFile.h"
#include "Platform/ScreenMath.h"
#include "Platform/TextureCache.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/HostileFiles.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/TestImages.h"
#include "TestUtilities/WindowTest.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

namespace
{
const Color red(1.0f, 0.0f, 0.0f);
const Color green(0.0f, 1.0f, 0.0f);
const Color blue(0.0f, 0.0f, 1.0f);
const Color yellow(1.0f, 1.0f, 0.0f);
const Color white(1.0f, 1.0f, 1.0f);

class TextureCacheTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Only what the test itself causes counts, not the engine's start-up lines.
        log.lines.clear();
    }

    TestImageFolder images;
    LogCapture log;
};

TEST_F(TextureCacheTest, EachFileIsLoadedOnceAndKeptByName)
{
    const String path = images.WriteSolid("once.png", red);
    const int texture = AcquireTexture(path);
    ASSERT_GE(texture, 0);

    // Gone from disk, the file is still served from the cache, whatever the modes.
    std::remove(path.c_str());
    EXPECT_EQ(AcquireTexture(path), texture);
    EXPECT_EQ(AcquireTexture(path, GL_REPEAT, GL_NEAREST), texture);
    EXPECT_NE(AcquireTexture(images.WriteSolid("other.png", blue)), texture);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(TextureCacheTest, MissingFileIsReportedOnceUnlessOptional)
{
    const String path = images.Path("missing.png");
    EXPECT_EQ(AcquireTexture(path), -1);
    EXPECT_EQ(log.lines, StringList{"Failed to find - " + path});

    log.lines.clear();
    EXPECT_EQ(AcquireTexture(path, GL_CLAMP, GL_LINEAR, true), -1);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(TextureCacheTest, BrokenFilesFailWithoutHarm)
{
    const String garbage = images.WriteBytes("garbage.png", String(300, '\x7f'));
    const String empty = images.WriteBytes("empty.png", "");
    const String noExtension = images.WriteBytes("noextension", "just text");
    EXPECT_EQ(AcquireTexture(garbage), -1);
    EXPECT_EQ(AcquireTexture(empty), -1);
    EXPECT_EQ(AcquireTexture(noExtension), -1);
    EXPECT_EQ(log.lines, (StringList{"Failed to find - " + garbage, "Failed to find - " + empty,
                                     "Failed to find - " + noExtension}));

    // Cut short at every few bytes: decoding either fails with the usual line or gives
    // some picture, and never reads past the data.
    images.Write(
        "whole.png", 37, 23, [](int x, int y) { return Color(x * 7, y * 11, 90); }, true);
    const String whole = images.ReadBytes("whole.png");
    ASSERT_GT(whole.size(), 100u);
    for (size_t length = 8; length < whole.size(); length += whole.size() / 12)
    {
        log.lines.clear();
        const String cut = images.WriteBytes("cut" + std::to_string(length) + ".png", whole.substr(0, length));
        if (AcquireTexture(cut) < 0)
        {
            EXPECT_EQ(log.lines, StringList{"Failed to find - " + cut});
        }
    }
}

TEST_F(TextureCacheTest, ActorKeepsItsTextureWhenANewImageFails)
{
    Actor actor;
    const int good = AcquireTexture(images.WriteSolid("good.png", green));
    ASSERT_TRUE(actor.SetSprite(images.Path("good.png")));
    EXPECT_FALSE(actor.SetSprite(images.WriteBytes("bad.png", "not an image")));
    EXPECT_EQ(actor.GetSpriteTexture(), good);
    EXPECT_EQ(log.lines, StringList{"Failed to find - " + images.Path("bad.png")});
}

// A large textured actor at the centre of the default view; returns the colour drawn at
// a point given in the actor's own unit square (-0.5..0.5, y up).
class TexturedActorTest : public TextureCacheTest
{
protected:
    void Show(const String& path, GLint filter = GL_NEAREST)
    {
        actor = new Actor();
        actor->SetSize(8.0f);
        ASSERT_TRUE(actor->SetSprite(path, 0, GL_CLAMP, filter));
        World::GetInstance().Add(actor);
    }
    Color At(float u, float v)
    {
        const Vector2 pixel = MathKit::WorldPointToScreen(Vector2(u * 8.0f, v * 8.0f));
        return DrawFrameAndReadPixel(static_cast<int>(pixel.X), static_cast<int>(pixel.Y));
    }
    Actor* actor = nullptr;
};

Color Quadrants(int x, int y, int width, int height)
{
    const bool left = x < width / 2;
    const bool top = y < height / 2;
    return top ? (left ? red : green) : (left ? blue : yellow);
}

TEST_F(TexturedActorTest, OpaqueImageShowsUprightWithItsColours)
{
    Show(images.Write("opaque.png", 4, 4, [](int x, int y) { return Quadrants(x, y, 4, 4); }));
    EXPECT_COLOR_NEAR(red, At(-0.25f, 0.25f), 0.02f);
    EXPECT_COLOR_NEAR(green, At(0.25f, 0.25f), 0.02f);
    EXPECT_COLOR_NEAR(blue, At(-0.25f, -0.25f), 0.02f);
    EXPECT_COLOR_NEAR(yellow, At(0.25f, -0.25f), 0.02f);
}

TEST_F(TexturedActorTest, TransparentPixelsShowTheBackground)
{
    Show(images.Write(
        "alpha.png", 4, 4,
        [](int x, int) { return x < 2 ? Color(0.0f, 0.0f, 1.0f, 1.0f) : Color(1.0f, 0.0f, 0.0f, 0.0f); }, true));
    EXPECT_COLOR_NEAR(blue, At(-0.25f, 0.0f), 0.02f);
    EXPECT_COLOR_NEAR(white, At(0.25f, 0.0f), 0.02f);
}

TEST_F(TexturedActorTest, PaddedRowsAreNotSheared)
{
    // Two 3-byte pixels make rows of 6 bytes that FreeImage pads to 8.
    Show(images.Write("padded.png", 2, 8, [](int x, int) { return x == 0 ? red : blue; }));
    for (float v : {-0.45f, 0.0f, 0.45f})
    {
        EXPECT_COLOR_NEAR(red, At(-0.3f, v), 0.02f) << "v " << v;
        EXPECT_COLOR_NEAR(blue, At(0.3f, v), 0.02f) << "v " << v;
    }
}

TEST_F(TexturedActorTest, SidesThatArentPowersOfTwoKeepEveryRow)
{
    // Only the width needs rescaling here, which GLU's own scaler gets wrong.
    Show(images.Write("three.png", 3, 8, [](int x, int) { return x == 0 ? red : (x == 1 ? green : blue); }));
    for (float v : {-0.45f, 0.0f, 0.45f})
    {
        EXPECT_COLOR_NEAR(red, At(-0.45f, v), 0.05f) << "v " << v;
        EXPECT_COLOR_NEAR(blue, At(0.45f, v), 0.05f) << "v " << v;
    }
}

TEST_F(TexturedActorTest, ShapeNumberThatIsNoShapeDrawsTheSquare)
{
    Show(images.WriteSolid("plain.png", white));
    actor->SetColor(0.0f, 1.0f, 0.0f);
    actor->SetDrawShape(static_cast<actorDrawShape>(5));
    // A corner, which a disc would leave white.
    EXPECT_COLOR_NEAR(green, At(0.45f, 0.45f), 0.02f);
}

TEST_F(TexturedActorTest, ClampedSpritesWithATransparentRimTakeTheFasterEdgeClamp)
{
    // GL_CLAMP and clamping to the edge texel only differ in the outer half texel, which
    // is invisible when the rim is transparent: there the faster mode is used. An opaque
    // rim keeps GL_CLAMP's fade into the border, and mipmapped filters keep it too.
    const auto wrapOf = [](int texture)
    {
        GLint wrap = 0;
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
        glBindTexture(GL_TEXTURE_2D, 0);
        return wrap;
    };
    const auto framed = [](int x, int y)
    { return x == 0 || y == 0 || x == 3 || y == 3 ? Color(0.0f, 0.0f, 0.0f, 0.0f) : red; };
    const String framedPath = images.Write("framed.png", 4, 4, framed, true);
    EXPECT_EQ(wrapOf(AcquireTexture(framedPath)), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapOf(AcquireTexture(images.Write("framed-mipmapped.png", 4, 4, framed, true), GL_CLAMP,
                                    GL_LINEAR_MIPMAP_LINEAR)),
              GL_CLAMP);
    EXPECT_EQ(wrapOf(AcquireTexture(images.Write("framed-repeat.png", 4, 4, framed, true), GL_REPEAT)), GL_REPEAT);
    EXPECT_EQ(wrapOf(AcquireTexture(images.Write(
                  "opaque-rim.png", 4, 4, [](int, int) { return red; }, true))),
              GL_CLAMP);

    // The picture: the red middle, nothing of the rim.
    Show(framedPath, GL_LINEAR);
    EXPECT_COLOR_NEAR(red, At(0.0f, 0.0f), 0.02f);
    EXPECT_COLOR_NEAR(white, At(0.49f, 0.49f), 0.02f);
}

TEST_F(TexturedActorTest, ColourTintsTheTexture)
{
    Show(images.WriteSolid("white.png", white));
    actor->SetColor(0.0f, 1.0f, 0.0f);
    EXPECT_COLOR_NEAR(green, At(0.0f, 0.0f), 0.02f);
}
} // namespace

namespace
{
std::uint32_t Crc32(const String& bytes)
{
    std::uint32_t crc = 0xffffffffu;
    for (unsigned char byte : bytes)
    {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

String BigEndian(std::uint32_t value)
{
    return String{static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
                  static_cast<char>(value)};
}

String Chunk(const String& type, const String& data)
{
    return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data + BigEndian(Crc32(type + data));
}

// A PNG of a few dozen bytes whose header claims width x height RGB pixels.
String ClaimingPng(std::uint32_t width, std::uint32_t height)
{
    const String header = BigEndian(width) + BigEndian(height) + String("\x08\x02\x00\x00\x00", 5);
    return String("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", "") + Chunk("IEND", "");
}
} // namespace

TEST_F(TextureCacheTest, ImagesClaimingTooManyPixelsAreRefusedBeforeDecoding)
{
    // Too wide on one side, and within the sides but too many in all.
    for (const auto& [width, height] : {std::pair<std::uint32_t, std::uint32_t>{60000, 2}, {8200, 8200}})
    {
        log.lines.clear();
        const String bomb = images.WriteBytes("bomb" + std::to_string(width) + ".png", ClaimingPng(width, height));
        EXPECT_EQ(AcquireTexture(bomb), -1);
        EXPECT_EQ(log.lines,
                  StringList{"ERROR: " + bomb + " claims " + std::to_string(width) + " x " + std::to_string(height) +
                             " pixels; images may have at most 16384 a side and 67108864 in all. Not "
                             "loaded."});
        // Asking again, even optionally, says nothing more.
        log.lines.clear();
        EXPECT_EQ(AcquireTexture(bomb, GL_CLAMP, GL_LINEAR, true), -1);
        EXPECT_EQ(AcquireTexture(bomb), -1);
        EXPECT_TRUE(log.lines.empty());
    }
}

// A GIF whose first image claims width x height pixels, after a global colour table and
// one extension block, as real files have.
String ClaimingGif(std::uint16_t width, std::uint16_t height)
{
    const auto little = [](std::uint16_t value) {
        return String{static_cast<char>(value), static_cast<char>(value >> 8)};
    };
    return String("GIF89a") + little(4) + little(4) + String("\x80\x00\x00", 3) + String(6, '\0') +
           String("\x21\xf9\x04\x00\x00\x00\x00\x00", 8) + String("\x2c", 1) + little(0) + little(0) + little(width) +
           little(height) + String("\x00\x02\x02\x44\x01\x00\x3b", 7);
}

TEST_F(TextureCacheTest, GifsAreSizedBeforeDecodingAndUnsafeFormatsAreRefused)
{
    // FreeImage can't read a GIF's header alone: its first image's size is read here.
    const String gifBomb = images.WriteBytes("bomb.gif", ClaimingGif(60000, 60000));
    EXPECT_EQ(AcquireTexture(gifBomb), -1);
    EXPECT_EQ(log.lines, StringList{"ERROR: " + gifBomb +
                                    " claims 60000 x 60000 pixels; images may have at most 16384 a side and "
                                    "67108864 in all. Not loaded."});
    unsigned int claimed[2] = {0, 0};
    DecodedImage image;
    const String small = ClaimingGif(4, 4);
    EXPECT_EQ(DecodeImage(reinterpret_cast<const std::uint8_t*>(small.data()), small.size(), "", image, claimed),
              ILR_Loaded);
    EXPECT_EQ(image.width, 4);

    // Other formats are refused by name: their decoders trust the header (this icon's
    // negative width wrote past a buffer; short Targa files read outside theirs).
    log.lines.clear();
    const String icon =
        images.WriteBytes("bomb.ico", String("\x00\x00\x01\x00\x00\x01\x00\x00\x80\x01", 10) + String(4000, '\0'));
    EXPECT_EQ(AcquireTexture(icon), -1);
    const String wbmp = images.WriteBytes("bomb.wbmp", String("\x00\x00\x83\xd4\x60\x83\xd4\x60", 8));
    EXPECT_EQ(AcquireTexture(wbmp), -1);
    const String targa = images.WriteBytes("short.tga", String("\x00\x00\x0a\x00", 4));
    EXPECT_EQ(AcquireTexture(targa), -1);
    EXPECT_EQ(log.lines, (StringList{"ERROR: " + icon + " is not a PNG, JPEG, GIF or BMP image. Not loaded.",
                                     "ERROR: " + wbmp + " is not a PNG, JPEG, GIF or BMP image. Not loaded.",
                                     "ERROR: " + targa + " is not a PNG, JPEG, GIF or BMP image. Not loaded."}));
}

TEST(ImageDecoding, ATruncatedHeaderReadsAsZerosNotAsLeftoverMemory)
{
    // A bitmap cut off inside its header. Its decoder doesn't check the header read and
    // went on with stale memory (found by fuzzing, as a 4-byte Targa), so the result
    // changed from run to run.
    const std::uint8_t truncated[] = {'B', 'M', 0x46, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0, 0, 0};
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        unsigned int claimed[2] = {1, 1};
        DecodedImage image;
        EXPECT_EQ(DecodeImage(truncated, sizeof(truncated), "", image, claimed), ILR_Unreadable);
        EXPECT_TRUE(image.pixels.empty());
    }
}

TEST_F(TextureCacheTest, AFailedFileIsRememberedAndReportedOnce)
{
    const String path = images.Path("late.png");
    // Probed quietly first, as a sprite series does, then needed: one line, then silence.
    EXPECT_EQ(AcquireTexture(path, GL_CLAMP, GL_LINEAR, true), -1);
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(AcquireTexture(path), -1);
    EXPECT_EQ(log.lines, StringList{"Failed to find - " + path});
}

TEST_F(TextureCacheTest, FilesThatCantBeImagesAreRefusedWithoutBeingRead)
{
    HostileFiles files(MaxImageFileBytes, ".png");
    ASSERT_TRUE(files.made);
    EXPECT_EQ(AcquireTexture(files.device), -1);
    EXPECT_EQ(AcquireTexture(files.fifo), -1);
    EXPECT_EQ(AcquireTexture(files.huge), -1);
    // Refused whether or not the caller minds a missing file.
    EXPECT_EQ(AcquireTexture(files.failing, GL_CLAMP, GL_LINEAR, true), -1);
    EXPECT_EQ(log.lines, (StringList{"ERROR: /dev/zero is not a regular file. Not loaded.",
                                     "ERROR: " + files.fifo + " is not a regular file. Not loaded.",
                                     "ERROR: " + files.huge + " is larger than 64 MiB. Not loaded.",
                                     "ERROR: /proc/self/mem can't be read (Input/output error). Not loaded."}));

    // An actor asking for one keeps what it had.
    Actor actor;
    EXPECT_FALSE(actor.SetSprite(files.failing));
    EXPECT_EQ(actor.GetSpriteTexture(), -1);
    EXPECT_EQ(log.lines.size(), 4u);
}
