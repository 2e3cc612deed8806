#include "Actors/Actor.h"
#include "Infrastructure/World.h"
#include "Platform/ScreenMath.h"
#include "TestUtilities/Approx.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"
#include "TestUtilities/TestImages.h"
#include "TestUtilities/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace
{
// Records the one-shot ends it is told about.
class WatchedActor : public Actor
{
public:
    void OnSpriteAnimationEnd(const String& animName) override { ends.push_back(animName); }
    StringList ends;
};

class SpriteTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Only what the test itself causes counts, not the engine's start-up lines.
        log.lines.clear();
    }

    // Writes name_<number>.png for each number, each frame its own colour.
    void WriteSeries(const String& name, int first, int last, int digits)
    {
        for (int n = first; n <= last; ++n)
        {
            char number[16];
            std::snprintf(number, sizeof number, "%0*d", digits, n);
            images.WriteSolid(name + "_" + number + ".png", Color(n * 3, 255 - n * 3, 128));
        }
    }
    // Loads `count` frames into the actor.
    void GiveFrames(Actor& target, int count)
    {
        WriteSeries("frame", 1, count, 3);
        ASSERT_EQ(target.LoadSpriteFrames(images.Path("frame_001.png")), count);
    }
    // The frame after each of `updates` updates of dt.
    std::vector<int> Frames(Actor& target, int updates, float dt)
    {
        std::vector<int> seen;
        for (int i = 0; i < updates; ++i)
        {
            target.Update(dt);
            seen.push_back(target.GetSpriteFrame());
        }
        return seen;
    }

    TestImageFolder images;
    LogCapture log;
    WatchedActor actor;
};

// A hair over the delay, so each update takes exactly one step for many updates.
constexpr float justOverDelay = 0.1001f;

TEST_F(SpriteTest, SetSpriteClampsTheSlotAndGrowsTheFrameCount)
{
    const String path = images.WriteSolid("one.png", Color(1.0f, 0.0f, 0.0f));
    ASSERT_TRUE(actor.SetSprite(path, 70));
    const int texture = actor.GetSpriteTexture(63);
    EXPECT_GE(texture, 0);
    EXPECT_EQ(actor.GetSpriteTexture(1000), texture);
    EXPECT_EQ(actor.GetSpriteFrame(), 0);

    // The slots skipped over hold no texture, and selecting one says so.
    EXPECT_EQ(actor.GetSpriteTexture(10), -1);
    actor.SetSpriteFrame(10);
    EXPECT_EQ(log.lines, StringList{"setSpriteFrame() - Warning: frame(10) has an invalid texture reference."});
    actor.SetSpriteFrame(500);
    EXPECT_EQ(actor.GetSpriteFrame(), 63);

    log.lines.clear();
    EXPECT_FALSE(actor.SetSprite(images.Path("absent.png"), 0, GL_CLAMP, GL_LINEAR, true));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SpriteTest, SetSpriteFillsOnlyItsOwnSlot)
{
    GiveFrames(actor, 3);
    const int second = actor.GetSpriteTexture(1);
    // A shorter series lowers the frame count but leaves the later slots as they were.
    ASSERT_EQ(actor.LoadSpriteFrames(images.WriteSolid("solo_1.png", Color(0.0f, 0.0f, 0.0f))), 1);
    ASSERT_TRUE(actor.SetSprite(images.WriteSolid("late.png", Color(0.5f, 0.5f, 0.5f)), 2));
    EXPECT_EQ(actor.GetSpriteTexture(1), second);
}

TEST_F(SpriteTest, SeriesContinuesWithTheFirstNamesPadding)
{
    WriteSeries("walk", 1, 12, 1);
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("walk_1.png")), 12);
    EXPECT_GE(actor.GetSpriteTexture(11), 0);

    WriteSeries("run", 1, 3, 2);
    images.WriteSolid("run_4.png", Color(0.0f, 0.0f, 0.0f)); // not padded: not part of the series
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("run_01.png")), 3);
    EXPECT_EQ(actor.GetSpriteTexture(3), actor.GetSpriteTexture(2));

    // Padding widens once the numbers outgrow it.
    WriteSeries("jump", 8, 10, 1);
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("jump_8.png")), 3);
    WriteSeries("fall", 98, 101, 2);
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("fall_98.png")), 4);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SpriteTest, BadlyNamedSeriesLoadsTheSingleFile)
{
    for (const String name : {"walk.png", "walk_a1.png", "_ab.png", "walk_.png"})
    {
        log.lines.clear();
        const String path = images.WriteSolid(name, Color(0.0f, 0.0f, 1.0f));
        EXPECT_EQ(actor.LoadSpriteFrames(path), 1) << name;
        EXPECT_EQ(log.lines, (StringList{"LoadSpriteFrames() - Bad FileName Format - Expecting somename_###.ext",
                                         "Attempting to load single texture: " + path}))
            << name;
        EXPECT_EQ(actor.GetSpriteTexture(5), actor.GetSpriteTexture(0));
    }

    log.lines.clear();
    const String missing = images.Path("gone.png");
    EXPECT_EQ(actor.LoadSpriteFrames(missing), 0);
    EXPECT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines.back(), "Failed to find - " + missing);
}

TEST_F(SpriteTest, SeriesWithoutFirstFileSaysSo)
{
    const String first = images.Path("none_001.png");
    EXPECT_EQ(actor.LoadSpriteFrames(first), 0);
    EXPECT_EQ(log.lines, StringList{"LoadSpriteFrames() - Could not load file (bad image format?) " + first});
}

TEST_F(SpriteTest, SeriesStopsAtTheFrameTableSize)
{
    const StringList capLines{"Maximum number of frames reached (64). Bailing out...",
                              "Increment MAX_SPRITE_FRAMES if you need more."};
    WriteSeries("long", 1, 70, 2);
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("long_01.png")), 64);
    EXPECT_EQ(log.lines, capLines);
    EXPECT_NE(actor.GetSpriteTexture(63), actor.GetSpriteTexture(62));

    log.lines.clear();
    WriteSeries("exact", 1, 64, 2);
    EXPECT_EQ(actor.LoadSpriteFrames(images.Path("exact_01.png")), 64);
    EXPECT_EQ(log.lines, capLines);
}

TEST_F(SpriteTest, DefaultBoundsStayOnFrameZero)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(0.1f);
    EXPECT_EQ(Frames(actor, 5, justOverDelay), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_TRUE(actor.IsSpriteAnimPlaying());
}

TEST_F(SpriteTest, LoopWrapsToItsStart)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 1, 3);
    EXPECT_EQ(Frames(actor, 6, justOverDelay), (std::vector<int>{2, 3, 1, 2, 3, 1}));
}

TEST_F(SpriteTest, PingPongTurnsAtBothEnds)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(0.1f, SAT_PingPong, 0, 3);
    EXPECT_EQ(actor.GetSpriteFrame(), 0);
    EXPECT_EQ(Frames(actor, 8, justOverDelay), (std::vector<int>{1, 2, 3, 2, 1, 0, 1, 2}));
}

TEST_F(SpriteTest, NamedOneShotEndsOnceOnItsLastFrame)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 3, 0, "fade");
    EXPECT_EQ(Frames(actor, 3, justOverDelay), (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(actor.ends.empty());
    // The last frame shows for a whole delay before the end is reported.
    EXPECT_EQ(Frames(actor, 4, justOverDelay), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(actor.ends, StringList{"fade"});
    EXPECT_TRUE(actor.IsSpriteAnimPlaying());

    // A null name keeps the last one; an empty one reports nothing.
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 0, 1);
    Frames(actor, 3, justOverDelay);
    EXPECT_EQ(actor.ends, (StringList{"fade", "fade"}));
    actor.PlaySpriteAnimation(0.1f, SAT_OneShot, 0, 1, "");
    Frames(actor, 3, justOverDelay);
    EXPECT_EQ(actor.ends.size(), 2u);
}

TEST_F(SpriteTest, AnimationStartedWhenAOneShotEndsRunsOnTime)
{
    // Chains a loop onto the end of the one-shot, as a game does for "die, then lie still".
    class ChainingActor : public Actor
    {
    public:
        void OnSpriteAnimationEnd(const String&) override { PlaySpriteAnimation(0.1f, SAT_Loop, 2, 4); }
    };
    ChainingActor chained;
    GiveFrames(chained, 5);
    chained.PlaySpriteAnimation(0.1f, SAT_OneShot, 0, 1, "intro");
    // The handler's loop shows its first frame for one delay, like any other start.
    EXPECT_EQ(Frames(chained, 3, justOverDelay), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Frames(chained, 2, justOverDelay), (std::vector<int>{4, 2}));
}

TEST_F(SpriteTest, LongUpdateTakesSeveralSteps)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 0, 4);
    actor.Update(0.35f);
    EXPECT_EQ(actor.GetSpriteFrame(), 3);
    actor.Update(0.1f);
    EXPECT_EQ(actor.GetSpriteFrame(), 4);
}

TEST_F(SpriteTest, OddRangesKeepTheFrameInRange)
{
    GiveFrames(actor, 5);
    struct Case
    {
        spriteAnimationType type;
        int start, end;
        int low, high;
    };
    for (const Case& c : {Case{SAT_Loop, 3, 1, 1, 3}, Case{SAT_PingPong, 2, 2, 2, 2}, Case{SAT_PingPong, 4, 1, 1, 4},
                          Case{SAT_Loop, 4, 4, 4, 4}, Case{SAT_OneShot, 4, 0, 0, 4}})
    {
        actor.PlaySpriteAnimation(0.1f, c.type, c.start, c.end);
        for (int frame : Frames(actor, 20, justOverDelay))
        {
            EXPECT_GE(frame, c.low) << c.type << " " << c.start << ".." << c.end;
            EXPECT_LE(frame, c.high) << c.type << " " << c.start << ".." << c.end;
        }
    }
    // A start above the end loops downward.
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 3, 1);
    EXPECT_EQ(Frames(actor, 4, justOverDelay), (std::vector<int>{2, 1, 3, 2}));

    // A frame chosen outside the running range brings the animation back to its start
    // rather than stepping on past the table.
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 0, 2);
    actor.SetSpriteFrame(4);
    EXPECT_EQ(Frames(actor, 2, justOverDelay), (std::vector<int>{0, 1}));

    // A type that names no animation holds the start frame.
    actor.PlaySpriteAnimation(0.1f, static_cast<spriteAnimationType>(9), 2, 4);
    EXPECT_EQ(Frames(actor, 2, justOverDelay), (std::vector<int>{2, 2}));
}

TEST_F(SpriteTest, TinyDelayDoesNotStallTheFrame)
{
    GiveFrames(actor, 5);
    actor.PlaySpriteAnimation(1e-30f, SAT_PingPong, 0, 4);
    actor.Update(1.0f);
    EXPECT_GE(actor.GetSpriteFrame(), 0);
    EXPECT_LE(actor.GetSpriteFrame(), 4);
}

TEST_F(SpriteTest, ClearSpriteInfoEmptiesTheFramesAndStops)
{
    GiveFrames(actor, 3);
    actor.PlaySpriteAnimation(0.1f, SAT_Loop, 0, 2);
    actor.Update(0.15f);
    actor.ClearSpriteInfo();
    EXPECT_FALSE(actor.IsSpriteAnimPlaying());
    EXPECT_EQ(actor.GetSpriteFrame(), 0);
    EXPECT_EQ(actor.GetSpriteTexture(0), -1);
    EXPECT_EQ(actor.GetSpriteTexture(2), -1);
    actor.Update(1.0f);
    EXPECT_EQ(actor.GetSpriteFrame(), 0);
}

TEST_F(SpriteTest, DrawsTheCurrentFrame)
{
    images.WriteSolid("light_1.png", Color(1.0f, 0.0f, 0.0f));
    images.WriteSolid("light_2.png", Color(0.0f, 1.0f, 0.0f));
    images.WriteSolid("light_3.png", Color(0.0f, 0.0f, 1.0f));
    Actor* light = new Actor();
    light->SetSize(4.0f);
    ASSERT_EQ(light->LoadSpriteFrames(images.Path("light_1.png")), 3);
    light->PlaySpriteAnimation(0.5f, SAT_Loop, 0, 2);
    World::GetInstance().Add(light);
    // Frames of no time: only the explicit updates below step the animation, however
    // long start-up or a busy machine makes the first frames.
    FrameDriver frames;

    const Vector2 centre = MathKit::WorldPointToScreen(Vector2(0.0f, 0.0f));
    const int x = static_cast<int>(centre.X);
    const int y = static_cast<int>(centre.Y);
    EXPECT_COLOR_NEAR(Color(1.0f, 0.0f, 0.0f), DrawFrameAndReadPixel(x, y), 0.02f);
    light->Update(0.6f);
    EXPECT_COLOR_NEAR(Color(0.0f, 1.0f, 0.0f), DrawFrameAndReadPixel(x, y), 0.02f);
    light->SetSpriteFrame(2);
    EXPECT_COLOR_NEAR(Color(0.0f, 0.0f, 1.0f), DrawFrameAndReadPixel(x, y), 0.02f);
}
} // namespace
