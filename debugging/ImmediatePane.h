#pragma once

#include "debugging/DebuggerPane.h"

namespace Ui {
class TDebuggerForm;
}

// The Immediate page: an expression typed there runs in the paused code's scope when the person
// executes it (the window's Execute, F5 on this page); the page shows its number and text.
// Nothing of a report changes it.
class TImmediatePane : public TDebuggerPane {
public:
    explicit TImmediatePane(Ui::TDebuggerForm& ui)
        : m_ui(ui) {}

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport&) override {}
    TPaneF5 F5Action() const override { return TPaneF5::Execute; }

private:
    Ui::TDebuggerForm& m_ui;
};
