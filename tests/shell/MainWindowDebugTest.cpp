// The main window with the debugger, set up as the shell sets them up: Script > Debug pauses the
// editor's script, the atom panel shows that the run is frozen, nothing starts another run while
// one waits in the debugger (the main window's own commands and automation alike), quitting
// cancels the waiting run first, and a model file that opens shows its progress while the
// application keeps answering.

#include "shell/MainWindow.h"

#include "debugging/DebuggerTexts.h"
#include "debugging/TDebuggerForm.h"
#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "editing/VexScriptEditor.h"
#include "host/model/ModelServices.h"
#include "services/Clock.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"
#include "shell/ModelRunProgress.h"
#include "shell/ModelTreeView.h"
#include "shell/StatusProgress.h"
#include "shell/automation/ZTApp.h"
#include "tests/debugging/PauseDriver.h"

#include <QAction>
#include <QFile>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <memory>

class MainWindowDebugTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void debugPausesTheScriptAndFreezesTheAtomPanel();
    void nothingStartsAnotherRunWhileOneWaits();
    void quittingWhileARunWaits_data();
    void quittingWhileARunWaits();
    void openingAModelShowsItsProgressAndKeepsAnswering();
    void aRunThatGoesIsServedAndStopped_data();
    void aRunThatGoesIsServedAndStopped();
    void quittingDuringARun_data();
    void quittingDuringARun();
    void aModelRunShowsItsProgress();
    void toolWindowsAndDebuggingChangeDuringARun();

private:
    // Calls `step` every 20 ms while the test waits in a run, until it returns true.
    void during(const std::function<bool()>& step);
    QAction* stopButtonAction() const { return action("acStop"); }
    void clickStop();

    TVexScriptEditor* editor() const { return m_window->scriptEditor(); }
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(name); }
    bool hasAtom(const char* name) const;

    QTemporaryDir m_dir;
    TApplicationServices m_services;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TApplicationDebugServices> m_debugger;
    std::unique_ptr<TPauseDriver> m_driver;
    std::unique_ptr<TStatusProgress> m_progress;
    TMainWindow* m_window = nullptr;
    QStringList m_boxes;
    QMessageBox::StandardButton m_answer = QMessageBox::No;
    QTimer m_during;
};

void MainWindowDebugTest::init() {
    QVERIFY(m_dir.isValid());
    InitializeLanguageManager();
    QVERIFY(LoadCurrentLanguageModule());
    m_boxes.clear();
    m_answer = QMessageBox::No;
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return m_answer;
    };
    m_host = std::make_unique<TApplicationHost>(m_services);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_services.Context = m_context.get();
    m_debugger = std::make_unique<TApplicationDebugServices>(*m_context, m_host->Services());
    m_debugger->ApplicationServices = &m_services;
    m_driver = std::make_unique<TPauseDriver>(*m_debugger);
    m_window = new TMainWindow(m_services);
    vex::host::TModelServices& services = m_host->Services();
    services.Tree = m_window->modelTree();
    services.Views.Add(*m_window->modelTree());
    m_progress = std::make_unique<TStatusProgress>(*m_window->statusBar());
    services.Progress.SetView(m_progress.get());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MainWindowDebugTest::cleanup() {
    vex::host::TModelServices& services = m_host->Services();
    services.Progress.SetView(nullptr);
    m_progress.reset();
    services.Views.Remove(*m_window->modelTree());
    services.Tree = nullptr;
    delete m_window;
    m_window = nullptr;
    const int unexpectedPauses = m_driver->unexpectedPauses();
    m_driver.reset();
    m_debugger.reset();
    m_services.Context = nullptr;
    m_context.reset();
    m_host.reset();
    setClock({});
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QCOMPARE(unexpectedPauses, 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

bool MainWindowDebugTest::hasAtom(const char* name) const {
    const vex::host::TModel& model = m_host->Services().Model;
    return model.AtomByName(name, model.Root()) != nullptr;
}

// Script > Debug (Shift+F9) pauses at the script's first node; while it waits, the atom panel
// says so, and Run lets the rest of the script, its later statements included, run without
// pauses and takes the message away.
void MainWindowDebugTest::debugPausesTheScriptAndFreezesTheAtomPanel() {
    editor()->SetScriptText("DeclareGlobal([k],0)\nk:=CreateAtom(model,[Made])*0+4\nk*10\n");
    QString frozen;
    m_driver->start({[this, &frozen] {
                         frozen = m_window->modelTree()->frozenMessage();
                         m_driver->press(Qt::Key_F7)();
                     },
                     m_driver->press(Qt::Key_F5)});
    QTest::keyClick(m_window, Qt::Key_F9, Qt::ShiftModifier);
    m_driver->stop();
    // Stepping goes on into the next statement.
    QCOMPARE(m_driver->Log, QStringList({"DeclareGlobal", ":="}));
    QCOMPARE(frozen, "Frozen for debug (pause)");
    QCOMPARE(m_window->modelTree()->frozenMessage(), QString());
    QVERIFY(hasAtom("Made"));
    QCOMPARE(m_window->statusBar()->currentMessage(), "Result: 40");

    // Without the preference the panel stays as it is.
    m_host->Services().Preferences.ShowFrozenMessages = false;
    m_driver->start({[this, &frozen] {
        frozen = m_window->modelTree()->frozenMessage();
        m_driver->press(Qt::Key_F5)();
    }});
    action("acDebug")->trigger();
    QCOMPARE(frozen, QString());
}

// While a run waits, the main window's Run is disabled, and Run, the model commands and
// automation calls are refused with a message instead of running inside it; the run itself goes
// on unharmed.
void MainWindowDebugTest::nothingStartsAnotherRunWhileOneWaits() {
    editor()->SetScriptText("CreateAtom(model,[Only])\n");
    bool runDisabled = false;
    QString runRefused;
    QString newModelRefused;
    TAutomationStatus automation;
    bool aborted = true;
    m_driver->start({[&, this] {
        m_driver->note()();
        runDisabled = !action("acRun")->isEnabled();
        m_window->runEditedScript();
        runRefused = m_window->statusBar()->currentMessage();
        m_window->statusBar()->clearMessage();
        QVERIFY(!m_window->newModel());
        newModelRefused = m_window->statusBar()->currentMessage();
        TZTApp app(m_services);
        QString text;
        TAutomationValue value;
        automation = app.RunClientScript("CreateAtom(model,[FromOutside])", text, value);
        aborted = app.Abort(true);
        m_driver->press(Qt::Key_F5)();
    }});
    action("acDebug")->trigger();
    m_driver->stop();
    QCOMPARE(m_driver->Log, QStringList({"CreateAtom", "CreateAtom"}));
    QVERIFY(runDisabled);
    QCOMPARE(runRefused, DebuggerText(dtRunHeld));
    QCOMPARE(newModelRefused, DebuggerText(dtRunHeld));
    QVERIFY(!automation.ok);
    QCOMPARE(automation.message, DebuggerText(dtRunHeld));
    QVERIFY(!aborted);
    QVERIFY(hasAtom("Only"));
    QVERIFY(!hasAtom("FromOutside"));
    // Once the run is over, they run again.
    TZTApp app(m_services);
    QString text;
    TAutomationValue value;
    QVERIFY(app.RunClientScript("2+3", text, value).ok);
    QCOMPARE(value.number, 5.0);
}

// Closing the main window while a run waits asks about the changed script first; agreed, the run
// is cancelled before the application ends (its later statements never run), otherwise the
// window stays and the run waits on.
void MainWindowDebugTest::quittingWhileARunWaits_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("No: discard and quit") << QMessageBox::No << true;
    QTest::newRow("Cancel: stay") << QMessageBox::Cancel << false;
}

void MainWindowDebugTest::quittingWhileARunWaits() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closed);
    editor()->SetScriptText("CreateAtom(model,[First])\nCreateAtom(model,[Second])\n");
    editor()->document()->setModified(true);
    m_answer = answer;
    m_driver->start({[this] {
                         m_driver->note()();
                         m_window->close();
                     },
                     m_driver->press(Qt::Key_F5)});
    action("acDebug")->trigger();
    m_driver->stop();
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().startsWith("The script Untitled has changed."));
    QCOMPARE(m_window->isHidden(), closed);
    QCOMPARE(hasAtom("First"), !closed);
    QCOMPARE(hasAtom("Second"), !closed);
    QVERIFY(!m_debugger->HoldsRun());
    QVERIFY(!vex::DebugControlOf(*m_context).AbortRequested);
}

// A model file of many statements: while it is read the progress bar advances and the
// application handles what waits, such as a timer and a run asked for from elsewhere, which
// runs nested in the reading.
void MainWindowDebugTest::openingAModelShowsItsProgressAndKeepsAnswering() {
    const QString path = m_dir.filePath("big.vex");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ Zentaro model file }\nModelFile(1,[Big],0)\n");
        for (int atom = 1; atom <= 400; ++atom)
            file.write(QStringLiteral("LoadAtom(%1,0,[Part%1],%1)\n").arg(atom).toLatin1());
    }
    std::chrono::milliseconds now{0};
    setClock([&now] { return now += std::chrono::milliseconds(20); });
    QList<int> values;
    double nested = 0;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&, this] {
        if (QProgressBar* bar = m_progress->bar("t-FileRead"))
            values << bar->value();
    });
    watcher.start();
    QMetaObject::invokeMethod(
        qApp,
        [&, this] {
            vex::TText text;
            nested = m_context->ActiveFrameCount() > 0 ? m_context->ExecuteText("6*7", text) : -1;
        },
        Qt::QueuedConnection);
    QVERIFY(m_window->openModel(path));
    watcher.stop();
    QVERIFY(m_progress->pumpCount() > 10);
    QVERIFY(values.size() > 10);
    QVERIFY(values.first() < values.last());
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QCOMPARE(m_progress->bar("t-FileRead"), nullptr);
    QCOMPARE(nested, 42.0);
    QVERIFY(hasAtom("Part400"));
}

void MainWindowDebugTest::during(const std::function<bool()>& step) {
    m_during.disconnect();
    m_during.setInterval(20);
    connect(&m_during, &QTimer::timeout, this, [this, step] {
        if (step())
            m_during.stop();
    });
    m_during.start();
}

void MainWindowDebugTest::clickStop() {
    auto* toolBar = m_window->findChild<QToolBar*>("tbRun");
    QTest::mouseClick(toolBar->widgetForAction(action("acStop")), Qt::LeftButton);
}

// An endless script keeps the window alive: its timers fire between the run's nodes, the
// commands that would start another run are disabled, an automation call is refused, and Stop
// on the tool bar, or Ctrl+Break in the window answered Yes, ends the script without its next
// statement; nothing of the press is left for the next run.
void MainWindowDebugTest::aRunThatGoesIsServedAndStopped_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Stop on the tool bar") << false;
    QTest::newRow("Ctrl+Break answered Yes") << true;
}

void MainWindowDebugTest::aRunThatGoesIsServedAndStopped() {
    QFETCH(bool, byKey);
    editor()->SetScriptText("DeclareGlobal([n],0)\nWhile(1,n:=n+1)\nCreateAtom(model,[After])\n");
    m_answer = QMessageBox::Yes;
    int ticks = 0;
    bool runDisabled = false;
    bool stopEnabled = false;
    QString status;
    TAutomationStatus automation;
    during([&, this] {
        if (m_context->ActiveFrameCount() == 0)
            return false;
        if (++ticks == 1) {
            runDisabled = !action("acRun")->isEnabled() && !action("acNewModel")->isEnabled();
            stopEnabled = action("acStop")->isEnabled();
            status = m_window->statusBar()->currentMessage();
            TZTApp app(m_services);
            QString text;
            TAutomationValue value;
            automation = app.RunClientScript("CreateAtom(model,[FromOutside])", text, value);
            return false;
        }
        if (byKey)
            QTest::keyClick(m_window, Qt::Key_Pause, Qt::ControlModifier);
        else
            clickStop();
        return true;
    });
    QVERIFY(!m_window->runEditedScript());
    m_during.stop();
    QCOMPARE(ticks, 2);
    QVERIFY(m_debugger->ServedCount() > 0);
    QVERIFY(runDisabled);
    QVERIFY(stopEnabled);
    QCOMPARE(status, ShellText(stRunning));
    QVERIFY(!automation.ok);
    QCOMPARE(automation.message, ShellText(stRunGoesCall));
    QCOMPARE(m_boxes.size(), byKey ? 1 : 0);
    QVERIFY(!hasAtom("After"));
    QVERIFY(!hasAtom("FromOutside"));
    QCOMPARE(m_window->statusBar()->currentMessage(), ShellText(stRunStopped));
    QVERIFY(action("acRun")->isEnabled());
    QVERIFY(!action("acStop")->isEnabled());
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
    // The next run is not touched by what stopped this one.
    editor()->SetScriptText("2+3\n");
    QVERIFY(m_window->runEditedScript());
    QCOMPARE(m_window->statusBar()->currentMessage(), "Result: 5");
}

// Closing the window while a script runs asks whether to stop it: Yes stops it and the window
// closes once the run has ended; No leaves both going.
void MainWindowDebugTest::quittingDuringARun_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("Yes: stop and quit") << QMessageBox::Yes;
    QTest::newRow("No: run on") << QMessageBox::No;
}

void MainWindowDebugTest::quittingDuringARun() {
    QFETCH(QMessageBox::StandardButton, answer);
    editor()->SetScriptText("DeclareGlobal([n],0)\nWhile(1,n:=n+1)\n");
    m_answer = answer;
    bool stillShown = false;
    int ticks = 0;
    during([&, this] {
        if (m_context->ActiveFrameCount() == 0)
            return false;
        if (++ticks == 1) {
            m_window->close();
            return false;
        }
        stillShown = m_window->isVisible();
        clickStop();
        return true;
    });
    m_window->runEditedScript();
    m_during.stop();
    QCOMPARE(m_boxes, QStringList{ShellText(stStopAndQuit)});
    QVERIFY(stillShown || answer == QMessageBox::Yes);
    QTRY_COMPARE(m_window->isHidden(), answer == QMessageBox::Yes);
}

// A long model run shows its clock against the end time, the events per second and the time it
// has taken, in the status bar, while it runs.
void MainWindowDebugTest::aModelRunShowsItsProgress() {
    editor()->SetScriptText(
        "DeclareGlobal([ticker],0)\nticker:=CreateAtom(model,[Ticker])\n"
        "SetHandler(ticker,[OnEvent],[CreateEvent(1,c)])\nCreateEvent(0,ticker)\n"
        "RunModel(1000000000)\n");
    QStringList texts;
    int value = -1;
    during([&, this] {
        TModelRunProgress* progress = m_window->runProgress();
        if (!progress->Shown())
            return false;
        texts << progress->Text();
        value = progress->Bar()->value();
        if (texts.size() < 3)
            return false;
        clickStop();
        return true;
    });
    m_window->runEditedScript();
    m_during.stop();
    QCOMPARE(texts.size(), 3);
    const QRegularExpression shown(
        QStringLiteral("^Time \\d+ of 1000000000 - \\d+ events/s - \\d+\\.\\d s$"));
    for (const QString& text : texts)
        QVERIFY2(shown.match(text).hasMatch(), qPrintable(text));
    QVERIFY(value >= 0);
    QTRY_VERIFY(!m_window->runProgress()->Shown());
}

// During an endless run the person opens and closes the error window and the debugger and
// switches debugging on and off with the debugger's switch button; the run goes on through all
// of it (debugged in between, without pausing: its origin is not ticked) and Stop ends it.
void MainWindowDebugTest::toolWindowsAndDebuggingChangeDuringARun() {
    editor()->SetScriptText("DeclareGlobal([n],0)\nWhile(1,n:=n+1)\n");
    int step = 0;
    QList<bool> debugged;
    during([&, this] {
        if (m_context->ActiveFrameCount() == 0)
            return false;
        switch (step++) {
        case 0:
            TraceMessage("a note", true);
            GetErrorWindow()->close();
            m_debugger->ShowWindow();
            QTest::mouseClick(m_debugger->Window()->findChild<QToolButton*>("btnSwitch"),
                              Qt::LeftButton);
            return false;
        case 1:
            debugged << vex::DebugControlOf(*m_context).DebugStatePositive();
            CloseErrorWindow();
            m_debugger->Window()->close();
            return false;
        case 2:
            QTest::mouseClick(m_debugger->Window()->findChild<QToolButton*>("btnSwitch"),
                              Qt::LeftButton);
            return false;
        default:
            debugged << vex::DebugControlOf(*m_context).DebugStatePositive();
            clickStop();
            return true;
        }
    });
    m_window->runEditedScript();
    m_during.stop();
    QCOMPARE(debugged, QList<bool>({true, false}));
    QCOMPARE(m_window->statusBar()->currentMessage(), ShellText(stRunStopped));
    QCOMPARE(m_context->ActiveFrameCount(), 0);
    ClearErrorLog();
}

QTEST_MAIN(MainWindowDebugTest)
#include "MainWindowDebugTest.moc"
