#include "platform/TimerBase.h"

#include <time.h>

namespace zentaro::platform {

std::int64_t CounterFrequency = 1000;
bool HasPerformanceCounter = false;
std::int64_t CountsPerMillisecond = 1;

namespace {

constexpr std::int64_t NanosecondsPerSecond = 1'000'000'000;

} // namespace

std::int64_t ReportedCounterFrequency() noexcept {
    timespec now;
    return clock_gettime(CLOCK_MONOTONIC, &now) == 0 ? NanosecondsPerSecond : 0;
}

std::int64_t PerformanceCounter() noexcept {
    timespec now;
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return 0;
    const std::int64_t nanoseconds = now.tv_sec * NanosecondsPerSecond + now.tv_nsec;
    // 128 bits in between: nanoseconds times a frequency overflows 64 bits after a few seconds.
    return static_cast<std::int64_t>(static_cast<__int128>(nanoseconds) * CounterFrequency /
                                     NanosecondsPerSecond);
}

void InitializeTimerBase(std::int64_t reportedFrequency) noexcept {
    HasPerformanceCounter = reportedFrequency != 0;
    CounterFrequency = HasPerformanceCounter ? reportedFrequency : 1000;
    CountsPerMillisecond = CounterFrequency / 1000;
}

} // namespace zentaro::platform
