// Background objects riding the scenery, and clouds.
#include <gtest/gtest.h>

#include "enemy_fixture.h"
#include "game/stages/bg_object.h"

namespace {

using BGObjectTest = EnemyTest;

CBGObject* SpawnObject(int x, double y, int sprite, bool hit_box) {
    g_BGObjParam = {.X = x, .Y = y, .CG_No = sprite, .DrawMode = 0, .DrawLayer = 9,
                    .HasHitBox = hit_box ? VB_TRUE : VB_FALSE, .HitW = 48, .HitH = 48, .HitCentred = VB_FALSE};
    return HeadlessGame::ObjectAt<CBGObject>(g_ObjectPack.Spawn<CBGObject>(2, VB_TRUE));
}

TEST_F(BGObjectTest, ObjectRidesTheSceneryAndLeavesWhenItsTopReachesRow241) {
    SetUpGround(-4000);
    CBGObject* ob = SpawnObject(100, -40, 1083, true);
    const int height = ob->DrawPos().Height();
    Step();  // its first frame only settles it
    EXPECT_EQ(g_ObstacleList.GetDataCount(), 0);
    Step();
    EXPECT_EQ(ob->DrawPos().Top(), -40);
    EXPECT_EQ(g_ObstacleList.GetDataCount(), 1);
    EXPECT_EQ(g_DDBPack.QueuedCount(9), 1);

    ob->SetCG(0);  // hidden, but still in the way
    Step();
    EXPECT_EQ(g_DDBPack.QueuedCount(9), 0);
    EXPECT_EQ(g_ObstacleList.GetDataCount(), 1);

    g_DDBPack.GetSprite(1).Pos.SetTop(-4000 + 280);  // the map scrolled 280 rows
    Step();
    EXPECT_EQ(ob->DrawPos().Top(), 240);
    EXPECT_EQ(Count<CBGObject>(), 1);
    g_DDBPack.GetSprite(1).Pos.SetTop(-4000 + 281);
    Step();
    EXPECT_EQ(Count<CBGObject>(), 0);
    EXPECT_GT(height, 1);  // a real sprite, not an empty one
}

TEST_F(BGObjectTest, CloudDriftsAtItsSpeedAndShowsOnlyInTheCloudMode) {
    g_BGObjParam = {.X = 160, .Y = 0, .CG_No = 1171, .DrawMode = 0, .DrawLayer = 0, .HasHitBox = VB_FALSE,
                    .HitW = 0, .HitH = 0, .HitCentred = VB_FALSE};
    CBGCloud* cloud = HeadlessGame::ObjectAt<CBGCloud>(g_ObjectPack.Spawn<CBGCloud>(2, VB_TRUE));
    EXPECT_EQ(cloud->DrawPos().Bottom(), 22);
    Step();
    const int top = cloud->DrawPos().Top();
    Step(5);
    EXPECT_EQ(cloud->DrawPos().Top(), top + 10);
    EXPECT_EQ(g_DDBPack.QueuedCount(2), 0);
    g_BgMode = CBGCloud::kCloudMode;
    Step();
    EXPECT_EQ(g_DDBPack.QueuedCount(2), 1);
}

}  // namespace
