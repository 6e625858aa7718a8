#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

struct xcb_connection_t;

// The break watcher: a thread with a connection of its own to the X server that grabs Ctrl+Break
// (Ctrl+Pause on PC keyboards) on the root window, whatever lock keys are on, and turns every
// press into an atomic increment of a counter, the runtime's break request. It touches nothing
// else: no window, no model, no other part of the runtime. Presses that come before the runtime
// looks add up and are answered once.
//
// The thread sleeps in poll() on the X connection and on an event descriptor of its own, so
// destroying the watcher wakes it at once and the join never waits for a key.
//
// Where there is no X server to connect to, no thread is started and Watching() is false; a grab
// that another program holds already leaves the thread running without ever counting.
class TBreakThread {
public:
    // Connects to `display` (none: the DISPLAY of the environment) and starts the thread, which
    // only ever adds to `counter` (the runtime resets it when it has answered).
    explicit TBreakThread(std::atomic<std::uint32_t>& counter, const char* display = nullptr);
    // Wakes the thread, waits until it has ended and closes the connection.
    ~TBreakThread();
    TBreakThread(const TBreakThread&) = delete;
    TBreakThread& operator=(const TBreakThread&) = delete;

    // True while the thread watches the keys.
    bool Watching() const noexcept { return m_thread.joinable(); }
    // The watcher threads of the process that have not ended yet.
    static int LiveThreads() noexcept;

private:
    void Execute();
    // Grabs Ctrl plus every key that carries Pause or Break, in every combination of the lock
    // modifiers.
    void GrabBreakKeys();
    void HandleEvents();

    std::atomic<std::uint32_t>& m_counter;
    xcb_connection_t* m_connection = nullptr;
    // Written to wake the thread when the watcher goes.
    int m_wake = -1;
    std::thread m_thread;
};
