#include "scene/FrameClock.h"
#include "shared/ControlledCounter.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t microsecondsPerSecond = 1000000;

class FrameClockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clockStarted = false;
        controlledCounterFrequency = microsecondsPerSecond;
        controlledCounterValue = 5000000; // the counter does not start at 0
        clock.startClock();
    }

    void tickAt(double seconds) {
        controlledCounterValue = 5000000 + static_cast<int64_t>(seconds * microsecondsPerSecond);
        clock.tickClock();
    }

    FrameClock clock;
};

TEST_F(FrameClockTest, PacingAdjustsByHalfThePeriodDifferenceOfThePreviousEstimate) {
    tickAt(0.5);
    tickAt(1.0); // first measurement uses the start estimate 50: (33 - 20) / 2
    EXPECT_EQ(clock.sleepInterval, 47);

    clock.fpsEstimate = 15.9f; // truncated to 15: (33 - 66) / 2 = -16
    tickAt(2.0);
    EXPECT_EQ(clock.sleepInterval, 31);

    clock.fpsEstimate = 500.0f; // (33 - 2) / 2 = 15
    tickAt(3.0);
    EXPECT_EQ(clock.sleepInterval, 46);

    clock.fpsEstimate = 30.0f; // 29..31 leave it unchanged
    tickAt(4.0);
    EXPECT_EQ(clock.sleepInterval, 46);
}

TEST_F(FrameClockTest, EstimateBelowOneOnlyClamps) {
    clock.fpsEstimate = 0.5f;
    clock.sleepInterval = -7;
    tickAt(1.0);
    EXPECT_EQ(clock.sleepInterval, 1);
    clock.fpsEstimate = 0.0f;
    clock.sleepInterval = 5000;
    tickAt(2.0);
    EXPECT_EQ(clock.sleepInterval, 1000);
    // An estimate of 1 would shorten the sleep by far more than it holds.
    clock.fpsEstimate = 1.0f;
    clock.sleepInterval = 10;
    tickAt(3.0);
    EXPECT_EQ(clock.sleepInterval, 1);
}

TEST_F(FrameClockTest, MeasuringFrameIsNotCounted) {
    for (int frame = 1; frame <= 30; ++frame) {
        tickAt(frame / 30.0);
    }
    // Frames 1..29 counted; frame 30 at 1.0 s measured and not counted.
    EXPECT_FLOAT_EQ(clock.fpsEstimate, 29.0f);
    EXPECT_EQ(clock.frameCount, 0);
    tickAt(1.0 + 1 / 30.0);
    EXPECT_EQ(clock.frameCount, 1);
}

TEST_F(FrameClockTest, SceneTimeIsWholeMilliseconds) {
    tickAt(0.0019);
    EXPECT_FLOAT_EQ(clock.sceneTime, 0.001f);
    tickAt(0.0011);
    EXPECT_FLOAT_EQ(clock.sceneTime, 0.001f);
    tickAt(0.0020);
    EXPECT_FLOAT_EQ(clock.sceneTime, 0.002f);
}

TEST_F(FrameClockTest, StallMakesExactlyOneMeasurement) {
    tickAt(0.1);
    tickAt(7.3);
    EXPECT_FLOAT_EQ(clock.lastMeasurementTime, 7.3f);
    EXPECT_EQ(clock.sleepInterval, 47);
    tickAt(7.9);
    EXPECT_EQ(clock.sleepInterval, 47);
    EXPECT_EQ(clock.frameCount, 1);
}

TEST_F(FrameClockTest, APauseInDrawingGoesOnInTimeButIsNotMeasured) {
    double time = 0.0;
    const auto framesAtThirtyASecond = [&](double seconds) {
        for (const double end = time + seconds; time < end; time += 1 / 30.0) {
            tickAt(time);
        }
    };
    framesAtThirtyASecond(3.0);
    const int32_t settled = clock.sleepInterval;
    // Ten seconds dark; without the restart the next measurement would find
    // about one frame a second and drive the sleep to its 1 ms floor.
    time += 10.0;
    clock.resumeAfterPause();
    tickAt(time);
    EXPECT_NEAR(clock.sceneTime, time, 0.001); // the animation goes on at the time of day
    EXPECT_EQ(clock.frameCount, 0);
    framesAtThirtyASecond(3.0);
    EXPECT_NEAR(clock.sleepInterval, settled, 1);
    EXPECT_FALSE(clock.measurementRestart);
}

TEST_F(FrameClockTest, StartsOncePerProcess) {
    tickAt(2.0);
    controlledCounterValue = 0;
    clock.startClock(); // a second start changes nothing
    EXPECT_EQ(startCount, 5000000);
    EXPECT_FLOAT_EQ(clock.sceneTime, 2.0f);
}

TEST(FrameClockArithmetic, LongRunsAndMissingCounter) {
    // 30 days at 10 MHz: the product count * 1000 would overflow 64 bits.
    const int64_t frequency = 10000000;
    const int64_t thirtyDays = 30LL * 86400;
    EXPECT_EQ(elapsedMilliseconds(thirtyDays * frequency + 9999, 0, frequency), thirtyDays * 1000);
    EXPECT_EQ(elapsedMilliseconds(INT64_MAX, 0, 3579545),
              (INT64_MAX / 3579545) * 1000 + (INT64_MAX % 3579545) * 1000 / 3579545);
    EXPECT_EQ(elapsedMilliseconds(12345, 0, 0), 0);
    EXPECT_EQ(elapsedMilliseconds(12345, 0, -1), 0);
}

TEST(FrameClockArithmetic, CounterWithoutFrequencyFreezesTimeSafely) {
    clockStarted = false;
    controlledCounterFrequency = 0;
    controlledCounterValue = 0;
    FrameClock clock;
    clock.startClock();
    for (int frame = 0; frame < 100; ++frame) {
        controlledCounterValue += 1000;
        clock.tickClock();
    }
    EXPECT_EQ(clock.sceneTime, 0.0f);
    EXPECT_EQ(clock.frameCount, 100);
    EXPECT_EQ(clock.sleepInterval, 41);
    controlledCounterFrequency = microsecondsPerSecond;
}

} // namespace
