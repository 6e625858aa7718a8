#include "shell/ApplicationShell.h"

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "editing/TformHelp.h"
#include "editing/TformVexScriptOverview.h"
#include "platform/RegistryStore.h"
#include "platform/TimerBase.h"
#include "services/LanguageManager.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"
#include "shell/MainWindow.h"
#include "shell/ModelTreeView.h"
#include "shell/StatusProgress.h"
#include "shell/ZTApplication.h"
#include "shell/automation/AutomationService.h"
#include "shell/automation/ServiceRegistration.h"

#include <QApplication>
#include <QDBusConnection>
#include <QLoggingCategory>

#include <cstdio>
#include <iterator>

Q_LOGGING_CATEGORY(lcStartup, "zentaro.startup", QtWarningMsg)

// The parts in the order they initialise; they finalise in the reverse order. A part without
// code on Linux keeps its place, so that the order stays visible in the log.
const TApplicationShell::TPart TApplicationShell::Parts[] = {
    {"settings root key", nullptr, nullptr},
    {"language manager", &TApplicationShell::initializeLanguageManager,
     &TApplicationShell::finalizeLanguageManager},
    {"timer base", &TApplicationShell::initializeTimerBase, nullptr},
    {"break watcher", nullptr, nullptr},
    {"OLE container support", nullptr, nullptr},
    {"automation server", &TApplicationShell::startAutomationServer,
     &TApplicationShell::stopAutomationServer},
    {"application object", &TApplicationShell::createApplicationObject, nullptr},
    {"file dialogs", nullptr, nullptr},
    {"window placement store", nullptr, nullptr},
};

// The services exist from the start, so that everything start-up creates is handed them; the
// runtime context joins them when it is made.
TApplicationShell::TApplicationShell(QApplication& application)
    : m_qapplication(application)
    , m_services(std::make_unique<TApplicationServices>())
    , m_traceWindows(std::make_unique<TTraceWindows>(*m_services)) {
    zentaro::platform::TRegistryStore::Instance().SetDamageReporter(
        [this](const std::string& message) {
            m_services->ShowMessageBox({QApplication::activeWindow(), QMessageBox::Warning,
                                        QString(), QString::fromStdString(message)});
        });
}

TApplicationShell::~TApplicationShell() {
    zentaro::platform::TRegistryStore::Instance().SetDamageReporter({});
}

QString TApplicationShell::applicationTitle() {
    return QStringLiteral("Zentaro");
}

int TApplicationShell::run(const QString& scriptFile, TServerSwitch serverSwitch) {
    m_serverSwitch = serverSwitch;
    initializeParts();
    note(QStringLiteral("initialise application"));
    if (serverSwitch != TServerSwitch::None) {
        const int exitCode = applyServerSwitch(serverSwitch);
        finalizeParts();
        return exitCode;
    }
    note(QStringLiteral("set application title"));
    QGuiApplication::setApplicationDisplayName(applicationTitle());
    loadLanguageModule();
    createRuntimeContext();
    createMainWindow(scriptFile);
    const int exitCode = runMessageLoop();
    destroyWindowsAndContext();
    finalizeParts();
    return exitCode;
}

void TApplicationShell::note(const QString& entry) {
    m_log.append(entry);
    qCInfo(lcStartup) << entry;
}

void TApplicationShell::initializeParts() {
    int order = 0;
    for (const TPart& part : Parts) {
        note(QStringLiteral("initialise %1 %2").arg(++order).arg(QLatin1String(part.Name)));
        if (part.Initialize)
            (this->*part.Initialize)();
    }
}

void TApplicationShell::finalizeParts() {
    int order = static_cast<int>(std::size(Parts));
    for (auto part = std::rbegin(Parts); part != std::rend(Parts); ++part) {
        note(QStringLiteral("finalise %1 %2").arg(order--).arg(QLatin1String(part->Name)));
        if (part->Finalize)
            (this->*part->Finalize)();
    }
}

void TApplicationShell::initializeLanguageManager() {
    InitializeLanguageManager();
}

void TApplicationShell::finalizeLanguageManager() {
    FinalizeLanguageManager();
}

// Before the first window, so that every window translates itself with the module; a module that
// cannot be located is reported in an error box and the texts stay English. Not done for the
// registration switches, which open no window.
void TApplicationShell::loadLanguageModule() {
    note(QStringLiteral("load language module"));
    LoadCurrentLanguageModule(TModuleFailure::ShowErrorBox, m_services->MessageBoxes);
}

void TApplicationShell::initializeTimerBase() {
    zentaro::platform::InitializeTimerBase();
}

void TApplicationShell::createApplicationObject() {
    m_application = std::make_unique<TZTApplication>(m_qapplication);
}

// Other programs reach the application through the service from the message loop on; calls find
// the runtime in the application's services when they come, so the order against the context's
// creation does not matter.
void TApplicationShell::startAutomationServer() {
    if (m_serverSwitch != TServerSwitch::None)
        return;
    auto service = std::make_unique<TAutomationService>(QDBusConnection::sessionBus(), *m_services);
    QString error;
    if (!service->start(&error)) {
        std::fprintf(stderr, "zentaro: the automation service is not available (%s)\n",
                     qPrintable(error));
        return;
    }
    m_automation = std::move(service);
}

void TApplicationShell::stopAutomationServer() {
    m_automation.reset();
}

int TApplicationShell::applyServerSwitch(TServerSwitch serverSwitch) {
    QString error;
    const bool registering = serverSwitch == TServerSwitch::Register;
    note(registering ? QStringLiteral("register automation server")
                     : QStringLiteral("unregister automation server"));
    bool removed = false;
    const bool done =
        registering
            ? ServiceRegistration::registerServer(QCoreApplication::applicationFilePath(), &error)
            : ServiceRegistration::unregisterServer(&error, &removed);
    if (!done) {
        std::fprintf(stderr, "zentaro: %s\n", qPrintable(error));
        return 1;
    }
    const QString path = ServiceRegistration::activationFilePath();
    if (registering)
        std::printf("zentaro: wrote %s\n", qPrintable(path));
    else if (removed)
        std::printf("zentaro: removed %s\n", qPrintable(path));
    else
        std::printf("zentaro: nothing to remove: %s does not exist\n", qPrintable(path));
    return 0;
}

void TApplicationShell::createRuntimeContext() {
    note(QStringLiteral("create runtime context"));
    m_host = std::make_unique<TApplicationHost>(*m_services);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_services->Context = m_context.get();
    note(QStringLiteral("create debugger services"));
    m_debugger = std::make_unique<TApplicationDebugServices>(*m_context, m_host->Services());
    m_debugger->ApplicationServices = m_services.get();
}

void TApplicationShell::createMainWindow(const QString& scriptFile) {
    note(QStringLiteral("create main window"));
    m_mainWindow = std::make_unique<TMainWindow>(*m_services);
    note(QStringLiteral("register model tree"));
    m_host->Services().Tree = m_mainWindow->modelTree();
    note(QStringLiteral("register model view"));
    m_host->Services().Views.Add(*m_mainWindow->modelTree());
    // The view shows the animation's frames at the application's frame rate.
    m_host->Services().Animation.FrameInterval = m_application->FrameInterval();
    note(QStringLiteral("register progress display"));
    m_progress = std::make_unique<TStatusProgress>(*m_mainWindow->statusBar());
    m_host->Services().Progress.SetView(m_progress.get());
    if (!scriptFile.isEmpty())
        m_mainWindow->openScript(scriptFile);
    m_mainWindow->show();
}

int TApplicationShell::runMessageLoop() {
    // Shutdown asked for before the loop (by a window's creation, say) means no loop at all.
    if (m_application->isTerminating()) {
        note(QStringLiteral("skip message loop"));
        return 0;
    }
    note(QStringLiteral("run message loop"));
    const int exitCode = QApplication::exec();
    note(QStringLiteral("end message loop"));
    return exitCode;
}

// The model tree and the progress bars are parts of the main window, so the model's services
// stop calling them first. The debugger window goes before the context it shows.
void TApplicationShell::destroyWindowsAndContext() {
    note(QStringLiteral("unregister progress display"));
    m_host->Services().Progress.SetView(nullptr);
    m_progress.reset();
    note(QStringLiteral("unregister model view"));
    m_host->Services().Views.Remove(*m_mainWindow->modelTree());
    note(QStringLiteral("unregister model tree"));
    m_host->Services().Tree = nullptr;
    note(QStringLiteral("destroy main window"));
    m_mainWindow.reset();
    note(QStringLiteral("destroy debugger"));
    m_debugger.reset();
    note(QStringLiteral("destroy tool windows"));
    FinalizeVexScriptOverview();
    FinalizeHelpWindow();
    note(QStringLiteral("destroy trace windows"));
    FinalizeTraceWindows();
    note(QStringLiteral("release runtime context"));
    m_services->Context = nullptr;
    m_context.reset();
    m_host.reset();
}
