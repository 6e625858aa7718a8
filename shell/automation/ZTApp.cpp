#include "shell/automation/ZTApp.h"

#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/RunGuard.h"
#include "editing/ApplicationServices.h"
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

// How an operation fails with a message for its caller.
[[noreturn]] void failWith(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

} // namespace

TZTApp::TZTApp(TApplicationServices& services)
    : m_services(services) {}

TZTApp::~TZTApp() = default;

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
// carrying its message. Every operation that comes here runs a script, so none starts while
// another run goes (the windows are served between its nodes, and calls with them): it would run
// inside that run, on its model, and the person's Stop and the call's Abort would reach each
// other's run.
TAutomationStatus TZTApp::safeCall(const std::function<void()>& operation) {
    try {
        if (TDebuggerServices* debugger = DebuggerServicesOf(context());
            debugger && debugger->RunGoes()) {
            failWith(debugger->HoldsRun() ? DebuggerText(dtRunHeld) : ShellText(stRunGoesCall));
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
    vex::TLanguageInterpreter* context = m_services.Context;
    if (!context) {
        throw std::runtime_error("The scripting runtime is not running.");
    }
    return *context;
}

bool TZTApp::hasWords() const {
    return context().WordCount() > 0;
}

bool TZTApp::Abort(bool anyCall) {
    return TAutomationCall::abort(anyCall ? nullptr : this);
}

vex::TRunResult TZTApp::run(const std::string& script) const {
    vex::TLanguageInterpreter& runtime = context();
    const TRunGuard guard(runtime, TRunOwner::Client);
    TAutomationCall call(this, m_services, std::chrono::milliseconds(m_timeLimit.load()));
    vex::TRunResult result = runtime.RunExternal(script);
    call.CheckRun(result);
    if (!call.failure().isEmpty()) {
        failWith(call.failure());
    }
    return result;
}

// The message as the error window shows it, after its place.
void TZTApp::failOnErrors(const vex::TRunResult& result) {
    if (!result.Errors.empty()) {
        failWith(fromWindows1252(vex::PrintableMessage(result.Errors.front().Shown())));
    }
}

TAutomationStatus TZTApp::NewModel() {
    return safeCall([&] { run("tztfnc([new model])"); });
}

TAutomationStatus TZTApp::SaveModel() {
    return safeCall([&] { failOnErrors(run("kernelfnc([save model under same name])")); });
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
        const vex::TRunResult read = TModelKeeper::readKeepingModel(context(), library, [&] {
            return run(library ? openLibraryScript(name) : openModelScript(name));
        });
        failOnErrors(read);
        // An abort that no call of ours asked for (the call's own abort has failed it already)
        // still undid the read: it is no success either.
        if (!read.Succeeded()) {
            failWith(ShellText(stCallAborted));
        }
        result = TAutomationValue::fromDouble(read.Number);
    });
}

TAutomationStatus TZTApp::OpenModel(const QString& fileName, TAutomationValue& result) {
    return open(fileName, result, false);
}

TAutomationStatus TZTApp::OpenLibrary(const QString& fileName, TAutomationValue& result) {
    return open(fileName, result, true);
}

TAutomationStatus TZTApp::RunClientScript(const QString& script, QString& resultText,
                                          TAutomationValue& result) {
    resultText.clear();
    result.clear();
    return safeCall([&] {
        if (!hasWords()) {
            return;
        }
        const vex::TRunResult run = this->run(toScriptText(script));
        result = TAutomationValue::fromDouble(run.Number);
        resultText = fromWindows1252(QByteArray::fromStdString(run.Text));
    });
}

TAutomationStatus TZTApp::RunClientScriptForText(const QString& script, TAutomationValue& result) {
    result.clear();
    return safeCall([&] {
        if (!hasWords()) {
            result = TAutomationValue::fromString(QString());
            return;
        }
        const vex::TRunResult run = this->run(toScriptText(script));
        result = TAutomationValue::fromString(fromWindows1252(QByteArray::fromStdString(run.Text)));
    });
}
