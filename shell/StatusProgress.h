#pragma once

#include "host/model/ProgressDisplay.h"

#include <QObject>

#include <chrono>
#include <map>
#include <string>

class QProgressBar;
class QStatusBar;

// The progress display on screen: a progress bar in the status bar for each item shown (such as
// "t-FileRead" while a model file is read), named by the file its caption names, advanced as the
// item is.
//
// An item advances while the runtime compiles, with the application's message loop waiting, so
// each advance also lets the application handle what is waiting, at most every
// kPumpMilliseconds: the windows repaint and keep answering the window system, timers run and
// calls from other programs are answered (each a run nested in the one that reads, which saves
// and restores what it changes). The person's own clicks and keys wait until the reading is
// done, so that nothing they start competes with it.
class TStatusProgress : public QObject, public vex::host::TProgressView {
    Q_OBJECT

public:
    // The bars go into `statusBar`, which must outlive the display.
    explicit TStatusProgress(QStatusBar& statusBar);
    ~TStatusProgress() override;

    void ProgressChanged(const vex::host::TProgressItem& item, bool visible) override;

    // The bar of a shown item, or none.
    QProgressBar* bar(const std::string& item) const;
    // How often an advance handled the messages waiting, for tests and diagnostics.
    int pumpCount() const noexcept { return m_pumps; }

    static constexpr int kPumpMilliseconds = 50;

private:
    void pump();

    QStatusBar& m_statusBar;
    std::map<std::string, QProgressBar*> m_bars;
    std::chrono::milliseconds m_lastPump{-kPumpMilliseconds};
    int m_pumps = 0;
};
