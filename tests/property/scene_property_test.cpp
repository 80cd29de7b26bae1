// Long random runs of keys and timer ticks against an independent model, and a whole day of
// ticks: the scene state must never drift, wrap wrongly or break its invariants.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "app/orvena.h"
#include "input/commands.h"
#include "scene_model.h"
#include "scene_start.h"

namespace {

constexpr unsigned char ESCAPE = 27;

class Scene : public ::testing::Test {
  protected:
    void SetUp() override { start_scene(); }
};

// Fails the test at the first step where the state leaves the model or an invariant.
bool holds(const scene_model& model, long step, const char* what)
{
    const std::string wrong = differences(model) + broken_invariants();
    EXPECT_EQ(wrong, "") << "after step " << step << " (" << what << ")";
    return wrong.empty();
}

struct random_run {
    std::uint32_t seed;
    int tick_percent;  // share of steps that are ticks; the rest are keys, any byte but Escape
};

// 8 runs of 150,000 steps: 1.2 million steps, a few of them with few ticks so that the eye
// wanders far, a few with many so that the angles wrap often between mode changes.
const random_run runs[] = {{1, 25}, {2, 25}, {3, 50}, {4, 50}, {5, 5}, {6, 90}, {7, 10}, {8, 75}};
constexpr long STEPS_PER_RUN = 150000;

TEST_F(Scene, RandomKeysAndTicksFollowTheModel)
{
    for (const random_run& run : runs) {
        SCOPED_TRACE("seed " + std::to_string(run.seed));
        start_scene();
        scene_model model;
        std::mt19937 rng(run.seed);
        std::uniform_int_distribution<int> percent(0, 99);
        std::uniform_int_distribution<int> byte(0, 254);
        for (long step = 0; step < STEPS_PER_RUN; ++step) {
            if (percent(rng) < run.tick_percent) {
                advance_animation();
                model.tick();
                if (!holds(model, step, "tick")) {
                    return;
                }
                continue;
            }
            int b = byte(rng);
            const auto key = static_cast<unsigned char>(b >= ESCAPE ? b + 1 : b);
            ASSERT_TRUE(apply_key(key)) << "key " << int{key};
            model.key(key);
            const std::string what = "key " + std::to_string(key);
            if (!holds(model, step, what.c_str())) {
                return;
            }
        }
    }
}

// 864,000 ticks are 24 hours at 100 ms. The angles are sums of floats, so a program that
// accumulated instead of wrapping exactly would drift away from the whole-degree sequence.
constexpr long DAY_OF_TICKS = 864000;

TEST_F(Scene, ADayOfTicksFollowsTheExactWrapSequence)
{
    apply_key('L');  // the moving light, with the cubes turning from start-up
    for (long n = 1; n <= DAY_OF_TICKS; ++n) {
        advance_animation();
        const auto cube = static_cast<float>(5 * (n % 73));
        const auto light = static_cast<float>(n % 361);
        if (ang_obj1 != cube || ang_obj2 != cube || light_angle != light) {
            FAIL() << "tick " << n << ": cubes " << ang_obj1 << ", " << ang_obj2 << " (want "
                   << cube << "), light " << light_angle << " (want " << light << ")";
        }
    }
}

// The same day with the light mode cycled and the cubes paused now and then: the orbit and
// the cubes each resume from where they stopped, counted in whole steps.
TEST_F(Scene, ADayWithModeChangesAndPausesResumesWhereItStopped)
{
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> gap(1, 2000);
    long next_mode_change = gap(rng);
    long next_pause = gap(rng);
    long moving_ticks = 0;
    long turning_ticks = 0;
    int mode = 0;
    bool turning = true;
    for (long n = 1; n <= DAY_OF_TICKS; ++n) {
        if (n == next_mode_change) {
            apply_key('l');
            mode = (mode + 1) % 3;
            next_mode_change += gap(rng);
        }
        if (n == next_pause) {
            apply_key(' ');
            turning = !turning;
            next_pause += gap(rng);
        }
        advance_animation();
        moving_ticks += mode == 1 ? 1 : 0;
        turning_ticks += turning ? 1 : 0;
        const auto cube = static_cast<float>(5 * (turning_ticks % 73));
        const auto light = static_cast<float>(moving_ticks % 361);
        if (ang_obj1 != cube || ang_obj2 != cube || light_angle != light) {
            FAIL() << "tick " << n << ": cubes " << ang_obj1 << ", " << ang_obj2 << " (want "
                   << cube << "), light " << light_angle << " (want " << light << ")";
        }
    }
    EXPECT_GT(moving_ticks, DAY_OF_TICKS / 4);
    EXPECT_LT(moving_ticks, DAY_OF_TICKS / 2);
}

}  // namespace
