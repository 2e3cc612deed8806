#include "Actors/TextActor.h"
#include "Infrastructure/Camera.h"
#include "Infrastructure/World.h"
#include "Messaging/Switchboard.h"
#include "Platform/Draw.h"
#include "Platform/FontRegistry.h"
#include "Platform/ScreenMath.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
StringList LineTexts(const TextActor& text)
{
    StringList texts;
    for (const TextLine& line : text.GetLines())
        texts.push_back(line.text);
    return texts;
}

class TextLayoutTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (!IsSkipped())
        {
            ASSERT_TRUE(AddFont("Resources/Fonts/Inconsolata.otf", 24, "Console"));
        }
    }
};
} // namespace

TEST(TextActorTest, SplitsAtEveryNewlineButTheLast)
{
    TextActor text("NoSuchFont");
    text.SetDisplayString("a\n\nb");
    EXPECT_EQ(LineTexts(text), (StringList{"a", "", "b"}));
    text.SetDisplayString("a\n");
    EXPECT_EQ(LineTexts(text), StringList{"a"});
    text.SetDisplayString("");
    EXPECT_TRUE(text.GetLines().empty());
    text.SetDisplayString("\n");
    EXPECT_EQ(LineTexts(text), StringList{""});
    EXPECT_EQ(text.GetDisplayString(), "\n");
}

TEST_F(TextLayoutTest, LinesStepDownByTheTallestLinePlusTheSpacing)
{
    // A line of capitals and one with descenders and a bar measure different heights.
    TextActor text("Console", "NO\nqy|", Align_Left, 5);
    const auto& lines = text.GetLines();
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_NE(lines[0].extents.Y, lines[1].extents.Y);
    const float tallest = std::max(lines[0].extents.Y, lines[1].extents.Y);
    EXPECT_FLOAT_EQ(lines[1].position.Y - lines[0].position.Y, 5.0f + tallest);

    text.SetLineSpacing(20);
    EXPECT_FLOAT_EQ(lines[1].position.Y - lines[0].position.Y, 20.0f + tallest);
}

TEST_F(TextLayoutTest, AlignmentPlacesEachLineByItsOwnWidth)
{
    TextActor text("Console", "wide line\nnarrow", Align_Center);
    text.SetPosition(MathKit::ScreenPointToWorld(400, 300));
    const auto& lines = text.GetLines();
    EXPECT_NEAR(lines[0].position.X, 400.0f - 0.5f * lines[0].extents.X, 0.01f);
    EXPECT_NEAR(lines[1].position.X, 400.0f - 0.5f * lines[1].extents.X, 0.01f);
    EXPECT_NEAR(lines[0].position.Y, 300.0f, 0.01f);

    text.SetAlignment(Align_Right);
    EXPECT_NEAR(lines[1].position.X, 400.0f - lines[1].extents.X, 0.01f);
    const float width = MathKit::PixelLengthToWorld(lines[0].extents.X);
    EXPECT_NEAR(text.GetBoundsLowerLeft().X, text.GetPosition().X - width, 1e-4f);
    EXPECT_NEAR(text.GetBoundsUpperRight().X, text.GetPosition().X, 1e-4f);
}

TEST_F(TextLayoutTest, ValueThatIsNoAlignmentLeavesLinesAndBoxWhereTheyWere)
{
    TextActor text("Console", "one\nlonger", Align_Right);
    const float x = text.GetLines()[1].position.X;
    const Vector2 lowerLeft = text.GetBoundsLowerLeft();
    const Vector2 upperRight = text.GetBoundsUpperRight();
    text.SetAlignment(static_cast<TextAlignment>(7));
    text.SetPosition(0.0f, -2.0f);
    EXPECT_EQ(text.GetLines()[1].position.X, x);
    EXPECT_GT(text.GetLines()[1].position.Y, 400.0f) << "rows are still laid out";
    EXPECT_VEC2_NEAR(lowerLeft, text.GetBoundsLowerLeft(), 0.0f);
    EXPECT_VEC2_NEAR(upperRight, text.GetBoundsUpperRight(), 0.0f);
}

TEST_F(TextLayoutTest, TextWithoutLinesHasNoBoxBeyondItsPosition)
{
    TextActor text("Console", "something", Align_Center);
    text.SetPosition(2.0f, 3.0f);
    text.SetDisplayString("");
    EXPECT_VEC2_NEAR(Vector2(2.0f, 3.0f), text.GetBoundsLowerLeft(), 0.0f);
    EXPECT_VEC2_NEAR(Vector2(2.0f, 3.0f), text.GetBoundsUpperRight(), 0.0f);
}

TEST_F(TextLayoutTest, CameraMovesReachTheTextOnlyWhenTheMessageIsDelivered)
{
    auto* text = new TextActor("Console", "Hello");
    World::GetInstance().Add(text);
    Switchboard::GetInstance().DeliverQueued();
    const float before = text->GetLines()[0].position.X;

    Camera::GetInstance().SetPosition(1.0f, 0.0f);
    EXPECT_EQ(text->GetLines()[0].position.X, before);
    Switchboard::GetInstance().DeliverQueued();
    EXPECT_NEAR(text->GetLines()[0].position.X, before - 1.0f / MathKit::PixelLengthToWorld(1.0f), 0.01f);
    World::GetInstance().ResetWorld();
}

TEST_F(TextLayoutTest, TextDrawsWhereItsBoundsSay)
{
    ASSERT_TRUE(AddFont("Resources/Fonts/Inconsolata.otf", 44, "ConsoleLarge"));
    // Capitals only: the box starts at the baseline, so descenders would hang below it.
    auto* text = new TextActor("ConsoleLarge", "HELLO\nWORLD", Align_Center);
    text->SetPosition(-3.0f, 2.0f);
    World::GetInstance().Add(text);

    Draw::BeginFrame();
    World::GetInstance().RunFrame();
    Draw::EndFrame();
    const int width = Camera::GetInstance().GetWindowWidth();
    const int height = Camera::GetInstance().GetWindowHeight();
    const auto pixels = Draw::ReadPixels(0, 0, width, height);

    const Vector2 topLeft =
        MathKit::WorldPointToScreen(Vector2(text->GetBoundsLowerLeft().X, text->GetBoundsUpperRight().Y));
    const Vector2 bottomRight =
        MathKit::WorldPointToScreen(Vector2(text->GetBoundsUpperRight().X, text->GetBoundsLowerLeft().Y));
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            // Rows come bottom-up.
            const size_t at = (static_cast<size_t>(height - 1 - y) * width + x) * 4;
            if (pixels[at] > 128)
                continue;
            const bool inBox = x >= topLeft.X - 2.0f && x <= bottomRight.X + 2.0f && y >= topLeft.Y - 2.0f &&
                               y <= bottomRight.Y + 2.0f;
            ++(inBox ? inside : outside);
        }
    EXPECT_GT(inside, 500);
    EXPECT_EQ(outside, 0);
    World::GetInstance().ResetWorld();
}

TEST_F(TextLayoutTest, TextInAFontNobodyRegisteredIsNamedOnceInTheLog)
{
    LogCapture log;
    TextActor missing("Titel", "Score");
    TextActor sameFont("Titel", "Lives");
    TextActor otherMissing("Hud", "Time");
    TextActor registered("Console", "Fine");
    for (int frame = 0; frame < 3; ++frame)
    {
        missing.Render();
        sameFont.Render();
        otherMissing.Render();
        registered.Render();
    }
    EXPECT_EQ(log.lines,
              (StringList{"WARNING: No font called \"Titel\" is registered (AddFont); its text is not drawn.",
                          "WARNING: No font called \"Hud\" is registered (AddFont); its text is not drawn."}));
}
