#pragma once

#include "debugging/DebuggerPane.h"

#include <cstdint>

namespace Ui {
class TDebuggerForm;
}

// The Options page: which run origins are debugged (the context's DebugOrigins), and the check
// boxes that show and hide the other panes' pages (the window connects those).
class TOptionsPane : public TDebuggerPane {
public:
    explicit TOptionsPane(Ui::TDebuggerForm& ui);

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport&) override {}
    // Debugs the origins the boxes tick.
    void Attach(vex::TLanguageInterpreter& context) override;

    // Ticks the boxes of `origins` (TRunOrigin bits); the others stay as they are.
    void TickOrigins(std::uint8_t origins);

private:
    void setOrigin(std::uint8_t origin, bool on);

    Ui::TDebuggerForm& m_ui;
    vex::TLanguageInterpreter* m_context = nullptr;
};
