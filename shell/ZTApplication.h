#pragma once

#include <cstdint>

class QCoreApplication;

// The application object: the frame rate of animations, derived from the timer base, and the way
// to end the application. One exists from start-up until the process ends. It is not the
// toolkit's QApplication (which it binds to), not the start-up sequence that creates it
// (TApplicationShell), not the main window, and not the automation object (TZTApp).
class TZTApplication {
public:
    // Binds to the toolkit's application object and sets the frame rate to 35.
    explicit TZTApplication(QCoreApplication& application);
    // Runs Shutdown.
    ~TZTApplication();
    TZTApplication(const TZTApplication&) = delete;
    TZTApplication& operator=(const TZTApplication&) = delete;

    // The one instance, or none outside its lifetime.
    static TZTApplication* instance() noexcept;

    // FramesPerSecond = rate (1 for 0); FrameInterval = 1000 div FramesPerSecond;
    // CountsPerFrame = CounterFrequency div FramesPerSecond.
    void SetFrameRate(std::int32_t framesPerSecond);

    // Asks the toolkit's application to leave its message loop, unless it is already ending.
    // Asked before the loop runs, the loop is not entered.
    void Shutdown();
    bool isTerminating() const noexcept { return m_terminating; }

    std::int64_t CountsPerFrame() const noexcept { return m_countsPerFrame; }
    std::int32_t FrameInterval() const noexcept { return m_frameInterval; }
    std::int32_t FramesPerSecond() const noexcept { return m_framesPerSecond; }

private:
    std::int64_t m_countsPerFrame = 0;
    std::int32_t m_frameInterval = 0;
    QCoreApplication& m_application;
    std::int32_t m_framesPerSecond = 0;
    bool m_terminating = false;
};
