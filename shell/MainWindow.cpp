#include "shell/MainWindow.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "host/WordReference.h"
#include "host/model/ModelFile.h"
#include "host/model/ModelServices.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "services/FileDialogs.h"
#include "services/FormPlacement.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ModelKeeper.h"
#include "shell/ModelTreeView.h"
#include "shell/ShellTexts.h"
#include "shell/automation/ZTApp.h"
#include "ui_MainWindow.h"

#include "Version.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTextBrowser>

#include <algorithm>
#include <cerrno>
#include <sstream>

using vex::host::TModel;

namespace {

// How often the status bar looks at the model's name and clock.
constexpr int kStatusPollMilliseconds = 250;

// A path as the scripts' code page holds it.
std::string toScriptText(const QString& text) {
    return toWindows1252(text).toStdString();
}

QString fromScriptText(const std::string& text) {
    return fromWindows1252(QByteArray::fromStdString(text));
}

} // namespace

TMainWindow::TMainWindow(vex::TLanguageInterpreter* context, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::TMainWindow>())
    , m_context(context)
    , m_services(context ? &vex::host::ModelServicesOf(*context) : nullptr) {
    m_ui->setupUi(this);
    translate();
    setUpEditor();
    setUpModelPanel();
    setUpStatusBar();
    connectActions();
    statusBar()->showMessage(ShellText(stReady));
    LoadFormPlacement(this);
}

TMainWindow::~TMainWindow() {
    SaveFormPlacement(this);
}

bool TMainWindow::openScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        statusBar()->showMessage(ShellText(stCannotOpen).arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        statusBar()->showMessage(ShellText(stCannotRead).arg(path, file.errorString()));
        return false;
    }
    m_ui->edScript->setPlainText(fromWindows1252(bytes));
    setWindowTitle(ShellText(stScriptTitle).arg(QFileInfo(path).fileName()));
    statusBar()->clearMessage();
    return true;
}

bool TMainWindow::newModel() {
    if (!m_services)
        return false;
    const bool cleared = runScript("tztfnc([new model])");
    if (cleared)
        statusBar()->showMessage(ShellText(stNewModelStarted));
    return cleared;
}

// The model goes first (the opening text starts with "new model"), so it is kept as its model
// file text and read back when the new file reports an error.
bool TMainWindow::openModel(const QString& path) {
    if (!m_services || !canRead(path))
        return false;
    TModelKeeper keeper(*m_context);
    const bool read = runScript(TZTApp::openModelScript(toScriptText(path)));
    keeper.endFileRead();
    if (!read) {
        keeper.restoreModel();
        statusBar()->showMessage(ShellText(stModelKept).arg(path));
        return false;
    }
    statusBar()->showMessage(ShellText(stModelOpened).arg(QFileInfo(path).fileName()));
    return true;
}

bool TMainWindow::openLibrary(const QString& path) {
    if (!m_services || !canRead(path))
        return false;
    TModelKeeper keeper(*m_context);
    const bool read = runScript(TZTApp::openLibraryScript(toScriptText(path)));
    keeper.endFileRead();
    if (!read) {
        keeper.dropLibraryAdditions();
        statusBar()->showMessage(ShellText(stLibraryDropped).arg(path));
        return false;
    }
    statusBar()->showMessage(ShellText(stLibraryOpened).arg(QFileInfo(path).fileName()));
    return true;
}

bool TMainWindow::saveModel() {
    if (!m_services)
        return false;
    if (m_services->Model.FileName.empty()) {
        const QString path = showSaveFileDialog(
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
    if (!m_services || !canName(path, stCannotSave))
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

TModelTreeView* TMainWindow::modelTree() const {
    return m_ui->tvAtoms;
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
}

void TMainWindow::closeEvent(QCloseEvent* event) {
    if (!confirmDiscardOnQuit()) {
        event->ignore();
        return;
    }
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

void TMainWindow::acOpenScriptTriggered() {
    const QString path = askForFileToOpen(ShellText(stOpenScriptTitle));
    if (!path.isEmpty())
        openScript(path);
}

void TMainWindow::acWordReferenceTriggered() {
    showWordReference();
}

void TMainWindow::acAboutTriggered() {
    showMessageBox({this, QMessageBox::Information, ShellText(stAboutTitle),
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

void TMainWindow::translate() {
    TranslateForm(this);
}

void TMainWindow::setUpEditor() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    m_ui->edScript->setFont(font);
    m_ui->spClient->setStretchFactor(1, 3);
    m_ui->spClient->setSizes({200, 600});
}

// Without a context there is no model: the panel says so and the model's items stay disabled.
void TMainWindow::setUpModelPanel() {
    const bool hasModel = m_services != nullptr;
    m_ui->lblNoModel->setVisible(!hasModel);
    for (QAction* action : {m_ui->acNewModel, m_ui->acOpenModel, m_ui->acOpenLibrary,
                            m_ui->acSaveModel, m_ui->acWordReference})
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
    updateStatus();
    m_statusPoll.setInterval(kStatusPollMilliseconds);
    connect(&m_statusPoll, &QTimer::timeout, this, &TMainWindow::updateStatus);
    m_statusPoll.start();
}

void TMainWindow::connectActions() {
    connect(m_ui->acNewModel, &QAction::triggered, this, &TMainWindow::acNewModelTriggered);
    connect(m_ui->acOpenModel, &QAction::triggered, this, &TMainWindow::acOpenModelTriggered);
    connect(m_ui->acOpenLibrary, &QAction::triggered, this, &TMainWindow::acOpenLibraryTriggered);
    connect(m_ui->acSaveModel, &QAction::triggered, this, &TMainWindow::acSaveModelTriggered);
    connect(m_ui->acOpenScript, &QAction::triggered, this, &TMainWindow::acOpenScriptTriggered);
    connect(m_ui->acExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->acWordReference, &QAction::triggered, this,
            &TMainWindow::acWordReferenceTriggered);
    connect(m_ui->acAbout, &QAction::triggered, this, &TMainWindow::acAboutTriggered);
    connect(m_ui->acTraceWindow, &QAction::triggered, this, &TMainWindow::acTraceWindowTriggered);
    connect(m_ui->acErrorWindow, &QAction::triggered, this, &TMainWindow::acErrorWindowTriggered);
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
    return showMessageBox({this, QMessageBox::Question, QString(), ShellText(question).arg(name),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No}) ==
           QMessageBox::Yes;
}

// Quitting loses the model as a new one does, so it asks the same question.
bool TMainWindow::confirmDiscardOnQuit() {
    return confirmDiscard(stDiscardModelOnQuit);
}

QString TMainWindow::askForFileToOpen(const QString& title) {
    return showOpenFileDialog({this, title, QString(), ShellText(stScriptFilter)});
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

bool TMainWindow::reportFileError(TShellText failure, const QString& path, const QString& reason) {
    const QString message = ShellText(failure).arg(path, reason);
    statusBar()->showMessage(message);
    showMessageBox({this, QMessageBox::Critical, ShellText(stErrorTitle), message});
    return false;
}

// Runs a script in the context; false when it reported an error (which the error window then
// shows). The model words ask the tree to refresh for what they change.
bool TMainWindow::runScript(const std::string& script) {
    const qsizetype errorsBefore = ErrorLog().size();
    vex::TText ignored;
    m_context->ExecuteText(script, ignored);
    return ErrorLog().size() == errorsBefore;
}
