#include "debugging/ResultPane.h"

#include "debugging/PaneCells.h"
#include "ui_TDebuggerForm.h"

QWidget* TResultPane::Page() const {
    return m_ui.tshResult;
}

void TResultPane::ShowReport(const vex::TPauseReport& report) {
    if (report.Point != vex::TPausePoint::Result)
        return;
    m_ui.edtNumeric->setText(NumberText(report.Number));
    m_ui.memString->setPlainText(report.Text ? ScriptText(report.Text->view()) : QString());
}
