#include "debugging/EventsPane.h"

#include "debugging/DebuggerModel.h"
#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/PaneCells.h"
#include "ui_TDebuggerForm.h"

#include <QHeaderView>

#include <array>

namespace {

// How the event list sorts a column when its header is clicked.
enum class TSortRule {
    Float,
    Integer,
    Text
};

// A cell of the event list that sorts by its column's rule: times as numbers, integers as
// numbers with every text that is no integer after them, names ignoring case.
class TEventCell : public QTableWidgetItem {
public:
    TEventCell(const QString& text, TSortRule rule)
        : QTableWidgetItem(text)
        , m_rule(rule) {}

    bool operator<(const QTableWidgetItem& other) const override {
        switch (m_rule) {
        case TSortRule::Float:
            return text().toDouble() < other.text().toDouble();
        case TSortRule::Integer: {
            bool isNumber = false;
            bool otherIsNumber = false;
            const qlonglong value = text().toLongLong(&isNumber);
            const qlonglong otherValue = other.text().toLongLong(&otherIsNumber);
            if (isNumber != otherIsNumber)
                return isNumber;
            return isNumber && value < otherValue;
        }
        case TSortRule::Text:
            return text().compare(other.text(), Qt::CaseInsensitive) < 0;
        }
        return false;
    }

private:
    TSortRule m_rule;
};

constexpr std::array<TSortRule, 6> kEventColumnRules = {TSortRule::Float,   TSortRule::Integer,
                                                        TSortRule::Integer, TSortRule::Integer,
                                                        TSortRule::Text,    TSortRule::Integer};

} // namespace

// Column captions and widths; one sort per header click, always ascending, and rows that compare
// equal keep their order.
TEventsPane::TEventsPane(Ui::TDebuggerForm& ui, const TDebuggerServices& services)
    : m_ui(ui)
    , m_services(services) {
    QTableWidget* events = m_ui.lvEvents;
    const std::array<TDebuggerText, 6> eventColumns = {dtTime,   dtCode,          dtPriority,
                                                       dtAtomId, dtEventAtomName, dtInvolved};
    for (int column = 0; column < 6; ++column)
        events->horizontalHeaderItem(column)->setText(
            DebuggerText(eventColumns[static_cast<std::size_t>(column)]));
    events->setColumnWidth(0, 80);
    events->setColumnWidth(5, 65);
    events->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    events->horizontalHeader()->setSectionsClickable(true);
    events->verticalHeader()->hide();
    events->verticalHeader()->setDefaultSectionSize(events->fontMetrics().height() + 4);
    m_ui.lblEventsLeftOut->hide();
    QObject::connect(events->horizontalHeader(), &QHeaderView::sectionClicked, events,
                     [events](int column) { events->sortItems(column, Qt::AscendingOrder); });
}

QWidget* TEventsPane::Page() const {
    return m_ui.tshEvents;
}

void TEventsPane::ShowReport(const vex::TPauseReport& report) {
    if (report.Point != vex::TPausePoint::BeforeNode && report.Point != vex::TPausePoint::Now)
        return;
    if (m_ui.PageControl->currentWidget() == Page())
        UpdateEvents();
    else
        m_outOfDate = true;
}

void TEventsPane::CurrentPageChanged(bool current) {
    if (current && m_outOfDate)
        UpdateEvents();
}

// Rebuilt in the model's order (events at negative times are left out), repainted once.
void TEventsPane::UpdateEvents() {
    m_outOfDate = false;
    QTableWidget* list = m_ui.lvEvents;
    list->setUpdatesEnabled(false);
    list->setRowCount(0);
    const TDebuggerModel* model = m_services.Model();
    std::size_t total = 0;
    const std::vector<TDebuggerEvent> events =
        model ? model->Events(kEventRows, total) : std::vector<TDebuggerEvent>();
    list->setRowCount(static_cast<int>(events.size()));
    int row = 0;
    for (const TDebuggerEvent& event : events) {
        if (event.Time < 0)
            continue;
        std::array<QString, 6> cells;
        cells[0] = NumberText(event.Time);
        cells[1] = QString::number(event.Code);
        cells[2] = QString::number(event.Priority);
        const std::optional<TDebuggerAtom> atom =
            event.Atom != 0 ? model->Atom(event.Atom) : std::nullopt;
        cells[3] = atom ? QString::number(atom->Id) : QStringLiteral("-");
        cells[4] = atom ? AtomNameCell(atom->Name) : DebuggerText(dtNoEventAtom);
        if (event.Involved == 0) {
            cells[5] = DebuggerText(dtNoInvolvedAtom);
        } else {
            const std::optional<TDebuggerAtom> involved = model->Atom(event.Involved);
            cells[5] = involved ? QString::number(involved->Id) : QString::number(event.Involved);
        }
        for (int column = 0; column < 6; ++column) {
            auto* cell = new TEventCell(cells[static_cast<std::size_t>(column)],
                                        kEventColumnRules[static_cast<std::size_t>(column)]);
            if (column != 0 && column != 4)
                cell->setTextAlignment(Qt::AlignCenter);
            list->setItem(row, column, cell);
        }
        ++row;
    }
    list->setRowCount(row);
    const std::size_t leftOut = total - events.size();
    m_ui.lblEventsLeftOut->setVisible(leftOut > 0);
    if (leftOut > 0)
        m_ui.lblEventsLeftOut->setText(DebuggerText(dtEventsLeftOut).arg(leftOut));
    list->setUpdatesEnabled(true);
}
