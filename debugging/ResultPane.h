#pragma once

#include "debugging/DebuggerPane.h"

#include <cstdint>

namespace Ui {
class TDebuggerForm;
}
class TDebuggerServices;

// The Result page: the number and the text of the node that ran last, and the active atom (the
// third register) with its name as it was at the last pause before a node or Update.
class TResultPane : public TDebuggerPane {
public:
    TResultPane(Ui::TDebuggerForm& ui, const TDebuggerServices& services)
        : m_ui(ui)
        , m_services(services) {}

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport& report) override;

private:
    void showActiveAtom(std::int32_t reference);

    Ui::TDebuggerForm& m_ui;
    const TDebuggerServices& m_services;
};
