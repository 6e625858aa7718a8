#pragma once

#include <QString>

#include <chrono>
#include <cstdint>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace vex::host {
class TModel;
}

// The progress of a model run in the status bar: a bar of the simulation time against the run's
// end time, and a text with both times, the events run per second and the time the run has
// taken. Shown while the model runs, hidden otherwise. Whoever calls Update decides how often;
// the main window does from its status poll, whose timer also fires between a run's nodes.
class TModelRunProgress {
public:
    // The widgets go into `statusBar`; both must outlive the display.
    TModelRunProgress(QStatusBar& statusBar, const vex::host::TModel& model);

    void Update();
    bool Shown() const noexcept { return m_shown; }
    QString Text() const;
    QProgressBar* Bar() const noexcept { return m_bar; }

private:
    void Begin(std::chrono::milliseconds now);
    void Show(bool shown);

    const vex::host::TModel& m_model;
    QProgressBar* m_bar;
    QLabel* m_label;
    bool m_shown = false;
    // The run shown: when it was first seen, the clock then, and the last sample of the events.
    std::chrono::milliseconds m_start{0};
    double m_startClock = 0;
    std::chrono::milliseconds m_sampleTime{0};
    std::int64_t m_sampleEvents = 0;
    double m_eventsPerSecond = 0;
};
