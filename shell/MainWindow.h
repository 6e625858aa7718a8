#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class TMainWindow;
}

// The application's main window, laid out in MainWindow.ui: the menus, a panel for the model's
// atoms (empty until a model exists), the editor area, which for now shows one script file
// read-only, and the status bar.
//
// At its creation it loads the language module of the current language and translates itself;
// the captions in the layout are the English defaults for numbers the module lacks.
class TMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainWindow(QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Shows the script file at path and names the window after it. On failure the editor and
    // title keep what they had, the status bar says why, and the result is false.
    bool openScript(const QString& path);

private slots:
    void acOpenScriptTriggered();
    void acAboutTriggered();
    void acTraceWindowTriggered();
    void acErrorWindowTriggered();

private:
    void translate();
    void setUpEditor();
    void connectActions();

    std::unique_ptr<Ui::TMainWindow> m_ui;
};
