#include "shell/MainWindow.h"

#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/RunGuard.h"
#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "debugging/UserRun.h"
#include "editing/ApplicationServices.h"
#include "editing/EditingTexts.h"
#include "editing/RuntimeLookup.h"
#include "editing/ScriptEditor.h"
#include "editing/ScriptFile.h"
#include "editing/VexScriptEditor.h"
#include "editing/WordList.h"
#include "host/ScriptSession.h"
#include "host/WordReference.h"
#include "host/model/ModelFile.h"
#include "host/model/ModelServices.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "runtime/VexScript.h"
#include "services/FileDialogs.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"
#include "shell/ModelKeeper.h"
#include "shell/ModelRunProgress.h"
#include "shell/ModelTreeView.h"
#include "shell/ShellTexts.h"
#include "shell/automation/ZTApp.h"
#include "ui_MainWindow.h"

#include "Version.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <sstream>

using vex::host::TModel;
using zentaro::platform::TRegistryKey;
using zentaro::platform::TRegistryStatus;
using zentaro::platform::TRegistryType;
using zentaro::platform::TRegistryValue;

namespace {

// How often the status bar looks at the model's name and clock.
constexpr int kStatusPollMilliseconds = 250;

// Where the person's choice of stopping at the first error is kept between sessions.
constexpr char kStopAtFirstErrorValue[] = "Stop At First Error";

std::string generalKeyPath() {
    return std::string(SettingsRootKey) + "\\General";
}

// Off unless the value is the 32-bit integer 1: a missing key or value, another type or another
// number gives the default.
bool storedStopAtFirstError() {
    TRegistryKey general;
    TRegistryValue value;
    return TRegistryKey::CurrentUser().OpenKey(generalKeyPath(), general) ==
               TRegistryStatus::Success &&
           general.QueryValue(kStopAtFirstErrorValue, value) == TRegistryStatus::Success &&
           value.Type == TRegistryType::Integer && value.Integer == 1;
}

// Written at once, so the choice survives a session that does not end cleanly. A failed write
// is not reported: the choice holds for this session all the same.
void storeStopAtFirstError(bool on) {
    TRegistryKey general;
    if (TRegistryKey::CurrentUser().CreateKey(generalKeyPath(), general) ==
        TRegistryStatus::Success)
        general.SetValue(kStopAtFirstErrorValue, TRegistryValue::FromInteger(on ? 1 : 0));
}

// A path as the scripts' code page holds it.
// The editor's "Show trace window": a new error window with every logged error.
void showFreshErrorWindow() {
    CloseErrorWindow();
    ShowErrorWindow();
}

} // namespace

class TMainWindow::TPanelRunner final : public TScriptRunner {
public:
    explicit TPanelRunner(TMainWindow& window)
        : m_window(window) {}

    vex::TRunResult RunScript(std::string_view script, int firstLine) override {
        return m_window.runScriptText(script, firstLine, false);
    }
    vex::TCheckResult CheckScript(std::string_view script, int firstLine,
                                  const vex::TBindingObject* object,
                                  const TStatementTrees& trees) override {
        return m_window.checkScriptText(script, firstLine, object, trees);
    }

private:
    TMainWindow& m_window;
};

TMainWindow::TMainWindow(vex::TLanguageInterpreter* context, QWidget* parent)
    : TMainWindow(servicesOver(context), parent) {}

TMainWindow::TMainWindow(TApplicationServices& services, QWidget* parent)
    : TMainWindow(nullptr, services, parent) {}

TMainWindow::TMainWindow(TApplicationServices* own, QWidget* parent)
    : TMainWindow(own, *own, parent) {}

TMainWindow::TMainWindow(TApplicationServices* own, TApplicationServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_ownServices(own)
    , m_applicationServices(services)
    , m_ui(std::make_unique<Ui::TMainWindow>())
    , m_context(services.Context)
    , m_services(m_context ? &vex::host::ModelServicesOf(*m_context) : nullptr) {
    fillInServices();
    m_ui->setupUi(this);
    m_ui->pnScript->SetServices(m_applicationServices);
    translate();
    setUpEditor();
    setUpModelPanel();
    setUpStatusBar();
    setUpStopAtFirstError();
    connectActions();
    connectRunState();
    statusBar()->showMessage(ShellText(stReady));
    LoadFormPlacement(this);
}

TMainWindow::~TMainWindow() {
    SaveFormPlacement(this);
    m_ui->pnScript->SetScriptRunner(nullptr);
    takeBackServices();
}

// The services of a window made over a context alone; the window owns them.
TApplicationServices* TMainWindow::servicesOver(vex::TLanguageInterpreter* context) {
    auto* services = new TApplicationServices;
    services->Context = context;
    return services;
}

void TMainWindow::fillInServices() {
    m_applicationServices.SelectedObject = [this] { return selectedAtom(); };
    m_routesMessages = !m_applicationServices.Messages;
    if (m_routesMessages)
        m_applicationServices.Messages = TraceMessage;
    m_presentsTraceWindow = !m_applicationServices.TraceWindow;
    if (m_presentsTraceWindow)
        m_applicationServices.TraceWindow = showFreshErrorWindow;
}

void TMainWindow::takeBackServices() {
    m_applicationServices.SelectedObject = {};
    if (m_routesMessages)
        m_applicationServices.Messages = {};
    if (m_presentsTraceWindow)
        m_applicationServices.TraceWindow = {};
}

bool TMainWindow::openScript(const QString& path) {
    const TScriptFileText file = ReadScriptFile(path);
    if (!file.Error.isEmpty()) {
        reportFileError(stCannotOpen, path, file.Error);
        return false;
    }
    scriptEditor()->SetScriptText(file.Text);
    m_scriptPath = path;
    updateTitle();
    if (file.LongestLine > kRowCharacterLimit)
        statusBar()->showMessage(ShellText(stLongLine)
                                     .arg(file.LongestLineNumber)
                                     .arg(file.LongestLine)
                                     .arg(kRowCharacterLimit));
    else
        statusBar()->clearMessage();
    return true;
}

void TMainWindow::newScript() {
    scriptEditor()->SetScriptText(QString());
    m_scriptPath.clear();
    updateTitle();
    statusBar()->clearMessage();
}

bool TMainWindow::saveScript() {
    if (m_scriptPath.isEmpty()) {
        const QString path = m_applicationServices.SaveFileName(
            {this, ShellText(stSaveScriptTitle), QStringLiteral("vex"), ShellText(stScriptFilter)});
        return !path.isEmpty() && saveScriptAs(path);
    }
    return saveScriptAs(m_scriptPath);
}

bool TMainWindow::saveScriptAs(const QString& path) {
    const QString reason = SaveScriptFile(path, scriptEditor()->FileText());
    if (!reason.isEmpty()) {
        reportFileError(stCannotSave, path, reason);
        return false;
    }
    m_scriptPath = path;
    scriptEditor()->document()->setModified(false);
    updateTitle();
    statusBar()->showMessage(ShellText(stScriptSaved).arg(path));
    return true;
}

// Each statement runs on its own, as ExecFile runs a script file; a statement that fails is
// reported and the next one runs.
bool TMainWindow::runEditedScript(bool debug) {
    if (!hasRuntime() || debuggerHoldsRun())
        return false;
    const std::string script = scriptEditor()->ScriptBytes();
    const vex::TRunResult result = runScriptText(script, 1, debug);
    recolorScript();
    if (result.Aborted()) {
        statusBar()->showMessage(ShellText(stRunStopped));
        return false;
    }
    if (result.Status == vex::TRunStatus::Error) {
        statusBar()->showMessage(ShellText(stRunFailed));
        return false;
    }
    if (!holdsStatement(script)) {
        statusBar()->showMessage(ShellText(stNoStatement));
        return true;
    }
    const QString value = result.Text.empty()
                              ? QString::fromStdString(vex::FormatNumber(result.Number))
                              : fromScriptText(result.Text);
    statusBar()->showMessage(ShellText(stResult).arg(value));
    return true;
}

bool TMainWindow::checkEditedScript() {
    if (!hasRuntime())
        return false;
    const std::string script = scriptEditor()->ScriptBytes();
    const vex::TCheckResult result = checkScriptText(script, 1, selectedAtom(), {});
    recolorScript();
    if (result.Correct()) {
        statusBar()->showMessage(EditingText(etSyntaxCorrect));
        return true;
    }
    if (result.CompiledNothing()) {
        statusBar()->showMessage(ShellText(stNoStatement));
        return false;
    }
    const int line = result.Outcome.Errors.empty() ? 0 : result.Outcome.Errors.front().Line;
    selectStatementAt(script, line);
    statusBar()->showMessage(ShellText(stStatementFails).arg(line));
    return false;
}

// The person's run of (a part of) the editor's script, by the statement rule of script files:
// its origin is the person's, and with `debug` it pauses at its first node; a run the person
// ends in the debugger (Cancel) runs no further statement.
vex::TRunResult TMainWindow::runScriptText(std::string_view script, int firstLine, bool debug) {
    if (debuggerHoldsRun()) {
        vex::TRunResult refused;
        refused.Status = vex::TRunStatus::Aborted;
        return refused;
    }
    const TRunGuard guard(*m_context, TRunOwner::Person);
    TUserRun userRun(*m_context, debug);
    vex::host::TScriptSession session(*m_context);
    session.StopWhen([&userRun] { return userRun.Ended(); });
    vex::TRunResult result = session.Run(scriptPlaceName(), script, firstLine);
    // The person ended it (Stop, Cancel, Yes to stopping it): it did not run to its end.
    if (userRun.Ended())
        result.Status = vex::TRunStatus::Aborted;
    return result;
}

vex::TCheckResult TMainWindow::checkScriptText(std::string_view script, int firstLine,
                                               const vex::TBindingObject* object,
                                               const TScriptRunner::TStatementTrees& trees) {
    vex::host::TScriptSession::TCheckObserver observer;
    if (trees)
        observer.Compiled = [&trees](const vex::host::TStatement& statement,
                                     const vex::TCodeNode* tree) { trees(statement.Line, tree); };
    return vex::host::TScriptSession(*m_context)
        .Check(scriptPlaceName(), script, vex::TGuiBinding{object, nullptr}, observer, firstLine);
}

// The name errors of the editor's script go by: its file, or "Untitled".
std::string TMainWindow::scriptPlaceName() const {
    return toScriptText(m_scriptPath.isEmpty() ? ShellText(stUntitled) : m_scriptPath);
}

// Selects the statement that starts on `line` (its leading blanks left out).
void TMainWindow::selectStatementAt(const std::string& script, int line) {
    for (const vex::host::TStatement& statement : vex::host::ScriptStatements(script)) {
        const std::size_t first = statement.Text.find_first_not_of(" \t\r\n");
        if (statement.Line != line || first == std::string::npos)
            continue;
        const QTextBlock block = scriptEditor()->document()->findBlockByNumber(line - 1);
        const int start = block.position() + static_cast<int>(first);
        const int length = fromScriptText(statement.Text.substr(first)).size();
        QTextCursor selection = scriptEditor()->textCursor();
        selection.setPosition(start);
        selection.setPosition(start + length, QTextCursor::KeepAnchor);
        scriptEditor()->setTextCursor(selection);
        return;
    }
}

// Whether a script has a statement that is not blank.
bool TMainWindow::holdsStatement(const std::string& script) {
    for (const vex::host::TStatement& statement : vex::host::ScriptStatements(script))
        if (!vex::RemoveWhitespaceAndComments(statement.Text).empty())
            return true;
    return false;
}

// Without a context there is nothing to run in; the status bar says so.
bool TMainWindow::hasRuntime() {
    if (!m_context)
        statusBar()->showMessage(ShellText(stNoRuntime));
    return m_context != nullptr;
}

// Builds the editor's rows again after a run or a check, so that the globals it declared show
// in their colour.
void TMainWindow::recolorScript() {
    scriptEditor()->RebuildRows();
    scriptEditor()->viewport()->update();
}

TVexScriptEditor* TMainWindow::scriptEditor() const {
    return m_ui->pnScript->Editor();
}

bool TMainWindow::newModel() {
    if (!m_services || debuggerHoldsRun())
        return false;
    const bool cleared = runScript("tztfnc([new model])");
    if (cleared)
        statusBar()->showMessage(ShellText(stNewModelStarted));
    return cleared;
}

// The model goes first (the opening text starts with "new model"), so it is kept as its model
// file text and read back when the new file reports an error.
bool TMainWindow::openModel(const QString& path) {
    if (!m_services || debuggerHoldsRun() || !canRead(path))
        return false;
    const std::string script = TZTApp::openModelScript(toScriptText(path));
    const TRunGuard guard(*m_context, TRunOwner::Person);
    const bool read = TModelKeeper::readKeepingModel(*m_context, false, [&] {
                          return m_context->Run(script);
                      }).Succeeded();
    if (!read) {
        statusBar()->showMessage(ShellText(stModelKept).arg(path));
        return false;
    }
    statusBar()->showMessage(ShellText(stModelOpened).arg(QFileInfo(path).fileName()));
    return true;
}

bool TMainWindow::openLibrary(const QString& path) {
    if (!m_services || debuggerHoldsRun() || !canRead(path))
        return false;
    const std::string script = TZTApp::openLibraryScript(toScriptText(path));
    const TRunGuard guard(*m_context, TRunOwner::Person);
    const bool read = TModelKeeper::readKeepingModel(*m_context, true, [&] {
                          return m_context->Run(script);
                      }).Succeeded();
    if (!read) {
        statusBar()->showMessage(ShellText(stLibraryDropped).arg(path));
        return false;
    }
    statusBar()->showMessage(ShellText(stLibraryOpened).arg(QFileInfo(path).fileName()));
    return true;
}

bool TMainWindow::saveModel() {
    if (!m_services || debuggerHoldsRun())
        return false;
    if (m_services->Model.FileName.empty()) {
        const QString path = m_applicationServices.SaveFileName(
            {this, ShellText(stSaveModelTitle), QStringLiteral("vex"), ShellText(stScriptFilter)});
        return !path.isEmpty() && saveModelAs(path);
    }
    if (!runScript("kernelfnc([save model under same name])")) {
        statusBar()->showMessage(ShellText(stModelNotSaved));
        return false;
    }
    statusBar()->showMessage(
        ShellText(stModelSaved).arg(fromScriptText(m_services->Model.FileName)));
    updateStatus();
    return true;
}

bool TMainWindow::saveModelAs(const QString& path) {
    if (!m_services || debuggerHoldsRun() || !canName(path, stCannotSave))
        return false;
    const std::string name = vex::host::TextConstant(toScriptText(path));
    if (!runScript("kernelfnc([save model as]," + name + ")")) {
        statusBar()->showMessage(ShellText(stModelNotSaved));
        return false;
    }
    statusBar()->showMessage(ShellText(stModelSaved).arg(path));
    updateStatus();
    return true;
}

// The reference is written from the context's registry, so it always matches the running words.
void TMainWindow::showWordReference() {
    if (!m_context)
        return;
    if (!m_wordReference) {
        m_wordReference = new QTextBrowser(this);
        m_wordReference->setObjectName(QStringLiteral("formWordReference"));
        m_wordReference->setWindowFlag(Qt::Window);
        m_wordReference->setWindowTitle(ShellText(stWordReferenceTitle));
        m_wordReference->resize(900, 650);
    }
    std::ostringstream reference;
    vex::host::WriteWordReference(*m_context, reference);
    m_wordReference->setMarkdown(fromScriptText(reference.str()));
    m_wordReference->show();
    m_wordReference->raise();
    m_wordReference->activateWindow();
}

void TMainWindow::showDebugger() {
    if (TDebuggerServices* debugger = m_context ? DebuggerServicesOf(*m_context) : nullptr)
        debugger->ShowWindow();
}

TModelTreeView* TMainWindow::modelTree() const {
    return m_ui->tvAtoms;
}

const vex::TBindingObject* TMainWindow::selectedAtom() const {
    const QTreeWidgetItem* item = modelTree()->currentItem();
    if (!m_services || !item)
        return nullptr;
    return m_services->Model.FindAtom(TModelTreeView::atomOf(item));
}

void TMainWindow::updateStatus() {
    if (!m_services)
        return;
    const TModel& model = m_services->Model;
    const QString name = fromScriptText(model.FindAtom(model.Root())->AtomName());
    const QString file = fromScriptText(model.FileName);
    const QString nameText =
        file.isEmpty() ? ShellText(stModelName).arg(name)
                       : ShellText(stModelNameAndFile).arg(name, QFileInfo(file).fileName());
    const QString clockText =
        ShellText(stClock).arg(QString::fromStdString(vex::FormatNumber(model.Clock())));
    if (m_ui->lblModelName->text() != nameText) {
        m_ui->lblModelName->setText(nameText);
        m_ui->lblModelName->setToolTip(file);
    }
    if (m_ui->lblClock->text() != clockText)
        m_ui->lblClock->setText(clockText);
    if (m_runProgress)
        m_runProgress->Update();
}

// The cancelled run ends as soon as the event that closes the window has been handled; the
// application then leaves its message loop.
void TMainWindow::closeEvent(QCloseEvent* event) {
    if (TDebuggerServices* services = debugger();
        services && services->RunGoes() && !services->HoldsRun()) {
        event->ignore();
        if (!m_quitAfterRun && confirmStopOnQuit())
            m_quitAfterRun = true;
        return;
    }
    if (!confirmScriptDiscard() || !confirmDiscardOnQuit()) {
        event->ignore();
        return;
    }
    if (TDebuggerServices* debugger = m_context ? DebuggerServicesOf(*m_context) : nullptr)
        debugger->CancelRun();
    QMainWindow::closeEvent(event);
}

void TMainWindow::acNewModelTriggered() {
    if (confirmDiscard())
        newModel();
}

void TMainWindow::acOpenModelTriggered() {
    const QString path = askForFileToOpen(ShellText(stOpenModelTitle));
    if (!path.isEmpty() && confirmDiscard())
        openModel(path);
}

void TMainWindow::acOpenLibraryTriggered() {
    const QString path = askForFileToOpen(ShellText(stOpenLibraryTitle));
    if (!path.isEmpty())
        openLibrary(path);
}

void TMainWindow::acSaveModelTriggered() {
    saveModel();
}

void TMainWindow::acNewScriptTriggered() {
    if (confirmScriptDiscard())
        newScript();
}

void TMainWindow::acOpenScriptTriggered() {
    const QString path = askForFileToOpen(ShellText(stOpenScriptTitle));
    if (!path.isEmpty() && confirmScriptDiscard())
        openScript(path);
}

void TMainWindow::acSaveScriptTriggered() {
    saveScript();
}

void TMainWindow::acSaveScriptAsTriggered() {
    const QString path = m_applicationServices.SaveFileName(
        {this, ShellText(stSaveScriptTitle), QStringLiteral("vex"), ShellText(stScriptFilter)});
    if (!path.isEmpty())
        saveScriptAs(path);
}

void TMainWindow::acRunTriggered() {
    runEditedScript();
}

void TMainWindow::acDebugTriggered() {
    runEditedScript(true);
}

void TMainWindow::acCheckSyntaxTriggered() {
    checkEditedScript();
}

void TMainWindow::acWordReferenceTriggered() {
    showWordReference();
}

void TMainWindow::acAboutTriggered() {
    m_applicationServices.ShowMessageBox(
        {this, QMessageBox::Information, ShellText(stAboutTitle),
         ShellText(stAboutText).arg(QStringLiteral(ZENTARO_VERSION))});
}

void TMainWindow::acTraceWindowTriggered() {
    TformTrace* window = GetTraceWindow();
    window->show();
    window->raise();
}

void TMainWindow::acErrorWindowTriggered() {
    ShowErrorWindow();
    GetErrorWindow()->raise();
}

void TMainWindow::acDebuggerTriggered() {
    showDebugger();
}

void TMainWindow::acStopTriggered() {
    if (TDebuggerServices* services = debugger())
        services->StopRun();
}

void TMainWindow::acStopAtFirstErrorTriggered(bool on) {
    m_services->Preferences.StopAtFirstError = on;
    storeStopAtFirstError(on);
}

void TMainWindow::runStateChanged(bool running) {
    const bool hasModel = m_services != nullptr;
    for (QAction* action : {m_ui->acNewModel, m_ui->acOpenModel, m_ui->acOpenLibrary,
                            m_ui->acSaveModel, m_ui->acDebug})
        action->setEnabled(hasModel && !running);
    for (QAction* action : {m_ui->acRun, m_ui->acCheckSyntax})
        action->setEnabled(!running);
    const TDebuggerServices* services = debugger();
    m_ui->acStop->setEnabled(running && services && services->RunOwner() == TRunOwner::Person);
    if (running) {
        statusBar()->showMessage(ShellText(stRunning));
        return;
    }
    if (m_quitAfterRun) {
        // After the run has unwound, not inside the event that ended it.
        QTimer::singleShot(0, this, [this] {
            m_quitAfterRun = false;
            close();
        });
    }
}

// A person's run ends at its next node (a paused one is cancelled); a client's call is ended
// as its Abort would, since the application goes away under it.
bool TMainWindow::confirmStopOnQuit() {
    if (m_applicationServices.ShowMessageBox(
            {this, QMessageBox::Question, QString(), ShellText(stStopAndQuit),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::No}) != QMessageBox::Yes)
        return false;
    TDebuggerServices* services = debugger();
    if (services->HoldsRun())
        services->CancelRun();
    services->NoteEndedRun();
    m_context->RequestAbort();
    return true;
}

TDebuggerServices* TMainWindow::debugger() const {
    return m_context ? DebuggerServicesOf(*m_context) : nullptr;
}

// The debugger services are made after the window by the application; a window made before
// them (or without them) connects when they appear through the first run's guard.
void TMainWindow::connectRunState() {
    if (TDebuggerServices* services = debugger())
        connect(services, &TDebuggerServices::runStateChanged, this, &TMainWindow::runStateChanged,
                Qt::UniqueConnection);
}

void TMainWindow::translate() {
    TranslateForm(this);
}

void TMainWindow::setUpEditor() {
    m_ui->spClient->setStretchFactor(1, 3);
    m_ui->spClient->setSizes({200, 600});
    connect(scriptEditor()->document(), &QTextDocument::modificationChanged, this,
            &TMainWindow::scriptModificationChanged);
    // The editor's Open and Save as are the File menu's, so that the title names the file, a
    // changed script is not lost and Save script writes where the text came from. Inside the
    // editor its keys win (Ctrl+O switches colouring, F1 opens the word's help); elsewhere in the
    // window Ctrl+O opens a script and F1 the word reference.
    scriptEditor()->OnOpenCommand = [this](TVexScriptEditor*) { acOpenScriptTriggered(); };
    scriptEditor()->OnSaveAsCommand = [this](TVexScriptEditor*) { acSaveScriptAsTriggered(); };
    // The panel holds a whole script: its Execute, Syntax check and Syntax tree cut it as the
    // Script menu does.
    if (m_context) {
        m_panelRunner = std::make_unique<TPanelRunner>(*this);
        m_ui->pnScript->SetScriptRunner(m_panelRunner.get());
    }
}

// "Zentaro" alone until the editor holds a script of its own; then the script's name, marked
// while it has unsaved changes.
void TMainWindow::updateTitle() {
    const QString name =
        m_scriptPath.isEmpty() ? ShellText(stUntitled) : QFileInfo(m_scriptPath).fileName();
    setWindowTitle(ShellText(stScriptTitle).arg(name + QStringLiteral("[*]")));
    setWindowModified(scriptEditor()->document()->isModified());
    m_scriptTitled = true;
}

void TMainWindow::scriptModificationChanged(bool modified) {
    if (!m_scriptTitled)
        updateTitle();
    setWindowModified(modified);
}

// Asked before a changed script is replaced or the window closes: Yes saves (and a failed or
// cancelled save keeps the script), No discards, Cancel keeps the script.
bool TMainWindow::confirmScriptDiscard() {
    if (!scriptEditor()->document()->isModified())
        return true;
    const QString name =
        m_scriptPath.isEmpty() ? ShellText(stUntitled) : QFileInfo(m_scriptPath).fileName();
    switch (m_applicationServices.ShowMessageBox(
        {this, QMessageBox::Question, QString(), ShellText(stSaveChanges).arg(name),
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes})) {
    case QMessageBox::Yes:
        return saveScript();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

// Without a context there is no model: the panel says so and the model's items stay disabled.
void TMainWindow::setUpModelPanel() {
    const bool hasModel = m_services != nullptr;
    m_ui->lblNoModel->setVisible(!hasModel);
    for (QAction* action :
         {m_ui->acNewModel, m_ui->acOpenModel, m_ui->acOpenLibrary, m_ui->acSaveModel,
          m_ui->acWordReference, m_ui->acDebug, m_ui->acDebugger, m_ui->acStopAtFirstError})
        action->setEnabled(hasModel);
    m_ui->tvAtoms->attach(m_services);
}

void TMainWindow::setUpStatusBar() {
    statusBar()->addPermanentWidget(m_ui->lblModelName);
    statusBar()->addPermanentWidget(m_ui->lblClock);
    m_ui->lblModelName->setVisible(m_services != nullptr);
    m_ui->lblClock->setVisible(m_services != nullptr);
    if (!m_services)
        return;
    m_runProgress = std::make_unique<TModelRunProgress>(*statusBar(), m_services->Model);
    updateStatus();
    m_statusPoll.setInterval(kStatusPollMilliseconds);
    connect(&m_statusPoll, &QTimer::timeout, this, &TMainWindow::updateStatus);
    m_statusPoll.start();
}

// The stored choice becomes the context's preference; without a context the item stays disabled.
void TMainWindow::setUpStopAtFirstError() {
    if (!m_services)
        return;
    const bool on = storedStopAtFirstError();
    m_services->Preferences.StopAtFirstError = on;
    m_ui->acStopAtFirstError->setChecked(on);
}

void TMainWindow::connectActions() {
    connect(m_ui->acNewModel, &QAction::triggered, this, &TMainWindow::acNewModelTriggered);
    connect(m_ui->acOpenModel, &QAction::triggered, this, &TMainWindow::acOpenModelTriggered);
    connect(m_ui->acOpenLibrary, &QAction::triggered, this, &TMainWindow::acOpenLibraryTriggered);
    connect(m_ui->acSaveModel, &QAction::triggered, this, &TMainWindow::acSaveModelTriggered);
    connect(m_ui->acNewScript, &QAction::triggered, this, &TMainWindow::acNewScriptTriggered);
    connect(m_ui->acOpenScript, &QAction::triggered, this, &TMainWindow::acOpenScriptTriggered);
    connect(m_ui->acSaveScript, &QAction::triggered, this, &TMainWindow::acSaveScriptTriggered);
    connect(m_ui->acSaveScriptAs, &QAction::triggered, this, &TMainWindow::acSaveScriptAsTriggered);
    connect(m_ui->acRun, &QAction::triggered, this, &TMainWindow::acRunTriggered);
    connect(m_ui->acDebug, &QAction::triggered, this, &TMainWindow::acDebugTriggered);
    connect(m_ui->acCheckSyntax, &QAction::triggered, this, &TMainWindow::acCheckSyntaxTriggered);
    connect(m_ui->acExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->acWordReference, &QAction::triggered, this,
            &TMainWindow::acWordReferenceTriggered);
    connect(m_ui->acAbout, &QAction::triggered, this, &TMainWindow::acAboutTriggered);
    connect(m_ui->acTraceWindow, &QAction::triggered, this, &TMainWindow::acTraceWindowTriggered);
    connect(m_ui->acErrorWindow, &QAction::triggered, this, &TMainWindow::acErrorWindowTriggered);
    connect(m_ui->acDebugger, &QAction::triggered, this, &TMainWindow::acDebuggerTriggered);
    connect(m_ui->acStop, &QAction::triggered, this, &TMainWindow::acStopTriggered);
    connect(m_ui->acStopAtFirstError, &QAction::triggered, this,
            &TMainWindow::acStopAtFirstErrorTriggered);
    connect(m_ui->tvAtoms, &TModelTreeView::rebuilt, this, &TMainWindow::updateStatus);
}

bool TMainWindow::modelHasAtoms() const {
    const TModel& model = m_services->Model;
    return !model.FindAtom(model.Root())->Children().empty();
}

// The model has no record of changes since it was saved, so the question comes whenever there
// is something below "model" to lose.
bool TMainWindow::confirmDiscard(TShellText question) {
    if (!m_services || !modelHasAtoms())
        return true;
    const TModel& model = m_services->Model;
    const QString name = fromScriptText(model.FindAtom(model.Root())->AtomName());
    return m_applicationServices.ShowMessageBox(
               {this, QMessageBox::Question, QString(), ShellText(question).arg(name),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No}) == QMessageBox::Yes;
}

// Quitting loses the model as a new one does, so it asks the same question.
bool TMainWindow::confirmDiscardOnQuit() {
    return confirmDiscard(stDiscardModelOnQuit);
}

QString TMainWindow::askForFileToOpen(const QString& title) {
    return m_applicationServices.OpenFileName({this, title, QString(), ShellText(stScriptFilter)});
}

// A file that cannot be read is reported here, before anything of the model changes.
bool TMainWindow::canRead(const QString& path) {
    if (!canName(path, stCannotOpen))
        return false;
    QFile file(path);
    QString reason;
    if (QFileInfo(path).isDir())
        reason = qt_error_string(EISDIR);
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    return reason.isEmpty() || reportFileError(stCannotOpen, path, reason);
}

// The scripts name files in Windows-1252: a name it cannot hold would reach them changed.
bool TMainWindow::canName(const QString& path, TShellText failure) {
    return fitsWindows1252(path) ||
           reportFileError(failure, path, ShellText(stNameOutsideCodePage));
}

// While a run waits in the debugger, nothing that starts another run begins: it would run inside
// the paused one, on the model the paused one stands in.
// While any other run goes, nothing that starts a run begins either: it would run nested in it.
bool TMainWindow::debuggerHoldsRun() {
    TDebuggerServices* services = debugger();
    if (!services || !services->RunGoes())
        return false;
    statusBar()->showMessage(services->HoldsRun() ? DebuggerText(dtRunHeld) : ShellText(stRunGoes));
    return true;
}

bool TMainWindow::reportFileError(TShellText failure, const QString& path, const QString& reason) {
    const QString message = ShellText(failure).arg(path, reason);
    statusBar()->showMessage(message);
    m_applicationServices.ShowMessageBox(
        {this, QMessageBox::Critical, ShellText(stErrorTitle), message});
    return false;
}

// Runs a text of the model's menu items in the context; false when it did not succeed (the
// error window shows the errors). The model words ask the tree to refresh for what they change.
bool TMainWindow::runScript(const std::string& script) {
    const TRunGuard guard(*m_context, TRunOwner::Person);
    return m_context->Run(script).Succeeded();
}
