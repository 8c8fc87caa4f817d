#include "platform/frame_clock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace torvex;

TEST(FrameClock, SimulatedTimeIsTheRunningTimeSinceTheResetTimesTheMultiplier) {
    FrameClock clock;
    clock.Reset(10);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(12.5), 2.5);
    clock.Reset(20);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(20), 0);
}

TEST(FrameClock, ANewMultiplierChangesTheSpeedFromThenOnAndNeverSendsTheTimeBack) {
    FrameClock clock;
    clock.Reset(10);
    clock.SetMultiplier(2, 12); // 2 s simulated at 1
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(12), 2);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(13), 4);
    clock.SetMultiplier(0, 13); // the time stands still, it does not go back to zero
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(40), 4);
    clock.SetMultiplier(-3, 40);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(41), 4);
    clock.SetMultiplier(100, 41);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(41.5), 54);
    clock.Reset(50);
    EXPECT_DOUBLE_EQ(clock.SimulatedTime(51), 100); // the multiplier stays across a reset
}

TEST(FrameClock, TellsItsListenerOncePerFrameOnlyWhileEnabled) {
    FrameClock clock;
    std::vector<double> times;
    clock.Progress = [&](double t) { times.push_back(t); };
    clock.Reset(1);
    clock.FrameDrawn(2);
    EXPECT_TRUE(times.empty());
    clock.Enabled = true;
    clock.SetMultiplier(3, 1);
    clock.FrameDrawn(2);
    clock.FrameDrawn(2.5);
    EXPECT_EQ(times, (std::vector<double>{3, 4.5}));
    clock.Progress = nullptr;
    clock.FrameDrawn(3); // no listener: nothing to call
    EXPECT_EQ(times.size(), 2u);
}

TEST(FrameCounter, CountsFramesPerSecondSinceTheLastReset) {
    FrameCounter counter;
    counter.Reset(100);
    for (int i = 0; i < 30; ++i)
        counter.FrameDrawn();
    EXPECT_DOUBLE_EQ(counter.FramesPerSecond(100.5), 60);
    counter.Reset(100.5);
    EXPECT_EQ(counter.FrameCount(), 0);
    EXPECT_DOUBLE_EQ(counter.FramesPerSecond(101.5), 0);
}

TEST(FrameCounter, NoTimeElapsedGivesZeroRatherThanInfinity) {
    FrameCounter counter;
    counter.Reset(5);
    counter.FrameDrawn();
    EXPECT_DOUBLE_EQ(counter.FramesPerSecond(5), 0);
    EXPECT_DOUBLE_EQ(counter.FramesPerSecond(4), 0);
}
