#include "debugging/PerformancePane.h"

#include "debugging/DebuggerTexts.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "runtime/VexWords.h"
#include "ui_TDebuggerForm.h"

#include <QEvent>
#include <QHeaderView>
#include <QTimer>

#include <array>
#include <cmath>

namespace {

using vex::counting::TWordList;

constexpr int kKindEntries = 7;

// The rows of the kinds of leaf nodes, by entry: variables by their kind (number, text,
// reference, automation interface, eight-byte value), then text and number constants.
constexpr std::array<const char*, kKindEntries> kKindLabels = {
    "Value Variable", "Text Variable", "Atom Variable", "OLE Variable",
    "Value Variable", "Text Constant", "Value Constant"};

// Timer intervals of the update frequencies, in the order of cmbFrequency; 0 for "Off".
constexpr std::array<int, 6> kIntervals = {500, 1000, 2000, 5000, 10000, 0};

// The colours of the bar and its labels, with processor time checked and not.
struct TBarColours {
    const char* SimulationFill;
    const char* SimulationOutline;
    const char* Animation;
    const char* Nothing;
    const char* SimulationText;
    const char* AnimationText;
};
constexpr TBarColours kMeasuring = {"#00FF00", "#000000", "#FF0000",
                                    "#FFFFFF", "#00C000", "#C00000"};
constexpr TBarColours kIdle = {"#008000", "#808080", "#800000", "#C0C0C0", "#004000", "#400000"};

QString shapeStyle(const char* fill, const char* outline) {
    return QStringLiteral("QFrame { background-color: %1; border: 1px solid %2; }")
        .arg(QLatin1String(fill), QLatin1String(outline));
}

QString textStyle(const char* colour) {
    return QStringLiteral("QLabel { color: %1; }").arg(QLatin1String(colour));
}

// A cell of the command list that sorts by a number: the Used column by its count, the %
// column by the own time of its entry. Both sort largest first (the list sorts descending).
class TCountCell : public QTableWidgetItem {
public:
    void setKey(double key) { m_key = key; }
    bool operator<(const QTableWidgetItem& other) const override {
        return m_key < static_cast<const TCountCell&>(other).m_key;
    }

private:
    double m_key = 0;
};

TCountCell* countCell(QTableWidget* list, int row, int column) {
    return static_cast<TCountCell*>(list->item(row, column));
}

} // namespace

TPerformancePane::TPerformancePane(Ui::TDebuggerForm& ui, QObject* parent)
    : QObject(parent)
    , m_ui(ui) {
    m_tmrPerformance = new QTimer(m_ui.tshPerformance);
    m_tmrPerformance->setObjectName(QStringLiteral("tmrPerformance"));
    QTableWidget* words = m_ui.lvWords;
    words->horizontalHeaderItem(0)->setText(DebuggerText(dtCommand));
    words->horizontalHeaderItem(1)->setText(DebuggerText(dtUsed));
    words->setColumnWidth(0, 140);
    words->setColumnWidth(1, 80);
    words->setColumnWidth(2, 70);
    words->verticalHeader()->hide();
    words->verticalHeader()->setDefaultSectionSize(words->fontMetrics().height() + 4);
    words->horizontalHeader()->setSectionsClickable(true);
    m_processorTimeAvailable = vex::counting::ProcessorTimeAvailable();
    m_ui.chkProcessorTime->setEnabled(m_processorTimeAvailable);
    m_ui.cmbFrequency->setCurrentIndex(static_cast<int>(kIntervals.size()) - 1);
    m_tmrPerformance->setInterval(0);
    chkProcessorTimeClick(false);
    UpdateTimeShare();
    m_ui.pnlPerformance->installEventFilter(this);
    m_ui.tshPerformance->installEventFilter(this);

    connect(m_ui.chkProcessorTime, &QCheckBox::clicked, this,
            &TPerformancePane::chkProcessorTimeClick);
    connect(m_ui.chkWordCount, &QCheckBox::clicked, this, &TPerformancePane::ApplyCountingMode);
    connect(m_ui.cmbFrequency, &QComboBox::currentIndexChanged, this,
            &TPerformancePane::cmbFrequencyChange);
    connect(m_ui.btnReset, &QPushButton::clicked, this, &TPerformancePane::btnResetClick);
    connect(m_ui.lvWords->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TPerformancePane::lvWordsColumnClick);
    connect(m_tmrPerformance, &QTimer::timeout, this, &TPerformancePane::tmrPerformanceTimer);
}

TPerformancePane::~TPerformancePane() {
    unlinkCommandRows();
}

QWidget* TPerformancePane::Page() const {
    return m_ui.tshPerformance;
}

// The tick runs with the timer stopped, so that it does not fire again at once.
void TPerformancePane::ShowReport(const vex::TPauseReport& report) {
    if (report.Point != vex::TPausePoint::BeforeNode && report.Point != vex::TPausePoint::Now)
        return;
    if (m_timerEnabled) {
        enableTimer(false);
        tmrPerformanceTimer();
        enableTimer(true);
    }
}

void TPerformancePane::Attach(vex::TLanguageInterpreter& context) {
    m_context = &context;
    ApplyCountingMode();
    UpdateTimeShare();
}

void TPerformancePane::DebugModeChanged(bool on) {
    enableTimer(on);
}

void TPerformancePane::CurrentPageChanged(bool) {
    ApplyCountingMode();
}

bool TPerformancePane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui.pnlPerformance && event->type() == QEvent::Resize)
        UpdatePerformance();
    else if (watched == m_ui.tshPerformance &&
             (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        cmbFrequencyChange();
        UpdatePerformance();
    }
    return QObject::eventFilter(watched, event);
}

bool TPerformancePane::pageVisible() const {
    return m_ui.tshPerformance->isVisible();
}

// The timer is enabled or not as the page's rules say; it fires only with an interval, so
// "Off" leaves it enabled but silent, and Update still runs its tick.
void TPerformancePane::enableTimer(bool on) {
    m_timerEnabled = on;
    if (on && m_tmrPerformance->interval() > 0)
        m_tmrPerformance->start();
    else
        m_tmrPerformance->stop();
}

// Timed counting starts only from a clean state, since the layout of the counter's entries
// changes with it, and stays on until Reset.
void TPerformancePane::ApplyCountingMode() {
    if (!m_context)
        return;
    vex::counting::TPerformance& performance = vex::DebugControlOf(*m_context).Performance;
    const bool time = m_processorTimeAvailable && m_ui.chkProcessorTime->isChecked();
    const bool count = m_ui.chkWordCount->isChecked();
    std::uint8_t mode =
        (time ? vex::counting::cmProcessorTime : 0) | (count ? vex::counting::cmCountCommands : 0);
    const bool clean = performance.Counter.TotalCount() == 0 &&
                       performance.SimulationTime.IsZero() && performance.AnimationTime.IsZero();
    if (performance.CountingMode & vex::counting::cmTimedCounting) {
        mode |= vex::counting::cmTimedCounting;
        performance.Counter.SetTimed(true);
    } else if (time && count && clean) {
        mode |= vex::counting::cmTimedCounting;
        performance.Counter.SetTimed(true);
    } else {
        performance.Counter.SetTimed(false);
    }
    performance.CountingMode = mode;
    enableTimer((mode & (vex::counting::cmProcessorTime | vex::counting::cmCountCommands)) != 0);
}

void TPerformancePane::chkProcessorTimeClick(bool checked) {
    const TBarColours& colours = checked ? kMeasuring : kIdle;
    m_ui.shpSimulation->setStyleSheet(
        shapeStyle(colours.SimulationFill, colours.SimulationOutline));
    m_ui.shpAnimation->setStyleSheet(shapeStyle(colours.Animation, colours.Animation));
    m_ui.shpNothing->setStyleSheet(shapeStyle(colours.Nothing, colours.Nothing));
    m_ui.lblSimulation->setStyleSheet(textStyle(colours.SimulationText));
    m_ui.lblAnimation->setStyleSheet(textStyle(colours.AnimationText));
    ApplyCountingMode();
}

void TPerformancePane::cmbFrequencyChange() {
    const int index = m_ui.cmbFrequency->currentIndex();
    const int interval =
        index >= 0 && index < static_cast<int>(kIntervals.size()) ? kIntervals[index] : 0;
    if (interval != m_tmrPerformance->interval()) {
        enableTimer(false);
        m_tmrPerformance->setInterval(interval);
    }
    enableTimer(pageVisible());
}

void TPerformancePane::tmrPerformanceTimer() {
    const std::uint8_t mode =
        m_context ? vex::DebugControlOf(*m_context).Performance.CountingMode : 0;
    if (!(mode & (vex::counting::cmProcessorTime | vex::counting::cmCountCommands))) {
        enableTimer(false);
        return;
    }
    if (mode & vex::counting::cmProcessorTime)
        UpdateTimeShare();
    if (mode & vex::counting::cmCountCommands)
        UpdateCommandList();
}

void TPerformancePane::UpdateTimeShare() {
    m_timeShare = m_context ? vex::DebugControlOf(*m_context).Performance.TimeShare() : -1;
    UpdatePerformance();
}

// The simulation share is the uncovered left part of the bar, the animation share the right
// part, with a divider of one pixel between them; nothing measured covers the whole bar.
void TPerformancePane::UpdatePerformance() {
    QFrame* simulation = m_ui.shpSimulation;
    simulation->setGeometry(0, 0, m_ui.pnlPerformance->width(), 8);
    if (!pageVisible())
        return;
    const int width = simulation->width();
    const int left = simulation->x();
    if (m_timeShare < 0) {
        m_ui.shpNothing->setGeometry(left + 1, 1, width - 2, 6);
        m_ui.shpAnimation->setGeometry(left, 1, 0, 6);
        return;
    }
    int share = static_cast<int>(std::nearbyint(m_timeShare * (width - 2)));
    if (share == 0)
        share = -1;
    const int rest = width - share - 3;
    m_ui.shpNothing->setGeometry(left + share + 1, 1, share > 0 && rest > 0 ? 1 : 0, 6);
    m_ui.shpAnimation->setGeometry(left + share + 2, 1, rest > 0 ? rest : 0, 6);
}

// Each entry keeps a link to its row (the row's caption cell), so an update touches only the
// cells and appends rows for entries counted for the first time.
void TPerformancePane::UpdateCommandList() {
    if (!m_context)
        return;
    TWordList& counter = vex::DebugControlOf(*m_context).Performance.Counter;
    if (counter.TotalCount() == 0)
        return;
    QTableWidget* list = m_ui.lvWords;
    list->setUpdatesEnabled(false);
    const double totalTime = counter.TotalTime().ToDouble();
    for (int entryIndex = 0; entryIndex < counter.HighestWord() + kKindEntries; ++entryIndex) {
        TWordList::TEntry* entry = counter.Entry(entryIndex);
        if (!entry || entry->Count == 0)
            continue;
        auto* caption = static_cast<QTableWidgetItem*>(entry->Row);
        if (!caption) {
            const int row = list->rowCount();
            list->insertRow(row);
            caption = new QTableWidgetItem(
                entryIndex < kKindEntries
                    ? QString::fromLatin1(kKindLabels[static_cast<std::size_t>(entryIndex)])
                    : fromWindows1252(QByteArray::fromStdString(
                          m_context->WordName(entryIndex - kKindEntries + 1))));
            list->setItem(row, 0, caption);
            list->setItem(row, 1, new TCountCell);
            list->setItem(row, 2, new TCountCell);
            entry->Row = caption;
        }
        const int row = caption->row();
        TCountCell* used = countCell(list, row, 1);
        used->setText(QString::number(entry->Count));
        used->setKey(entry->Count);
        TCountCell* share = countCell(list, row, 2);
        const std::int64_t time = counter.EntryTime(entryIndex);
        share->setKey(static_cast<double>(time));
        share->setText(counter.Timed() && totalTime > 0
                           ? QString::number(static_cast<double>(time) / totalTime * 100, 'g', 15)
                           : QString());
    }
    list->setUpdatesEnabled(true);
}

void TPerformancePane::lvWordsColumnClick(int column) {
    m_ui.lvWords->sortItems(column, column == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TPerformancePane::unlinkCommandRows() {
    if (!m_context)
        return;
    TWordList& counter = vex::DebugControlOf(*m_context).Performance.Counter;
    for (int entryIndex = 0; TWordList::TEntry* entry = counter.Entry(entryIndex); ++entryIndex)
        entry->Row = nullptr;
}

void TPerformancePane::btnResetClick() {
    enableTimer(false);
    if (m_context) {
        vex::DebugControlOf(*m_context).Performance.SimulationTime = {};
        vex::DebugControlOf(*m_context).Performance.AnimationTime = {};
    }
    UpdateTimeShare();
    cmbFrequencyChange();
    if (m_context)
        vex::DebugControlOf(*m_context).Performance.Counter.ResetCounter();
    tmrPerformanceTimer();
    m_ui.lvWords->setRowCount(0);
    if (m_context)
        vex::DebugControlOf(*m_context).Performance.CountingMode &= ~vex::counting::cmTimedCounting;
    ApplyCountingMode();
}
