#include "debugging/OptionsPane.h"

#include "ui_TDebuggerForm.h"

TOptionsPane::TOptionsPane(Ui::TDebuggerForm& ui)
    : m_ui(ui) {
    const auto connectOrigin = [this](QCheckBox* box, std::uint8_t origin) {
        QObject::connect(box, &QCheckBox::clicked, box,
                         [this, origin](bool checked) { setOrigin(origin, checked); });
    };
    connectOrigin(m_ui.chkSimulation, vex::roSimulation);
    connectOrigin(m_ui.chkAnimation, vex::roAnimation);
    connectOrigin(m_ui.chkInterruption, vex::roInterruption);
}

QWidget* TOptionsPane::Page() const {
    return m_ui.tshOptions;
}

void TOptionsPane::Attach(vex::TLanguageInterpreter& context) {
    m_context = &context;
    setOrigin(vex::roSimulation, m_ui.chkSimulation->isChecked());
    setOrigin(vex::roAnimation, m_ui.chkAnimation->isChecked());
    setOrigin(vex::roInterruption, m_ui.chkInterruption->isChecked());
}

void TOptionsPane::TickOrigins(std::uint8_t origins) {
    if (origins & vex::roSimulation)
        m_ui.chkSimulation->setChecked(true);
    if (origins & vex::roAnimation)
        m_ui.chkAnimation->setChecked(true);
    if (origins & vex::roInterruption)
        m_ui.chkInterruption->setChecked(true);
}

void TOptionsPane::setOrigin(std::uint8_t origin, bool on) {
    if (!m_context)
        return;
    std::uint8_t& origins = vex::DebugControlOf(*m_context).DebugOrigins;
    origins = static_cast<std::uint8_t>(on ? origins | origin : origins & ~origin);
}
