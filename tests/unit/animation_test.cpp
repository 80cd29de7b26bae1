// The timer's step: which angles advance in which state, and the exact wrap at 360.
#include <gtest/gtest.h>

#include <vector>

#include "app/orvena.h"
#include "input/commands.h"
#include "scene_start.h"

namespace {

class Animation : public ::testing::Test {
  protected:
    void SetUp() override { start_scene(); }
};

std::vector<float> run(int ticks, const float& angle)
{
    std::vector<float> seen;
    for (int i = 0; i < ticks; ++i) {
        advance_animation();
        seen.push_back(angle);
    }
    return seen;
}

TEST_F(Animation, CubeAnglesRunToThreeSixtyThenZero)
{
    const std::vector<float> seen = run(74, ang_obj1);
    for (int i = 0; i < 72; ++i) {
        ASSERT_EQ(seen[i], 5.0F * static_cast<float>(i + 1)) << "tick " << i + 1;
    }
    EXPECT_EQ(seen[71], 360.0F);  // held for one tick
    EXPECT_EQ(seen[72], 0.0F);    // then back to 0, not to 5
    EXPECT_EQ(seen[73], 5.0F);
    EXPECT_EQ(ang_obj2, ang_obj1);
}

TEST_F(Animation, LightAngleRunsToThreeSixtyThenZeroOnlyInTheMovingMode)
{
    light_mode = LIGHT_MOVING;
    const std::vector<float> seen = run(362, light_angle);
    for (int i = 0; i < 360; ++i) {
        ASSERT_EQ(seen[i], static_cast<float>(i + 1)) << "tick " << i + 1;
    }
    EXPECT_EQ(seen[360], 0.0F);
    EXPECT_EQ(seen[361], 1.0F);

    for (int mode : {LIGHT_FIXED, LIGHT_VIEWPOINT}) {
        light_mode = mode;
        run(10, light_angle);
        EXPECT_EQ(light_angle, 1.0F) << "mode " << mode;
    }
}

TEST_F(Animation, WrapStartsFromTheBoundNotFromAnAccumulatedSum)
{
    ang_obj1 = ang_obj2 = 355;
    light_angle = 359;
    light_mode = LIGHT_MOVING;
    advance_animation();
    EXPECT_EQ(ang_obj1, 360.0F);
    EXPECT_EQ(light_angle, 360.0F);
    advance_animation();
    EXPECT_EQ(ang_obj1, 0.0F);
    EXPECT_EQ(ang_obj2, 0.0F);
    EXPECT_EQ(light_angle, 0.0F);
}

TEST_F(Animation, PauseStopsOnlyTheCubes)
{
    light_mode = LIGHT_MOVING;
    apply_key(' ');
    run(7, ang_obj1);
    EXPECT_EQ(ang_obj1, 0.0F);
    EXPECT_EQ(ang_obj2, 0.0F);
    EXPECT_EQ(light_angle, 7.0F);
    apply_key(' ');
    run(2, ang_obj1);
    EXPECT_EQ(ang_obj1, 10.0F);
    EXPECT_EQ(light_angle, 9.0F);
}

TEST_F(Animation, OrbitResumesWhereItStoppedAfterModeChanges)
{
    apply_key('L');  // moving
    run(30, light_angle);
    apply_key('L');  // viewpoint
    run(50, light_angle);
    apply_key('L');  // fixed
    run(50, light_angle);
    EXPECT_EQ(light_angle, 30.0F);
    apply_key('L');  // moving again
    run(1, light_angle);
    EXPECT_EQ(light_angle, 31.0F);
}

}  // namespace
