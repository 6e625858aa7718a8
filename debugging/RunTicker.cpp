#include "debugging/RunTicker.h"

#include "runtime/DebuggerInterface.h"

TRunTicker::TRunTicker(vex::TDebugControl& control, std::chrono::milliseconds interval)
    : m_control(control)
    , m_interval(interval)
    , m_thread([this] { Execute(); }) {}

TRunTicker::~TRunTicker() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void TRunTicker::Arm(bool armed) {
    {
        std::lock_guard lock(m_mutex);
        m_armed = armed;
    }
    m_wake.notify_all();
}

bool TRunTicker::Armed() const {
    std::lock_guard lock(m_mutex);
    return m_armed;
}

// A wake-up that changes nothing (a spurious one, or Arm(true) again) only restarts the wait.
void TRunTicker::Execute() {
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_armed) {
            m_wake.wait(lock);
        } else if (!m_wake.wait_for(lock, m_interval, [this] { return m_quit || !m_armed; })) {
            m_control.RequestService();
        }
    }
}
