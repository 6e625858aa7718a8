#pragma once

#include "debugging/DebuggerPane.h"

#include <QObject>

namespace Ui {
class TDebuggerForm;
}
class QTimer;

// The Performance page: the bar that splits the measured time between simulation and animation,
// the command list with use counts and own-time shares, the counting modes the engine reads at
// every node, the update timer and Reset. The engine feeds the context's counting state
// (Debug.Performance); this pane only steers it and shows it.
class TPerformancePane : public QObject, public TDebuggerPane {
    Q_OBJECT

public:
    explicit TPerformancePane(Ui::TDebuggerForm& ui, QObject* parent = nullptr);
    // Forgets the list rows the command counter links to, before the rows go.
    ~TPerformancePane() override;

    QWidget* Page() const override;
    // A pause before a node and Update run the timer's tick at once.
    void ShowReport(const vex::TPauseReport& report) override;
    void Attach(vex::TLanguageInterpreter& context) override;
    // The timer runs while debug mode is on.
    void DebugModeChanged(bool on) override;
    void CurrentPageChanged(bool current) override;
    TPaneF5 F5Action() const override { return TPaneF5::Update; }

    // The simulation share of the measured time shown (-1: nothing measured).
    double TimeShare() const noexcept { return m_timeShare; }
    // True while the performance timer is enabled, whether or not its interval lets it fire.
    bool TimerActive() const noexcept { return m_timerEnabled; }
    // Reads the time share again and redraws the bar.
    void UpdateTimeShare();

protected:
    // Resizing and showing the page redraw its bar and set its timer.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyCountingMode();
    void chkProcessorTimeClick(bool checked);
    void cmbFrequencyChange();
    void tmrPerformanceTimer();
    void btnResetClick();
    void lvWordsColumnClick(int column);
    void UpdatePerformance();
    void UpdateCommandList();
    void unlinkCommandRows();
    // Enables the timer or disables it; it never fires with the interval "Off".
    void enableTimer(bool on);
    bool pageVisible() const;

    Ui::TDebuggerForm& m_ui;
    vex::TLanguageInterpreter* m_context = nullptr;
    QTimer* m_tmrPerformance = nullptr;
    bool m_timerEnabled = false;
    // Whether the processor's tick counter can be read.
    bool m_processorTimeAvailable = false;
    double m_timeShare = -1;
};
