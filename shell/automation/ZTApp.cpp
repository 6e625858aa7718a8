#include "shell/automation/ZTApp.h"

#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "host/model/ModelFile.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "shell/ModelKeeper.h"
#include "shell/ShellTexts.h"
#include "shell/automation/AutomationCall.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <stdexcept>

namespace {

// Set on the GUI thread; an object may go last on the thread that answers its calls.
std::atomic<TZTApp*> g_lastInitialized = nullptr;

// How an operation fails with a message for its caller.
[[noreturn]] void failWith(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

} // namespace

TZTApp::TZTApp(ContextSource context)
    : m_context(std::move(context)) {
    g_lastInitialized = this;
}

TZTApp::~TZTApp() {
    TZTApp* self = this;
    g_lastInitialized.compare_exchange_strong(self, nullptr);
}

TZTApp* TZTApp::lastInitialized() noexcept {
    return g_lastInitialized;
}

// The file name enters the script as a text constant that reads back unchanged, so a name with
// brackets stays one argument.
std::string TZTApp::openModelScript(const std::string& fileName) {
    const std::string name = vex::host::TextConstant(fileName);
    return "Do(DisplayWatches(0),tztfnc([new model]),WaitCursor,ProgressBarForOpen(1," + name +
           "),ExecFile(" + name + "),UpdateModelName(" + name +
           "),ProgressBarForOpen(0),NormalCursor)";
}

std::string TZTApp::openLibraryScript(const std::string& fileName) {
    const std::string name = vex::host::TextConstant(fileName);
    return "Do(DisplayWatches(0),Library,WaitCursor,ProgressBarForOpen(1," + name + "),ExecFile(" +
           name + "),UpdateModelName(" + name + "),ProgressBarForOpen(0),NormalCursor,TreeRefresh)";
}

// Runs an operation so that no exception leaves it: any exception becomes a failure status
// carrying its message. Every operation that comes here runs a script, so none starts while a
// run waits in the debugger: it would run inside the paused run, on its model.
TAutomationStatus TZTApp::safeCall(const std::function<void()>& operation) {
    try {
        if (TDebuggerServices* debugger = DebuggerServicesOf(context());
            debugger && debugger->HoldsRun()) {
            failWith(DebuggerText(dtRunHeld));
        }
        operation();
        return TAutomationStatus::success();
    } catch (const std::exception& error) {
        return TAutomationStatus::failure(QString::fromUtf8(error.what()));
    } catch (...) {
        return TAutomationStatus::failure(QStringLiteral("Unexpected failure"));
    }
}

vex::TLanguageInterpreter& TZTApp::context() const {
    vex::TLanguageInterpreter* context = m_context ? m_context() : vex::GlobalContext;
    if (!context) {
        throw std::runtime_error("The scripting runtime is not running.");
    }
    return *context;
}

bool TZTApp::hasWords() const {
    return context().Registry.Count() > 0;
}

bool TZTApp::Abort(bool anyCall) {
    return TAutomationCall::abort(anyCall ? nullptr : this);
}

double TZTApp::run(const std::string& script, QByteArray* text, TErrors errors) const {
    vex::TLanguageInterpreter& runtime = context();
    TAutomationCall call(this, runtime, std::chrono::milliseconds(m_timeLimit.load()));
    vex::TText resultText;
    const double number = runtime.ExecuteExternal(script, resultText);
    if (!call.failure().isEmpty()) {
        failWith(call.failure());
    }
    if (errors == TErrors::Fail && !call.firstReportedError().isEmpty()) {
        failWith(call.firstReportedError());
    }
    if (text) {
        *text = QByteArray(resultText.data(), static_cast<qsizetype>(resultText.size()));
    }
    return number;
}

TAutomationStatus TZTApp::NewModel() {
    return safeCall([&] { run("tztfnc([new model])"); });
}

TAutomationStatus TZTApp::SaveModel() {
    return safeCall(
        [&] { run("kernelfnc([save model under same name])", nullptr, TErrors::Fail); });
}

// Everything that can be known before the read is checked before anything changes; what the
// read itself reports is undone by the keeper.
TAutomationStatus TZTApp::open(const QString& fileName, TAutomationValue& result, bool library) {
    result.clear();
    return safeCall([&] {
        if (!fitsWindows1252(fileName)) {
            failWith(ShellText(stCannotOpen).arg(fileName, ShellText(stNameOutsideCodePage)));
        }
        if (!QFileInfo(fileName).isFile()) {
            result = TAutomationValue::fromInteger(-1);
            return;
        }
        if (QFile file(fileName); !file.open(QIODevice::ReadOnly)) {
            failWith(ShellText(stCannotOpen).arg(fileName, file.errorString()));
        }
        const std::string name = toScriptText(fileName);
        TModelKeeper keeper(context());
        try {
            const double number = run(library ? openLibraryScript(name) : openModelScript(name),
                                      nullptr, TErrors::Fail);
            result = TAutomationValue::fromDouble(number);
        } catch (...) {
            keeper.endFileRead();
            library ? keeper.dropLibraryAdditions() : keeper.restoreModel();
            throw;
        }
    });
}

TAutomationStatus TZTApp::OpenModel(const QString& fileName, TAutomationValue& result) {
    return open(fileName, result, false);
}

TAutomationStatus TZTApp::OpenLibrary(const QString& fileName, TAutomationValue& result) {
    return open(fileName, result, true);
}

TAutomationStatus TZTApp::ExecuteScript(const QString& script, QString& resultText,
                                        TAutomationValue& result) {
    resultText.clear();
    result.clear();
    return safeCall([&] {
        if (!hasWords()) {
            return;
        }
        QByteArray text;
        const double number = run(toScriptText(script), &text);
        result = TAutomationValue::fromDouble(number);
        resultText = fromWindows1252(text);
    });
}

TAutomationStatus TZTApp::ExecuteScriptText(const QString& script, TAutomationValue& result) {
    result.clear();
    return safeCall([&] {
        if (!hasWords()) {
            result = TAutomationValue::fromString(QString());
            return;
        }
        QByteArray text;
        run(toScriptText(script), &text);
        result = TAutomationValue::fromString(fromWindows1252(text));
    });
}
