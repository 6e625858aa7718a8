// The debugger window driven by its buttons and keys while the application's runtime runs
// scripts in a test host: stepping, Run, Stop, Cancel, break requests, the panes, F5 by page, the
// layout rules, translations and screenshots of a paused run.

#include "debugging/DebuggerServices.h"
#include "debugging/DebuggerTexts.h"
#include "debugging/EventsPane.h"
#include "debugging/TDebuggerForm.h"
#include "debugging/TformTrace.h"
#include "debugging/TraceWindows.h"
#include "debugging/UserRun.h"
#include "editing/ApplicationServices.h"
#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"
#include "runtime/VexWords.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"
#include "tests/debugging/PauseDriver.h"
#include "tests/services/LanguageCoverage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <functional>
#include <memory>
#include <set>

namespace {

// Unlisted word numbers the tests give an implementation of their own: a word that handles the
// messages waiting, as a host word that keeps the windows alive during a long run does, and a
// word that presses Ctrl+Break in one of the application's windows.
constexpr int kPumpWord = 19;
constexpr const char* kPumpName = "Reserved19";
constexpr int kBreakKeyWord = 28;
constexpr const char* kBreakKeyName = "Reserved28";

QWidget* s_keyTarget = nullptr;

double pumpMessages(int, vex::TCallNode&, vex::TText&, vex::TLanguageInterpreter& context) {
    vex::DebugControlOf(context).Services->HandlePendingMessages();
    return 0;
}

double pressBreakKeys(int, vex::TCallNode&, vex::TText&, vex::TLanguageInterpreter&) {
    QTest::keyClick(s_keyTarget, Qt::Key_Pause, Qt::ControlModifier);
    return 0;
}

} // namespace

class DebuggerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stepInThroughAUserWordWithArguments();
    void stepOverAUserWordCall();
    void runToTheEnd();
    void stopWhileRunning();
    void cancel_data();
    void cancel();
    void cancelWhileNothingRunsLeavesNoRequest();
    void breakRequestDuringAPlainRun_data();
    void breakRequestDuringAPlainRun();
    void withoutXTheTraceWindowSaysOnceThatTheKeyIsLocal();
    void handlersPauseWithTheirEventAndAtom();
    void immediateReadsAndChangesAPausedLocal();
    void immediateIsRefusedWhenNothingIsPaused();
    void environmentReadsAtomsThroughTheirHandles();
    void eventsKeepTheirOrderForEqualTimes();
    void aLongEventListShowsItsStartAndCountsTheRest();
    void f5ByPage_data();
    void f5ByPage();
    void closingTheWindowLetsThePausedRunGoOn();
    void layoutKeepsThePageAreaAndTheListing();
    void everyRequestedNumberIsInTheModules_data();
    void everyRequestedNumberIsInTheModules();
    void screenshotsOfAPausedRun();

private:
    using TStep = TPauseDriver::TStep;

    // Runs `script` as the person's run, debugged or not; `steps` act one after the other
    // whenever the run waits in the debugger.
    double run(const char* script, std::vector<TStep> steps, bool debug = true);
    TStep press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return m_driver->press(key, modifiers);
    }
    QString selection() const { return m_driver->selection(); }
    void define(const char* name, const char* body, int arguments);

    TDebuggerForm* window() const { return m_services->Window(); }
    template <class T>
    T* child(const char* name) const {
        T* found = window()->findChild<T*>(name);
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    QString listing() const;
    QTableWidget* list(const char* name) const { return child<QTableWidget>(name); }
    QStringList column(QTableWidget* table, int column) const;
    QStringList row(QTableWidget* table, int row) const;
    void focusOn(QWidget* widget);
    void clickHeader(QTableWidget* table, int column);

    TApplicationServices m_applicationServices;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TApplicationDebugServices> m_services;
    std::unique_ptr<TPauseDriver> m_driver;
    std::unique_ptr<QWidget> m_otherWindow;
    // The selections the driver noted in the last run.
    QStringList m_log;
    QStringList m_boxes;
    std::deque<QMessageBox::StandardButton> m_answers;
};

void DebuggerWindowTest::init() {
    InitializeLanguageManager();
    QVERIFY(LoadCurrentLanguageModule());
    m_boxes.clear();
    m_answers.clear();
    m_applicationServices.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        if (m_answers.empty())
            return QMessageBox::No;
        const QMessageBox::StandardButton answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    };
    m_host = std::make_unique<TApplicationHost>(m_applicationServices);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_applicationServices.Context = m_context.get();
    QVERIFY(vex::ReplaceWordImplementation(*m_context, kPumpWord, pumpMessages));
    QVERIFY(vex::ReplaceWordImplementation(*m_context, kBreakKeyWord, pressBreakKeys));
    m_services = std::make_unique<TApplicationDebugServices>(*m_context, m_host->Services());
    m_services->ApplicationServices = &m_applicationServices;
    m_driver = std::make_unique<TPauseDriver>(*m_services);
    m_otherWindow = std::make_unique<QWidget>();
    s_keyTarget = m_otherWindow.get();
    define("Sq", "Do(LocalNum([v]),v:=Arg(1),v*v)", 1);
}

void DebuggerWindowTest::cleanup() {
    const int unexpectedPauses = m_driver->unexpectedPauses();
    m_driver.reset();
    m_services.reset();
    m_context.reset();
    m_applicationServices.Context = nullptr;
    m_host.reset();
    m_otherWindow.reset();
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QCOMPARE(unexpectedPauses, 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

void DebuggerWindowTest::define(const char* name, const char* body, int arguments) {
    vex::TText ignored;
    const std::string script = std::string("DefineWord([") + name + "],[" + body + "]," +
                               std::to_string(arguments) + "," + std::to_string(arguments) + ",[])";
    m_context->ExecuteText(script, ignored);
}

double DebuggerWindowTest::run(const char* script, std::vector<TStep> steps, bool debug) {
    m_driver->start(std::move(steps));
    vex::TText text;
    double number = 0;
    {
        TUserRun userRun(*m_context, debug);
        number = m_context->ExecuteText(script, text);
    }
    m_driver->stop();
    m_log = m_driver->Log;
    return number;
}

QString DebuggerWindowTest::listing() const {
    return window()->ListingPanel()->Editor()->toPlainText();
}

QStringList DebuggerWindowTest::column(QTableWidget* table, int column) const {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

QStringList DebuggerWindowTest::row(QTableWidget* table, int row) const {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

void DebuggerWindowTest::clickHeader(QTableWidget* table, int column) {
    QHeaderView* header = table->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

void DebuggerWindowTest::focusOn(QWidget* widget) {
    window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

// Step In pauses before every node of the caller and of the word's body (the body's listing
// replaces the caller's), and after a call once more at its whole text.
void DebuggerWindowTest::stepInThroughAUserWordWithArguments() {
    QStringList listings;
    QStringList information;
    std::vector<TStep> steps;
    for (int i = 0; i < 18; ++i)
        steps.push_back([&, this] {
            listings << listing();
            information << child<QLineEdit>("edtInfo")->text();
            press(Qt::Key_F7)();
        });
    QCOMPARE(run("Sq(3)+1", steps), 10.0);
    QCOMPARE(m_log,
             QStringList({"+", "Sq", "Do", "LocalNum", ":=", "Arg", "1", "3", "Arg(1)",
                          ":=(v,Arg(1))", "*", "v", "v", "*(v,v)",
                          "Do(LocalNum([v]),:=(v,Arg(1)),*(v,v))", "Sq(3)", "1", "+(Sq(3),1)"}));
    QCOMPARE(listings.first(), "+(Sq(3),1)");
    QCOMPARE(listings.at(2), "Do(LocalNum([v]),:=(v,Arg(1)),*(v,v))");
    // The argument is evaluated in the caller's code.
    QCOMPARE(listings.at(7), "+(Sq(3),1)");
    QCOMPARE(information.first(), DebuggerText(dtScriptOrigin));
    QCOMPARE(information.at(2), "Sq()");
    // Back from the word's body.
    QCOMPARE(information.at(16), DebuggerText(dtScriptOrigin));
    QVERIFY(m_driver->done());
    QCOMPARE(listing(), QString());
    QCOMPARE(child<QLineEdit>("edtNumeric")->text(), "10");
}

void DebuggerWindowTest::stepOverAUserWordCall() {
    QStringList results;
    const auto result = [&, this] { results << child<QLineEdit>("edtNumeric")->text(); };
    QCOMPARE(run("Sq(3)+1", {press(Qt::Key_F7), press(Qt::Key_F8, Qt::ShiftModifier),
                             [&, this] {
                                 result();
                                 press(Qt::Key_F7)();
                             },
                             press(Qt::Key_F7)}),
             10.0);
    QCOMPARE(m_log, QStringList({"+", "Sq", "1", "+(Sq(3),1)"}));
    // The call's result, shown without inner pauses.
    QCOMPARE(results, QStringList{"9"});
}

void DebuggerWindowTest::runToTheEnd() {
    QCOMPARE(run("Do(Sq(2),Sq(5))", {press(Qt::Key_F7), press(Qt::Key_F5)}), 25.0);
    QCOMPARE(m_log, QStringList({"Do", "Sq"}));
    QCOMPARE(listing(), QString());
    QCOMPARE(child<QLineEdit>("edtNumeric")->text(), "25");
    QVERIFY(window()->DebugModeOn());
    QCOMPARE(vex::DebugControlOf(*m_context).DebugState, vex::dsRun);
    QVERIFY(vex::DebugControlOf(*m_context).Running);
}

// A released run that handles its messages meets Stop: the next node pauses.
void DebuggerWindowTest::stopWhileRunning() {
    m_services->ShowWindow();
    QVERIFY(child<QToolButton>("btnSwitch")->isChecked() == false);
    QTest::mouseClick(child<QToolButton>("btnSwitch"), Qt::LeftButton);
    QVERIFY(window()->DebugModeOn());
    child<QCheckBox>("chkInterruption")->click();
    int stopped = 0;
    QTimer stopper;
    stopper.setInterval(0);
    connect(&stopper, &QTimer::timeout, this, [&, this] {
        if (stopped == 0 && !m_services->IsPaused() && m_context->ActiveFrameCount() > 0) {
            ++stopped;
            QTest::mouseClick(child<QToolButton>("btnStop"), Qt::LeftButton);
        }
    });
    stopper.start();
    const std::string script = std::string("Do(") + kPumpName + ",7,8)";
    QCOMPARE(run(script.c_str(), {press(Qt::Key_F7), press(Qt::Key_F5)}, false), 8.0);
    QCOMPARE(stopped, 1);
    QCOMPARE(m_log, QStringList({kPumpName, "7"}));
}

void DebuggerWindowTest::cancel_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<double>("result");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("No: the pause goes on")
        << QMessageBox::No << 5.0 << QStringList{"+", "+", "2", "3", "+(2,3)"};
    QTest::newRow("Yes: the whole run ends") << QMessageBox::Yes << 0.0 << QStringList{"+"};
}

void DebuggerWindowTest::cancel() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(double, result);
    QFETCH(QStringList, log);
    m_answers = {answer};
    std::vector<TStep> steps = {[this] {
        m_driver->Log << selection();
        QTest::mouseClick(child<QToolButton>("btnResetExecution"), Qt::LeftButton);
    }};
    if (answer == QMessageBox::No)
        steps.insert(steps.end(), 4, press(Qt::Key_F7));
    QCOMPARE(run("2+3", steps), result);
    QCOMPARE(m_log, log);
    QCOMPARE(m_boxes, QStringList{DebuggerText(dtAskCancel)});
    QVERIFY(!vex::DebugControlOf(*m_context).AbortRequested);
    QCOMPARE(listing(), QString());
    m_boxes.clear();
}

// Cancel with nothing running has nothing to end and leaves no request behind for the next run.
void DebuggerWindowTest::cancelWhileNothingRunsLeavesNoRequest() {
    m_services->ShowWindow();
    QTest::mouseClick(child<QToolButton>("btnSwitch"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("btnResetExecution"), Qt::LeftButton);
    QVERIFY(!vex::DebugControlOf(*m_context).AbortRequested);
    QCOMPARE(run("2+3", {press(Qt::Key_F7), press(Qt::Key_F5)}), 5.0);
    QCOMPARE(m_log, QStringList({"+", "2"}));
    QVERIFY(m_boxes.isEmpty());
}

// Ctrl+Break pressed in one of the application's windows while a run goes on without the
// debugger: the run asks whether to stop.
void DebuggerWindowTest::breakRequestDuringAPlainRun_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<double>("result");
    QTest::newRow("No: the run goes on") << QMessageBox::No << 3.0;
    QTest::newRow("Yes: the run ends silently") << QMessageBox::Yes << 0.0;
}

void DebuggerWindowTest::breakRequestDuringAPlainRun() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(double, result);
    m_answers = {answer};
    const std::string script = std::string("Do(") + kBreakKeyName + ",1+2)";
    QCOMPARE(run(script.c_str(), {}, false), result);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY(m_boxes.first().contains(QString::fromStdString(m_context->LanguageText(3034))));
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
    QCOMPARE(m_services->Window(), nullptr);
    m_boxes.clear();
    // Outside a run the keys ask for nothing.
    QTest::keyClick(s_keyTarget, Qt::Key_Pause, Qt::ControlModifier);
    QCOMPARE(vex::DebugControlOf(*m_context).BreakRequest.load(), 0u);
}

// Offscreen there is no X server to grab the key on: debugging starts no watcher thread, and the
// trace window says once that Ctrl+Break works only in the application's windows.
void DebuggerWindowTest::withoutXTheTraceWindowSaysOnceThatTheKeyIsLocal() {
    for (const bool on : {true, false, true})
        vex::SwitchDebugging(*m_context, on);
    QVERIFY(m_services->HasBreakWatcher());
    QVERIFY(!m_services->WatchesSystemWide());
    const QString trace = GetTraceWindow()->findChild<QPlainTextEdit*>("memTrace")->toPlainText();
    QCOMPARE(trace.count(DebuggerText(dtNoSystemBreakKey)), 1);
}

// In debug mode, Stop makes the next run pause at its first node of a debugged origin: here the
// handler an event runs (simulation is debugged from the start; the run that starts the model is
// not). The information box names the handler, its event's code and its atom.
void DebuggerWindowTest::handlersPauseWithTheirEventAndAtom() {
    vex::TText ignored;
    m_context->ExecuteText("Do(DeclareGlobal([qq],2),qq:=CreateAtom(model,[Queue]),"
                           "SetHandler(qq,[OnEvent],[Do(1,EventCode)]),CreateEvent(1,qq,7,0,0))",
                           ignored);
    m_services->ShowWindow();
    QTest::mouseClick(child<QToolButton>("btnSwitch"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("btnStop"), Qt::LeftButton);
    QString information;
    QCOMPARE(run("RunModel(5)", {[&, this] {
                     information = child<QLineEdit>("edtInfo")->text();
                     press(Qt::Key_F5)();
                 }},
                 false),
             1.0);
    QCOMPARE(m_log, QStringList{"Do"});
    const vex::host::TModel& model = m_host->Services().Model;
    QCOMPARE(information, QStringLiteral("OnEvent(7), Atom=Queue (ID=%1)")
                              .arg(model.AtomByName("Queue", model.Root())->AtomId()));
}

// Typed on the Immediate page at a pause inside the word's body: it reads and changes the body's
// local, and the rest of the run goes on with the changed value.
void DebuggerWindowTest::immediateReadsAndChangesAPausedLocal() {
    QStringList shown;
    const auto execute = [&, this](const char* expression) {
        return [&, this, expression] {
            m_driver->Log << selection();
            child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>("tshImmediate"));
            TVexScriptEditor* editor = window()->ExpressionPanel()->Editor();
            focusOn(editor);
            editor->SetScriptText(QString::fromLatin1(expression));
            QTest::keyClick(editor, Qt::Key_F5);
            shown << child<QLineEdit>("txtNumeric")->text();
            focusOn(window()->ListingPanel()->Editor());
        };
    };
    std::vector<TStep> steps(9, press(Qt::Key_F7));
    steps.push_back(execute("v"));
    steps.push_back(execute("v:=v+10"));
    steps.push_back(press(Qt::Key_F5));
    QCOMPARE(run("Sq(3)", steps), 169.0);
    QCOMPARE(shown, QStringList({"3", "13"}));
    // Paused before the multiplication.
    QCOMPARE(m_log.at(9), "*");
}

void DebuggerWindowTest::immediateIsRefusedWhenNothingIsPaused() {
    m_services->ShowWindow();
    child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>("tshImmediate"));
    window()->ExpressionPanel()->Editor()->SetScriptText("1+1");
    QTest::mouseClick(child<QPushButton>("btnExecute"), Qt::LeftButton);
    QCOMPARE(m_boxes, QStringList{DebuggerText(dtNothingPaused)});
    QCOMPARE(child<QLineEdit>("txtNumeric")->text(), QString());
    m_boxes.clear();
}

// The three registers' rows; a destroyed atom's reference reads as such and is not followed.
void DebuggerWindowTest::environmentReadsAtomsThroughTheirHandles() {
    vex::TText ignored;
    m_context->ExecuteText("Do(DeclareGlobal([q],2),DeclareGlobal([g],2),q:=CreateAtom(model,"
                           "[Queue]),g:=CreateAtom(q,[Gone]),DestroyAtom(g))",
                           ignored);
    QStringList active;
    QStringList gone;
    const auto look = [&, this] {
        m_driver->Log << selection();
        active = row(list("lvEnvironment"), 0);
        gone << child<QLineEdit>("edtActiveAtom")->text()
             << child<QLineEdit>("edtActiveAtomName")->text();
    };
    run("Do(q,g,1)",
        {press(Qt::Key_F7), press(Qt::Key_F7), look, press(Qt::Key_F7), look, press(Qt::Key_F5)});
    // At g the reference to q has been read: q is the active atom; at 1, g is.
    QCOMPARE(m_log, QStringList({"Do", "q", "g", "g", "1", "1"}));
    QCOMPARE(gone.size(), 4);
    const vex::host::TModel& model = m_host->Services().Model;
    const vex::host::TAtom* atom = model.AtomByName("Queue", model.Root());
    QVERIFY(atom);
    QCOMPARE(gone.at(0), QString::number(atom->Handle()));
    QCOMPARE(gone.at(1), "Queue");
    // The destroyed atom.
    QCOMPARE(gone.at(3), DebuggerText(dtUnreadable));
    QCOMPARE(active.at(0), DebuggerText(dtActiveAtom));
    QCOMPARE(active.at(2), DebuggerText(dtUnreadable));
    // Nothing after the cell that could not be read.
    QCOMPARE(active.at(3), QString());
}

// Events in run order (time, then the higher priority, then scheduling order); sorting keeps
// equal times in that order and puts events without an atom after the numbered ones.
void DebuggerWindowTest::eventsKeepTheirOrderForEqualTimes() {
    vex::TText ignored;
    m_context->ExecuteText(
        "Do(DeclareGlobal([srv],2),DeclareGlobal([gone],2),srv:=CreateAtom(model,[Server]),"
        "gone:=CreateAtom(model,[Gone]),CreateEvent(5,srv,1,0,0),CreateEvent(5,srv,3,4,gone),"
        "CreateEvent(0,srv,5,0,0),DestroyAtom(gone))",
        ignored);
    // The host may schedule events without an atom.
    vex::host::TModel& model = m_host->Services().Model;
    const std::int32_t server = model.AtomByName("Server", model.Root())->Handle();
    model.ScheduleEvent(2, 2, 0, 0, server, "test");
    model.ScheduleEvent(5, 4, 0, 0, 0, "test");
    const double goneReference = m_context->ExecuteText("gone", ignored);
    QStringList codes;
    QStringList byTime;
    QStringList byAtom;
    QStringList names;
    QStringList involved;
    const auto look = [&, this] {
        m_driver->Log << selection();
        child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>("tshEvents"));
        QTableWidget* events = list("lvEvents");
        codes = column(events, 1);
        names = column(events, 4);
        involved = column(events, 5);
        clickHeader(events, 0);
        byTime = column(events, 1);
        clickHeader(events, 3);
        byAtom = column(events, 3);
        // The list has the focus now, where F5 updates; the run goes on from the listing.
        focusOn(window()->ListingPanel()->Editor());
        press(Qt::Key_F5)();
    };
    run("1", {look});
    QCOMPARE(codes, QStringList({"5", "2", "3", "1", "4"}));
    // Equal times keep the run order.
    QCOMPARE(byTime, codes);
    const QString serverId = QString::number(model.FindAtom(server)->AtomId());
    QCOMPARE(byAtom, QStringList({serverId, serverId, serverId, "-", "-"}));
    QCOMPARE(names, QStringList({"Server", DebuggerText(dtNoEventAtom), "Server", "Server",
                                 DebuggerText(dtNoEventAtom)}));
    QCOMPARE(involved.at(0), DebuggerText(dtNoInvolvedAtom));
    QCOMPARE(involved.at(1), serverId);
    // The involved atom was destroyed: its reference, not followed.
    QCOMPARE(involved.at(2), QString::number(static_cast<std::int32_t>(goneReference)));
}

void DebuggerWindowTest::aLongEventListShowsItsStartAndCountsTheRest() {
    vex::host::TModel& model = m_host->Services().Model;
    const int extra = 25;
    for (std::size_t event = 0; event < TEventsPane::kEventRows + extra; ++event)
        model.ScheduleEvent(static_cast<double>(event), 1, 0, 0, 0, "test");
    m_services->ShowWindow();
    child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>("tshEvents"));
    QCOMPARE(list("lvEvents")->rowCount(), static_cast<int>(TEventsPane::kEventRows));
    QVERIFY(!child<QLabel>("lblEventsLeftOut")->isHidden());
    QCOMPARE(child<QLabel>("lblEventsLeftOut")->text(), DebuggerText(dtEventsLeftOut).arg(extra));
}

// F5 runs from the listing, executes from the Immediate page and updates from a list page.
void DebuggerWindowTest::f5ByPage_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("effect");
    QTest::newRow("listing: Run") << "tshOptions"
                                  << "ListingPanel"
                                  << "ran";
    QTest::newRow("Immediate: Execute") << "tshImmediate"
                                        << "ExpressionPanel"
                                        << "executed";
    QTest::newRow("Environment: Update") << "tshEnvironment"
                                         << "lvEnvironment"
                                         << "updated";
    QTest::newRow("Events: Update") << "tshEvents"
                                    << "lvEvents"
                                    << "updated";
}

void DebuggerWindowTest::f5ByPage() {
    QFETCH(QString, page);
    QFETCH(QString, focus);
    QFETCH(QString, effect);
    QString seen;
    const auto pressF5 = [&, this] {
        m_driver->Log << selection();
        child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>(qPrintable(page)));
        window()->ExpressionPanel()->Editor()->SetScriptText("6*7");
        QWidget* target = child<QWidget>(qPrintable(focus));
        if (auto* panel = qobject_cast<TScriptEditor*>(target))
            target = panel->Editor();
        focusOn(target);
        // What an update would show anew: an event, and an atom in the first register.
        m_host->Services().Model.ScheduleEvent(1, 9, 0, 0, 0, "test");
        const std::int32_t main = m_host->Services().Model.Main();
        m_host->Registers().First = main;
        QTest::keyClick(target, Qt::Key_F5);
        if (child<QLineEdit>("txtNumeric")->text() == "42")
            seen = "executed";
        else if (list("lvEnvironment")->item(1, 1) &&
                 list("lvEnvironment")->item(1, 1)->text() == QString::number(main) &&
                 (page != "tshEvents" || list("lvEvents")->rowCount() == 1))
            seen = "updated";
        focusOn(window()->ListingPanel()->Editor());
    };
    QCOMPARE(run("Do(1,2)", {press(Qt::Key_F7), pressF5, press(Qt::Key_F5)}), 2.0);
    if (effect == "ran") {
        QCOMPARE(m_log, QStringList({"Do", "1"}));
        QVERIFY(!m_driver->done());
        return;
    }
    QCOMPARE(seen, effect);
    QCOMPARE(m_log, QStringList({"Do", "1", "1"}));
}

void DebuggerWindowTest::closingTheWindowLetsThePausedRunGoOn() {
    QCOMPARE(run("Do(1,2,3)", {press(Qt::Key_F7),
                               [this] {
                                   m_driver->Log << selection();
                                   window()->close();
                               }}),
             3.0);
    QCOMPARE(m_log, QStringList({"Do", "1"}));
    QVERIFY(window()->isHidden());
    QCOMPARE(vex::DebugControlOf(*m_context).DebugState, vex::dsRun);
}

// The page area keeps its height while the window grows; when the window gets lower the listing
// shrinks first, down to its least height; the window is never lower than the sum of the least
// heights.
void DebuggerWindowTest::layoutKeepsThePageAreaAndTheListing() {
    m_services->ShowWindow();
    QWidget* form = window();
    QWidget* pages = child<QWidget>("PageControl");
    QWidget* panel = child<QWidget>("Panel1");
    form->resize(632, 462);
    QCoreApplication::processEvents();
    QCOMPARE(pages->height(), 171);
    form->resize(632, 700);
    QCoreApplication::processEvents();
    QCOMPARE(pages->height(), 171);
    form->resize(632, 320);
    QCoreApplication::processEvents();
    QCOMPARE(pages->height(), 171);
    QCOMPARE(panel->height(), 320 - 25 - 3 - 171);
    form->resize(632, 280);
    QCoreApplication::processEvents();
    QCOMPARE(panel->height(), 100);
    QCOMPARE(pages->height(), 280 - 25 - 3 - 100);
    QCOMPARE(form->minimumHeight(), 25 + 100 + 3 + 133);
    form->resize(632, 100);
    QCoreApplication::processEvents();
    QCOMPARE(form->height(), 25 + 100 + 3 + 133);
    QCOMPARE(pages->height(), 133);
}

void DebuggerWindowTest::everyRequestedNumberIsInTheModules_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("optionsPage");
    QTest::newRow("ZT9, English") << 9 << "Debugger - debug mode off"
                                  << "&Options";
    QTest::newRow("ZT7, German") << 7 << "Debugger - Debugmodus aus"
                                 << "&Optionen";
}

void DebuggerWindowTest::everyRequestedNumberIsInTheModules() {
    QFETCH(int, language);
    QFETCH(QString, caption);
    QFETCH(QString, optionsPage);
    QVERIFY(LoadLanguageModule("ZT", language));
    m_services->EnsureWindow();
    std::set<int> numbers = {
#define NUMBER_OF(constant, number, english) number,
        ZT_DEBUGGER_TEXTS(NUMBER_OF)
#undef NUMBER_OF
    };
    addLayoutNumbers(window(), numbers);
    QVERIFY(numbers.size() > 50);
    const QStringList missing = missingLanguageNumbers(numbers);
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));
    QCOMPARE(window()->windowTitle(), caption);
    QTabWidget* pages = child<QTabWidget>("PageControl");
    QCOMPARE(pages->tabText(pages->indexOf(child<QWidget>("tshOptions"))), optionsPage);
    QCOMPARE(list("lvEnvironment")->item(1, 0)->text(), GetLanguageText(dtCurrentAtom));
    LoadCurrentLanguageModule();
}

// Leaves DebuggerWindow-<page>.png for each page, with the node about to run selected.
void DebuggerWindowTest::screenshotsOfAPausedRun() {
    vex::TText ignored;
    m_context->ExecuteText("Do(DeclareGlobal([s],2),s:=CreateAtom(model,[Server]),"
                           "CreateEvent(3.5,s,1,0,0),CreateEvent(1,s,2,0,0))",
                           ignored);
    define("Long",
           "Do(LocalNum([total]),LocalText([message]),total:=Arg(1)*Arg(2)+Arg(1),"
           "message:=Concat([a rather long message so that the listing breaks ],total),"
           "Print(message),total)",
           2);
    const char* pages[] = {"tshOptions",   "tshResult", "tshEnvironment",
                           "tshImmediate", "tshEvents", "tshPerformance"};
    std::vector<TStep> steps(9, press(Qt::Key_F7));
    steps.push_back([&, this] {
        m_driver->Log << selection();
        window()->resize(760, 520);
        window()->ExpressionPanel()->Editor()->SetScriptText("total*2");
        for (const char* page : pages) {
            child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>(page));
            if (QString(page) == "tshImmediate")
                child<QPushButton>("btnExecute")->click();
            QCoreApplication::processEvents();
            const QImage shot = window()->grab().toImage();
            QVERIFY(shot.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/DebuggerWindow-") +
                              QString(page).mid(3) + ".png"));
            QCOMPARE(shot.width(), 760);
        }
        press(Qt::Key_F5)();
    });
    run("Do(s,Long(6,7))", steps);
    QCOMPARE(m_log.at(9), "Arg");
}

QTEST_MAIN(DebuggerWindowTest)
#include "DebuggerWindowTest.moc"
