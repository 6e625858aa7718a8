// The debugger window. Sections: [creation], [runtime] the calls of the runtime, [buttons] the
// tool bar and the keys, [panes] the pages and the report they share, [layout] the resize
// rules.

#include "debugging/TDebuggerForm.h"

#include "debugging/DebuggerModel.h"
#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/EnvironmentPane.h"
#include "debugging/EventsPane.h"
#include "debugging/ImmediatePane.h"
#include "debugging/OptionsPane.h"
#include "debugging/PaneCells.h"
#include "debugging/PerformancePane.h"
#include "debugging/ResultPane.h"
#include "editing/ApplicationServices.h"
#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "ui_TDebuggerForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>

#include <algorithm>
#include <array>

namespace {

// The page area's height as designed.
constexpr int kDesignedPageHeight = 171;

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
    handServicesToPanels();
    setWindowFlag(Qt::Window);
    setUpButtonImages();
    setUpSplitter();
    connectHandlers();
    FormCreate();
}

// The listing and the expression field colour, complete and check with the application's
// runtime.
void TDebuggerForm::handServicesToPanels() {
    const TApplicationServices& services = m_services.EditorServices();
    m_ui->ListingPanel->SetServices(services);
    m_ui->ExpressionPanel->SetServices(services);
}

// The children go after this body: the focus moving away from them must not reach the window.
TDebuggerForm::~TDebuggerForm() {
    disconnect(qApp, nullptr, this, nullptr);
}

void TDebuggerForm::FormCreate() {
    TranslateForm(this);
    listingEditor()->setReadOnly(true);
    // The window's keys (run, step in, step over, execute, update) are not the panels' commands.
    const QList<QKeyCombination> windowKeys = {Qt::Key_F5, Qt::Key_F7, Qt::SHIFT | Qt::Key_F8};
    listingEditor()->LeaveKeysToWindow(windowKeys);
    expressionEditor()->LeaveKeysToWindow(windowKeys);
    ListingPanel()->SetStatusText(QStringLiteral("Debugger"));
    addPanes();
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
    connect(m_ui->acUpdate, &QAction::triggered, this, &TDebuggerForm::UpdatePanes);
    // The buttons trigger the actions without sharing their enabled state.
    connect(m_ui->btnSwitch, &QToolButton::clicked, this, &TDebuggerForm::SwitchDebugMode);
    connect(m_ui->btnRun, &QToolButton::clicked, m_ui->acRun, &QAction::trigger);
    connect(m_ui->btnStop, &QToolButton::clicked, this, &TDebuggerForm::Stop);
    connect(m_ui->btnResetExecution, &QToolButton::clicked, this, &TDebuggerForm::ResetExecution);
    connect(m_ui->btnStepIn, &QToolButton::clicked, m_ui->acStepIn, &QAction::trigger);
    connect(m_ui->btnStepOver, &QToolButton::clicked, m_ui->acStepOver, &QAction::trigger);
    connect(m_ui->btnUpdate, &QToolButton::clicked, m_ui->acUpdate, &QAction::trigger);
    connect(m_ui->btnExecute, &QPushButton::clicked, this, &TDebuggerForm::btnExecuteClick);
    connect(m_ui->PageControl, &QTabWidget::currentChanged, this,
            &TDebuggerForm::currentPageChanged);
    connect(m_ui->Splitter, &QSplitter::splitterMoved, this, &TDebuggerForm::SplitterMoved);
    connect(qApp, &QApplication::focusChanged, this, &TDebuggerForm::focusChanged);
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
    for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
        pane->Attach(context);
}

void TDebuggerForm::SetDebugMode(bool on) {
    if (on == m_ui->btnRun->isEnabled())
        return;
    m_ui->btnSwitch->setChecked(on);
    for (QToolButton* button : {m_ui->btnRun, m_ui->btnStop, m_ui->btnResetExecution})
        button->setEnabled(on);
    for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
        pane->DebugModeChanged(on);
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
    ShowScriptInfo(vex::TPauseReport{});
}

TDebuggerForm::TShownPosition TDebuggerForm::shownPosition(const vex::TListing& listing,
                                                           const vex::TPositionRecord& record) {
    return {listing.Serial,    &record - listing.Records(), record.Start,
            record.HeadLength, record.ExtentLength,         record.RootLink == &record};
}

void TDebuggerForm::ShowPause(const vex::TPauseReport& report) {
    switch (report.Point) {
    case vex::TPausePoint::BeforeNode:
        showNodeHead(report);
        break;
    case vex::TPausePoint::AfterNode:
        showNodeExtent(report);
        break;
    case vex::TPausePoint::Result:
        showResult(report);
        break;
    case vex::TPausePoint::Now:
        showReportInPanes(report);
        break;
    }
}

// The panes follow every new pause, and a pause reported again when its node had to be shown
// again.
void TDebuggerForm::showNodeHead(const vex::TPauseReport& report) {
    SetListingText(report.Listing);
    if (!m_context || !report.Position)
        return;
    ShowScriptInfo(report);
    const TShownPosition position = shownPosition(*report.Listing, *report.Position);
    const bool moved = !m_position || m_position->Serial != position.Serial ||
                       m_position->Record != position.Record;
    if (moved) {
        m_position = position;
        selectListing(position.Start, position.HeadLength);
    }
    if (moved || !report.Repeated)
        showReportInPanes(report);
}

void TDebuggerForm::showNodeExtent(const vex::TPauseReport& report) {
    if (!m_context || !report.Position)
        return;
    const vex::TListing& listing = *report.Listing;
    if (!m_position || m_position->Serial != listing.Serial || m_listingSerial != listing.Serial) {
        SetListingText(&listing);
        ShowScriptInfo(report);
    }
    m_position = shownPosition(listing, *report.Position);
    selectListing(m_position->Start, m_position->ExtentLength);
}

void TDebuggerForm::showResult(const vex::TPauseReport& report) {
    showReportInPanes(report);
    if (!m_position || m_position->IsRoot)
        ClearListing();
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

void TDebuggerForm::TickOriginBoxes(std::uint8_t origins) {
    m_options->TickOrigins(origins);
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
void TDebuggerForm::ShowScriptInfo(const vex::TPauseReport& report) {
    QLineEdit* box = m_ui->edtInfo;
    const auto clearInfo = [&] {
        box->clear();
        m_lastOrigin = 255;
        m_lastCodeKind = vex::TCodeKind::None;
        m_lastAtomId = 0;
    };
    if (m_listingSerial == 0)
        return clearInfo();
    if (report.CodeKind == vex::TCodeKind::None) {
        if (report.Origin == m_lastOrigin)
            return;
        switch (report.Origin) {
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
        m_lastOrigin = report.Origin;
        m_lastCodeKind = vex::TCodeKind::None;
        m_lastAtomId = 0;
        return;
    }
    // Leaving a word's body for code of the same origin shows the origin again.
    m_lastOrigin = 255;
    if (report.CodeKind == vex::TCodeKind::UserWordBody) {
        m_lastCodeKind = report.CodeKind;
        box->setText(report.WordName.empty()
                         ? DebuggerText(dtUnnamedWord)
                         : fromScriptText(report.WordName) + QStringLiteral("()"));
        return;
    }
    const QString text = eventHandlerInfo(report);
    if (!text.isNull())
        box->setText(text);
}

// The kind of event-handler code with its event's code and its atom; a null text when the box
// already shows them.
QString TDebuggerForm::eventHandlerInfo(const vex::TPauseReport& report) {
    const TDebuggerModel* model = m_services.Model();
    std::optional<TDebuggerAtom> atom;
    if (model)
        atom = model->Atom(report.Registers.First);
    const std::uint32_t atomId = atom ? atom->Id : 0;
    if (report.CodeKind == m_lastCodeKind && atomId == m_lastAtomId)
        return {};
    m_lastCodeKind = report.CodeKind;
    m_lastAtomId = atomId;
    const int handlerKind = vex::HandlerKindOf(report.CodeKind);
    const std::string kindName = model ? model->CodeKindName(handlerKind) : std::string();
    QString text = kindName.empty() ? QStringLiteral("#%1").arg(static_cast<int>(report.CodeKind))
                                    : fromScriptText(kindName);
    if (handlerKind == 1 && model) {
        if (const std::optional<std::int32_t> code = model->CurrentEventCode())
            text += QStringLiteral("(%1)").arg(*code);
    }
    if (atom && atomId != 0)
        text += QStringLiteral(", Atom=%1 (ID=%2)").arg(AtomNameCell(atom->Name)).arg(atomId);
    return text;
}

// [buttons] -------------------------------------------------------------------------------------

void TDebuggerForm::releaseViews() {
    m_services.ReleaseFrozen();
}

void TDebuggerForm::SwitchDebugMode(bool down) {
    if (!m_context)
        return;
    vex::SwitchDebugging(*m_context, down);
    vex::DebugControlOf(*m_context).DebugSwitchState = down;
    for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
        pane->DebugModeChanged(down);
    if (!down)
        releaseViews();
    listingEditor()->viewport()->update();
}

void TDebuggerForm::Run() {
    if (!m_context || !DebugModeOn())
        return;
    ClearListing();
    vex::DebugControlOf(*m_context).SetDebugMode(vex::dsRun);
    vex::SetRunning(*m_context, true);
    releaseViews();
}

void TDebuggerForm::StepIn() {
    if (!m_context || !DebugModeOn())
        return;
    vex::DebugControlOf(*m_context).SetDebugMode(vex::dsStepInto);
    vex::SetRunning(*m_context, true);
}

void TDebuggerForm::StepOver() {
    if (!m_context || !DebugModeOn())
        return;
    vex::DebugControlOf(*m_context).SetDebugMode(vex::dsStepOver);
    vex::SetRunning(*m_context, true);
}

void TDebuggerForm::Stop() {
    if (!m_context)
        return;
    if (m_services.ShowFrozenMessages())
        m_services.ShowFrozenMessage("Frozen for debug");
    vex::DebugControlOf(*m_context).SetDebugMode(vex::dsStepInto);
    vex::FreezeRun(*m_context);
}

// Without a run going on there is nothing to cancel: a request left standing would end the next
// run at its first pause, so a listing left from a run that ended early only goes away.
void TDebuggerForm::ResetExecution() {
    if (!m_context)
        return;
    if (m_context->ActiveFrameCount() == 0) {
        ClearListing();
        return;
    }
    if (m_listingSerial != 0 &&
        m_services.EditorServices().ShowMessageBox(
            {this, QMessageBox::Warning, DebuggerText(dtWarningTitle), DebuggerText(dtAskCancel),
             QMessageBox::Yes | QMessageBox::No}) != QMessageBox::Yes)
        return;
    CancelRun();
}

void TDebuggerForm::CancelRun() {
    if (!m_context || m_context->ActiveFrameCount() == 0)
        return;
    vex::DebugControlOf(*m_context).AbortTarget = vex::TAbortTarget::WholeRun();
    vex::SetRunning(*m_context, true);
    vex::DebugControlOf(*m_context).AbortRequested = true;
    ClearListing();
    m_services.NoteEndedRun();
}

void TDebuggerForm::UpdatePanes() {
    if (m_context)
        showReportInPanes(vex::ReportRunState(*m_context));
}

void TDebuggerForm::setF5Action(TPaneF5 action) {
    m_ui->acRun->setShortcut(action == TPaneF5::Run ? QKeySequence(Qt::Key_F5) : QKeySequence());
    m_ui->acUpdate->setShortcut(action == TPaneF5::Update ? QKeySequence(Qt::Key_F5)
                                                          : QKeySequence());
    m_ui->acExecute->setShortcut(action == TPaneF5::Execute ? QKeySequence(Qt::Key_F5)
                                                            : QKeySequence());
}

void TDebuggerForm::focusChanged(QWidget* old, QWidget* now) {
    const TDebuggerPane* left = paneOf(old);
    const TDebuggerPane* entered = paneOf(now);
    if (left == entered)
        return;
    setF5Action(entered ? entered->F5Action() : TPaneF5::Run);
}

TDebuggerPane* TDebuggerForm::paneOf(QWidget* widget) const {
    for (QWidget* at = widget; at && at != this; at = at->parentWidget())
        for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
            if (pane->Page() == at)
                return pane.get();
    return nullptr;
}

void TDebuggerForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

// A paused run goes on without pauses; the window only hides.
void TDebuggerForm::FormClose() {
    if (m_context && vex::DebugControlOf(*m_context).DebugStatePositive())
        Run();
}

// [panes] ---------------------------------------------------------------------------------------

// One line per pane, in the order of the pages.
void TDebuggerForm::addPanes() {
    m_options = &addPane(std::make_unique<TOptionsPane>(*m_ui), nullptr);
    addPane(std::make_unique<TResultPane>(*m_ui, m_services), m_ui->chkResult);
    addPane(std::make_unique<TEnvironmentPane>(*m_ui, m_services), m_ui->chkEnvironment);
    addPane(std::make_unique<TImmediatePane>(*m_ui), m_ui->chkImmediate);
    addPane(std::make_unique<TEventsPane>(*m_ui, m_services), m_ui->chkEvents);
    m_performance = &addPane(std::make_unique<TPerformancePane>(*m_ui), m_ui->chkPerformance);
}

template <class TPane>
TPane& TDebuggerForm::addPane(std::unique_ptr<TPane> pane, QCheckBox* shown) {
    TPane& added = *pane;
    if (shown) {
        QTabWidget* pages = m_ui->PageControl;
        QWidget* page = added.Page();
        const auto showPage = [pages, page](bool visible) {
            pages->setTabVisible(pages->indexOf(page), visible);
        };
        connect(shown, &QCheckBox::clicked, page, showPage);
        showPage(shown->isChecked());
    }
    m_panes.push_back(std::move(pane));
    return added;
}

void TDebuggerForm::showReportInPanes(const vex::TPauseReport& report) {
    for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
        pane->ShowReport(report);
}

void TDebuggerForm::currentPageChanged(int index) {
    const QWidget* current = m_ui->PageControl->widget(index);
    for (const std::unique_ptr<TDebuggerPane>& pane : m_panes)
        pane->CurrentPageChanged(pane->Page() == current);
}

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
    if (!m_context || !m_services.IsPaused() || !vex::DebugControlOf(*m_context).PausedFrame) {
        m_services.EditorServices().ShowMessageBox({this, QMessageBox::Information,
                                                    DebuggerText(dtWarningTitle),
                                                    DebuggerText(dtNothingPaused)});
        return;
    }
    // The window is served while the expression runs; a second Execute meanwhile would run
    // nested inside the first.
    if (m_executing)
        return;
    const QScopedValueRollback executing(m_executing, true);
    const vex::TRunResult result = m_context->RunInPausedFrame(expressionText());
    m_ui->txtNumeric->setText(NumberText(result.Number));
    m_ui->txtString->setText(fromScriptText(result.Text));
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
