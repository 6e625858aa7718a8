#include "services/Clock.h"

#include <utility>

namespace {

TClock& installedClock() {
    static TClock current;
    return current;
}

} // namespace

std::chrono::milliseconds ClockNow() {
    if (const TClock& clock = installedClock())
        return clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

TClock setClock(TClock clock) {
    return std::exchange(installedClock(), std::move(clock));
}
