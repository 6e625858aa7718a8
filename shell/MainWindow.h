#pragma once

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

// The application's main window. For now it shows one script file, read-only, in a monospace
// editor; the script editor proper replaces the central widget later.
class TMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainWindow(QWidget* parent = nullptr);

    // Shows the script file at path and names the window after it. On failure the editor and
    // title keep what they had, the status bar says why, and the result is false.
    bool openScript(const QString& path);

private slots:
    void acOpenTriggered();
    void acAboutTriggered();

private:
    void createEditor();
    void createActions();
    void createMenus();
    void createStatusBar();

    QPlainTextEdit* m_edScript = nullptr;
    QAction* m_acOpen = nullptr;
    QAction* m_acQuit = nullptr;
    QAction* m_acAbout = nullptr;
};
