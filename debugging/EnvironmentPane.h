#pragma once

#include "debugging/DebuggerPane.h"

#include <cstdint>

namespace Ui {
class TDebuggerForm;
}
class TDebuggerModel;
class TDebuggerServices;

// The Environment page: the active, the current and the involved atom of the report's registers
// with their names, IDs and mothers. Updated at every pause before a node and by Update.
class TEnvironmentPane : public TDebuggerPane {
public:
    TEnvironmentPane(Ui::TDebuggerForm& ui, const TDebuggerServices& services);

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport& report) override;
    TPaneF5 F5Action() const override { return TPaneF5::Update; }

private:
    void fillAtomRow(int row, std::int32_t reference);

    Ui::TDebuggerForm& m_ui;
    const TDebuggerServices& m_services;
};
