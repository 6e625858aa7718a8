#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QApplication;
class TApplicationDebugServices;
class TApplicationServices;
class TApplicationHost;
class TAutomationService;
class TApplicationInterpreter;
class TMainWindow;
class TStatusProgress;
class TTraceWindows;
class TZTApplication;

namespace vex {
class TLanguageInterpreter;
}

// Start-up and shutdown of the desktop application, in a fixed order that the log records, and
// the owner of what start-up creates until shutdown destroys it. It is not the application object
// (TZTApplication, one of the parts it creates), not the toolkit's QApplication (which exists
// before it) and not the main window; apps/zentaro/main.cpp makes one and calls run().
//
// run() goes through these steps (the toolkit's QApplication exists before):
//  1. the parts initialise in this order:
//       1 settings root key        (a constant: nothing runs)
//       2 language manager         reads "Application Language"
//       3 timer base               reads the monotonic clock's frequency
//       4 break watcher            (nothing to initialise: its thread starts with debugging,
//                                  and the debugger services end it)
//       5 OLE container support    (nothing to initialise on Linux)
//       6 automation server        starts the D-Bus service com.velmark.Zentaro (without a
//                                  session bus the application runs without it and says so);
//                                  not for a registration switch, which leaves the bus name to
//                                  an instance that may be running
//       7 application object      creates TZTApplication
//       8 file dialogs             (the registry layer redirects without a library to load)
//       9 window placement store   (nothing to initialise)
//  2. the application initialises: with --regserver or --unregserver it writes or removes the
//     D-Bus activation file, finalises the parts and ends here; otherwise its title is set;
//  3. the language module of the current language is loaded (a missing one is reported in an
//     error box, and the texts stay English);
//  4. the runtime context is created with the standard words, and the debugger services for it
//     (the debugger window comes when first needed);
//  5. the main window is created for the runtime context (it translates itself), its model tree
//     is registered with the model's services as their tree and as a model view, the status
//     bar's progress bars as their progress display, and the window is shown, with the script
//     file given, if any;
//  6. the message loop runs until the main window closes or TZTApplication::Shutdown;
//  7. the progress display, the model view and the model tree are unregistered, the main window
//     destroyed, then the debugger services with the debugger window, the tool windows (word
//     overview, help) and the trace windows (each storing its placement), then the runtime
//     context;
//  8. the parts finalise in exactly the reverse order.
//
// A settings file found damaged on the way is reported in a warning box.
class TApplicationShell {
public:
    explicit TApplicationShell(QApplication& application);
    ~TApplicationShell();
    TApplicationShell(const TApplicationShell&) = delete;
    TApplicationShell& operator=(const TApplicationShell&) = delete;

    // The application's title, also the window title before a script is shown.
    static QString applicationTitle();

    // What the command line asked of the automation server's registration.
    enum class TServerSwitch {
        None,
        Register,
        Unregister
    };

    // Starts up, runs the message loop and shuts down; returns the loop's exit code (or, for a
    // registration switch, 0 when it succeeded and 1 when not).
    int run(const QString& scriptFile = QString(),
            TServerSwitch serverSwitch = TServerSwitch::None);

    // One entry per step taken so far, in order: "initialise 2 language manager", "create main
    // window", "run message loop", "finalise 2 language manager", ... Also written to the logging
    // category "zentaro.startup" (QT_LOGGING_RULES="zentaro.startup.info=true").
    const QStringList& log() const noexcept { return m_log; }

    // While the message loop runs (none before and after).
    TMainWindow* mainWindow() const noexcept { return m_mainWindow.get(); }
    TApplicationHost* host() const noexcept { return m_host.get(); }
    // From start-up until the shell is destroyed.
    TZTApplication* application() const noexcept { return m_application.get(); }
    // The automation service while it runs on the session bus, or none.
    TAutomationService* automationService() const noexcept { return m_automation.get(); }
    // The services handed to the windows, the host and the automation object, for the shell's
    // whole life; they name the runtime context while it exists.
    TApplicationServices& services() const noexcept { return *m_services; }

private:
    struct TPart {
        const char* Name;
        void (TApplicationShell::*Initialize)();
        void (TApplicationShell::*Finalize)();
    };
    static const TPart Parts[];

    void note(const QString& entry);
    void initializeParts();
    void finalizeParts();
    void initializeLanguageManager();
    void finalizeLanguageManager();
    void loadLanguageModule();
    void initializeTimerBase();
    void createApplicationObject();
    void startAutomationServer();
    void stopAutomationServer();
    int applyServerSwitch(TServerSwitch serverSwitch);
    void createRuntimeContext();
    void createMainWindow(const QString& scriptFile);
    int runMessageLoop();
    void destroyWindowsAndContext();

    QApplication& m_qapplication;
    // Declared first: everything below may hold them until it goes.
    std::unique_ptr<TApplicationServices> m_services;
    std::unique_ptr<TTraceWindows> m_traceWindows;
    QStringList m_log;
    TServerSwitch m_serverSwitch = TServerSwitch::None;
    std::unique_ptr<TZTApplication> m_application;
    std::unique_ptr<TAutomationService> m_automation;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TApplicationDebugServices> m_debugger;
    std::unique_ptr<TMainWindow> m_mainWindow;
    std::unique_ptr<TStatusProgress> m_progress;
};
