#include "Actors/Actor.h"
#include "Actors/TagCollection.h"
#include "Infrastructure/World.h"
#include "TestUtilities/FrameDriver.h"
#include "TestUtilities/LogCapture.h"

#include <gtest/gtest.h>

namespace
{
TagCollection& Tags() { return TagCollection::GetInstance(); }

TEST(TagTest, TagSplitsAtCommasAndSpacesAndStoresLowerCase)
{
    Actor actor;
    actor.Tag("Enemy, Boss");
    EXPECT_EQ(actor.GetTags(), (StringSet{"boss", "enemy"}));

    Actor other;
    other.Tag(" ,, a ,b,, ");
    other.Tag("A");
    EXPECT_EQ(other.GetTags(), (StringSet{"a", "b"}));
    EXPECT_EQ(Tags().GetTagList(), (StringSet{"a", "b", "boss", "enemy"}));
}

TEST(TagTest, IsTaggedAndUntagCompareExactly)
{
    Actor actor;
    actor.Tag("NoDelete");
    EXPECT_FALSE(actor.IsTagged("NoDelete"));
    EXPECT_TRUE(actor.IsTagged("nodelete"));

    actor.Untag("NoDelete");
    EXPECT_TRUE(actor.IsTagged("nodelete"));
    EXPECT_EQ(Tags().GetObjectsTagged("nodelete"), ActorSet{&actor});
    actor.Untag("nodelete");
    EXPECT_TRUE(actor.GetTags().empty());
    EXPECT_TRUE(Tags().GetTagList().empty());
}

TEST(TagTest, AskingWithCapitalsStillMissesButIsNamedOncePerTag)
{
    LogCapture log;
    Actor actor;
    actor.Tag("Enemy");
    EXPECT_FALSE(actor.IsTagged("Enemy"));
    EXPECT_FALSE(actor.IsTagged("Enemy"));
    EXPECT_TRUE(Tags().GetObjectsTagged("Enemy").empty());
    EXPECT_TRUE(Tags().GetObjectsTagged("enemy, Boss").empty());
    actor.Untag("Boss");
    EXPECT_TRUE(actor.IsTagged("enemy"));
    EXPECT_EQ(Tags().GetObjectsTagged("enemy"), ActorSet{&actor});
    EXPECT_EQ(log.lines,
              (StringList{
                  "WARNING: Tag \"Enemy\" asked for with capitals; Tag stores tags lower-case, so ask for \"enemy\".",
                  "WARNING: Tag \"Boss\" asked for with capitals; Tag stores tags lower-case, so ask for \"boss\"."}));
}

TEST(TagTest, QueryReturnsActorsCarryingEveryListedTag)
{
    Actor bossEnemy, enemy, boss;
    bossEnemy.Tag("enemy boss");
    enemy.Tag("enemy");
    boss.Tag("boss");

    EXPECT_EQ(Tags().GetObjectsTagged("enemy boss"), ActorSet{&bossEnemy});
    EXPECT_EQ(Tags().GetObjectsTagged("boss,enemy"), ActorSet{&bossEnemy});
    EXPECT_EQ(Tags().GetObjectsTagged("enemy"), (ActorSet{&bossEnemy, &enemy}));
    EXPECT_EQ(Tags().GetObjectsTagged("enemy,"), Tags().GetObjectsTagged("enemy"));
    // Queries don't fold case, and a tag nobody carries empties the result wherever it stands.
    EXPECT_TRUE(Tags().GetObjectsTagged("Enemy").empty());
    EXPECT_TRUE(Tags().GetObjectsTagged("enemy ghost").empty());
    EXPECT_TRUE(Tags().GetObjectsTagged("ghost enemy").empty());
    EXPECT_TRUE(Tags().GetObjectsTagged("").empty());
    EXPECT_TRUE(Tags().GetObjectsTagged(" , ,").empty());
}

TEST(TagTest, TaggingTwiceListsTheActorOnce)
{
    Actor actor;
    actor.Tag("enemy");
    actor.Tag("enemy,ENEMY");
    EXPECT_EQ(Tags().GetObjectsTagged("enemy").size(), 1u);
    actor.Untag("enemy");
    EXPECT_TRUE(Tags().GetObjectsTagged("enemy").empty());
}

TEST(TagTest, UntagOfATagNotCarriedLeavesOthersAlone)
{
    Actor first, second;
    first.Tag("enemy");
    second.Tag("enemy boss");
    first.Untag("boss");
    EXPECT_EQ(Tags().GetObjectsTagged("enemy"), (ActorSet{&first, &second}));
    EXPECT_EQ(Tags().GetObjectsTagged("boss"), ActorSet{&second});
    EXPECT_TRUE(first.IsTagged("enemy"));
}

TEST(TagTest, DestroyedActorLeavesEveryTag)
{
    FrameDriver frames;
    Actor* boss = new Actor();
    Actor* grunt = new Actor();
    boss->Tag("boss enemy");
    grunt->Tag("enemy");
    World::GetInstance().Add(boss);
    World::GetInstance().Add(grunt);
    frames.Tick(0.1f);

    boss->Destroy();
    // Still listed until the World deletes it at the end of the update walk.
    EXPECT_EQ(Tags().GetObjectsTagged("boss"), ActorSet{boss});
    frames.Tick(0.1f);

    EXPECT_EQ(Tags().GetTagList(), StringSet{"enemy"});
    EXPECT_EQ(Tags().GetObjectsTagged("enemy"), ActorSet{grunt});
    grunt->Destroy();
    frames.Tick(0.1f);
    EXPECT_TRUE(Tags().GetTagList().empty());
}
} // namespace
