#include "shell/ZTApplication.h"

#include "platform/TimerBase.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

using namespace zentaro::platform;

class ZTApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void constructionSetsThirtyFiveFrames();
    void setFrameRate_data();
    void setFrameRate();
    void shutdownEndsTheLoopOnce();
    void shutdownBeforeTheLoopIsRemembered();
};

void ZTApplicationTest::initTestCase() {
    InitializeTimerBase();
}

void ZTApplicationTest::constructionSetsThirtyFiveFrames() {
    TZTApplication application(*QCoreApplication::instance());
    QCOMPARE(application.FramesPerSecond(), 35);
    QCOMPARE(application.FrameInterval(), 28);
    QCOMPARE(application.CountsPerFrame(), CounterFrequency / 35);
    QCOMPARE(TZTApplication::instance(), &application);
}

void ZTApplicationTest::setFrameRate_data() {
    QTest::addColumn<std::int64_t>("counterFrequency");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("framesPerSecond");
    QTest::addColumn<int>("frameInterval");
    QTest::addColumn<std::int64_t>("countsPerFrame");

    const std::int64_t clock = 1'000'000'000;
    QTest::newRow("0 is taken as 1") << clock << 0 << 1 << 1000 << clock;
    QTest::newRow("35, the default") << clock << 35 << 35 << 28 << std::int64_t(28'571'428);
    QTest::newRow("1") << clock << 1 << 1 << 1000 << clock;
    QTest::newRow("1000") << clock << 1000 << 1000 << 1 << std::int64_t(1'000'000);
    QTest::newRow("2000: interval truncates to 0")
        << clock << 2000 << 2000 << 0 << std::int64_t(500'000);
    QTest::newRow("no counter, 35") << std::int64_t(0) << 35 << 35 << 28 << std::int64_t(28);
    QTest::newRow("no counter, 0") << std::int64_t(0) << 0 << 1 << 1000 << std::int64_t(1000);
}

void ZTApplicationTest::setFrameRate() {
    QFETCH(std::int64_t, counterFrequency);
    QFETCH(int, rate);
    QFETCH(int, framesPerSecond);
    QFETCH(int, frameInterval);
    QFETCH(std::int64_t, countsPerFrame);
    InitializeTimerBase(counterFrequency);

    TZTApplication application(*QCoreApplication::instance());
    application.SetFrameRate(rate);

    QCOMPARE(application.FramesPerSecond(), framesPerSecond);
    QCOMPARE(application.FrameInterval(), frameInterval);
    QCOMPARE(application.CountsPerFrame(), countsPerFrame);
    InitializeTimerBase();
}

void ZTApplicationTest::shutdownEndsTheLoopOnce() {
    TZTApplication application(*QCoreApplication::instance());
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            application.Shutdown();
            application.Shutdown();
        }
    });
    ticker.start(1);
    // A safety net, not the test: long enough for a loaded machine.
    QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(ticks >= 3);
    QVERIFY(application.isTerminating());
}

void ZTApplicationTest::shutdownBeforeTheLoopIsRemembered() {
    auto application = std::make_unique<TZTApplication>(*QCoreApplication::instance());
    QVERIFY(!application->isTerminating());
    application->Shutdown();
    QVERIFY(application->isTerminating());
    application.reset();
    QCOMPARE(TZTApplication::instance(), nullptr);
}

QTEST_GUILESS_MAIN(ZTApplicationTest)
#include "ZTApplicationTest.moc"
