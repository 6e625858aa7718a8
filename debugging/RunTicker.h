#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vex {
class TDebugControl;
}

// Keeps the application's windows alive while a run occupies the GUI thread: a thread that,
// while armed, asks the running evaluation every interval to serve the application
// (TDebugControl::RequestService). The evaluation then calls the services' ServeRun between two
// nodes, on the GUI thread. The thread touches nothing but that request; it sleeps while no run
// goes, and destroying the ticker wakes it and waits for it.
class TRunTicker {
public:
    explicit TRunTicker(vex::TDebugControl& control,
                        std::chrono::milliseconds interval = std::chrono::milliseconds(40));
    ~TRunTicker();
    TRunTicker(const TRunTicker&) = delete;
    TRunTicker& operator=(const TRunTicker&) = delete;

    // Starts or stops the requests; the first comes one interval after arming.
    void Arm(bool armed);
    bool Armed() const;
    std::chrono::milliseconds Interval() const noexcept { return m_interval; }

private:
    void Execute();

    vex::TDebugControl& m_control;
    const std::chrono::milliseconds m_interval;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_armed = false;
    bool m_quit = false;
    std::thread m_thread;
};
