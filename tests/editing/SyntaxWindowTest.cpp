#include "editing/TformSyntax.h"

#include "tests/platform/RegistryTestSupport.h"
#include "tests/runtime/TestSupport.h"

#include <QPointer>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <stdexcept>

namespace {

QTreeWidget* tree(TformSyntax* window) {
    return window->findChild<QTreeWidget*>(QStringLiteral("tvScript"));
}

// The tree as text: each node as its label, "/image" after it, its children in parentheses;
// top-level nodes separated by " ; ".
QString shape(const QTreeWidgetItem* item) {
    QString text = item->text(0) + u'/' + QString::number(item->data(0, Qt::UserRole).toInt());
    if (item->childCount() == 0)
        return text;
    QStringList children;
    for (int i = 0; i < item->childCount(); ++i)
        children << shape(item->child(i));
    return text + u'(' + children.join(u',') + u')';
}

QString shape(TformSyntax* window) {
    QStringList statements;
    for (int i = 0; i < tree(window)->topLevelItemCount(); ++i)
        statements << shape(tree(window)->topLevelItem(i));
    return statements.join(QStringLiteral(" ; "));
}

// A context whose compile errors escape as exceptions, as a host's error handling may let them.
class TThrowingContext : public vex::test::TTestContext {
public:
    using TTestContext::TTestContext;
    void ErrorReported(const vex::TRunError& error) override {
        ProtectionWhileCompiling = ProtectedCode();
        throw std::runtime_error(error.Message);
    }
    bool ProtectionWhileCompiling = true;
};

} // namespace

class SyntaxWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void splitStatements_data();
    void splitStatements();
    void stripBlanksRemovesBlanksEverywhere();
    void treesOfCompiledStatements_data();
    void treesOfCompiledStatements();
    void checkReportsFailureAndCompilesTheRest();
    void aCheckThatCompiledNothingIsNeitherCorrectNorFaulty_data();
    void aCheckThatCompiledNothingIsNeitherCorrectNorFaulty();
    void protectionFlagIsRestored();
    void keysCollapseExpandAndClose();
    void deepAndLongTextsStayResponsive();
    void screenshot();

private:
    std::unique_ptr<vex::test::TFakeHost> m_host;
    std::unique_ptr<vex::test::TTestContext> m_context;
    std::unique_ptr<TTemporaryRegistryFile> m_registry;
};

void SyntaxWindowTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_host = std::make_unique<vex::test::TFakeHost>();
    m_context = std::make_unique<vex::test::TTestContext>(*m_host, 1 << 16);
}

void SyntaxWindowTest::cleanup() {
    m_context.reset();
    m_host.reset();
    m_registry.reset();
}

void SyntaxWindowTest::splitStatements_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("one") << "Do(1)" << QStringList{"Do(1)"};
    QTest::newRow("two") << "a;b" << QStringList{"a", "b"};
    QTest::newRow("trailing ; gives an empty last") << "a;" << QStringList{"a", ""};
    QTest::newRow("; in a text constant") << "Set(a,[p;q])" << QStringList{"Set(a,[p;q])"};
    QTest::newRow("; in a comment") << "a{x;y}b;c" << QStringList{"a{x;y}b", "c"};
    QTest::newRow("single-brace comment stays") << "{c}a" << QStringList{"{c}a"};
    QTest::newRow("header dropped") << "{{head}}a;b" << QStringList{"a", "b"};
    QTest::newRow("second header becomes a comment") << "{{h1}}a{{h2}}b" << QStringList{"a{h2}b"};
    QTest::newRow("each statement may have a header") << "{{h1}}a;{{h2}}b" << QStringList{"a", "b"};
    QTest::newRow("braces in a text constant") << "[{{x}}];y" << QStringList{"[{{x}}]", "y"};
    QTest::newRow("empty text") << "" << QStringList{""};
}

void SyntaxWindowTest::splitStatements() {
    QFETCH(QString, text);
    QFETCH(QStringList, statements);
    QCOMPARE(TformSyntax::SplitStatements(text), statements);
}

void SyntaxWindowTest::stripBlanksRemovesBlanksEverywhere() {
    QCOMPARE(TformSyntax::StripBlanks(QStringLiteral("Do( 1,\t[x y]\r\n)\x0b;\x0f")),
             QStringLiteral("Do(1,[xy]);"));
    // NUL goes, BEL (7) and DLE (16) stay.
    const QString controls = QStringLiteral("a") + QChar(0) + QChar(7) + u'b' + QChar(16);
    QCOMPARE(TformSyntax::StripBlanks(controls), QStringLiteral("a") + QChar(7) + u'b' + QChar(16));
}

void SyntaxWindowTest::treesOfCompiledStatements_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tree");
    // Images: 0 call with arguments, 1 variable, 2 text, 3 number, 4 call without arguments; -1
    // a message.
    QTest::newRow("text loses its blank; empty last statement") << "Do(1,[x y]);"
                                                                << "Do/0(1/3,[xy]/2) ; 0/3";
    QTest::newRow("a number alone") << "5"
                                    << "5/3";
    QTest::newRow("call without arguments") << "Count"
                                            << "Count/4";
    QTest::newRow("infix operators are calls") << "1+2*3"
                                               << "+/0(1/3,*/0(2/3,3/3))";
    QTest::newRow("declared global read back") << "Global([g],0); g+0.5"
                                               << "Global/0([g]/2,0/3) ; +/0(g/1,0.5/3)";
    QTest::newRow("failed statement among others") << "1; Nope(2); 3"
                                                   << "1/3 ; Syntax error/-1 ; 3/3";
}

void SyntaxWindowTest::treesOfCompiledStatements() {
    QFETCH(QString, text);
    QFETCH(QString, tree);
    TformSyntax window(m_context.get());
    window.ShowSyntaxTree(text, true);
    QCOMPARE(shape(&window), tree);
    window.close();
}

void SyntaxWindowTest::checkReportsFailureAndCompilesTheRest() {
    QVERIFY(CheckSyntax(m_context.get(), QStringLiteral("Do(1,2);\n1+2;\nCount")));
    m_context->Errors.clear();
    QVERIFY(!CheckSyntax(m_context.get(), QStringLiteral("Global([a],0); Nope(1); Global([b],0)")));
    // The statements around the faulty one were compiled: their declarations took effect.
    QVERIFY(m_context->FindGlobal("a"));
    QVERIFY(m_context->FindGlobal("b"));
    QCOMPARE(m_context->Errors.size(), std::size_t(1));

    // Without show the tree holds only the failed statements.
    TformSyntax window(m_context.get());
    QVERIFY(!window.ShowSyntaxTree(QStringLiteral("1;Nope;2"), false));
    QCOMPARE(shape(&window), QStringLiteral("Syntax error/-1"));
    QVERIFY(!window.isVisible());
}

void SyntaxWindowTest::aCheckThatCompiledNothingIsNeitherCorrectNorFaulty_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("verdict");
    using TVerdict = TformSyntax::TVerdict;
    QTest::newRow("empty") << QString() << int(TVerdict::NothingCompiled);
    QTest::newRow("blanks") << QStringLiteral(" \n\t") << int(TVerdict::NothingCompiled);
    QTest::newRow("a comment") << QStringLiteral("{ nothing }") << int(TVerdict::NothingCompiled);
    QTest::newRow("an unclosed comment")
        << QStringLiteral("Nope(1, 2 { and on") << int(TVerdict::NothingCompiled);
    QTest::newRow("comment and statement") << QStringLiteral("{ c };1") << int(TVerdict::Correct);
    QTest::newRow("faulty") << QStringLiteral("Nope") << int(TVerdict::Faulty);
}

void SyntaxWindowTest::aCheckThatCompiledNothingIsNeitherCorrectNorFaulty() {
    QFETCH(QString, text);
    QFETCH(int, verdict);
    QCOMPARE(int(CheckSyntaxOf(m_context.get(), text, nullptr, nullptr)), verdict);
}

void SyntaxWindowTest::protectionFlagIsRestored() {
    m_context->SetProtectedCode(true);
    QVERIFY(CheckSyntax(m_context.get(), QStringLiteral("1+1")));
    QVERIFY(m_context->ProtectedCode());
    m_context->SetProtectedCode(false);
    QVERIFY(!CheckSyntax(m_context.get(), QStringLiteral("Nope")));
    QVERIFY(!m_context->ProtectedCode());

    // An exception out of the compile leaves the flag as it was, too.
    vex::test::TFakeHost host;
    TThrowingContext throwing(host, 1 << 16);
    throwing.SetProtectedCode(true);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, CheckSyntax(&throwing, QStringLiteral("Nope")));
    QVERIFY(!throwing.ProtectionWhileCompiling);
    QVERIFY(throwing.ProtectedCode());
}

void SyntaxWindowTest::keysCollapseExpandAndClose() {
    QPointer<TformSyntax> window =
        ShowSyntaxTreeWindow(m_context.get(), QStringLiteral("Do(1,Do(2,3));Do(4)"));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(window->isModal());
    QTreeWidget* view = tree(window);
    const auto expandedCount = [view] {
        int count = 0;
        for (QTreeWidgetItemIterator it(view); *it; ++it)
            count += (*it)->childCount() > 0 && (*it)->isExpanded() ? 1 : 0;
        return count;
    };
    QTest::keyClick(view, Qt::Key_F10);
    QCOMPARE(expandedCount(), 3);
    QTest::keyClick(view, Qt::Key_F9);
    QCOMPARE(expandedCount(), 0);
    // Esc closes the window, which frees itself.
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY(window.isNull());
}

void SyntaxWindowTest::deepAndLongTextsStayResponsive() {
    // 500 nested calls: the deepest the compiler takes.
    QString deep = QStringLiteral("1");
    for (int i = 0; i < 499; ++i)
        deep = QStringLiteral("Do(") + deep + u')';
    TformSyntax window(m_context.get());
    QVERIFY(window.ShowSyntaxTree(deep, true));
    int depth = 0;
    for (const QTreeWidgetItem* item = tree(&window)->topLevelItem(0); item;
         item = item->childCount() ? item->child(0) : nullptr)
        ++depth;
    QCOMPARE(depth, 500);

    // 100,000 statements: all compiled, the first shown, the rest counted.
    QString many;
    for (int i = 0; i < 100000; ++i)
        many += QStringLiteral("%1+1;").arg(i);
    m_context->Errors.clear();
    QVERIFY(window.ShowSyntaxTree(many + QStringLiteral("Nope"), true) == false);
    QCOMPARE(m_context->Errors.size(), std::size_t(1));
    QTreeWidget* view = tree(&window);
    QCOMPARE(view->topLevelItemCount(), TformSyntax::kMaxShownStatements + 1);
    QCOMPARE(view->topLevelItem(TformSyntax::kMaxShownStatements)->text(0),
             QStringLiteral("... 99001 more statements, not shown"));
    window.close();
}

// Leaves SyntaxWindow-tree.png to look at.
void SyntaxWindowTest::screenshot() {
    TformSyntax window(m_context.get());
    window.resize(320, 300);
    window.ShowSyntaxTree(
        QStringLiteral("Global([total],0); total := total + Concat([a b], 2*3); Count; Nope"),
        true);
    tree(&window)->expandAll();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    QVERIFY(image.save(QStringLiteral(ZENTARO_TEST_OUTPUT_DIR "/SyntaxWindow-tree.png")));
    QCOMPARE(image.size(), window.size() * image.devicePixelRatio());
    window.close();
}

QTEST_MAIN(SyntaxWindowTest)
#include "SyntaxWindowTest.moc"
