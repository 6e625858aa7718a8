// Every way of running or checking a whole script cuts it by the statement rule of script files
// and so finds the same errors on the same lines: vexscript and vexscript --check, the main
// window's Run and Check, and the script panel's Execute (F5), Syntax check (F10) and Syntax
// tree (F12). The table holds every example and scripts that are broken in the ways a person
// meets first.

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "editing/EditingTexts.h"
#include "editing/ScriptEditor.h"
#include "editing/TformSyntax.h"
#include "editing/VexScriptEditor.h"
#include "host/console/ConsoleRunner.h"
#include "host/model/ModelServices.h"
#include "runtime/VexScript.h"
#include "services/MessageBoxes.h"
#include "shell/ApplicationHost.h"
#include "shell/MainWindow.h"
#include "shell/ModelTreeView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sstream>

namespace {

// How one entry ended: failed (an error, or for a check also nothing compiled) and the lines of
// the errors it reported, in order.
struct TOutcome {
    bool Failed = false;
    QList<int> Lines;
};

// The lines of the errors in the JSON object on the last line of vexscript's output.
QList<int> jsonErrorLines(const std::string& output) {
    const QList<QByteArray> outputLines = QByteArray::fromStdString(output).trimmed().split('\n');
    const QJsonArray errors = QJsonDocument::fromJson(outputLines.last())
                                  .object()
                                  .value(QStringLiteral("errors"))
                                  .toArray();
    QList<int> lines;
    for (const QJsonValue& error : errors)
        lines << error.toObject().value(QStringLiteral("line")).toInt();
    return lines;
}

TOutcome runConsole(const std::vector<std::string>& arguments) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const vex::host::TConsoleEnvironment environment{in, out, err, false, {}, {}};
    const int status = vex::host::RunConsole(arguments, environment);
    return {status != 0, jsonErrorLines(out.str())};
}

// The lines of every error a context reports while it lives.
class TErrorLines final : public vex::TErrorSubscriber {
public:
    explicit TErrorLines(vex::TLanguageInterpreter& context)
        : m_context(context) {
        context.SubscribeErrors(*this);
    }
    ~TErrorLines() { m_context.UnsubscribeErrors(*this); }
    void ErrorReported(const vex::TRunError& error) override { Lines << error.Line; }
    QList<int> Lines;

private:
    vex::TLanguageInterpreter& m_context;
};

} // namespace

class StatementRulesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyEntryFindsTheSameErrors_data();
    void everyEntryFindsTheSameErrors();
    void panelRunsAndChecksASelectionWithTheLinesOfTheScript();
    void anEditorOfOneExpressionKeepsTheWholeText();

private:
    // A fresh application for each entry, so that nothing one declared reaches the next.
    void startApplication();
    void stopApplication();
    TVexScriptEditor* editor() const { return m_window->scriptEditor(); }
    TOutcome mainWindowRun();
    TOutcome mainWindowCheck();
    TOutcome panelExecute();
    TOutcome panelSyntaxCheck(QString& box);
    TOutcome panelSyntaxTree();

    QTemporaryDir m_dir;
    QString m_path;
    QStringList m_boxes;
    TApplicationServices m_services;
    std::unique_ptr<TApplicationHost> m_host;
    std::unique_ptr<TApplicationInterpreter> m_context;
    TMainWindow* m_window = nullptr;
};

void StatementRulesTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    // The examples write into the temporary directory and the working one; neither is the
    // source tree.
    QVERIFY(QDir::setCurrent(m_dir.path()));
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    };
}

void StatementRulesTest::init() {
    m_boxes.clear();
}

void StatementRulesTest::cleanup() {
    stopApplication();
    FinalizeTraceWindows();
}

void StatementRulesTest::startApplication() {
    stopApplication();
    m_host = std::make_unique<TApplicationHost>(m_services);
    m_context = std::make_unique<TApplicationInterpreter>(*m_host);
    m_services.Context = m_context.get();
    m_window = new TMainWindow(m_services);
    vex::host::ModelServicesOf(*m_context).Tree = m_window->modelTree();
    QVERIFY(m_window->openScript(m_path));
    m_window->show();
    editor()->setFocus();
}

void StatementRulesTest::stopApplication() {
    if (m_context)
        vex::host::ModelServicesOf(*m_context).Tree = nullptr;
    delete m_window;
    m_window = nullptr;
    m_services.Context = nullptr;
    m_context.reset();
    m_host.reset();
}

TOutcome StatementRulesTest::mainWindowRun() {
    startApplication();
    const TErrorLines errors(*m_context);
    const bool ran = m_window->runEditedScript();
    return {!ran, errors.Lines};
}

TOutcome StatementRulesTest::mainWindowCheck() {
    startApplication();
    const TErrorLines errors(*m_context);
    const bool correct = m_window->checkEditedScript();
    return {!correct, errors.Lines};
}

TOutcome StatementRulesTest::panelExecute() {
    startApplication();
    const TErrorLines errors(*m_context);
    QTest::keyClick(editor(), Qt::Key_F5);
    return {!errors.Lines.isEmpty(), errors.Lines};
}

TOutcome StatementRulesTest::panelSyntaxCheck(QString& box) {
    startApplication();
    const TErrorLines errors(*m_context);
    m_boxes.clear();
    QTest::keyClick(editor(), Qt::Key_F10);
    box = m_boxes.value(0);
    return {box != EditingText(etSyntaxCorrect), errors.Lines};
}

// A statement that did not compile shows as one "Syntax error" node.
TOutcome StatementRulesTest::panelSyntaxTree() {
    startApplication();
    const TErrorLines errors(*m_context);
    QTest::keyClick(editor(), Qt::Key_F12);
    TformSyntax* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* syntax = qobject_cast<TformSyntax*>(widget); syntax && syntax->isVisible())
            window = syntax;
    if (!window)
        return {true, {-1}};
    const QTreeWidget* tree = window->findChild<QTreeWidget*>(QStringLiteral("tvScript"));
    int failed = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        failed += tree->topLevelItem(i)->text(0) == EditingText(etStatementFailed) ? 1 : 0;
    const bool compiledNothing = tree->topLevelItemCount() == 0;
    window->close();
    QCoreApplication::processEvents();
    return {failed > 0 || compiledNothing, errors.Lines};
}

void StatementRulesTest::everyEntryFindsTheSameErrors_data() {
    QTest::addColumn<QByteArray>("script");     // empty: the example of that name
    QTest::addColumn<QList<int>>("checkLines"); // lines of the compile errors
    QTest::addColumn<bool>("compiles");         // some statement compiles

    for (const QString& name : QDir(QStringLiteral(ZENTARO_SOURCE_DIR "/examples"))
                                   .entryList({QStringLiteral("*.vex")}, QDir::Files))
        QTest::newRow(qPrintable(name)) << QByteArray() << QList<int>{} << true;
    // The brackets of line 2 never close, and line 3 starts a statement of its own, whose brace
    // opens a comment that never closes: both are reported. A cut at ";" compiled nothing here.
    QTest::newRow("unclosed call, then an unclosed comment")
        << QByteArray("Print(1)\nNope(1, 2\nDo(3) {\n") << QList<int>{2, 3} << true;
    QTest::newRow("unknown words on lines 2 and 5")
        << QByteArray("DeclareGlobal([x], 0)\nx := Nope(1)\n\n{ a comment }\nAlsoNope\n")
        << QList<int>{2, 5} << true;
    QTest::newRow("nothing but a comment")
        << QByteArray("{ nothing to run }\n") << QList<int>{} << false;
}

void StatementRulesTest::everyEntryFindsTheSameErrors() {
    QFETCH(QByteArray, script);
    QFETCH(QList<int>, checkLines);
    QFETCH(bool, compiles);
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    m_path = script.isEmpty() ? QStringLiteral(ZENTARO_SOURCE_DIR "/examples/") + row
                              : m_dir.filePath(QStringLiteral("broken.vex"));
    if (!script.isEmpty()) {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(script);
    }
    const std::string path = m_path.toStdString();

    stopApplication();
    const TOutcome consoleCheck = runConsole({"--check", "--json", path});
    QCOMPARE(consoleCheck.Lines, checkLines);
    QCOMPARE(consoleCheck.Failed, !checkLines.isEmpty());
    const bool checkFails = !checkLines.isEmpty() || !compiles;
    const TOutcome windowCheck = mainWindowCheck();
    QCOMPARE(windowCheck.Lines, checkLines);
    QCOMPARE(windowCheck.Failed, checkFails);
    QString box;
    const TOutcome panelCheck = panelSyntaxCheck(box);
    QCOMPARE(panelCheck.Lines, checkLines);
    QCOMPARE(box, EditingText(!checkLines.isEmpty() ? etSyntaxFaulty
                              : compiles            ? etSyntaxCorrect
                                                    : etNothingCompiled));
    const TOutcome tree = panelSyntaxTree();
    QCOMPARE(tree.Lines, checkLines);
    QCOMPARE(tree.Failed, checkFails);

    // A run reports the compile errors and what fails while it runs, on the same lines; the
    // console keeps going after an error, as the application does by default.
    stopApplication();
    const TOutcome consoleRun = runConsole({"--keep-going", "--json", path});
    QVERIFY(consoleRun.Lines.size() >= checkLines.size());
    QCOMPARE(consoleRun.Failed, !consoleRun.Lines.isEmpty());
    const TOutcome windowRun = mainWindowRun();
    QCOMPARE(windowRun.Lines, consoleRun.Lines);
    QCOMPARE(windowRun.Failed, consoleRun.Failed);
    const TOutcome panelRun = panelExecute();
    QCOMPARE(panelRun.Lines, consoleRun.Lines);
}

// A selection runs and checks as the part of the script it is: its errors name the lines they
// stand on in the editor.
void StatementRulesTest::panelRunsAndChecksASelectionWithTheLinesOfTheScript() {
    m_path = m_dir.filePath(QStringLiteral("selection.vex"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("Print(1)\nPrint(2)\nNope(3)\nPrint(4)\n");
    file.close();
    for (const Qt::Key key : {Qt::Key_F5, Qt::Key_F10}) {
        startApplication();
        const TErrorLines errors(*m_context);
        QTextCursor selection = editor()->textCursor();
        selection.setPosition(editor()->document()->findBlockByNumber(1).position());
        selection.setPosition(editor()->document()->findBlockByNumber(3).position(),
                              QTextCursor::KeepAnchor);
        editor()->setTextCursor(selection);
        QTest::keyClick(editor(), key);
        QCOMPARE(errors.Lines, QList<int>{3});
    }
}

// An editor outside the main window's script panel holds one piece of code: F5 runs its whole
// text as one, line breaks and all.
void StatementRulesTest::anEditorOfOneExpressionKeepsTheWholeText() {
    m_path = m_dir.filePath(QStringLiteral("empty.vex"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    startApplication();
    TApplicationServices services;
    services.Context = m_context.get();
    QWidget holder;
    auto* panel = new TScriptEditor(&holder, true, 1, true);
    panel->SetServices(services);
    holder.show();
    panel->Editor()->SetScriptText(QStringLiteral("Do(\n  DeclareGlobal([y], 0),\n  y := 7\n)"));
    const TErrorLines errors(*m_context);
    QTest::keyClick(panel->Editor(), Qt::Key_F5);
    QVERIFY(errors.Lines.isEmpty());
    QCOMPARE(m_context->Run("y").Number, 7.0);
}

QTEST_MAIN(StatementRulesTest)
#include "StatementRulesTest.moc"
