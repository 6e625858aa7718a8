// The automation object without its transport: composed texts, results and failures.

#include "shell/automation/ZTApp.h"
#include "editing/ApplicationServices.h"
#include "runtime/DebuggerInterface.h"
#include "tests/shell/automation/AutomationTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::string>& g_calls = recordedCalls();
} // namespace

class ZTAppTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void composedTextsRunThroughTheExternalEntry();
    void openingAMissingFileGivesMinusOneAndRunsNothing();
    void bracketsInAFileNameReachTheWordsUnchanged();
    void scriptsGiveTheirNumberAndText_data();
    void scriptsGiveTheirNumberAndText();
    void withoutWordsTheRuntimeIsNotTouched();
    void anExceptionBecomesAFailureStatusWithClearedResults();
    void textsCrossTheBoundaryAsWindows1252();

private:
    TRecordingHost m_host;
    std::unique_ptr<TRecordingContext> m_context;
    TApplicationServices m_services;
    std::unique_ptr<TZTApp> m_app;
    QTemporaryDir m_dir;
};

void ZTAppTest::init() {
    g_calls.clear();
    m_context = newRecordingContext(m_host, true);
    m_services.Context = m_context.get();
    m_app = std::make_unique<TZTApp>(m_services);
}

void ZTAppTest::composedTextsRunThroughTheExternalEntry() {
    const QString file = m_dir.filePath("model.vex");
    QFile(file).open(QIODevice::WriteOnly);
    TAutomationValue result;
    QVERIFY(m_app->OpenModel(file, result).ok);
    QCOMPARE(result.kind, TAutomationValue::Kind::Double);
    QCOMPARE(result.number, 0.0); // the value of the last word of the Do
    const std::string f = file.toStdString();
    QCOMPARE(g_calls, (std::vector<std::string>{"DisplayWatches(0)", "tztfnc(new model)",
                                                "WaitCursor", "ProgressBarForOpen(1," + f + ")",
                                                "ExecFile(" + f + ")", "UpdateModelName(" + f + ")",
                                                "ProgressBarForOpen(0)", "NormalCursor"}));
    g_calls.clear();
    QVERIFY(m_app->OpenLibrary(file, result).ok);
    QCOMPARE(g_calls.front(), std::string("DisplayWatches(0)"));
    QCOMPARE(g_calls.at(1), std::string("Library"));
    QCOMPARE(g_calls.back(), std::string("TreeRefresh"));
    g_calls.clear();
    QVERIFY(m_app->NewModel().ok);
    QVERIFY(m_app->SaveModel().ok);
    QCOMPARE(g_calls, (std::vector<std::string>{"tztfnc(new model)",
                                                "kernelfnc(save model under same name)"}));
    QCOMPARE(m_context->RunOrigin(), 0);
    QCOMPARE(vex::DebugControlOf(*m_context).DebugState, 0);
}

void ZTAppTest::openingAMissingFileGivesMinusOneAndRunsNothing() {
    for (auto open : {&TZTApp::OpenModel, &TZTApp::OpenLibrary}) {
        TAutomationValue result = TAutomationValue::fromDouble(7);
        QVERIFY((m_app.get()->*open)(m_dir.filePath("missing.vex"), result).ok);
        QCOMPARE(result.kind, TAutomationValue::Kind::Integer);
        QCOMPARE(result.integer, -1);
        // A folder is no model file either.
        QVERIFY((m_app.get()->*open)(m_dir.path(), result).ok);
        QCOMPARE(result.integer, -1);
    }
    QVERIFY(g_calls.empty());
}

// A name such as "x]),Beep,Print([" must neither break the composed text nor add words to it.
void ZTAppTest::bracketsInAFileNameReachTheWordsUnchanged() {
    for (const char* name : {"odd]name.vex", "x]),NormalCursor,Do([.vex", "[a].vex"}) {
        const QString file = m_dir.filePath(name);
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        TAutomationValue result;
        g_calls.clear();
        QVERIFY(m_app->OpenModel(file, result).ok);
        const std::string f = file.toStdString();
        QCOMPARE(g_calls,
                 (std::vector<std::string>{"DisplayWatches(0)", "tztfnc(new model)", "WaitCursor",
                                           "ProgressBarForOpen(1," + f + ")", "ExecFile(" + f + ")",
                                           "UpdateModelName(" + f + ")", "ProgressBarForOpen(0)",
                                           "NormalCursor"}));
    }
}

void ZTAppTest::scriptsGiveTheirNumberAndText_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("sum") << "1+2" << 3.0 << QString();
    QTest::newRow("text") << "[abc]" << 0.0 << "abc";
    QTest::newRow("compile error gives 0") << "Nope(1)" << 0.0 << QString();
}

void ZTAppTest::scriptsGiveTheirNumberAndText() {
    QFETCH(QString, script);
    QFETCH(double, number);
    QFETCH(QString, text);
    QString resultText = "stale";
    TAutomationValue result;
    QVERIFY(m_app->RunClientScript(script, resultText, result).ok);
    QCOMPARE(result.kind, TAutomationValue::Kind::Double);
    QCOMPARE(result.number, number);
    QCOMPARE(resultText, text);
    QVERIFY(m_app->RunClientScriptForText(script, result).ok);
    QCOMPARE(result.kind, TAutomationValue::Kind::String);
    QCOMPARE(result.text, text);
}

void ZTAppTest::withoutWordsTheRuntimeIsNotTouched() {
    auto bare = newRecordingContext(m_host, false);
    TApplicationServices services;
    services.Context = bare.get();
    TZTApp app(services);
    QString text = "stale";
    TAutomationValue result = TAutomationValue::fromDouble(1);
    QVERIFY(app.RunClientScript("1+2", text, result).ok);
    QVERIFY(result.isEmpty());
    QVERIFY(text.isEmpty());
    QVERIFY(app.RunClientScriptForText("1+2", result).ok);
    QCOMPARE(result.kind, TAutomationValue::Kind::String);
    QVERIFY(result.text.isEmpty());
    QVERIFY(g_calls.empty());
}

void ZTAppTest::anExceptionBecomesAFailureStatusWithClearedResults() {
    TApplicationServices services; // no runtime
    TZTApp app(services);
    QString text = "stale";
    TAutomationValue result = TAutomationValue::fromDouble(1);
    const TAutomationStatus status = app.RunClientScript("1", text, result);
    QVERIFY(!status.ok);
    QCOMPARE(status.errorName, QString("com.velmark.Zentaro.Error.Failed"));
    QCOMPARE(status.message, QString("The scripting runtime is not running."));
    QVERIFY(result.isEmpty());
    QVERIFY(text.isEmpty());
    QVERIFY(!app.NewModel().ok);
}

void ZTAppTest::textsCrossTheBoundaryAsWindows1252() {
    QString text;
    TAutomationValue result;
    QVERIFY(m_app->RunClientScript(QString::fromUtf8("[café € \u4E2D]"), text, result).ok);
    QCOMPARE(text, QString::fromUtf8("café € ?"));
}

QTEST_APPLESS_MAIN(ZTAppTest)
#include "ZTAppTest.moc"
