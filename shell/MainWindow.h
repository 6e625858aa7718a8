#pragma once

#include "shell/ShellTexts.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TMainWindow;
}

namespace vex {
class TLanguageInterpreter;
}

namespace vex::host {
class TModelServices;
}

class QTextBrowser;
class TModelTreeView;

// The application's main window, laid out in MainWindow.ui: the menus, the tree of the model's
// atoms, the editor area, which for now shows one script file read-only, and the status bar with
// the model's name and the simulation time.
//
// With a runtime context the window follows the context's model: the tree shows its atoms (the
// model words ask it to refresh), the status bar its name, file and clock, and the File menu
// starts, opens, saves and adds libraries to it through the model words, as the automation
// object does. Errors of model files go to the error window like every other script error.
// Without a context (a window on its own) the model's menu items stay disabled.
//
// At its creation it translates itself with the language module start-up loaded; the captions
// in the layout are the English defaults for numbers the module lacks.
class TMainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The context must outlive the window.
    explicit TMainWindow(vex::TLanguageInterpreter* context = nullptr, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Shows the script file at path and names the window after it. On failure the editor and
    // title keep what they had, the status bar says why, and the result is false.
    bool openScript(const QString& path);

    // What the File menu's model items do once the person has chosen (and agreed); each gives
    // whether it succeeded and says so in the status bar.
    //
    // Empties the model.
    bool newModel();
    // Replaces the model with the model file (or script) at path. A file that cannot be opened
    // or whose reading reports an error leaves the model as it was (read back from its model
    // file text, so atoms get new handles); the errors are in the error window.
    bool openModel(const QString& path);
    // Reads a model file into the library atom; on an error, nothing of it stays.
    bool openLibrary(const QString& path);
    // Saves the model to its file, asking for a name (save dialog service) when it has none.
    bool saveModel();
    bool saveModelAs(const QString& path);

    // Shows the word reference of the context's registry in a read-only window.
    void showWordReference();

    // The tree of the model's atoms: what the shell registers as the model services' tree.
    TModelTreeView* modelTree() const;
    // Shows the model's name and clock in the status bar; runs on every rebuild of the tree and
    // a few times a second.
    void updateStatus();

protected:
    // Closing the window (File > Exit, Ctrl+Q, the window's close button, the session's end)
    // asks before a model with atoms is discarded; No keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void acNewModelTriggered();
    void acOpenModelTriggered();
    void acOpenLibraryTriggered();
    void acSaveModelTriggered();
    void acOpenScriptTriggered();
    void acWordReferenceTriggered();
    void acAboutTriggered();
    void acTraceWindowTriggered();
    void acErrorWindowTriggered();

private:
    void translate();
    void setUpEditor();
    void setUpModelPanel();
    void setUpStatusBar();
    void connectActions();

    bool modelHasAtoms() const;
    bool confirmDiscard(TShellText question = stDiscardModel);
    bool confirmDiscardOnQuit();
    QString askForFileToOpen(const QString& title);
    bool canRead(const QString& path);
    bool canName(const QString& path, TShellText failure);
    bool reportFileError(TShellText failure, const QString& path, const QString& reason);
    bool runScript(const std::string& script);

    std::unique_ptr<Ui::TMainWindow> m_ui;
    vex::TLanguageInterpreter* m_context = nullptr;
    vex::host::TModelServices* m_services = nullptr;
    QTimer m_statusPoll;
    QPointer<QTextBrowser> m_wordReference;
};
