#include "shell/MainWindow.h"

#include "shell/CodePage.h"

#include "Version.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>

TMainWindow::TMainWindow(QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(tr("Zentaro"));
    createEditor();
    createActions();
    createMenus();
    createStatusBar();
    resize(800, 600);
}

bool TMainWindow::openScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        statusBar()->showMessage(tr("Cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        statusBar()->showMessage(tr("Cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    m_edScript->setPlainText(fromWindows1252(bytes));
    setWindowTitle(tr("%1 - Zentaro").arg(QFileInfo(path).fileName()));
    statusBar()->clearMessage();
    return true;
}

void TMainWindow::acOpenTriggered() {
    // Qt's own dialog rather than the desktop's, so it looks and behaves the same everywhere.
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Script"), QString(),
                                                      tr("VexScript files (*.vex);;All files (*)"),
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        openScript(path);
}

void TMainWindow::acAboutTriggered() {
    QMessageBox::about(this, tr("About Zentaro"),
                       tr("Zentaro %1\nScript editor and debugger for VexScript.")
                           .arg(QStringLiteral(ZENTARO_VERSION)));
}

void TMainWindow::createEditor() {
    m_edScript = new QPlainTextEdit(this);
    m_edScript->setObjectName(QStringLiteral("edScript"));
    m_edScript->setReadOnly(true);
    m_edScript->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    m_edScript->setFont(font);
    setCentralWidget(m_edScript);
}

void TMainWindow::createActions() {
    m_acOpen = new QAction(tr("&Open..."), this);
    m_acOpen->setObjectName(QStringLiteral("acOpen"));
    m_acOpen->setShortcut(QKeySequence::Open);
    connect(m_acOpen, &QAction::triggered, this, &TMainWindow::acOpenTriggered);

    m_acQuit = new QAction(tr("&Quit"), this);
    m_acQuit->setObjectName(QStringLiteral("acQuit"));
    m_acQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_acQuit, &QAction::triggered, this, &QWidget::close);

    m_acAbout = new QAction(tr("&About Zentaro"), this);
    m_acAbout->setObjectName(QStringLiteral("acAbout"));
    connect(m_acAbout, &QAction::triggered, this, &TMainWindow::acAboutTriggered);
}

void TMainWindow::createMenus() {
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(m_acOpen);
    fileMenu->addSeparator();
    fileMenu->addAction(m_acQuit);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(m_acAbout);
}

void TMainWindow::createStatusBar() {
    statusBar()->showMessage(tr("Ready"));
}
