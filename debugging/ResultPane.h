#pragma once

#include "debugging/DebuggerPane.h"

namespace Ui {
class TDebuggerForm;
}

// The Result page: the number and the text of the node that ran last.
class TResultPane : public TDebuggerPane {
public:
    explicit TResultPane(Ui::TDebuggerForm& ui)
        : m_ui(ui) {}

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport& report) override;

private:
    Ui::TDebuggerForm& m_ui;
};
