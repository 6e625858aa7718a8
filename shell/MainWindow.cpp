#include "shell/MainWindow.h"

#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "platform/CodePage.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ShellTexts.h"
#include "ui_MainWindow.h"

#include "Version.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>

TMainWindow::TMainWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::TMainWindow>()) {
    m_ui->setupUi(this);
    translate();
    setUpEditor();
    connectActions();
    statusBar()->showMessage(ShellText(stReady));
}

TMainWindow::~TMainWindow() = default;

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

void TMainWindow::acOpenScriptTriggered() {
    // Qt's own dialog rather than the desktop's, so it looks and behaves the same everywhere.
    const QString path = QFileDialog::getOpenFileName(this, ShellText(stOpenScriptTitle), QString(),
                                                      ShellText(stScriptFilter), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        openScript(path);
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

// The main window brings the language module in; every later window only translates itself.
void TMainWindow::translate() {
    LoadLanguageModule(QStringLiteral("ZT"), CurrentLanguage());
    TranslateForm(this);
}

void TMainWindow::setUpEditor() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    m_ui->edScript->setFont(font);
    m_ui->spClient->setStretchFactor(1, 3);
    m_ui->spClient->setSizes({200, 600});
}

void TMainWindow::connectActions() {
    connect(m_ui->acOpenScript, &QAction::triggered, this, &TMainWindow::acOpenScriptTriggered);
    connect(m_ui->acExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->acAbout, &QAction::triggered, this, &TMainWindow::acAboutTriggered);
    connect(m_ui->acTraceWindow, &QAction::triggered, this, &TMainWindow::acTraceWindowTriggered);
    connect(m_ui->acErrorWindow, &QAction::triggered, this, &TMainWindow::acErrorWindowTriggered);
}
