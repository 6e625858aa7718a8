// The debugger window. Sections: [creation], [runtime] the calls of the runtime, [buttons] the
// tool bar and the keys, [panes] Result, Environment, Immediate and Events, [layout] the resize
// rules.

#include "debugging/TDebuggerForm.h"

#include "debugging/DebuggerModel.h"
#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "ui_TDebuggerForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

// The script information of a user-defined word's body.
constexpr std::uint8_t kUserWordKind = 0x80;
// The longest atom name a cell shows.
constexpr qsizetype kNameCharacters = 244;
// The page area's height as designed.
constexpr int kDesignedPageHeight = 171;

QString fromScript(std::string_view bytes) {
    return fromWindows1252(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString numberText(double value) {
    return QString::fromStdString(vex::FormatNumber(value));
}

// An atom name as a cell shows it: its first 244 characters, and nothing for a name with a NUL
// byte in it, which no name typed or read from a file holds.
QString nameCell(const std::string& name) {
    if (name.find('\0') != std::string::npos)
        return {};
    return fromScript(name).left(kNameCharacters);
}

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

// The seven images of the tool bar, drawn in the palette's text colour: the debug switch, Run,
// Stop, Cancel, Step In, Step Over, Update.
QIcon buttonImage(int image, const QPalette& palette) {
    QPixmap pixmap(18, 19);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (image) {
    case 0: // a bug: the switch
        painter.setBrush(ink);
        painter.drawEllipse(QRectF(6, 5, 6, 10));
        painter.drawLine(QPointF(4, 7), QPointF(14, 7));
        painter.drawLine(QPointF(3, 11), QPointF(15, 11));
        painter.drawLine(QPointF(4, 15), QPointF(14, 15));
        painter.drawLine(QPointF(7, 4), QPointF(6, 2));
        painter.drawLine(QPointF(11, 4), QPointF(12, 2));
        break;
    case 1: { // Run: a green triangle
        QPainterPath path;
        path.addPolygon(QPolygonF({QPointF(5, 3), QPointF(15, 9.5), QPointF(5, 16)}));
        path.closeSubpath();
        painter.fillPath(path, QColor(0x2e, 0x9d, 0x3a));
        break;
    }
    case 2: // Stop: two bars
        painter.fillRect(QRectF(4.5, 4, 3.5, 11), QColor(0x1f, 0x5f, 0xbf));
        painter.fillRect(QRectF(10, 4, 3.5, 11), QColor(0x1f, 0x5f, 0xbf));
        break;
    case 3: // Cancel: a red square
        painter.fillRect(QRectF(4, 4.5, 10, 10), QColor(0xc8, 0x2a, 0x2a));
        break;
    case 4: // Step In: an arrow down onto a line
        painter.drawLine(QPointF(9, 2), QPointF(9, 12));
        painter.drawLine(QPointF(5, 8), QPointF(9, 12));
        painter.drawLine(QPointF(13, 8), QPointF(9, 12));
        painter.drawLine(QPointF(4, 16), QPointF(14, 16));
        break;
    case 5: { // Step Over: an arc over a dot
        QPainterPath arc;
        arc.moveTo(3, 12);
        arc.cubicTo(4, 3, 14, 3, 15, 11);
        painter.drawPath(arc);
        painter.drawLine(QPointF(15, 11), QPointF(12, 9));
        painter.drawLine(QPointF(15, 11), QPointF(16.5, 7.5));
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(9, 15), 1.5, 1.5);
        break;
    }
    default: { // Update: a circular arrow
        painter.drawArc(QRectF(3.5, 4, 11, 11), 60 * 16, 290 * 16);
        painter.drawLine(QPointF(12.5, 3), QPointF(12.5, 6.5));
        painter.drawLine(QPointF(12.5, 6.5), QPointF(9, 6.5));
        break;
    }
    }
    return QIcon(pixmap);
}

} // namespace

// [creation] ------------------------------------------------------------------------------------

TDebuggerForm::TDebuggerForm(TDebuggerServices& services, QWidget* owner)
    : QWidget(owner)
    , m_ui(std::make_unique<Ui::TDebuggerForm>())
    , m_services(services) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::Window);
    setUpButtonImages();
    setUpSplitter();
    m_tmrPerformance = new QTimer(this);
    m_tmrPerformance->setObjectName(QStringLiteral("tmrPerformance"));
    connectHandlers();
    FormCreate();
}

// The children go after this body: the focus moving away from them must not reach the window.
TDebuggerForm::~TDebuggerForm() {
    disconnect(qApp, nullptr, this, nullptr);
    unlinkCommandRows();
}

void TDebuggerForm::FormCreate() {
    TranslateForm(this);
    listingEditor()->setReadOnly(true);
    // The window's keys (run, step in, step over, execute, update) are not the panels' commands.
    const QList<QKeyCombination> windowKeys = {Qt::Key_F5, Qt::Key_F7, Qt::SHIFT | Qt::Key_F8};
    listingEditor()->LeaveKeysToWindow(windowKeys);
    expressionEditor()->LeaveKeysToWindow(windowKeys);
    ListingPanel()->SetStatusText(QStringLiteral("Debugger"));
    setUpLists();
    setUpPerformance();
    chkResultClick(m_ui->chkResult->isChecked());
    chkEnvironmentClick(m_ui->chkEnvironment->isChecked());
    chkImmediateClick(m_ui->chkImmediate->isChecked());
    chkEventsClick(m_ui->chkEvents->isChecked());
    chkPerformanceClick(m_ui->chkPerformance->isChecked());
    m_ui->PageControl->setCurrentWidget(m_ui->tshOptions);
    ExpressionPanel()->SetStatusText(QStringLiteral("Debugger"));
    FormConstrainedResize();
    // SetDebugMode acts only on a change of the Run button's state, so the button is turned to
    // "on" first: the window then starts with debug mode off.
    m_ui->btnRun->setEnabled(!m_ui->btnRun->isEnabled());
    SetDebugMode(!m_ui->btnRun->isEnabled());
}

void TDebuggerForm::setUpButtonImages() {
    const std::array<QToolButton*, 7> buttons = {
        m_ui->btnSwitch, m_ui->btnRun,      m_ui->btnStop,  m_ui->btnResetExecution,
        m_ui->btnStepIn, m_ui->btnStepOver, m_ui->btnUpdate};
    for (std::size_t image = 0; image < buttons.size(); ++image)
        buttons[image]->setIcon(buttonImage(static_cast<int>(image), palette()));
    for (QToolButton* button :
         {m_ui->btnRun, m_ui->btnStop, m_ui->btnResetExecution, m_ui->btnStepIn, m_ui->btnStepOver})
        button->setEnabled(false);
}

// Column captions and widths, the three Environment rows.
void TDebuggerForm::setUpLists() {
    QTableWidget* environment = m_ui->lvEnvironment;
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

    QTableWidget* events = m_ui->lvEvents;
    const std::array<TDebuggerText, 6> eventColumns = {dtTime,   dtCode,          dtPriority,
                                                       dtAtomId, dtEventAtomName, dtInvolved};
    for (int column = 0; column < 6; ++column)
        events->horizontalHeaderItem(column)->setText(
            DebuggerText(eventColumns[static_cast<std::size_t>(column)]));
    events->setColumnWidth(0, 80);
    events->setColumnWidth(5, 65);
    events->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    events->horizontalHeader()->setSectionsClickable(true);
    m_ui->lblEventsLeftOut->hide();
    for (QTableWidget* list : {environment, events}) {
        list->verticalHeader()->hide();
        list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    }
}

void TDebuggerForm::connectHandlers() {
    for (QAction* action :
         {m_ui->acRun, m_ui->acStepIn, m_ui->acStepOver, m_ui->acExecute, m_ui->acUpdate}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    connect(m_ui->acRun, &QAction::triggered, this, &TDebuggerForm::Run);
    connect(m_ui->acStepIn, &QAction::triggered, this, &TDebuggerForm::StepIn);
    connect(m_ui->acStepOver, &QAction::triggered, this, &TDebuggerForm::StepOver);
    connect(m_ui->acExecute, &QAction::triggered, this, &TDebuggerForm::btnExecuteClick);
    connect(m_ui->acUpdate, &QAction::triggered, this, &TDebuggerForm::acUpdateExecute);
    // The buttons trigger the actions without sharing their enabled state.
    connect(m_ui->btnSwitch, &QToolButton::clicked, this, &TDebuggerForm::btnSwitchClick);
    connect(m_ui->btnRun, &QToolButton::clicked, m_ui->acRun, &QAction::trigger);
    connect(m_ui->btnStop, &QToolButton::clicked, this, &TDebuggerForm::Stop);
    connect(m_ui->btnResetExecution, &QToolButton::clicked, this, &TDebuggerForm::ResetExecution);
    connect(m_ui->btnStepIn, &QToolButton::clicked, m_ui->acStepIn, &QAction::trigger);
    connect(m_ui->btnStepOver, &QToolButton::clicked, m_ui->acStepOver, &QAction::trigger);
    connect(m_ui->btnUpdate, &QToolButton::clicked, m_ui->acUpdate, &QAction::trigger);
    connect(m_ui->btnExecute, &QPushButton::clicked, this, &TDebuggerForm::btnExecuteClick);
    connect(m_ui->chkSimulation, &QCheckBox::clicked, this, &TDebuggerForm::chkSimulationClick);
    connect(m_ui->chkAnimation, &QCheckBox::clicked, this, &TDebuggerForm::chkAnimationClick);
    connect(m_ui->chkInterruption, &QCheckBox::clicked, this, &TDebuggerForm::chkInterruptionClick);
    connect(m_ui->chkResult, &QCheckBox::clicked, this, &TDebuggerForm::chkResultClick);
    connect(m_ui->chkEnvironment, &QCheckBox::clicked, this, &TDebuggerForm::chkEnvironmentClick);
    connect(m_ui->chkImmediate, &QCheckBox::clicked, this, &TDebuggerForm::chkImmediateClick);
    connect(m_ui->chkEvents, &QCheckBox::clicked, this, &TDebuggerForm::chkEventsClick);
    connect(m_ui->chkPerformance, &QCheckBox::clicked, this, &TDebuggerForm::chkPerformanceClick);
    connect(m_ui->PageControl, &QTabWidget::currentChanged, this,
            &TDebuggerForm::PageControlChange);
    connect(m_ui->lvEvents->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TDebuggerForm::lvEventsColumnClick);
    connect(m_ui->Splitter, &QSplitter::splitterMoved, this, &TDebuggerForm::SplitterMoved);
    connect(qApp, &QApplication::focusChanged, this, &TDebuggerForm::focusChanged);
    connectPerformanceHandlers();
}

TScriptEditor* TDebuggerForm::ListingPanel() const {
    return m_ui->ListingPanel;
}

TScriptEditor* TDebuggerForm::ExpressionPanel() const {
    return m_ui->ExpressionPanel;
}

TVexScriptEditor* TDebuggerForm::listingEditor() const {
    return m_ui->ListingPanel->Editor();
}

TVexScriptEditor* TDebuggerForm::expressionEditor() const {
    return m_ui->ExpressionPanel->Editor();
}

bool TDebuggerForm::DebugModeOn() const {
    return m_ui->btnSwitch->isChecked();
}

// [runtime] -------------------------------------------------------------------------------------

void TDebuggerForm::AttachRuntime(vex::TLanguageInterpreter& context) {
    if (m_context || &context != &m_services.Context())
        return;
    m_context = &context;
    chkSimulationClick(m_ui->chkSimulation->isChecked());
    chkAnimationClick(m_ui->chkAnimation->isChecked());
    chkInterruptionClick(m_ui->chkInterruption->isChecked());
    ApplyCountingMode();
    UpdateTimeShare();
}

void TDebuggerForm::SetDebugMode(bool on) {
    if (on == m_ui->btnRun->isEnabled())
        return;
    m_ui->btnSwitch->setChecked(on);
    for (QToolButton* button : {m_ui->btnRun, m_ui->btnStop, m_ui->btnResetExecution})
        button->setEnabled(on);
    enablePerformanceTimer(on);
    if (on) {
        enableStepButtons(m_listingSerial != 0);
        setWindowTitle(DebuggerText(dtCaptionOn));
    } else {
        SetListingText(nullptr);
        setWindowTitle(DebuggerText(dtCaptionOff));
    }
}

void TDebuggerForm::SetListingText(const vex::TListing* listing) {
    const std::uint64_t serial = listing ? listing->Serial : 0;
    if (serial != m_listingSerial) {
        listingEditor()->SetScriptBytes(listing ? std::string_view(listing->Text) : "");
        m_listingPositions =
            listing ? TListingPositions(listing->Text, listingEditor()->IndentText().size())
                    : TListingPositions();
        listingEditor()->viewport()->update();
        m_listingSerial = serial;
    }
    enableStepButtons(listing != nullptr);
}

void TDebuggerForm::enableStepButtons(bool listingShown) {
    m_ui->btnStepIn->setEnabled(listingShown);
    m_ui->btnStepOver->setEnabled(listingShown);
}

void TDebuggerForm::ClearListing() {
    if (m_listingSerial == 0)
        return;
    listingEditor()->SetScriptText(QString());
    m_listingSerial = 0;
    m_listingPositions = TListingPositions();
    m_position.reset();
    enableStepButtons(false);
    ShowScriptInfo(0, 0);
}

TDebuggerForm::TShownPosition TDebuggerForm::shownPosition(std::uint64_t serial,
                                                           const vex::TListing& listing,
                                                           const vex::TPositionRecord& record) {
    return {serial,
            &record - listing.Records(),
            record.Start,
            record.HeadLength,
            record.ExtentLength,
            record.RootLink == &record};
}

void TDebuggerForm::ShowNodeHead(const vex::TListing& listing, const vex::TCodeNode& node) {
    SetListingText(&listing);
    if (!m_context || !node.HasPositionRecord())
        return;
    ShowScriptInfo(m_context->Stack.UserWordMarker, m_context->Debug.RunOrigin);
    const auto& record = *static_cast<const vex::TPositionRecord*>(node.LinkSlot());
    const TShownPosition position = shownPosition(listing.Serial, listing, record);
    if (m_position && m_position->Serial == position.Serial &&
        m_position->Record == position.Record)
        return;
    m_position = position;
    selectListing(position.Start, position.HeadLength);
    acUpdateExecute();
}

void TDebuggerForm::ShowNodeExtent(const vex::TCodeNode& node) {
    if (!m_context)
        return;
    const vex::TPositionRecord* record =
        vex::GetNodePosition(*m_context, const_cast<vex::TCodeNode*>(&node));
    if (!record)
        return;
    const vex::TListing& listing = *vex::TListing::Of(*record);
    if (!m_position || m_position->Serial != listing.Serial || m_listingSerial != listing.Serial) {
        SetListingText(&listing);
        ShowScriptInfo(m_context->Stack.UserWordMarker, m_context->Debug.RunOrigin);
    }
    m_position = shownPosition(listing.Serial, listing, *record);
    selectListing(m_position->Start, m_position->ExtentLength);
}

// A listing longer than the editor holds is not shown; the selection then stays within the
// editor's text.
void TDebuggerForm::selectListing(int start, int length) {
    TVexScriptEditor* editor = listingEditor();
    const int last = editor->document()->characterCount() - 1;
    QTextCursor selection = editor->textCursor();
    selection.setPosition(std::min(m_listingPositions.ControlPosition(start), last));
    selection.setPosition(std::min(m_listingPositions.ControlPosition(start + length), last),
                          QTextCursor::KeepAnchor);
    editor->setTextCursor(selection);
    editor->ensureCursorVisible();
    editor->viewport()->update();
}

void TDebuggerForm::ShowResult(double number, const vex::TText& text) {
    m_ui->edtNumeric->setText(numberText(number));
    m_ui->memString->setPlainText(fromScript(text.view()));
    if (!m_position || m_position->IsRoot)
        ClearListing();
}

void TDebuggerForm::TickOriginBoxes(std::uint8_t origins) {
    if (origins & vex::roSimulation)
        m_ui->chkSimulation->setChecked(true);
    if (origins & vex::roAnimation)
        m_ui->chkAnimation->setChecked(true);
    if (origins & vex::roInterruption)
        m_ui->chkInterruption->setChecked(true);
}

void TDebuggerForm::PressSwitchButton() {
    m_ui->btnSwitch->setChecked(true);
    SetDebugMode(true);
}

// The keys work at once: without a focused control of its own the window gives the listing the
// focus.
void TDebuggerForm::ShowAndFocus() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    if (!focusWidget())
        listingEditor()->setFocus(Qt::ActiveWindowFocusReason);
}

// The code kind and origin of what runs, in the information box. A user-defined word's name is
// shown every time; the other kinds only when they change.
void TDebuggerForm::ShowScriptInfo(std::uint8_t codeKind, std::uint8_t runOrigin) {
    QLineEdit* box = m_ui->edtInfo;
    const auto clearInfo = [&] {
        box->clear();
        m_lastOrigin = 255;
        m_lastCodeKind = 0;
        m_lastAtomId = 0;
    };
    if (m_listingSerial == 0)
        return clearInfo();
    if (codeKind == 0) {
        if (runOrigin == m_lastOrigin)
            return;
        switch (runOrigin) {
        case 0:
        case vex::roInterruption:
            box->setText(DebuggerText(dtScriptOrigin));
            break;
        case vex::roSimulation:
            box->setText(DebuggerText(dtSimulationOrigin));
            break;
        case vex::roAnimation:
            box->setText(DebuggerText(dtAnimationOrigin));
            break;
        default:
            return clearInfo();
        }
        m_lastOrigin = runOrigin;
        m_lastCodeKind = 0;
        m_lastAtomId = 0;
        return;
    }
    // Leaving a word's body for code of the same origin shows the origin again.
    m_lastOrigin = 255;
    if (codeKind & kUserWordKind) {
        m_lastCodeKind = codeKind;
        const std::string name = m_context->CurrentFunctionName();
        box->setText(name.empty() ? DebuggerText(dtUnnamedWord)
                                  : fromScript(name) + QStringLiteral("()"));
        return;
    }
    const QString text = eventHandlerInfo(codeKind);
    if (!text.isNull())
        box->setText(text);
}

// The kind of event-handler code with its event's code and its atom; a null text when the box
// already shows them.
QString TDebuggerForm::eventHandlerInfo(std::uint8_t codeKind) {
    const TDebuggerModel* model = m_services.Model();
    std::optional<TDebuggerAtom> atom;
    if (model)
        atom = model->Atom(m_context->Host().Registers().First);
    const std::uint32_t atomId = atom ? atom->Id : 0;
    if (codeKind == m_lastCodeKind && atomId == m_lastAtomId)
        return {};
    m_lastCodeKind = codeKind;
    m_lastAtomId = atomId;
    const std::string kindName = model ? model->CodeKindName(codeKind) : std::string();
    QString text = kindName.empty() ? QStringLiteral("#%1").arg(codeKind) : fromScript(kindName);
    if (codeKind == 1 && model) {
        if (const std::optional<std::int32_t> code = model->CurrentEventCode())
            text += QStringLiteral("(%1)").arg(*code);
    }
    if (atom && atomId != 0)
        text += QStringLiteral(", Atom=%1 (ID=%2)").arg(nameCell(atom->Name)).arg(atomId);
    return text;
}

// [buttons] -------------------------------------------------------------------------------------

void TDebuggerForm::setLowBits(std::uint8_t state) {
    vex::TDebugControl& debug = m_context->Debug;
    debug.DebugState = static_cast<std::uint8_t>((debug.DebugState & vex::dsSuppressed) | state);
}

void TDebuggerForm::releaseViews() {
    m_services.ReleaseFrozen();
}

void TDebuggerForm::btnSwitchClick(bool down) {
    if (!m_context)
        return;
    vex::SwitchDebugging(*m_context, down);
    m_context->Debug.DebugSwitchState = down;
    enablePerformanceTimer(down);
    if (!down)
        releaseViews();
    listingEditor()->viewport()->update();
}

void TDebuggerForm::Run() {
    if (!m_context || !DebugModeOn())
        return;
    ClearListing();
    setLowBits(vex::dsRun);
    vex::SetRunning(*m_context, true);
    releaseViews();
}

void TDebuggerForm::StepIn() {
    if (!m_context || !DebugModeOn())
        return;
    setLowBits(vex::dsStepInto);
    vex::SetRunning(*m_context, true);
}

void TDebuggerForm::StepOver() {
    if (!m_context || !DebugModeOn())
        return;
    setLowBits(vex::dsStepOver);
    vex::SetRunning(*m_context, true);
}

void TDebuggerForm::Stop() {
    if (!m_context)
        return;
    if (m_services.ShowFrozenMessages())
        m_services.ShowFrozenMessage("Frozen for debug");
    setLowBits(vex::dsStepInto);
    vex::FreezeRun(*m_context);
}

// Without a run going on there is nothing to cancel: a request left standing would end the next
// run at its first pause, so a listing left from a run that ended early only goes away.
void TDebuggerForm::ResetExecution() {
    if (!m_context)
        return;
    if (m_context->Stack.FrameCount == 0) {
        ClearListing();
        return;
    }
    if (m_listingSerial != 0 &&
        showMessageBox({this, QMessageBox::Warning, DebuggerText(dtWarningTitle),
                        DebuggerText(dtAskCancel), QMessageBox::Yes | QMessageBox::No}) !=
            QMessageBox::Yes)
        return;
    CancelRun();
}

void TDebuggerForm::CancelRun() {
    if (!m_context || m_context->Stack.FrameCount == 0)
        return;
    m_context->Debug.AbortTarget = 0;
    vex::SetRunning(*m_context, true);
    m_context->Debug.AbortRequested = true;
    ClearListing();
    m_services.NoteEndedRun();
}

// The event list is rebuilt when it is seen: at once while its page is shown, else when the
// page is next shown, so that stepping through a model with many events stays quick.
void TDebuggerForm::acUpdateExecute() {
    UpdateEnvironment();
    if (m_performanceTimerEnabled) {
        enablePerformanceTimer(false);
        tmrPerformanceTimer();
        enablePerformanceTimer(true);
    }
    if (m_ui->PageControl->currentWidget() == m_ui->tshEvents)
        UpdateEvents();
    else
        m_eventsOutOfDate = true;
}

void TDebuggerForm::F5ActionUpdate() {
    m_ui->acRun->setShortcut(QKeySequence());
    m_ui->acExecute->setShortcut(QKeySequence());
    m_ui->acUpdate->setShortcut(Qt::Key_F5);
}

void TDebuggerForm::F5ActionRun() {
    m_ui->acRun->setShortcut(Qt::Key_F5);
    m_ui->acUpdate->setShortcut(QKeySequence());
}

void TDebuggerForm::tshImmediateEnter() {
    m_ui->acRun->setShortcut(QKeySequence());
    m_ui->acUpdate->setShortcut(QKeySequence());
    m_ui->acExecute->setShortcut(Qt::Key_F5);
}

void TDebuggerForm::tshImmediateExit() {
    m_ui->acRun->setShortcut(Qt::Key_F5);
    m_ui->acExecute->setShortcut(QKeySequence());
}

// F5 follows the page that holds the focus.
void TDebuggerForm::focusChanged(QWidget* old, QWidget* now) {
    QWidget* left = pageOf(old);
    QWidget* entered = pageOf(now);
    if (left == entered)
        return;
    if (left == m_ui->tshImmediate)
        tshImmediateExit();
    else if (isListPage(left))
        F5ActionRun();
    if (entered == m_ui->tshImmediate)
        tshImmediateEnter();
    else if (isListPage(entered))
        F5ActionUpdate();
}

QWidget* TDebuggerForm::pageOf(QWidget* widget) const {
    for (QWidget* at = widget; at && at != this; at = at->parentWidget())
        if (m_ui->PageControl->indexOf(at) >= 0)
            return at;
    return nullptr;
}

bool TDebuggerForm::isListPage(QWidget* page) const {
    return page && (page == m_ui->tshEnvironment || page == m_ui->tshEvents ||
                    page == m_ui->tshPerformance);
}

void TDebuggerForm::setOrigin(std::uint8_t origin, bool on) {
    if (!m_context)
        return;
    std::uint8_t& origins = m_context->Debug.DebugOrigins;
    origins = static_cast<std::uint8_t>(on ? origins | origin : origins & ~origin);
}

void TDebuggerForm::chkSimulationClick(bool checked) {
    setOrigin(vex::roSimulation, checked);
}

void TDebuggerForm::chkAnimationClick(bool checked) {
    setOrigin(vex::roAnimation, checked);
}

void TDebuggerForm::chkInterruptionClick(bool checked) {
    setOrigin(vex::roInterruption, checked);
}

void TDebuggerForm::showPage(QWidget* page, bool visible) {
    m_ui->PageControl->setTabVisible(m_ui->PageControl->indexOf(page), visible);
}

void TDebuggerForm::chkResultClick(bool checked) {
    showPage(m_ui->tshResult, checked);
}

void TDebuggerForm::chkEnvironmentClick(bool checked) {
    showPage(m_ui->tshEnvironment, checked);
}

void TDebuggerForm::chkImmediateClick(bool checked) {
    showPage(m_ui->tshImmediate, checked);
}

void TDebuggerForm::chkEventsClick(bool checked) {
    showPage(m_ui->tshEvents, checked);
}

void TDebuggerForm::chkPerformanceClick(bool checked) {
    showPage(m_ui->tshPerformance, checked);
}

void TDebuggerForm::PageControlChange(int index) {
    ApplyCountingMode();
    if (m_eventsOutOfDate && m_ui->PageControl->widget(index) == m_ui->tshEvents)
        UpdateEvents();
}

void TDebuggerForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

// A paused run goes on without pauses; the window only hides.
void TDebuggerForm::FormClose() {
    if (m_context && m_context->Debug.DebugStatePositive())
        Run();
}

// [panes] ---------------------------------------------------------------------------------------

void TDebuggerForm::UpdateEnvironment() {
    if (!m_context)
        return;
    const vex::THostRegisters& registers = m_context->Host().Registers();
    fillAtomRow(0, registers.Third);
    fillAtomRow(1, registers.First);
    fillAtomRow(2, registers.Second);
    if (registers.Third == 0) {
        m_ui->edtActiveAtom->setText(QStringLiteral("0"));
        m_ui->edtActiveAtomName->clear();
        return;
    }
    m_ui->edtActiveAtom->setText(QString::number(registers.Third));
    const TDebuggerModel* model = m_services.Model();
    const std::optional<TDebuggerAtom> atom = model ? model->Atom(registers.Third) : std::nullopt;
    m_ui->edtActiveAtomName->setText(atom ? nameCell(atom->Name) : DebuggerText(dtUnreadable));
}

// One row: the reference, then the name, the ID and the mother ("ID: name"), as far as they can
// be read; the first cell that cannot be read says so and the cells after it stay empty.
void TDebuggerForm::fillAtomRow(int row, std::int32_t reference) {
    QTableWidget* list = m_ui->lvEnvironment;
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
    setCell(2, nameCell(atom->Name));
    setCell(3, QString::number(atom->Id));
    if (atom->Mother == 0)
        return;
    const std::optional<TDebuggerAtom> mother = model->Atom(atom->Mother);
    setCell(4, mother ? QStringLiteral("%1: %2").arg(mother->Id).arg(nameCell(mother->Name))
                      : DebuggerText(dtUnreadable));
}

// Rebuilt in the model's order (events at negative times are left out), repainted once.
void TDebuggerForm::UpdateEvents() {
    m_eventsOutOfDate = false;
    QTableWidget* list = m_ui->lvEvents;
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
        cells[0] = numberText(event.Time);
        cells[1] = QString::number(event.Code);
        cells[2] = QString::number(event.Priority);
        const std::optional<TDebuggerAtom> atom =
            event.Atom != 0 ? model->Atom(event.Atom) : std::nullopt;
        cells[3] = atom ? QString::number(atom->Id) : QStringLiteral("-");
        cells[4] = atom ? nameCell(atom->Name) : DebuggerText(dtNoEventAtom);
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
    m_ui->lblEventsLeftOut->setVisible(leftOut > 0);
    if (leftOut > 0)
        m_ui->lblEventsLeftOut->setText(DebuggerText(dtEventsLeftOut).arg(leftOut));
    list->setUpdatesEnabled(true);
}

// One sort per click, always ascending; rows that compare equal keep their order.
void TDebuggerForm::lvEventsColumnClick(int column) {
    m_ui->lvEvents->sortItems(column, Qt::AscendingOrder);
}

// The selection, or else the whole text with a line break after every line.
std::string TDebuggerForm::expressionText() const {
    const QTextCursor cursor = expressionEditor()->textCursor();
    if (!cursor.hasSelection())
        return toWindows1252(expressionEditor()->FileText()).toStdString();
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return toWindows1252(selected).toStdString();
}

// The expression runs in the paused code's scope; with nothing paused there is no such scope,
// and the person is told so instead.
void TDebuggerForm::btnExecuteClick() {
    if (!m_context || !m_services.IsPaused() || !m_context->Debug.PausedFrame) {
        showMessageBox({this, QMessageBox::Information, DebuggerText(dtWarningTitle),
                        DebuggerText(dtNothingPaused)});
        return;
    }
    const vex::TRunResult result = m_context->RunInPausedFrame(expressionText());
    m_ui->txtNumeric->setText(numberText(result.Number));
    m_ui->txtString->setText(fromScript(result.Text));
}

// [layout] --------------------------------------------------------------------------------------

void TDebuggerForm::setUpSplitter() {
    m_ui->Splitter->setStretchFactor(0, 1);
    m_ui->Splitter->setStretchFactor(1, 0);
    m_rememberedPageHeight = kDesignedPageHeight;
    const int total = m_ui->Splitter->height();
    m_ui->Splitter->setSizes({std::max(0, total - kDesignedPageHeight), kDesignedPageHeight});
}

// The window is never lower than the tool bar, the listing's least height, the splitter and the
// page area's least height together.
void TDebuggerForm::FormConstrainedResize() {
    const int least = m_ui->ToolBar->minimumHeight() + m_ui->Panel1->minimumHeight() +
                      m_ui->Splitter->handleWidth() + m_ui->PageControl->minimumHeight();
    setMinimumHeight(least);
}

void TDebuggerForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

// The page area keeps the height the person gave it; when the window gets lower, the listing
// shrinks first, down to its least height, and then the page area.
void TDebuggerForm::FormResize() {
    QSplitter* splitter = m_ui->Splitter;
    const int handle = splitter->handleWidth();
    const int room = splitter->height() - m_ui->Panel1->minimumHeight() - handle;
    int page = m_ui->PageControl->height();
    if (room < page)
        page = room;
    else if (page != m_rememberedPageHeight)
        page = std::min(m_rememberedPageHeight, room);
    page = std::max(page, m_ui->PageControl->minimumHeight());
    splitter->setSizes({splitter->height() - handle - page, page});
    m_rememberedPageHeight = page;
}

void TDebuggerForm::SplitterMoved() {
    m_rememberedPageHeight = m_ui->PageControl->height();
}
