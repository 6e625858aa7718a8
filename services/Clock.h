#pragma once

#include <chrono>
#include <functional>

// "Now" for windows that act on elapsed time, read through one place so that tests can set it.
//
//     const std::chrono::milliseconds now = ClockNow();
//
// The time is monotonic (it never jumps with the wall clock) and counts from an arbitrary start;
// only differences between two readings mean anything.

using TClock = std::function<std::chrono::milliseconds()>;

// The current time of the installed clock; the steady clock unless a test replaced it.
std::chrono::milliseconds ClockNow();

// Replaces the clock; an empty function restores the steady clock. Returns the clock that was in
// place.
TClock setClock(TClock clock);
