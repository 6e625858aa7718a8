#include "editing/TextStates.h"
#include "tests/editing/FlatStates.h"

#include <QRandomGenerator>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

namespace {

class TLines final : public TLineSource {
public:
    std::vector<std::string> Lines;
    int LineCount() const override { return static_cast<int>(Lines.size()); }
    std::string_view LineText(int line) const override { return Lines[std::size_t(line)]; }

    // The whole text with CR LF line breaks.
    std::string Text() const {
        std::string text;
        for (std::size_t i = 0; i < Lines.size(); ++i)
            text += (i ? "\r\n" : "") + Lines[i];
        return text;
    }
    int BufferOf(TTextPoint point) const {
        int position = 0;
        for (int i = 0; i < point.Line; ++i)
            position += static_cast<int>(Lines[std::size_t(i)].size()) + 2;
        return position + point.Column;
    }
};

std::string randomLine(QRandomGenerator& random) {
    static const char alphabet[] = "((())){}[[]]ab c;";
    std::string line(random.bounded(12), ' ');
    for (char& c : line)
        c = alphabet[random.bounded(int(sizeof alphabet) - 1)];
    return line;
}

} // namespace

class TextStatesTest : public QObject {
    Q_OBJECT

private slots:
    void statesFollowTheRules_data();
    void statesFollowTheRules();
    void editsGiveTheStatesOfAFullScan();
    void anEditThatChangesNoStateLeavesTheRestKnown();
    void anEditThatOpensAParenthesisIsFollowedOnlyAsFarAsAsked();
};

void TextStatesTest::statesFollowTheRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textStates"); // one character per position: - for -1
    QTest::addColumn<QString>("parenDepths");
    QTest::newRow("brace in a text opens no comment") << "[a{b]x"
                                                      << "111110"
                                                      << "000000";
    QTest::newRow("bracket in a comment opens no text") << "{a[b}x"
                                                        << "-----0"
                                                        << "000000";
    QTest::newRow("nested texts") << "[a[b]c]"
                                  << "1122211"
                                  << "0000000";
    QTest::newRow("a pair carries the outer depth") << "f(a(b))"
                                                    << "0000000"
                                                    << "0011210";
    QTest::newRow("parentheses count inside comments") << "({)}"
                                                       << "0---"
                                                       << "0100";
    QTest::newRow("more closing than opening") << "))("
                                               << "000"
                                               << "-1-2-2";
}

void TextStatesTest::statesFollowTheRules() {
    QFETCH(QString, text);
    QFETCH(QString, textStates);
    QFETCH(QString, parenDepths);
    TLines lines;
    lines.Lines = {text.toStdString()};
    TTextStates states(lines);
    states.Reset();
    std::vector<std::int32_t> textState(static_cast<std::size_t>(text.size()));
    std::vector<std::int32_t> parenDepth(static_cast<std::size_t>(text.size()));
    states.LineStates(0, int(text.size()), textState.data(), parenDepth.data());
    QString shownStates;
    QString shownDepths;
    for (std::size_t i = 0; i < textState.size(); ++i) {
        shownStates += textState[i] < 0 ? QStringLiteral("-") : QString::number(textState[i]);
        shownDepths += QString::number(parenDepth[i]);
    }
    QCOMPARE(shownStates, textStates);
    QCOMPARE(shownDepths, parenDepths);
}

// Random texts edited line range by line range, with questions in between so that the states
// are read while only partly up to date; after every fourth edit every position must read as a
// scan of the whole text gives it, and so must the parentheses around any point.
void TextStatesTest::editsGiveTheStatesOfAFullScan() {
    QRandomGenerator random(20261210);
    for (int round = 0; round < 100; ++round) {
        TLines lines;
        for (int i = 0, count = 1 + random.bounded(30); i < count; ++i)
            lines.Lines.push_back(randomLine(random));
        TTextStates states(lines);
        states.Reset();
        for (int edit = 0; edit < 25; ++edit) {
            const int count = lines.LineCount();
            const int first = random.bounded(count);
            const int removed = 1 + random.bounded(std::min(3, count - first));
            const int added = 1 + random.bounded(3);
            lines.Lines.erase(lines.Lines.begin() + first, lines.Lines.begin() + first + removed);
            for (int i = 0; i < added; ++i)
                lines.Lines.insert(lines.Lines.begin() + first, randomLine(random));
            states.Replace(first, removed, added);
            // Most edits are only partly followed before the next one comes.
            if (random.bounded(2))
                states.StartOf(random.bounded(lines.LineCount()));
            if (edit % 4 != 3)
                continue;

            const std::string text = lines.Text();
            const TFlatStates flat(text);
            for (int line = 0; line < lines.LineCount(); ++line) {
                const int length = static_cast<int>(lines.Lines[std::size_t(line)].size()) + 2;
                std::vector<std::int32_t> textState(static_cast<std::size_t>(length));
                std::vector<std::int32_t> parenDepth(static_cast<std::size_t>(length));
                states.LineStates(line, length, textState.data(), parenDepth.data());
                const int start = lines.BufferOf({line, 0});
                for (int column = 0; column < length && start + column <= int(text.size());
                     ++column) {
                    QCOMPARE(textState[std::size_t(column)],
                             flat.TextState[std::size_t(start + column)]);
                    QCOMPARE(parenDepth[std::size_t(column)],
                             flat.ParenDepth[std::size_t(start + column)]);
                }
                for (int column = 0; column <= length - 2; ++column) {
                    const TTextPoint point{line, column};
                    const int q = lines.BufferOf(point);
                    TTextPoint open;
                    TTextPoint close;
                    std::optional<std::pair<int, int>> found;
                    if (q > 0 && q < int(text.size()) && states.EnclosingParens(point, open, close))
                        found = std::make_pair(lines.BufferOf(open), lines.BufferOf(close));
                    QCOMPARE(found, flat.Enclosing(text, q));
                }
            }
        }
    }
}

void TextStatesTest::anEditThatChangesNoStateLeavesTheRestKnown() {
    TLines lines;
    lines.Lines.assign(1000, "Do(a, [b], {c})");
    TTextStates states(lines);
    states.Reset();
    lines.Lines[500] = "Do(x, [y], {z})";
    states.Replace(500, 1, 1);
    QCOMPARE(states.ValidLineCount(), 501);
    states.StartOf(501);
    QCOMPARE(states.ValidLineCount(), 1000);
}

void TextStatesTest::anEditThatOpensAParenthesisIsFollowedOnlyAsFarAsAsked() {
    TLines lines;
    lines.Lines.assign(1000, "Do(a, [b], {c})");
    TTextStates states(lines);
    states.Reset();
    lines.Lines[500] = "Do((a, [b], {c})";
    states.Replace(500, 1, 1);
    QCOMPARE(states.StartOf(510).ParenDepth, 1);
    QCOMPARE(states.ValidLineCount(), 511);
    QCOMPARE(states.StartOf(999).OpenParens, 1);
    QCOMPARE(states.ValidLineCount(), 1000);
}

QTEST_GUILESS_MAIN(TextStatesTest)
#include "TextStatesTest.moc"
