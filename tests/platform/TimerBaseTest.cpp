#include "platform/TimerBase.h"

#include <gtest/gtest.h>

using namespace zentaro::platform;

TEST(TimerBase, FollowsTheReportedFrequency) {
    const struct {
        std::int64_t Reported;
        std::int64_t Frequency;
        bool HasCounter;
        std::int64_t PerMillisecond;
    } rows[] = {
        {0, 1000, false, 1},                             // no high-resolution counter
        {1'000'000'000, 1'000'000'000, true, 1'000'000}, // the monotonic clock
        {3'579'545, 3'579'545, true, 3'579},             // a frequency that does not divide evenly
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Reported);
        InitializeTimerBase(row.Reported);
        EXPECT_EQ(CounterFrequency, row.Frequency);
        EXPECT_EQ(HasPerformanceCounter, row.HasCounter);
        EXPECT_EQ(CountsPerMillisecond, row.PerMillisecond);
    }
}

TEST(TimerBase, MonotonicClockIsTheCounter) {
    EXPECT_EQ(ReportedCounterFrequency(), 1'000'000'000);
    InitializeTimerBase();
    const std::int64_t before = PerformanceCounter();
    const std::int64_t after = PerformanceCounter();
    EXPECT_GT(before, 0);
    EXPECT_GE(after, before);

    // Without a counter the same clock is read in milliseconds.
    InitializeTimerBase(0);
    const std::int64_t milliseconds = PerformanceCounter();
    EXPECT_NEAR(static_cast<double>(milliseconds), static_cast<double>(after / 1'000'000), 1000.0);
    InitializeTimerBase();
}
