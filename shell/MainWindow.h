#pragma once

#include "shell/ShellTexts.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Ui {
class TMainWindow;
}

namespace vex {
class TBindingObject;
class TLanguageInterpreter;
struct TCheckResult;
struct TCodeNode;
struct TRunResult;
} // namespace vex

namespace vex::host {
class TModelServices;
}

class QTextBrowser;
class TApplicationServices;
class TDebuggerServices;
class TModelRunProgress;
class TModelTreeView;
class TRuntimeLookup;
class TVexScriptEditor;

// The application's main window, laid out in MainWindow.ui: the menus, the tree of the model's
// atoms, the script editor (an editor panel, pnScript) and the status bar with the model's name
// and the simulation time.
//
// The editor holds one script: the File menu starts, opens and saves it, the window's title
// names it and marks it while it has unsaved changes, and the Script menu runs it and checks its
// syntax through the runtime. Before a changed script is replaced or the window closes, the
// window asks whether to save it.
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
    // The application's services (with its runtime context) must outlive the window. The window
    // hands them to its script panel, supplies the selected object while it lives and, where
    // the services name no other, routes the editor's messages to the trace windows and shows
    // the error window for the editor's "Show trace window".
    explicit TMainWindow(TApplicationServices& services, QWidget* parent = nullptr);
    // A window with services of its own over `context` (none: a window on its own); the context
    // must outlive the window.
    explicit TMainWindow(vex::TLanguageInterpreter* context = nullptr, QWidget* parent = nullptr);
    ~TMainWindow() override;

    // Opens the script file at path in the editor and names the window after it. On failure
    // (a file that is missing, unreadable or no script) the editor and title keep what they
    // had, an error box and the status bar say why, and the result is false.
    bool openScript(const QString& path);
    // Empties the editor for a new script without a file.
    void newScript();
    // Saves the script to its file, asking for a name (save dialog service) when it has none.
    // A failure is reported in an error box; the old file stays as it was. False when the
    // script was not saved.
    bool saveScript();
    bool saveScriptAs(const QString& path);
    // Runs the editor's script statement by statement (a line break outside parentheses, texts
    // and comments ends a statement) through the host's script session and shows the last
    // result in the status bar; errors go to the error window, each with its line. False when a
    // statement reported an error. With `debug`, debug mode goes on and the run pauses in the
    // debugger at its first node; a run the person ends there (Cancel) runs no further
    // statement.
    bool runEditedScript(bool debug = false);
    // Compiles every statement of the editor's script and selects the first that does not
    // compile (the compiler's reports are in the error window). True when all compile and at
    // least one did.
    bool checkEditedScript();
    TVexScriptEditor* scriptEditor() const;

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
    // Shows the debugger window, creating it when missing.
    void showDebugger();

    // The tree of the model's atoms: what the shell registers as the model services' tree.
    TModelTreeView* modelTree() const;
    // The progress of model runs in the status bar; none without a model.
    TModelRunProgress* runProgress() const { return m_runProgress.get(); }
    // The atom of the model panel's current item, which the editor's syntax check binds bare
    // names to; none without a current item or a model.
    const vex::TBindingObject* selectedAtom() const;
    // Shows the model's name and clock in the status bar, and the progress of a model run; runs
    // on every rebuild of the tree and a few times a second, also while a run goes.
    void updateStatus();

protected:
    // Closing the window (File > Exit, Ctrl+Q, the window's close button, the session's end)
    // asks before a changed script is lost, then before a model with atoms is discarded; Cancel
    // or No keeps the window open. A run that waits in the debugger is cancelled before the
    // application ends. While a run goes, it first asks whether to stop the run; Yes stops it
    // and closes the window once the run has ended.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void acNewModelTriggered();
    void acOpenModelTriggered();
    void acOpenLibraryTriggered();
    void acSaveModelTriggered();
    void acNewScriptTriggered();
    void acOpenScriptTriggered();
    void acSaveScriptTriggered();
    void acSaveScriptAsTriggered();
    void acRunTriggered();
    void acDebugTriggered();
    void acCheckSyntaxTriggered();
    void acWordReferenceTriggered();
    void acAboutTriggered();
    void acTraceWindowTriggered();
    void acErrorWindowTriggered();
    void acDebuggerTriggered();
    void acStopTriggered();
    // The person's choice: the first error a run reports ends the run (the preference
    // StopAtFirstError), kept in the settings for the next session.
    void acStopAtFirstErrorTriggered(bool on);
    // The outermost run began or ended: the commands that would start another run or change the
    // model are disabled while it goes, Stop is enabled while it is the person's.
    void runStateChanged(bool running);

private:
    // The script panel's runner: the editor's Execute, Syntax check and Syntax tree in the
    // panel take the statement rule of script files through it.
    class TPanelRunner;

    void translate();
    void setUpEditor();
    void updateTitle();
    void scriptModificationChanged(bool modified);
    bool confirmScriptDiscard();
    vex::TRunResult runScriptText(std::string_view script, int firstLine, bool debug);
    vex::TCheckResult checkScriptText(std::string_view script, int firstLine,
                                      const vex::TBindingObject* object,
                                      const std::function<void(int, const vex::TCodeNode*)>& trees);
    std::string scriptPlaceName() const;
    void selectStatementAt(const std::string& script, int line);
    static bool holdsStatement(const std::string& script);
    bool hasRuntime();
    void recolorScript();
    void setUpModelPanel();
    void setUpStatusBar();
    void setUpStopAtFirstError();
    void connectActions();

    bool modelHasAtoms() const;
    bool confirmDiscard(TShellText question = stDiscardModel);
    bool confirmDiscardOnQuit();
    static TApplicationServices* servicesOver(vex::TLanguageInterpreter* context);
    TMainWindow(TApplicationServices* own, QWidget* parent);
    // `own`: services the window owns (then `services` is them), or none.
    TMainWindow(TApplicationServices* own, TApplicationServices& services, QWidget* parent);
    void fillInServices();
    void takeBackServices();
    QString askForFileToOpen(const QString& title);
    bool canRead(const QString& path);
    bool canName(const QString& path, TShellText failure);
    bool reportFileError(TShellText failure, const QString& path, const QString& reason);
    bool debuggerHoldsRun();
    TDebuggerServices* debugger() const;
    void connectRunState();
    // Asked before a command quits during a run: true when the run was asked to end.
    bool confirmStopOnQuit();
    bool runScript(const std::string& script);

    // Before m_applicationServices: the services a window made over a context owns.
    std::unique_ptr<TApplicationServices> m_ownServices;
    TApplicationServices& m_applicationServices;
    std::unique_ptr<Ui::TMainWindow> m_ui;
    vex::TLanguageInterpreter* m_context = nullptr;
    std::unique_ptr<TPanelRunner> m_panelRunner;
    vex::host::TModelServices* m_services = nullptr;
    QTimer m_statusPoll;
    std::unique_ptr<TModelRunProgress> m_runProgress;
    QPointer<QTextBrowser> m_wordReference;
    // The file the editor's script belongs to; empty for a new script.
    QString m_scriptPath;
    // Whether the title names a script yet (it says only "Zentaro" until one is opened, made or
    // typed into).
    bool m_scriptTitled = false;
    // What the window filled into the services, to take back when it goes.
    bool m_routesMessages = false;
    bool m_presentsTraceWindow = false;
    // The person agreed to stop the run and quit: the window closes when the run has ended.
    bool m_quitAfterRun = false;
};
