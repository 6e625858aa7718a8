// The debugger's Performance page while the application's runtime runs scripts and a model with
// an animation: exact command counts, timed counting with shares that add up to 100 and that
// starts only from a clean state, the bar's split, the update frequencies, and a screenshot of
// the page after a model run.
//
// Times are exact where the tests read the ticks from a clock of their own; with the processor's
// tick counter they depend on the load of the machine, so there only what no load can change
// is checked.

#include "debugging/DebuggerServices.h"
#include "debugging/PerformancePane.h"
#include "debugging/TDebuggerForm.h"
#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "runtime/VexWords.h"
#include "services/LanguageManager.h"
#include "services/MessageBoxes.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <map>
#include <memory>

namespace {

// A tick counter that moves on by 3 at every reading, so that own times are exact.
std::uint64_t s_ticks = 0;
std::uint64_t steppingTicks() noexcept {
    return s_ticks += 3;
}

// A clock that stands still until a script moves it on with the word "Reserved19"(ticks): all
// time of a run is then spent in that word, where the script puts it.
constexpr int kAdvanceWord = 19;
std::uint64_t s_clock = 0;
std::uint64_t readClock() noexcept {
    return s_clock;
}
double advanceClock(int, vex::TCallNode& node, vex::TText& text,
                    vex::TLanguageInterpreter& context) {
    s_clock += static_cast<std::uint64_t>(vex::EvaluateArg(context, node, 1, text));
    return 0;
}

// A model view that shows nothing: with it the animation draws its frames.
class TQuietView : public vex::host::TModelView {
public:
    void ShowFrozenMessage(const std::string&) override {}
    void ReleaseFrozen() override {}
    void SetWatchesVisible(bool) override {}
};

} // namespace

class PerformancePageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countsOfAKnownScript();
    void timedCountingStartsCleanAndItsSharesAddUpTo100();
    void theBarSplitsSimulationAndAnimation_data();
    void theBarSplitsSimulationAndAnimation();
    void frequencies_data();
    void frequencies();
    void aModelRunWithAnimation();
    void theTickCounterTimesBothOrigins();

private:
    TDebuggerForm* window() const { return m_services->Window(); }
    template <class T>
    T* child(const char* name) const {
        T* found = window()->findChild<T*>(name);
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void execute(const char* script);
    // Runs 201 events of a model whose animation draws a frame after each; every event moves the
    // clock of the word "Reserved19" on by 3, every frame by 1.
    void runAModelWithAnimation();
    void update() { click("btnUpdate"); }
    // Command and Used of every row, and the sum of the % column.
    std::map<QString, int> usedByCommand() const;
    std::map<QString, double> shareByCommand() const;
    double sumOfShares() const;
    std::uint8_t mode() const { return vex::DebugControlOf(*m_context).Performance.CountingMode; }

    TApplicationServices m_applicationServices;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    std::unique_ptr<TApplicationDebugServices> m_services;
};

void PerformancePageTest::init() {
    InitializeLanguageManager();
    m_applicationServices.MessageBoxes = [](const TMessageBoxRequest& request) {
        qWarning("unexpected box: %s", qPrintable(request.Text));
        return QMessageBox::No;
    };
    m_host = std::make_unique<TApplicationHost>(m_applicationServices);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_applicationServices.Context = m_context.get();
    m_services = std::make_unique<TApplicationDebugServices>(*m_context, m_host->Services());
    m_services->ApplicationServices = &m_applicationServices;
    m_services->ShowWindow();
    child<QTabWidget>("PageControl")->setCurrentWidget(child<QWidget>("tshPerformance"));
    click("btnSwitch");
    QVERIFY(window()->DebugModeOn());
}

void PerformancePageTest::cleanup() {
    m_services.reset();
    m_context.reset();
    m_applicationServices.Context = nullptr;
    m_host.reset();
    const QStringList errors = ErrorLog();
    FinalizeTraceWindows();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
}

void PerformancePageTest::execute(const char* script) {
    vex::TText ignored;
    m_context->ExecuteText(script, ignored);
}

std::map<QString, int> PerformancePageTest::usedByCommand() const {
    QTableWidget* list = child<QTableWidget>("lvWords");
    std::map<QString, int> used;
    for (int row = 0; row < list->rowCount(); ++row)
        used[list->item(row, 0)->text()] = list->item(row, 1)->text().toInt();
    return used;
}

std::map<QString, double> PerformancePageTest::shareByCommand() const {
    QTableWidget* list = child<QTableWidget>("lvWords");
    std::map<QString, double> shares;
    for (int row = 0; row < list->rowCount(); ++row)
        shares[list->item(row, 0)->text()] = list->item(row, 2)->text().toDouble();
    return shares;
}

double PerformancePageTest::sumOfShares() const {
    QTableWidget* list = child<QTableWidget>("lvWords");
    double sum = 0;
    for (int row = 0; row < list->rowCount(); ++row)
        sum += list->item(row, 2)->text().toDouble();
    return sum;
}

// Every node of a debug run counts once under its word or kind; rows keep their place when
// their counts change, and Reset empties the list.
void PerformancePageTest::countsOfAKnownScript() {
    click("chkWordCount");
    QCOMPARE(mode(), vex::counting::cmCountCommands);
    execute("Do(1+2,3*4,1+2)");
    update();
    using TCounts = std::map<QString, int>;
    QCOMPARE(usedByCommand(), (TCounts{{"Do", 1}, {"+", 2}, {"*", 1}, {"Value Constant", 6}}));
    execute("Do(DeclareGlobal([k],0),DeclareGlobal([t],1),k:=1+2,t:=[a])");
    execute("Do(1+2,3*4,1+2)");
    update();
    // The declarations read their names and kinds in place, and assignments write their
    // variables without evaluating them: neither counts as a node.
    QCOMPARE(usedByCommand(), (TCounts{{"Do", 3},
                                       {"+", 5},
                                       {"*", 2},
                                       {"Value Constant", 14},
                                       {"DeclareGlobal", 2},
                                       {":=", 2},
                                       {"Text Constant", 1}}));
    QTableWidget* list = child<QTableWidget>("lvWords");
    QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Value Constant"));
    QVERIFY(list->item(0, 2)->text().isEmpty()); // no time without timed counting
    // Sorted by Used, largest first.
    QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(list->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
    QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Value Constant"));
    QCOMPARE(list->item(1, 0)->text(), QStringLiteral("+"));
    click("btnReset");
    QCOMPARE(list->rowCount(), 0);
    QCOMPARE(vex::DebugControlOf(*m_context).Performance.Counter.TotalCount(), 0u);
    // Switched off, the page counts nothing.
    click("btnSwitch");
    execute("1+2");
    QCOMPARE(vex::DebugControlOf(*m_context).Performance.Counter.TotalCount(), 0u);
}

void PerformancePageTest::timedCountingStartsCleanAndItsSharesAddUpTo100() {
    vex::DebugControlOf(*m_context).Performance.TickSource = steppingTicks;
    const char* loop = "Do(LocalNum([n]),While(n<50,n:=n+1))";
    click("chkWordCount");
    execute(loop);
    click("chkProcessorTime");
    // Counted already: both on does not switch on timed counting.
    QCOMPARE(mode(), vex::counting::cmCountCommands | vex::counting::cmProcessorTime);
    update();
    QVERIFY(child<QTableWidget>("lvWords")->item(0, 2)->text().isEmpty());
    click("btnReset");
    QCOMPARE(mode(), vex::counting::cmCountCommands | vex::counting::cmProcessorTime |
                         vex::counting::cmTimedCounting);
    execute(loop);
    update();
    QCOMPARE(usedByCommand()["While"], 1);
    QCOMPARE(usedByCommand()[":="], 50);
    QVERIFY(qAbs(sumOfShares() - 100) < 1e-9);
    // Timed counting stays on when a box goes off, until Reset.
    click("chkProcessorTime");
    QVERIFY(mode() & vex::counting::cmTimedCounting);
    click("btnReset");
    QCOMPARE(mode(), vex::counting::cmCountCommands);
}

// Simulation shows as the bar's left part, animation as its right part behind a divider of one
// pixel; nothing measured covers the bar.
void PerformancePageTest::theBarSplitsSimulationAndAnimation_data() {
    QTest::addColumn<int>("simulation");
    QTest::addColumn<int>("animation");
    QTest::addColumn<bool>("covered");
    QTest::addColumn<double>("animationShare"); // of the bar's inner width
    QTest::newRow("nothing measured") << 0 << 0 << true << 0.0;
    QTest::newRow("only simulation") << 500 << 0 << false << 0.0;
    QTest::newRow("only animation") << 0 << 500 << false << 1.0;
    QTest::newRow("a quarter animation") << 300 << 100 << false << 0.25;
}

void PerformancePageTest::theBarSplitsSimulationAndAnimation() {
    QFETCH(int, simulation);
    QFETCH(int, animation);
    QFETCH(bool, covered);
    QFETCH(double, animationShare);
    vex::counting::TPerformance& performance = vex::DebugControlOf(*m_context).Performance;
    performance.SimulationTime.Add(static_cast<std::uint64_t>(simulation));
    performance.AnimationTime.Add(static_cast<std::uint64_t>(animation));
    window()->Performance().UpdateTimeShare();
    const int width = child<QWidget>("shpSimulation")->width();
    QVERIFY(width > 100);
    const QWidget* nothing = child<QWidget>("shpNothing");
    const QWidget* animationPart = child<QWidget>("shpAnimation");
    if (covered) {
        QCOMPARE(nothing->geometry(), QRect(1, 1, width - 2, 6));
        QCOMPARE(animationPart->width(), 0);
        return;
    }
    const bool divided = animationShare > 0 && animationShare < 1;
    QCOMPARE(nothing->width(), divided ? 1 : 0);
    QVERIFY(qAbs(animationPart->width() - animationShare * (width - 2)) <= 2);
    if (animationShare > 0)
        QCOMPARE(animationPart->geometry().right(), width - 2);
    if (divided)
        QCOMPARE(nothing->x() + 1, animationPart->x());
}

// The timer fires at the chosen frequency while something is measured; with "Off" it stays
// enabled (Update still runs its tick) but never fires.
void PerformancePageTest::frequencies_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("interval");
    QTest::newRow("Very High") << "Very High" << 500;
    QTest::newRow("Very Low") << "Very Low" << 10000;
    QTest::newRow("Off") << "Off" << 0;
}

void PerformancePageTest::frequencies() {
    QFETCH(QString, item);
    QFETCH(int, interval);
    click("chkWordCount");
    auto* frequency = child<QComboBox>("cmbFrequency");
    QCOMPARE(frequency->currentText(), QStringLiteral("Off"));
    frequency->setCurrentIndex(0);
    frequency->setCurrentText(item);
    auto* timer = window()->findChild<QTimer*>("tmrPerformance");
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), interval > 0);
    QVERIFY(window()->Performance().TimerActive());
    if (interval > 0)
        QCOMPARE(timer->interval(), interval);
}

void PerformancePageTest::runAModelWithAnimation() {
    QVERIFY(vex::ReplaceWordImplementation(*m_context, kAdvanceWord, advanceClock));
    TQuietView view;
    m_host->Services().Views.Add(view);
    m_host->Services().Animation.FrameInterval = 0;
    click("chkProcessorTime");
    click("chkWordCount");
    child<QComboBox>("cmbFrequency")->setCurrentText(QStringLiteral("Very High"));
    execute("Do(DeclareGlobal([q],2),q:=CreateAtom(model,[Queue]),DeclareGlobal([drawn],0),"
            "SetHandler(q,[OnEvent],[Do(LocalNum([w]),While(w<40,w:=w+1),Reserved19(3),"
            "CreateEvent(1,c))]),"
            "SetHandler(q,[On2DDraw],[Do(LocalNum([w]),While(w<10,w:=w+1),Reserved19(1),"
            "drawn:=drawn+1)]),"
            "CreateEvent(0,q))");
    execute("RunModel(200)");
    m_host->Services().Views.Remove(view);
    update();
    vex::TText ignored;
    QCOMPARE(m_context->ExecuteText("drawn", ignored), 201.0);
    const std::map<QString, int> used = usedByCommand();
    QCOMPARE(used.at("CreateEvent"), 201 + 1);
    QCOMPARE(used.at("Reserved19"), 2 * 201);
    QCOMPARE(used.at("RunModel"), 1);
}

// A model whose events run simulation code while its animation draws a frame after every event:
// each origin gets exactly the time its runs took, the bar shows both shares, the list the words
// of both, and the picture is left for people.
void PerformancePageTest::aModelRunWithAnimation() {
    s_clock = 1000;
    vex::DebugControlOf(*m_context).Performance.TickSource = readClock;
    runAModelWithAnimation();
    if (QTest::currentTestFailed())
        return;
    const vex::counting::TPerformance& performance = vex::DebugControlOf(*m_context).Performance;
    QCOMPARE(performance.SimulationTime.Low, 201u * 3);
    QCOMPARE(performance.AnimationTime.Low, 201u);
    QCOMPARE(window()->Performance().TimeShare(), 0.75);
    // Timed counting is on: the word that moved the clock holds all of the time.
    QCOMPARE(shareByCommand().at("Reserved19"), 100.0);
    QCOMPARE(shareByCommand().at("While"), 0.0);
    QVERIFY(qAbs(sumOfShares() - 100) < 1e-6);
    window()->resize(640, 560);
    child<QSplitter>("Splitter")->setSizes({150, 380});
    QTest::qWait(50);
    const QImage shot = window()->grab().toImage();
    QVERIFY(shot.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/PerformancePage-model.png")));
    const QWidget* bar = child<QWidget>("shpSimulation");
    const QWidget* animation = child<QWidget>("shpAnimation");
    QVERIFY(qAbs(animation->width() - 0.25 * (bar->width() - 2)) <= 2);
    const QPoint left = bar->mapTo(window(), QPoint(3, 4));
    const QPoint right = bar->mapTo(window(), QPoint(bar->width() - 4, 4));
    QCOMPARE(shot.pixelColor(left), QColor(0x00, 0xFF, 0x00));
    QCOMPARE(shot.pixelColor(right), QColor(0xFF, 0x00, 0x00));
}

// The same run timed by the processor's tick counter: how the time splits depends on the load of
// the machine, but both origins took some, and the shares of the list still add up to 100.
void PerformancePageTest::theTickCounterTimesBothOrigins() {
    if (!vex::counting::ProcessorTimeAvailable())
        QSKIP("no tick counter on this machine");
    runAModelWithAnimation();
    if (QTest::currentTestFailed())
        return;
    const double share = window()->Performance().TimeShare();
    QVERIFY2(share > 0 && share < 1, qPrintable(QString::number(share)));
    QVERIFY(qAbs(sumOfShares() - 100) < 1e-6);
}

QTEST_MAIN(PerformancePageTest)
#include "PerformancePageTest.moc"
