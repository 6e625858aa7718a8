#include "debugging/ResultPane.h"

#include "debugging/DebuggerModel.h"
#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/PaneCells.h"
#include "ui_TDebuggerForm.h"

QWidget* TResultPane::Page() const {
    return m_ui.tshResult;
}

void TResultPane::ShowReport(const vex::TPauseReport& report) {
    switch (report.Point) {
    case vex::TPausePoint::Result:
        m_ui.edtNumeric->setText(NumberText(report.Number));
        m_ui.memString->setPlainText(report.Text ? fromScriptText(report.Text->view()) : QString());
        break;
    case vex::TPausePoint::BeforeNode:
    case vex::TPausePoint::Now:
        showActiveAtom(report.Registers.Third);
        break;
    case vex::TPausePoint::AfterNode:
        break;
    }
}

void TResultPane::showActiveAtom(std::int32_t reference) {
    if (reference == 0) {
        m_ui.edtActiveAtom->setText(QStringLiteral("0"));
        m_ui.edtActiveAtomName->clear();
        return;
    }
    m_ui.edtActiveAtom->setText(QString::number(reference));
    const TDebuggerModel* model = m_services.Model();
    const std::optional<TDebuggerAtom> atom = model ? model->Atom(reference) : std::nullopt;
    m_ui.edtActiveAtomName->setText(atom ? AtomNameCell(atom->Name) : DebuggerText(dtUnreadable));
}
