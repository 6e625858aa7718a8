#pragma once

#include "debugging/DebuggerPane.h"

#include <cstddef>

namespace Ui {
class TDebuggerForm;
}
class TDebuggerServices;

// The Events page: the host's pending events in the order they will run, with their atoms. The
// list is rebuilt when it is seen: at once while its page is shown, else when the page is next
// shown, so that stepping through a model with many events stays quick.
class TEventsPane : public TDebuggerPane {
public:
    TEventsPane(Ui::TDebuggerForm& ui, const TDebuggerServices& services);

    // The pending events the list shows at most; the rest are counted below it.
    static constexpr std::size_t kEventRows = 10000;

    QWidget* Page() const override;
    void ShowReport(const vex::TPauseReport& report) override;
    void CurrentPageChanged(bool current) override;
    TPaneF5 F5Action() const override { return TPaneF5::Update; }

    // Refills the list from the host's pending events.
    void UpdateEvents();

private:
    Ui::TDebuggerForm& m_ui;
    const TDebuggerServices& m_services;
    // The model may have changed since the list was built.
    bool m_outOfDate = true;
};
