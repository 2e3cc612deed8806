#include "Actors/Actor.h"
#include "Actors/ParticleActor.h"
#include "Actors/TextActor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/Console.h"
#include "Infrastructure/World.h"
#include "Platform/Draw.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/WindowTest.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace
{
const String Card = "Resources/Images/testcard.png";
const String Coin = "Resources/Images/tinydollar.png";

Actor* AddActor(const Vector2& position, float rotation, float size, const Color& color, int layer = 0)
{
    auto* actor = new Actor();
    actor->SetPosition(position);
    actor->SetRotation(rotation);
    actor->SetSize(size);
    actor->SetColor(color.R, color.G, color.B, color.A);
    World::GetInstance().Add(actor, layer);
    return actor;
}

// Every kind of shape the engine draws, overlapping across textures, layers and alpha.
void BuildScene()
{
    World& world = World::GetInstance();
    // Added first but drawn last: layer order must win over the order of adding.
    AddActor(Vector2(-4.0f, 1.0f), 10.0f, 5.0f, Color(0.1f, 0.2f, 0.9f, 0.6f), 3);
    for (int i = 0; i < 12; ++i)
    {
        Actor* card = AddActor(Vector2(-11.0f + 2.0f * i, 6.0f - 1.1f * i), 33.0f * i, 2.5f + 0.2f * i,
                               Color(1.0f, 1.0f - 0.05f * i, 1.0f, 1.0f - 0.06f * i));
        card->SetSprite(i % 3 == 2 ? Coin : Card);
        if (i % 4 == 1)
            card->SetUVs(Vector2(1.0f, 0.0f), Vector2(0.0f, 1.0f)); // mirrored
        if (i % 4 == 3)
            card->SetUVs(Vector2(0.0f, 1.0f), Vector2(1.0f, 0.0f)); // upside down
        // Untextured quads between textured ones force a switch each time.
        AddActor(Vector2(-10.0f + 2.0f * i, 5.0f - 1.1f * i), -20.0f * i, 1.0f, Color(0.9f, 0.3f, 0.1f, 0.7f));
    }
    Actor* animated = AddActor(Vector2(8.0f, 5.0f), 45.0f, 3.0f, Color(1.0f, 1.0f, 1.0f));
    animated->SetSprite(Card);
    animated->SetSprite(Coin, 1);
    animated->SetSpriteFrame(1);
    Actor* stretched = AddActor(Vector2(-8.0f, -6.0f), 70.0f, 1.0f, Color(0.2f, 0.8f, 0.2f, 0.8f), 1);
    stretched->SetSize(Vector2(6.0f, 1.5f));
    for (int i = 0; i < 3; ++i)
    {
        Actor* disc = AddActor(Vector2(2.0f + 2.5f * i, -3.0f), 15.0f * i, 2.0f + i, Color(0.3f, 0.1f, 0.6f, 0.5f), 2);
        disc->SetDrawShape(ADS_Circle);
    }

    auto* particles = new ParticleActor();
    particles->SetSprite(Coin);
    particles->SetSize(1.0f);
    particles->SetMaxParticles(40);
    particles->SetParticlesPerSecond(400.0f);
    particles->SetParticleLifetime(100.0f);
    particles->SetSpread(3.0f);
    particles->SetSpeedRange(1.0f, 6.0f);
    particles->SetGravity(Vector2());
    particles->SetPosition(6.0f, -6.0f);
    particles->SetRotation(20.0f);
    world.Add(particles, 1);

    auto* label = new TextActor("Console", "Batched\nand not");
    label->SetColor(0.0f, 0.4f, 0.0f, 1.0f);
    label->SetPosition(-2.0f, -7.0f);
    world.Add(label, 1);
    world.DrawDebugLine(Vector2(-12.0f, -9.0f), Vector2(12.0f, 9.0f), 100.0f, Color(0.0f, 0.0f, 0.0f));
}

std::vector<std::uint8_t> DrawWholeFrame()
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    Draw::EndFrame();
    const Camera& camera = Camera::GetInstance();
    return Draw::ReadPixels(0, 0, camera.GetWindowWidth(), camera.GetWindowHeight());
}

struct PictureDifference
{
    size_t differingPixels = 0;
    int largestChannelStep = 0;
};

PictureDifference Compare(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    PictureDifference difference;
    for (size_t pixel = 0; pixel + 3 < a.size(); pixel += 4)
    {
        int largest = 0;
        for (size_t channel = 0; channel < 3; ++channel)
            largest = std::max(largest, std::abs(a[pixel + channel] - b[pixel + channel]));
        if (largest > 0)
            ++difference.differingPixels;
        difference.largestChannelStep = std::max(difference.largestChannelStep, largest);
    }
    return difference;
}

// Draws the unchanging scene one shape at a time and batched, and compares.
void ExpectSamePicture(const char* what)
{
    Draw::SetBatching(false);
    const std::vector<std::uint8_t> oneByOne = DrawWholeFrame();
    Draw::SetBatching(true);
    const std::vector<std::uint8_t> batched = DrawWholeFrame();
    ASSERT_EQ(oneByOne.size(), batched.size());
    const PictureDifference difference = Compare(oneByOne, batched);
    const size_t pixels = batched.size() / 4;
    EXPECT_LE(difference.differingPixels, pixels / 200) << what;
    EXPECT_LE(difference.largestChannelStep, 8) << what;
}
} // namespace

using DrawBatchTest = WindowTest;

TEST_F(DrawBatchTest, BatchedSceneLooksLikeTheOneShapeAtATimeScene)
{
    FrameDriver driver;
    BuildScene();
    // One step lets the particles fly out; then time stands still so both pictures
    // show the same moment.
    driver.Frame(0.3f);
    const std::vector<std::uint8_t> background = DrawWholeFrame();
    ExpectSamePicture("scene");
    // A plainly broken batch (nothing drawn) would pass a comparison of two blank frames.
    EXPECT_GT(Compare(background, std::vector<std::uint8_t>(background.size(), 255)).differingPixels,
              background.size() / 4 / 5);

    World::GetInstance().GetConsole()->SetEnabled(true);
    World::GetInstance().GetConsole()->WriteToOutput("console over the scene\n");
    ExpectSamePicture("console");
    World::GetInstance().ResetWorld();
}

TEST_F(DrawBatchTest, ShapesDrawnBeforeAReadBackAreInIt)
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    Draw::Quad(Draw::Transform{Vector2(), 0.0f, Vector2(4.0f, 4.0f)}, Color(1.0f, 0.0f, 0.0f), -1, Vector2(),
               Vector2(1.0f, 1.0f));
    const auto pixel = Draw::ReadPixels(512, 384, 1, 1);
    Draw::EndFrame();
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
}

namespace
{
// What batched discs replace: a fan from the centre through the rim points, moved on the
// CPU as the batch moves them (scale, then rotate, then move); as many segments as the
// engine gives such a disc unless told.
void DrawFan(const Draw::Transform& place, const Color& color, int segments = 0)
{
    if (segments == 0)
        segments = Draw::DiscSegments(place);
    const float radians = place.rotation * 0.017453292f;
    const float cosine = std::cos(radians), sine = std::sin(radians);
    std::vector<Vector2> fan{place.position};
    for (int i = 0; i <= segments; ++i)
    {
        const float angle = static_cast<float>(i) * 6.283185f / static_cast<float>(segments);
        const float x = 0.5f * std::cos(angle) * place.scale.X, y = 0.5f * std::sin(angle) * place.scale.Y;
        fan.push_back(Vector2(place.position.X + cosine * x - sine * y, place.position.Y + sine * x + cosine * y));
    }
    Draw::Polygon(fan.data(), static_cast<int>(fan.size()), color, true);
}

// Translucent discs from a few pixels across to half the window, a pixel covered twice
// or missed would show.
std::vector<std::uint8_t> DrawDiscs(bool asFans)
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    for (int i = 0; i < 300; ++i)
    {
        const float size = 0.1f + 0.35f * static_cast<float>(i % 7) * static_cast<float>(i % 5);
        const Draw::Transform place{Vector2(-12.0f + 0.083f * i, 9.0f - 0.061f * i), 13.0f * i,
                                    Vector2(size, i % 3 ? size : 0.4f * size)};
        const Color color(0.1f + 0.003f * i, 0.8f - 0.002f * i, 0.4f, 0.45f);
        if (asFans)
            DrawFan(place, color);
        else
            Draw::Disc(place, color, -1);
    }
    const auto pixels = Draw::ReadPixels(0, 0, 1024, 768);
    Draw::EndFrame();
    return pixels;
}
} // namespace

TEST_F(DrawBatchTest, BatchedDiscsCoverExactlyThePixelsOfTheFansTheyReplace)
{
    const std::vector<std::uint8_t> fans = DrawDiscs(true);
    EXPECT_EQ(Compare(fans, DrawDiscs(false)).differingPixels, 0u);
    EXPECT_GT(Compare(fans, std::vector<std::uint8_t>(fans.size(), 255)).differingPixels, fans.size() / 4 / 5);
}

TEST_F(DrawBatchTest, SmallDiscsHaveFewerSegmentsAndKeepTheirOutline)
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    const float pixels = Draw::GetPixelsPerUnit();
    ASSERT_GT(pixels, 1.0f);
    const auto across = [pixels](float diameterPixels) {
        return Draw::Transform{Vector2(), 0.0f, Vector2(diameterPixels / pixels, diameterPixels / pixels)};
    };
    EXPECT_EQ(Draw::DiscSegments(across(4.0f)), 8);
    EXPECT_EQ(Draw::DiscSegments(across(10.0f)), 16);
    EXPECT_EQ(Draw::DiscSegments(across(40.0f)), 32);
    EXPECT_EQ(Draw::DiscSegments(across(4000.0f)), 32);
    // Stretched: the longer side decides.
    EXPECT_EQ(Draw::DiscSegments(Draw::Transform{Vector2(), 0.0f, Vector2(0.01f, 40.0f / pixels)}), 32);
    Draw::BeginScreenSpace(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(Draw::GetPixelsPerUnit(), 1.0f);
    EXPECT_EQ(Draw::DiscSegments(Draw::Transform{Vector2(), 0.0f, Vector2(10.0f, 10.0f)}), 16);
    Draw::EndScreenSpace();
    EXPECT_EQ(Draw::GetPixelsPerUnit(), pixels);

    // Opaque discs of 2 to 30 pixels, cut as the engine cuts them and with the finest rim:
    // the outlines differ by a few edge pixels at most.
    const auto draw = [&](bool finest)
    {
        Draw::Quad(Draw::Transform{Vector2(), 0.0f, Vector2(40.0f, 40.0f)}, Color(1.0f, 1.0f, 1.0f), -1, Vector2(),
                   Vector2(1.0f, 1.0f));
        for (int i = 0; i < 120; ++i)
        {
            Draw::Transform place = across(2.0f + 0.23f * static_cast<float>(i));
            place.position = Vector2((-440.0f + 80.0f * static_cast<float>(i % 12)) / pixels,
                                     (300.0f - 60.0f * static_cast<float>(i / 12)) / pixels);
            place.rotation = 7.0f * static_cast<float>(i);
            if (finest)
                DrawFan(place, Color(0.0f, 0.0f, 0.0f), 32);
            else
                Draw::Disc(place, Color(0.0f, 0.0f, 0.0f), -1);
        }
        return Draw::ReadPixels(0, 0, 1024, 768);
    };
    const std::vector<std::uint8_t> finest = draw(true);
    const std::vector<std::uint8_t> engine = draw(false);
    Draw::EndFrame();
    size_t covered = 0;
    for (size_t i = 0; i < finest.size(); i += 4)
        covered += finest[i] == 0 ? 1 : 0;
    EXPECT_GT(covered, 20000u);
    EXPECT_LT(Compare(finest, engine).differingPixels, covered / 50) << "of " << covered << " covered";
}

TEST_F(DrawBatchTest, GlyphsLeaveTheDepthTestAsTheyFoundIt)
{
    Draw::SetDepthTest(false);
    Draw::BeginGlyphs();
    Draw::EndGlyphs();
    EXPECT_FALSE(Draw::IsDepthTestOn());
    Draw::SetDepthTest(true);
    Draw::BeginGlyphs();
    Draw::EndGlyphs();
    EXPECT_TRUE(Draw::IsDepthTestOn());
    // Text itself is never hidden by depth.
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

namespace
{
// A square display list of side 2 at height z, drawn in the current colour.
GLuint SquareListAt(float z)
{
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    glVertex3f(1.0f, 1.0f, z);
    glVertex3f(-1.0f, 1.0f, z);
    glVertex3f(-1.0f, -1.0f, z);
    glVertex3f(1.0f, -1.0f, z);
    glEnd();
    glEndList();
    return list;
}

std::uint8_t GreenAtCentreAfter(const std::function<void()>& draw)
{
    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    draw();
    const auto pixel = Draw::ReadPixels(512, 384, 1, 1);
    Draw::EndFrame();
    return pixel[1];
}
} // namespace

TEST_F(DrawBatchTest, DisplayListsTestDepthWithinAFrameButNotAcrossFrames)
{
    const GLuint nearer = SquareListAt(0.5f);
    const GLuint plane = SquareListAt(0.0f);
    const Draw::Transform place{Vector2(), 0.0f, Vector2(1.0f, 1.0f)};
    const Color red(1.0f, 0.0f, 0.0f), green(0.0f, 1.0f, 0.0f);
    // In one frame the nearer red square hides the green one drawn after it...
    EXPECT_EQ(GreenAtCentreAfter(
                  [&]
                  {
                      Draw::DisplayList(place, red, -1, static_cast<int>(nearer));
                      Draw::DisplayList(place, green, -1, static_cast<int>(plane));
                  }),
              0);
    // ...but its depth is gone in the next frame.
    EXPECT_EQ(GreenAtCentreAfter([&] { Draw::DisplayList(place, green, -1, static_cast<int>(plane)); }), 255);
    glDeleteLists(nearer, 1);
    glDeleteLists(plane, 1);
}
