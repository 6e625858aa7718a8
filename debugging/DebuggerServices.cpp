#include "debugging/DebuggerServices.h"

#include "debugging/BreakThread.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/RunTicker.h"
#include "debugging/TDebuggerForm.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "platform/CodePage.h"
#include "services/MessageBoxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// Counts one level of a pump for as long as it lives.
class TDepth {
public:
    explicit TDepth(int& depth)
        : m_depth(++depth) {}
    TDepth(const TDepth&) = delete;
    TDepth& operator=(const TDepth&) = delete;
    ~TDepth() { --m_depth; }

private:
    int& m_depth;
};

// Ctrl+Break; keyboards send it as Ctrl+Pause, and the window system may call the key Cancel.
bool isBreakKey(const QKeyEvent& key) {
    return key.modifiers().testFlag(Qt::ControlModifier) &&
           (key.key() == Qt::Key_Pause || key.key() == Qt::Key_Cancel);
}

} // namespace

TDebuggerServices::TDebuggerServices(vex::TLanguageInterpreter& context,
                                     const TDebuggerModel* model, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_model(model)
    , m_ticker(std::make_unique<TRunTicker>(vex::DebugControlOf(context))) {
    vex::DebugControlOf(m_context).Services = this;
    m_watcherIdle.setSingleShot(true);
    m_watcherIdle.setInterval(2000);
    connect(&m_watcherIdle, &QTimer::timeout, this, [this] {
        if (!RunGoes() && vex::DebugControlOf(m_context).DebugMode() == vex::dsOff)
            StopBreakWatcher();
    });
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TDebuggerServices::~TDebuggerServices() {
    m_ticker.reset();
    m_runDepth = 0;
    StopBreakWatcher();
    delete m_window.data();
    if (vex::DebugControlOf(m_context).Services == this)
        vex::DebugControlOf(m_context).Services = nullptr;
}

const TApplicationServices& TDebuggerServices::EditorServices() {
    if (ApplicationServices)
        return *ApplicationServices;
    if (!m_ownEditorServices) {
        m_ownEditorServices = std::make_unique<TApplicationServices>();
        m_ownEditorServices->Context = &m_context;
    }
    return *m_ownEditorServices;
}

TDebuggerForm* TDebuggerServices::Window() const {
    return m_window.data();
}

vex::TDebuggerWindow* TDebuggerServices::DebuggerWindow() {
    return m_window.data();
}

// The window lives until the services go; closing it only hides it. It does not keep the
// application running once the main window has closed.
vex::TDebuggerWindow* TDebuggerServices::CreateDebuggerWindow() {
    if (!m_window) {
        m_window = new TDebuggerForm(*this);
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
    }
    return m_window.data();
}

TDebuggerForm* TDebuggerServices::EnsureWindow() {
    if (!m_window)
        CreateDebuggerWindow()->AttachRuntime(m_context);
    return m_window;
}

void TDebuggerServices::ShowWindow() {
    EnsureWindow()->ShowAndFocus();
}

// The runtime composes its questions with CR between the lines.
vex::TBoxAnswer TDebuggerServices::AskWarning(const std::string& text, bool withCancel) {
    QString question = fromWindows1252(QByteArray::fromStdString(text));
    question.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    const QMessageBox::StandardButton answer =
        EditorServices().ShowMessageBox({QApplication::activeWindow(), QMessageBox::Warning,
                                         DebuggerText(dtWarningTitle), question, buttons});
    if (answer == QMessageBox::Yes) {
        if (!withCancel)
            NoteEndedRun();
        return vex::TBoxAnswer::Yes;
    }
    if (withCancel && answer != QMessageBox::No)
        return vex::TBoxAnswer::Cancel;
    if (withCancel)
        NoteEndedRun();
    return vex::TBoxAnswer::No;
}

void TDebuggerServices::HandleOneMessage() {
    const TDepth pause(m_pauseDepth);
    const TDepth pump(m_pumpDepth);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TDebuggerServices::HandlePendingMessages() {
    const TDepth pump(m_pumpDepth);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool TDebuggerServices::IsTerminating() const {
    return QCoreApplication::closingDown();
}

// Only an application on X can grab keys for the whole screen; an X server reached beside a
// Wayland session would see no keys the person presses in other programs.
void TDebuggerServices::StartBreakWatcher(std::atomic<std::uint32_t>* request) {
    m_breakRequest = request;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_breakThread = std::make_unique<TBreakThread>(*request);
    if (!WatchesSystemWide()) {
        m_breakThread.reset();
        if (!m_toldNoSystemBreakKey)
            TraceMessage(DebuggerText(dtNoSystemBreakKey), false);
        m_toldNoSystemBreakKey = true;
    }
}

// While a run goes the watcher stays: Ctrl+Break ends or pauses any run. The run's end stops it.
void TDebuggerServices::StopBreakWatcher() {
    if (RunGoes())
        return;
    m_breakThread.reset();
    m_breakRequest = nullptr;
}

bool TDebuggerServices::WatchesSystemWide() const {
    return m_breakThread && m_breakThread->Watching();
}

void TDebuggerServices::CancelRun() {
    if (HoldsRun())
        EnsureWindow()->CancelRun();
}

// Input is handled too, so that Stop, Ctrl+Break and the debugger's buttons work during a run;
// what would start another run refuses while RunGoes.
void TDebuggerServices::ServeRun() {
    if (m_serving)
        return;
    m_serving = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents, kServeMilliseconds);
    ++m_served;
    emit served();
    m_serving = false;
}

void TDebuggerServices::EnterRun(TRunOwner owner) {
    if (m_runDepth++ > 0)
        return;
    m_runOwner = owner;
    vex::TDebugControl& control = vex::DebugControlOf(m_context);
    m_watcherIdle.stop();
    if (!HasBreakWatcher())
        StartBreakWatcher(&control.BreakRequest);
    // Presses while nothing ran belong to no run.
    control.ClearBreakRequests();
    m_ticker->Arm(true);
    emit runStateChanged(true);
}

void TDebuggerServices::LeaveRun() {
    if (m_runDepth == 0 || --m_runDepth > 0)
        return;
    m_ticker->Arm(false);
    vex::DebugControlOf(m_context).ClearBreakRequests();
    if (vex::DebugControlOf(m_context).DebugMode() == vex::dsOff)
        m_watcherIdle.start();
    emit runStateChanged(false);
}

void TDebuggerServices::StopRun() {
    if (!RunGoes() || m_runOwner != TRunOwner::Person)
        return;
    if (HoldsRun()) {
        CancelRun();
        return;
    }
    if (vex::DebugControlOf(m_context).DebugStatePositive()) {
        m_context.RequestBreak();
        return;
    }
    NoteEndedRun();
    m_context.RequestAbort();
}

bool TDebuggerServices::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isBreakKey(*static_cast<QKeyEvent*>(event))) {
        // A request outside a run would stop the next run at its first node.
        if (m_context.ActiveFrameCount() > 0)
            m_context.RequestBreak();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

TDebuggerServices* DebuggerServicesOf(vex::TLanguageInterpreter& context) {
    return dynamic_cast<TDebuggerServices*>(vex::DebugControlOf(context).Services);
}
