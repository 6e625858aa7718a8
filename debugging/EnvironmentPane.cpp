#include "debugging/EnvironmentPane.h"

#include "debugging/DebuggerModel.h"
#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/PaneCells.h"
#include "ui_TDebuggerForm.h"

#include <QHeaderView>

#include <algorithm>
#include <array>

// Column captions and widths, the three rows' descriptions.
TEnvironmentPane::TEnvironmentPane(Ui::TDebuggerForm& ui, const TDebuggerServices& services)
    : m_ui(ui)
    , m_services(services) {
    QTableWidget* environment = m_ui.lvEnvironment;
    const std::array<TDebuggerText, 5> environmentColumns = {dtDescription, dtReference, dtName,
                                                             dtId, dtMother};
    for (int column = 0; column < 5; ++column)
        environment->horizontalHeaderItem(column)->setText(
            DebuggerText(environmentColumns[static_cast<std::size_t>(column)]));
    environment->setColumnWidth(0, 80);
    environment->setColumnWidth(1, 64);
    environment->setColumnWidth(4, 100);
    environment->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    environment->setRowCount(3);
    const std::array<TDebuggerText, 3> rows = {dtActiveAtom, dtCurrentAtom, dtInvolvedAtom};
    for (int row = 0; row < 3; ++row)
        environment->setItem(
            row, 0, new QTableWidgetItem(DebuggerText(rows[static_cast<std::size_t>(row)])));
    // The descriptions show in full, also in a language with longer ones.
    environment->resizeColumnToContents(0);
    environment->setColumnWidth(0, std::max(80, environment->columnWidth(0)));
    environment->verticalHeader()->hide();
    environment->verticalHeader()->setDefaultSectionSize(environment->fontMetrics().height() + 4);
}

QWidget* TEnvironmentPane::Page() const {
    return m_ui.tshEnvironment;
}

void TEnvironmentPane::ShowReport(const vex::TPauseReport& report) {
    if (report.Point != vex::TPausePoint::BeforeNode && report.Point != vex::TPausePoint::Now)
        return;
    const vex::THostRegisters& registers = report.Registers;
    fillAtomRow(0, registers.Third);
    fillAtomRow(1, registers.First);
    fillAtomRow(2, registers.Second);
}

// One row: the reference, then the name, the ID and the mother ("ID: name"), as far as they can
// be read; the first cell that cannot be read says so and the cells after it stay empty.
void TEnvironmentPane::fillAtomRow(int row, std::int32_t reference) {
    QTableWidget* list = m_ui.lvEnvironment;
    for (int column = 1; column < list->columnCount(); ++column)
        delete list->takeItem(row, column);
    if (reference == 0)
        return;
    const auto setCell = [&](int column, const QString& text) {
        list->setItem(row, column, new QTableWidgetItem(text));
    };
    setCell(1, QString::number(reference));
    const TDebuggerModel* model = m_services.Model();
    const std::optional<TDebuggerAtom> atom = model ? model->Atom(reference) : std::nullopt;
    if (!atom)
        return setCell(2, DebuggerText(dtUnreadable));
    setCell(2, AtomNameCell(atom->Name));
    setCell(3, QString::number(atom->Id));
    if (atom->Mother == 0)
        return;
    const std::optional<TDebuggerAtom> mother = model->Atom(atom->Mother);
    setCell(4, mother ? QStringLiteral("%1: %2").arg(mother->Id).arg(AtomNameCell(mother->Name))
                      : DebuggerText(dtUnreadable));
}
