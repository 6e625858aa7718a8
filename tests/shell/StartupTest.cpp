#include "shell/ApplicationShell.h"

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "platform/Registry.h"
#include "runtime/VexScript.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "services/SettingsRootKey.h"
#include "shell/ApplicationHost.h"
#include "shell/MainWindow.h"
#include "shell/ModelTreeView.h"
#include "shell/ZTApplication.h"
#include "tests/platform/RegistryTestSupport.h"
#include "tests/services/LanguageSettings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <memory>

using namespace zentaro::platform;

namespace {

const QStringList StartupOrder = {
    "initialise 1 settings root key",
    "initialise 2 language manager",
    "initialise 3 timer base",
    "initialise 4 break watcher",
    "initialise 5 OLE container support",
    "initialise 6 automation server",
    "initialise 7 application object",
    "initialise 8 file dialogs",
    "initialise 9 window placement store",
    "initialise application",
    "set application title",
    "load language module",
    "create runtime context",
    "create debugger services",
    "create main window",
    "register model tree",
    "register model view",
    "register progress display",
    "run message loop",
};

const QStringList ShutdownOrder = {
    "end message loop",
    "unregister progress display",
    "unregister model view",
    "unregister model tree",
    "destroy main window",
    "destroy debugger",
    "destroy tool windows",
    "destroy trace windows",
    "release runtime context",
    "finalise 9 window placement store",
    "finalise 8 file dialogs",
    "finalise 7 application object",
    "finalise 6 automation server",
    "finalise 5 OLE container support",
    "finalise 4 break watcher",
    "finalise 3 timer base",
    "finalise 2 language manager",
    "finalise 1 settings root key",
};

QString menuTitle(TMainWindow* window, const char* name) {
    return window->findChild<QMenu*>(name)->title();
}

QString actionText(TMainWindow* window, const char* name) {
    return window->findChild<QAction*>(name)->text();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAndShutsDownInOrder();
    void applicationLanguageComesFromTheRegistry_data();
    void applicationLanguageComesFromTheRegistry();
    void missingLanguageModuleIsReportedAndTheWindowStaysEnglish();
    void damagedSettingsFileIsReportedOnceAndEnglishIsUsed();
    void runtimeErrorsReachTheErrorWindow();
    void shutdownEndsTheMessageLoop();

private:
    // Runs the application; `during` runs inside the message loop, after which the main window
    // is closed.
    // Makes the shell with a presenter that records each box and the step it came in.
    void makeShell();
    int runShell(const std::function<void(TApplicationShell&)>& during,
                 const QString& scriptFile = QString());

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    QStringList m_boxes;
    // The step of start-up each box was shown in.
    QStringList m_boxSteps;
    std::unique_ptr<TApplicationShell> m_shell;
};

void StartupTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_boxes.clear();
    m_boxSteps.clear();
}

void StartupTest::cleanup() {
    FinalizeTraceWindows();
    m_shell.reset();
    m_registry.reset();
}

void StartupTest::makeShell() {
    m_shell = std::make_unique<TApplicationShell>(*qApp);
    m_shell->services().MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        m_boxSteps << m_shell->log().value(m_shell->log().size() - 1);
        return QMessageBox::Ok;
    };
}

int StartupTest::runShell(const std::function<void(TApplicationShell&)>& during,
                          const QString& scriptFile) {
    makeShell();
    QTimer::singleShot(0, qApp, [this, during] {
        during(*m_shell);
        m_shell->mainWindow()->close();
    });
    return m_shell->run(scriptFile);
}

void StartupTest::startsAndShutsDownInOrder() {
    QStringList logInLoop;
    bool contextInLoop = false;
    bool moduleInLoop = false;
    bool treeInLoop = false;
    bool settingsWrittenAtStart = true;
    const int exitCode = runShell([&](TApplicationShell& shell) {
        settingsWrittenAtStart = QFile::exists(QString::fromStdString(m_registry->File()));
        logInLoop = shell.log();
        contextInLoop = shell.services().Context != nullptr;
        moduleInLoop = IsLanguageModuleLoaded();
        treeInLoop = shell.host()->Services().Tree == shell.mainWindow()->modelTree();
        QVERIFY(shell.mainWindow()->isVisible());
        QCOMPARE(TZTApplication::instance(), shell.application());
    });

    QCOMPARE(exitCode, 0);
    QCOMPARE(logInLoop, StartupOrder);
    QCOMPARE(m_shell->log(), StartupOrder + ShutdownOrder);
    QVERIFY(contextInLoop);
    QVERIFY(moduleInLoop);
    QVERIFY(treeInLoop);
    QCOMPARE(CurrentLanguage(), 9);
    // After shutdown: no context, no module, no window.
    QCOMPARE(m_shell->services().Context, nullptr);
    QVERIFY(!IsLanguageModuleLoaded());
    QCOMPARE(m_shell->mainWindow(), nullptr);
    QVERIFY(m_boxes.isEmpty());
    // Nothing is written to the settings at start-up; at shutdown the main window stores its
    // placement.
    QVERIFY(!settingsWrittenAtStart);
    TRegistryKey placement;
    QCOMPARE(TRegistryKey::CurrentUser().OpenKey(std::string(SettingsRootKey) + "\\Forms\\formMain",
                                                 placement),
             TRegistryStatus::Success);
}

void StartupTest::applicationLanguageComesFromTheRegistry_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("texts"); // File, New model, Window, Help, window title
    QTest::addColumn<QByteArray>("runtimeText");

    QTest::newRow("no value: English")
        << 0 << QStringList{"&File", "&New model", "&Window", "&Help", "Zentaro"}
        << QByteArray("Unknown word");
    QTest::newRow("7: German") << 7
                               << QStringList{"&Datei", "&Neues Modell", "&Fenster", "&Hilfe",
                                              "Zentaro"}
                               << QByteArray("Unbekanntes Wort");
    QTest::newRow("9: English") << 9
                                << QStringList{"&File", "&New model", "&Window", "&Help", "Zentaro"}
                                << QByteArray("Unknown word");
}

void StartupTest::applicationLanguageComesFromTheRegistry() {
    QFETCH(int, language);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, runtimeText);
    if (language != 0)
        setLanguage(static_cast<std::uint32_t>(language));

    QStringList shown;
    std::string fromRuntime;
    int current = 0;
    runShell([&](TApplicationShell& shell) {
        TMainWindow* window = shell.mainWindow();
        shown << menuTitle(window, "mnFile") << actionText(window, "acNewModel")
              << menuTitle(window, "mnWindow") << menuTitle(window, "mnHelp")
              << window->windowTitle();
        fromRuntime = shell.services().Context->LanguageText(3009);
        current = CurrentLanguage();
    });

    QCOMPARE(shown, texts);
    QCOMPARE(QByteArray::fromStdString(fromRuntime), runtimeText);
    QCOMPARE(current, language == 0 ? 9 : language);
    QVERIFY(m_boxes.isEmpty());
}

void StartupTest::missingLanguageModuleIsReportedAndTheWindowStaysEnglish() {
    setLanguage(5);
    QString title;
    runShell([&](TApplicationShell& shell) { title = menuTitle(shell.mainWindow(), "mnFile"); });

    QCOMPARE(m_boxes, QStringList{"Language module ZT5.qm could not be located"});
    // Before the main window exists.
    QCOMPARE(m_boxSteps, QStringList{"load language module"});
    QCOMPARE(title, QString("&File"));
    QCOMPARE(CurrentLanguage(), 5);
    QCOMPARE(m_shell->log(), StartupOrder + ShutdownOrder);
}

void StartupTest::damagedSettingsFileIsReportedOnceAndEnglishIsUsed() {
    setLanguage(7);
    std::ofstream(m_registry->File(), std::ios::app) << "\"Broken\"=dword:zz\n";
    QString title;
    runShell([&](TApplicationShell& shell) { title = menuTitle(shell.mainWindow(), "mnFile"); });

    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes[0].contains("is damaged") && m_boxes[0].contains(".damaged"),
             qPrintable(m_boxes[0]));
    QVERIFY(QFile::exists(QString::fromStdString(m_registry->File() + ".damaged")));
    QCOMPARE(title, QString("&File"));
}

void StartupTest::runtimeErrorsReachTheErrorWindow() {
    setLanguage(7);
    QStringList errors;
    double result = -1;
    runShell([&](TApplicationShell& shell) {
        vex::TText text;
        vex::TLanguageInterpreter* context = shell.services().Context;
        result = context->ExecuteText("Nonexistent(1)", text);
        errors = ErrorLog();
        // The standard words are there.
        QCOMPARE(context->ExecuteText("1+2*3", text), 7.0);
    });

    QCOMPARE(result, 0.0);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith("1 Unbekanntes Wort") && errors[0].contains("Nonexistent"),
             qPrintable(errors[0]));
}

void StartupTest::shutdownEndsTheMessageLoop() {
    makeShell();
    bool windowWasOpen = false;
    QTimer::singleShot(0, qApp, [&] {
        windowWasOpen = m_shell->mainWindow()->isVisible();
        m_shell->application()->Shutdown();
        m_shell->application()->Shutdown(); // already ending: nothing more
    });
    QCOMPARE(m_shell->run(), 0);
    QVERIFY(windowWasOpen);
    QCOMPARE(m_shell->log(), StartupOrder + ShutdownOrder);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
