#include "editing/LexicalRules.h"
#include "editing/EditorMessages.h"
#include "editing/WordList.h"
#include "tests/editing/FakeRuntimeLookup.h"

#include <QTest>

namespace {

// A word with its NUL shown as "<NUL>", so that table rows can name it.
QString shown(std::string_view word) {
    QString text;
    for (const char c : word)
        text += c == '\0' ? QStringLiteral("<NUL>") : QString(QLatin1Char(c));
    return text;
}

// A row as "position/character/class" per token, separated by spaces.
QString shown(const TRow& row) {
    QStringList tokens;
    for (const TToken& token : row.Tokens())
        tokens << QStringLiteral("%1/%2/%3")
                      .arg(token.Position)
                      .arg(QLatin1Char(token.Text))
                      .arg(token.TokenClass);
    return tokens.join(QLatin1Char(' '));
}

} // namespace

class LexicalRulesTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void wordAt_data();
    void wordAt();
    void isNumber_data();
    void isNumber();
    void classifyWord_data();
    void classifyWord();
    void styleOfMasksTheClass();
    void repeatAndCountLineBreaks();

    void construct_data();
    void construct();
    void constructUsesTheOffsetsAndStopsAtTheRowLimit();
    void rowListInsertsAppendsAndRefusesBadDeletes();

private:
    TFakeRuntimeLookup m_runtime;
    QStringList m_messages;
};

void LexicalRulesTest::init() {
    m_runtime = {};
    m_runtime.Globals = {"total", "Both"};
    m_runtime.ListedWords = {"Max", "Print", ",", "Both"};
    m_messages.clear();
}

void LexicalRulesTest::wordAt_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("start"); // -7: left as it was

    QTest::newRow("at the colon of :=") << QByteArray("x:=1") << 1 << ":=" << 1;
    QTest::newRow("at the equals of :=") << QByteArray("x:=1") << 2 << ":=" << 1;
    QTest::newRow("name before :=") << QByteArray("x:=1") << 0 << "x" << 0;
    QTest::newRow("end of line is NUL") << QByteArray("x:=1") << 4 << "<NUL>" << 4;
    QTest::newRow("past the end") << QByteArray("x:=1") << 5 << "" << -7;
    QTest::newRow("before the start") << QByteArray("x:=1") << -1 << "" << -7;
    QTest::newRow("empty line") << QByteArray("") << 0 << "" << -7;
    QTest::newRow("colon alone") << QByteArray("x: y") << 1 << ":" << 1;
    QTest::newRow("equals alone") << QByteArray("=1") << 0 << "=" << 0;
    QTest::newRow("minus before a number") << QByteArray("-1") << 0 << "-" << 0;
    QTest::newRow("point inside a word") << QByteArray("a.b+c") << 2 << "a.b" << 0;
    QTest::newRow("semicolon inside a word") << QByteArray("x;y") << 0 << "x;y" << 0;
    QTest::newRow("middle of an argument") << QByteArray("Max(var1,2)") << 6 << "var1" << 4;
    QTest::newRow("CR reads the word before") << QByteArray("ab\rc") << 2 << "ab" << 0;
    QTest::newRow("CR at 1 is a separator") << QByteArray("a\rb") << 1 << "\r" << 1;
}

void LexicalRulesTest::wordAt() {
    QFETCH(QByteArray, line);
    QFETCH(int, position);
    QFETCH(QString, word);
    QFETCH(int, start);
    int found = -7;
    QCOMPARE(shown(WordAt(position, std::string_view(line.data(), line.size()), found)), word);
    QCOMPARE(found, start);
}

void LexicalRulesTest::isNumber_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<bool>("number");
    QTest::newRow("digits") << QByteArray("007") << true;
    QTest::newRow("trailing point") << QByteArray("5.") << true;
    QTest::newRow("fraction") << QByteArray("1.25") << true;
    QTest::newRow("leading point") << QByteArray(".5") << false;
    QTest::newRow("two points") << QByteArray("1.2.3") << false;
    QTest::newRow("letter") << QByteArray("1e5") << false;
    QTest::newRow("empty") << QByteArray("") << false;
}

void LexicalRulesTest::isNumber() {
    QFETCH(QByteArray, word);
    QFETCH(bool, number);
    QCOMPARE(IsNumber(word.toStdString()), number);
}

void LexicalRulesTest::classifyWord_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("withRuntime");
    QTest::addColumn<int>("withoutRuntime");
    QTest::newRow("number") << QByteArray("12.5") << int(scNumber) << int(scNumber);
    QTest::newRow("global, other case")
        << QByteArray("TOTAL") << int(scGlobalVariable) << int(scWord);
    QTest::newRow("listed word, other case")
        << QByteArray("max") << int(scListedWord) << int(scWord);
    QTest::newRow("variable and word")
        << QByteArray("both") << int(scGlobalVariable) << int(scWord);
    QTest::newRow("unknown name") << QByteArray("Unknown") << int(scWord) << int(scWord);
    QTest::newRow("punctuation") << QByteArray("(") << int(scPunctuation) << int(scPunctuation);
    QTest::newRow("listed punctuation")
        << QByteArray(",") << int(scListedWord) << int(scPunctuation);
    QTest::newRow("point alone") << QByteArray(".") << int(scPunctuation) << int(scPunctuation);
    QTest::newRow("separator, no punctuation") << QByteArray("-") << int(scWord) << int(scWord);
}

void LexicalRulesTest::classifyWord() {
    QFETCH(QByteArray, word);
    QFETCH(int, withRuntime);
    QFETCH(int, withoutRuntime);
    QCOMPARE(int(ClassifyWord(word.toStdString(), &m_runtime)), withRuntime);
    QCOMPARE(int(ClassifyWord(word.toStdString(), nullptr)), withoutRuntime);
}

void LexicalRulesTest::styleOfMasksTheClass() {
    const TStyleTable styles = TEditorSettings::DefaultColors();
    QCOMPARE(StyleOf(scNumber, styles), styles[scNumber]);
    QCOMPARE(StyleOf(0x80 | scNumber, styles), styles[scNumber]);
    QCOMPARE(StyleOf(50, styles), styles[scWord]);
}

void LexicalRulesTest::repeatAndCountLineBreaks() {
    QCOMPARE(RepeatText(" ", 3), std::string("   "));
    QCOMPARE(RepeatText("ab", 0), std::string());
    QCOMPARE(RepeatText("ab", -1), std::string());
    const std::string_view text = "a\r\nb\r\n";
    QCOMPARE(CountLineBreaks(text, 0, 5), 2);
    QCOMPARE(CountLineBreaks(text, 2, 4), 1);
    QCOMPARE(CountLineBreaks(text, 3, 3), 0);
    QCOMPARE(CountLineBreaks(text, 4, 100), 1);
}

void LexicalRulesTest::construct_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("tokens"); // position/character/class
    QTest::addColumn<QString>("tokensWithoutRuntime");

    QTest::newRow("assignment: := in one class") << QByteArray("x:=1") << "0/x/2 1/:/2 2/=/2 3/1/6"
                                                 << "0/x/2 1/:/2 2/=/2 3/1/6";
    QTest::newRow("minus and number are two words") << QByteArray("-1") << "0/-/2 1/1/6"
                                                    << "0/-/2 1/1/6";
    QTest::newRow("a.b is one word, 1.5 one number")
        << QByteArray("a.b 1.5") << "0/a/2 1/./2 2/b/2 4/1/6 5/./6 6/5/6"
        << "0/a/2 1/./2 2/b/2 4/1/6 5/./6 6/5/6";
    QTest::newRow("call with a global and trailing blanks")
        << QByteArray("Max(total, 2)  ")
        << "0/M/5 1/a/5 2/x/5 3/(/9 4/t/7 5/o/7 6/t/7 7/a/7 8/l/7 9/,/5 11/2/6 12/)/9"
        << "0/M/2 1/a/2 2/x/2 3/(/9 4/t/2 5/o/2 6/t/2 7/a/2 8/l/2 9/,/9 11/2/6 12/)/9";
    QTest::newRow("only blanks") << QByteArray(" \t ") << ""
                                 << "";
    QTest::newRow("point alone, semicolon word") << QByteArray(". ;") << "0/./9 2/;/2"
                                                 << "0/./9 2/;/2";
    QTest::newRow("braces and brackets are punctuation")
        << QByteArray("{c}[t]") << "0/{/9 1/c/2 2/}/9 3/[/9 4/t/2 5/]/9"
        << "0/{/9 1/c/2 2/}/9 3/[/9 4/t/2 5/]/9";
}

void LexicalRulesTest::construct() {
    QFETCH(QByteArray, line);
    QFETCH(QString, tokens);
    QFETCH(QString, tokensWithoutRuntime);
    TRow row;
    row.AddToken({99, 0, 2, 'z'}); // replaced by the construction
    row.Construct(line.toStdString(), {}, &m_runtime);
    QCOMPARE(shown(row), tokens);
    row.Construct(line.toStdString(), {}, nullptr);
    QCOMPARE(shown(row), tokensWithoutRuntime);
    TWordClasses classes(&m_runtime);
    row.Construct(line.toStdString(), {}, &m_runtime, &classes);
    QCOMPARE(shown(row), tokens);
}

void LexicalRulesTest::constructUsesTheOffsetsAndStopsAtTheRowLimit() {
    const std::vector<float> lefts = {0, 7.5f, 15};
    TRow row;
    row.Construct("a b c", lefts, nullptr);
    QCOMPARE(row.TokenCount(), 3);
    QCOMPARE(row.GetToken(0)->Left, 0.0f);
    QCOMPARE(row.GetToken(1)->Left, 15.0f);
    QCOMPARE(row.GetToken(2)->Left, 0.0f); // no offset given for position 4
    QVERIFY(!row.GetToken(3));
    QVERIFY(!row.GetToken(-1));

    const std::string longLine(kRowCharacterLimit + 1000, 'a');
    row.Construct(longLine, {}, nullptr);
    QCOMPARE(row.TokenCount(), kRowCharacterLimit);
    QCOMPARE(row.GetToken(kRowCharacterLimit - 1)->Position, kRowCharacterLimit - 1);
}

void LexicalRulesTest::rowListInsertsAppendsAndRefusesBadDeletes() {
    TWordList list([this](const QString& text, bool) { m_messages << text; });
    QCOMPARE(list.Count(), 0);
    list.ClearRows(true);
    QCOMPARE(list.Count(), 1);
    TRow* const first = list.GetRow(0);

    auto marked = [](char c) {
        std::unique_ptr<TRow> row = TWordList::CreateRow();
        row->AddToken({0, 0, scWord, c});
        return row;
    };
    list.InsertRow(marked('b'), 1);  // at the count: appends
    list.InsertRow(marked('c'), 99); // beyond it: appends
    list.InsertRow(marked('a'), 0);
    QCOMPARE(list.Count(), 4);
    QCOMPARE(list.GetRow(0)->GetToken(0)->Text, 'a');
    QCOMPARE(list.GetRow(1), first);
    QCOMPARE(list.GetRow(3)->GetToken(0)->Text, 'c');
    QVERIFY(!list.GetRow(4));

    list.DeleteRow(4);
    QCOMPARE(list.Count(), 4);
    QCOMPARE(m_messages, QStringList{"deleterow: index out of bounds"});
    list.DeleteRow(0);
    QCOMPARE(list.GetRow(0), first);
    QVERIFY(!list.DeleteRows(2, 5));
    QVERIFY(list.InsertRows(1, 3));
    QCOMPARE(list.Count(), 6);
    list.ClearRows(false);
    QCOMPARE(list.Count(), 0);
}

QTEST_GUILESS_MAIN(LexicalRulesTest)
#include "LexicalRulesTest.moc"
