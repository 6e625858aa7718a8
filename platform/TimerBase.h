#pragma once

#include <cstdint>

namespace zentaro::platform {

// The application's timer base over the monotonic clock, set once at start-up by
// InitializeTimerBase. Code that measures time reads PerformanceCounter and divides by these.

// Counts per second of PerformanceCounter; 1000 when the system has no high-resolution counter.
extern std::int64_t CounterFrequency;
// Whether the system reported a high-resolution counter.
extern bool HasPerformanceCounter;
// CounterFrequency div 1000.
extern std::int64_t CountsPerMillisecond;

// The frequency the system reports for its high-resolution counter: 1,000,000,000 (the monotonic
// clock counts nanoseconds), or 0 when CLOCK_MONOTONIC cannot be read.
std::int64_t ReportedCounterFrequency() noexcept;

// The monotonic clock now, in counts of CounterFrequency.
std::int64_t PerformanceCounter() noexcept;

// Sets the timer base from what the system reports. With a reported frequency of 0 the base
// falls back to 1000 counts per second (milliseconds), which needs no finer timer resolution on
// Linux, so nothing is raised and nothing is restored at shutdown.
void InitializeTimerBase(std::int64_t reportedFrequency = ReportedCounterFrequency()) noexcept;

} // namespace zentaro::platform
