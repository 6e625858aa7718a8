// The break watcher on a real X server (the test runs under xvfb-run): Ctrl+Break pressed by
// xdotool while a script loops without end asks whether to debug it, or with debugging off
// whether to stop it; presses that come before the runtime looks are answered once, a press while
// nothing runs pauses no later run, and the watcher thread lives while debugging is on or a run
// goes.

#include "debugging/BreakThread.h"
#include "debugging/DebuggerServices.h"
#include "debugging/RunGuard.h"
#include "debugging/TraceWindows.h"
#include "debugging/UserRun.h"
#include "editing/ApplicationServices.h"
#include "runtime/VexWords.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"
#include "tests/debugging/PauseDriver.h"

#include <QTest>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <thread>

namespace {

// An unlisted word number the test gives an implementation of its own: it presses Ctrl+Break
// five times and waits until the watcher has counted every press, so that all five come before
// the runtime looks at the request again.
constexpr int kFivePressesWord = 28;
constexpr const char* kFivePressesName = "Reserved28";

// An unlisted word number for the word that tells the test that the endless loop is about to
// begin.
constexpr int kLoopStartsWord = 29;
constexpr const char* kLoopStartsName = "Reserved29";

std::atomic<std::uint32_t>* s_request = nullptr;
std::atomic<bool> s_loopStarted = false;

double loopStarts(int, vex::TCallNode&, vex::TText&, vex::TLanguageInterpreter&) {
    s_loopStarted = true;
    return 0;
}

// Waits until `condition` holds or `patience` has passed; whether it held.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Presses Ctrl+Pause `times` times on the X server, as a person does.
bool pressBreak(int times) {
    std::string command = "xdotool key --delay 20";
    for (int press = 0; press < times; ++press)
        command += " ctrl+Pause";
    return std::system(command.c_str()) == 0;
}

double pressFiveTimes(int, vex::TCallNode&, vex::TText&, vex::TLanguageInterpreter&) {
    if (!pressBreak(5))
        return -1;
    for (int wait = 0; wait < 200 && s_request->load() < 5; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return s_request->load();
}

} // namespace

class BreakWatcherTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void breakKeysInterruptAnEndlessLoop_data();
    void breakKeysInterruptAnEndlessLoop();
    void pressesBeforeTheNextNodeAskOnce();
    void watcherLivesWhileDebuggingIsOn();
    void breakKeysStopAPlainRun();
    void aPressWhileNothingRunsPausesNoLaterRun();

private:
    bool watcherCounts();
    // Presses Ctrl+Break from another thread, once the loop has started, until a box asks (at
    // most ten presses, a second apart); aborts the run when none does. Whether a box asked.
    bool pressUntilAsked(const std::function<void()>& run);

    TApplicationServices m_applicationServices;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TApplicationDebugServices> m_services;
    std::unique_ptr<TPauseDriver> m_driver;
    QStringList m_boxes;
    // Set by the first message box, read by the thread that presses the keys.
    std::atomic<bool> m_asked = false;
    std::deque<QMessageBox::StandardButton> m_answers;
};

void BreakWatcherTest::init() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    InitializeLanguageManager();
    m_boxes.clear();
    m_answers.clear();
    m_asked = false;
    m_applicationServices.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_asked = true;
        m_boxes << request.Text;
        if (m_answers.empty())
            return QMessageBox::Cancel;
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    };
    m_host = std::make_unique<TApplicationHost>(m_applicationServices);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_applicationServices.Context = m_context.get();
    QVERIFY(vex::ReplaceWordImplementation(*m_context, kFivePressesWord, pressFiveTimes));
    QVERIFY(vex::ReplaceWordImplementation(*m_context, kLoopStartsWord, loopStarts));
    s_loopStarted = false;
    s_request = &vex::DebugControlOf(*m_context).BreakRequest;
    m_services = std::make_unique<TApplicationDebugServices>(*m_context, m_host->Services());
    m_services->ApplicationServices = &m_applicationServices;
    m_driver = std::make_unique<TPauseDriver>(*m_services);
}

void BreakWatcherTest::cleanup() {
    m_driver.reset();
    m_services.reset();
    QCOMPARE(TBreakThread::LiveThreads(), 0);
    m_context.reset();
    m_applicationServices.Context = nullptr;
    m_host.reset();
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

// The watcher grabs the keys on its thread a little after it starts, and a press before that is
// lost. Presses until one is counted (at most ten, a second apart), then sets the counter back.
bool BreakWatcherTest::watcherCounts() {
    for (int press = 0; press < 10; ++press) {
        pressBreak(1);
        if (waitFor([this] { return vex::DebugControlOf(*m_context).BreakRequest.load() > 0; },
                    std::chrono::seconds(1))) {
            vex::DebugControlOf(*m_context).BreakRequest = 0;
            return true;
        }
    }
    return false;
}

// A run of the person's origin, which the debugger does not step into, loops without end; a
// press of Ctrl+Break from outside asks whether to debug it. No ends the run, Yes pauses it in
// stepping, where Cancel ends it.
void BreakWatcherTest::breakKeysInterruptAnEndlessLoop_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<int>("pauses");
    QTest::newRow("No: the run ends") << QMessageBox::No << 0;
    QTest::newRow("Yes: the run steps") << QMessageBox::Yes << 1;
}

void BreakWatcherTest::breakKeysInterruptAnEndlessLoop() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(int, pauses);
    vex::SwitchDebugging(*m_context, true);
    QVERIFY(m_services->WatchesSystemWide());
    // After Yes, the pause is cancelled: Cancel, and Yes to its question.
    m_answers = {answer, QMessageBox::Yes};
    int paused = 0;
    m_driver->start({[&] {
        ++paused;
        QTest::mouseClick(m_services->Window()->findChild<QToolButton*>("btnResetExecution"),
                          Qt::LeftButton);
    }});
    // The watcher grabs the keys on a thread of its own, a little after debugging is switched
    // on, and a press before that is lost: the press is repeated until the question comes. If no
    // press ever arrives, the run is aborted, so that the test fails instead of looping for ever.
    std::atomic<bool> pressesLost = false;
    std::thread presser([this, &pressesLost] {
        using namespace std::chrono_literals;
        const bool started = waitFor([] { return s_loopStarted.load(); }, 10s);
        for (int press = 0; started && press < 10 && !m_asked; ++press) {
            pressBreak(1);
            waitFor([this] { return m_asked.load(); }, 1s);
        }
        if (!m_asked) {
            pressesLost = true;
            m_context->RequestAbort();
        }
    });
    vex::TText text;
    {
        TUserRun run(*m_context, false);
        m_context->ExecuteText(
            std::string("Do(DeclareGlobal([n],0),") + kLoopStartsName + ",While(1,n:=n+1))", text);
    }
    presser.join();
    m_driver->stop();
    QVERIFY2(!pressesLost, "no Ctrl+Break reached the watcher within ten presses; run aborted");
    QCOMPARE(paused, pauses);
    QCOMPARE(m_driver->unexpectedPauses(), 0);
    QVERIFY(m_boxes.size() >= 1);
    QVERIFY(m_boxes.first().contains(QString::fromStdString(m_context->LanguageText(3036))));
    QCOMPARE(m_boxes.size(), 1 + pauses);
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
}

// Five presses while a node runs make one question. Code another program sent is asked whether
// to stop;
// No lets it go on.
void BreakWatcherTest::pressesBeforeTheNextNodeAskOnce() {
    vex::SwitchDebugging(*m_context, true);
    m_answers = {QMessageBox::No};
    QVERIFY2(watcherCounts(), "no Ctrl+Break reached the watcher within ten presses");
    vex::TText text;
    const std::string script =
        std::string("Do(DeclareGlobal([counted],0),counted:=") + kFivePressesName + ",1+2)";
    QCOMPARE(m_context->ExecuteExternal(script, text), 3.0);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().contains(QString::fromStdString(m_context->LanguageText(3034))));
    vex::TText ignored;
    QCOMPARE(m_context->ExecuteText("counted", ignored), 5.0);
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
}

// The watcher starts with debugging, ends when it is switched off (however long the keys stay
// quiet) and starts anew when it is switched on again; while debugging is off a press counts
// nothing.
void BreakWatcherTest::watcherLivesWhileDebuggingIsOn() {
    QCOMPARE(TBreakThread::LiveThreads(), 0);
    vex::SwitchDebugging(*m_context, true);
    QCOMPARE(TBreakThread::LiveThreads(), 1);
    vex::SwitchDebugging(*m_context, false);
    QCOMPARE(TBreakThread::LiveThreads(), 0);
    QVERIFY(!m_services->HasBreakWatcher());
    QVERIFY(pressBreak(1));
    QTest::qWait(100);
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
    vex::SwitchDebugging(*m_context, true);
    QCOMPARE(TBreakThread::LiveThreads(), 1);
    QVERIFY2(watcherCounts(), "no Ctrl+Break reached the watcher within ten presses");
    QVERIFY(pressBreak(2));
    QTRY_COMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 2u);
    vex::SwitchDebugging(*m_context, false);
    QCOMPARE(TBreakThread::LiveThreads(), 0);
}

bool BreakWatcherTest::pressUntilAsked(const std::function<void()>& run) {
    std::thread presser([this] {
        using namespace std::chrono_literals;
        const bool started = waitFor([] { return s_loopStarted.load(); }, 10s);
        for (int press = 0; started && press < 10 && !m_asked; ++press) {
            pressBreak(1);
            waitFor([this] { return m_asked.load(); }, 1s);
        }
        if (!m_asked)
            m_context->RequestAbort();
    });
    run();
    presser.join();
    return m_asked;
}

// With debugging off, a run the application started still has the watcher: Ctrl+Break asks
// whether to stop the endless loop, and Yes ends it with no later statement. The watcher goes
// a little after the run.
void BreakWatcherTest::breakKeysStopAPlainRun() {
    QCOMPARE(TBreakThread::LiveThreads(), 0);
    m_answers = {QMessageBox::Yes};
    bool watched = false;
    bool ended = false;
    const bool asked = pressUntilAsked([&, this] {
        const TRunGuard guard(*m_context, TRunOwner::Person);
        watched = m_services->WatchesSystemWide();
        TUserRun run(*m_context, false);
        vex::TText text;
        m_context->ExecuteText(
            std::string("Do(DeclareGlobal([n],0),") + kLoopStartsName + ",While(1,n:=n+1))", text);
        ended = run.Ended();
    });
    QVERIFY(watched);
    QVERIFY2(asked, "no Ctrl+Break reached the watcher within ten presses; run aborted");
    QVERIFY(ended);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().contains(QString::fromStdString(m_context->LanguageText(3034))));
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
    QTRY_COMPARE_WITH_TIMEOUT(TBreakThread::LiveThreads(), 0, 10000);
}

// A press while nothing runs (debugging on, the person's runs debugged, so that a request would
// pause at once) is dropped: the next run does not pause.
void BreakWatcherTest::aPressWhileNothingRunsPausesNoLaterRun() {
    vex::SwitchDebugging(*m_context, true);
    vex::DebugControlOf(*m_context).DebugOrigins |= vex::roInterruption;
    QVERIFY2(watcherCounts(), "no Ctrl+Break reached the watcher within ten presses");
    QVERIFY(pressBreak(1));
    QTRY_COMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 1u);
    m_driver->start({});
    vex::TText text;
    double result = 0;
    {
        const TRunGuard guard(*m_context, TRunOwner::Person);
        TUserRun run(*m_context, false);
        result = m_context->ExecuteText("Do(DeclareGlobal([m],0),m:=m+1,m*5)", text);
    }
    m_driver->stop();
    QCOMPARE(result, 5.0);
    QCOMPARE(m_driver->unexpectedPauses(), 0);
    QVERIFY(m_boxes.isEmpty());
}

QTEST_MAIN(BreakWatcherTest)
#include "BreakWatcherTest.moc"
