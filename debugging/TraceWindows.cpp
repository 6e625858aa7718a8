#include "debugging/TraceWindows.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceTexts.h"
#include "editing/ApplicationServices.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "services/FormPlacement.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <cstdio>
#include <optional>
#include <utility>

namespace {

struct TTraceState {
    QPointer<TformTrace> ErrorWindow;
    QPointer<TformTrace> TraceWindow;
    // None until the first GetErrorWindow.
    std::optional<QStringList> ErrorLog;
    // Those of the TTraceWindows alive, if any.
    const TApplicationServices* Services = nullptr;
    bool FinalizeRegistered = false;
};

TTraceState& state() {
    static TTraceState current;
    return current;
}

bool isGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// The windows must go before the QApplication does; the shell's shutdown closes them earlier.
void finalizeWithApplication() {
    if (!std::exchange(state().FinalizeRegistered, true))
        qAddPostRoutine(FinalizeTraceWindows);
}

// Each window comes back where it was left, under a name of its own.
TformTrace* createWindow(const QString& caption, const QString& placementName) {
    finalizeWithApplication();
    const TApplicationServices* services = state().Services;
    auto* window =
        new TformTrace(nullptr, caption, services ? *services : TApplicationServices::None());
    window->setObjectName(placementName);
    LoadFormPlacement(window);
    return window;
}

void writeToStandardError(const QString& text, bool isError) {
    std::fprintf(stderr, "%s%s\n", isError ? "Error: " : "", text.toLocal8Bit().constData());
}

} // namespace

TTraceWindows::TTraceWindows(const TApplicationServices& services)
    : m_outer(std::exchange(state().Services, &services)) {}

TTraceWindows::~TTraceWindows() {
    FinalizeTraceWindows();
    state().Services = m_outer;
}

void TraceMessage(const QString& text, bool isError) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!qobject_cast<QApplication*>(application))
        return writeToStandardError(text, isError);
    if (!isGuiThread()) {
        // Queued calls to one receiver run in the order they were posted.
        QMetaObject::invokeMethod(
            application, [text, isError] { TraceMessage(text, isError); }, Qt::QueuedConnection);
        return;
    }
    TformTrace* window = isError ? GetErrorWindow() : GetTraceWindow();
    window->AddMessage(text, isError);
}

TformTrace* GetErrorWindow() {
    TTraceState& current = state();
    if (!current.ErrorLog)
        current.ErrorLog.emplace();
    if (!current.ErrorWindow) {
        current.ErrorWindow =
            createWindow(TraceText(ttErrorCaption), QStringLiteral("formErrorTrace"));
        if (!current.ErrorLog->isEmpty())
            current.ErrorWindow->RestoreMessages(*current.ErrorLog);
    }
    return current.ErrorWindow;
}

TformTrace* GetTraceWindow() {
    TTraceState& current = state();
    if (!current.TraceWindow) {
        current.TraceWindow = createWindow(TraceText(ttTraceCaption), QStringLiteral("formTrace"));
        current.TraceWindow->findChild<QWidget*>(QStringLiteral("sbTrace"))->hide();
    }
    return current.TraceWindow;
}

void ShowErrorWindow() {
    GetErrorWindow()->show();
}

void CloseErrorWindow() {
    delete state().ErrorWindow.data();
}

const QStringList& ErrorLog() {
    static const QStringList none;
    const std::optional<QStringList>& log = state().ErrorLog;
    return log ? *log : none;
}

void ClearErrorLog() {
    if (state().ErrorLog)
        state().ErrorLog->clear();
}

void AppendToErrorLog(const QString& line) {
    TTraceState& current = state();
    if (!current.ErrorLog)
        current.ErrorLog.emplace();
    current.ErrorLog->append(line);
}

void ReplaceLastErrorLogLine(const QString& line) {
    TTraceState& current = state();
    if (!current.ErrorLog || current.ErrorLog->isEmpty())
        return AppendToErrorLog(line);
    current.ErrorLog->last() = line;
}

void FinalizeTraceWindows() {
    TTraceState& current = state();
    delete current.ErrorWindow.data();
    delete current.TraceWindow.data();
    current.ErrorLog.reset();
}

class TErrorWindowFeed::TSubscriber final : public vex::TErrorSubscriber {
public:
    explicit TSubscriber(vex::TLanguageInterpreter& context)
        : m_context(context) {
        context.SubscribeErrors(*this);
    }
    ~TSubscriber() { m_context.UnsubscribeErrors(*this); }
    TSubscriber(const TSubscriber&) = delete;
    TSubscriber& operator=(const TSubscriber&) = delete;

    // The message stays as the runtime composed it, after its place.
    void ErrorReported(const vex::TRunError& error) override {
        TraceMessage(fromWindows1252(vex::PrintableMessage(error.Shown())), true);
    }

private:
    vex::TLanguageInterpreter& m_context;
};

TErrorWindowFeed::TErrorWindowFeed(vex::TLanguageInterpreter& context)
    : m_subscriber(std::make_unique<TSubscriber>(context)) {}

TErrorWindowFeed::~TErrorWindowFeed() = default;
