#include "editing/VexScriptEditor.h"
#include "editing/ApplicationServices.h"
#include "editing/ScriptEditor.h"
#include "editing/ScriptFile.h"
#include "editing/TextInfo.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "tests/editing/FakeRuntimeLookup.h"
#include "tests/editing/FlatStates.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <csignal>
#include <memory>

#include <sys/resource.h>

namespace {

// The snapshot the editor should hold for its document: CR LF line breaks, one byte per unit.
std::string expectedSnapshot(const TVexScriptEditor& editor) {
    std::string bytes;
    const QStringList lines = editor.Lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        for (const QChar unit : lines[i])
            bytes += toWindows1252(unit).value_or('?');
    }
    return bytes;
}

// Every row as "class/character@left" per token, one line per row.
QStringList shownRows(const TWordList& rows) {
    QStringList shown;
    for (int i = 0; i < rows.Count(); ++i) {
        QString row;
        for (const TToken& token : rows.GetRow(i)->Tokens())
            row +=
                QStringLiteral("%1/%2@%3 ").arg(token.TokenClass).arg(token.Text).arg(token.Left);
        shown << row;
    }
    return shown;
}

// The classes of the first token of each row: enough to see which rows were built again.
QString firstClasses(const TWordList& rows) {
    QString classes;
    for (int i = 0; i < rows.Count(); ++i) {
        const TToken* token = rows.GetRow(i)->GetToken(0);
        classes += token ? QString::number(token->TokenClass) : QStringLiteral("-");
    }
    return classes;
}

// Counts the pixels drawn in a colour on white: the colour itself, or mostly it where a glyph's
// edge blends it with the background.
int pixelsOf(const QImage& image, QColor color) {
    const int wanted[3] = {color.red(), color.green(), color.blue()};
    const int widest = int(std::max_element(wanted, wanted + 3, std::greater<>()) - wanted);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int found[3] = {pixel.red(), pixel.green(), pixel.blue()};
            const double share =
                wanted[widest] == 255 ? 1.0 : (255.0 - found[widest]) / (255.0 - wanted[widest]);
            bool near = share >= 0.6 && share <= 1.05;
            for (int k = 0; k < 3 && near; ++k)
                near = std::abs(found[k] - (share * wanted[k] + (1 - share) * 255)) <= 12;
            count += near;
        }
    }
    return count;
}

QColor colorOf(TColor color) {
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

} // namespace

class VexScriptEditorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typingInALineRebuildsItsNeighbourhoodOnly();
    void pastingLinesInsertsRowsBeforeThePreviousLine();
    void randomEditsLeaveWhatAFullRebuildGives();
    void positionsConvertBothWays_data();
    void positionsConvertBothWays();
    void parenthesesAroundTheCaret_data();
    void parenthesesAroundTheCaret();
    void aTabBecomesIndentationInTheSameUndoStep();
    void statusLineAndHooks();
    void assignedLinesKeepEmptyLines();
    void failedGrowthRebuildsWhenMemoryIsBack();

    void loadAndSaveRoundTrip_data();
    void loadAndSaveRoundTrip();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void aMegabyteLineIsKeptWhole();

    void screenshotShowsEveryClass();
    void screenshotWithDepthColours();
    void plainPaintingWithoutColouring();

private:
    TVexScriptEditor* editor() const { return m_panel->Editor(); }
    void setText(const QString& text) { editor()->SetScriptText(text); }
    QString text() const { return editor()->toPlainText(); }
    void moveTo(int position);
    // Compares everything the editor derived from its text with a fresh editor given that text
    // and with a scan of the whole snapshot.
    void verifyLikeFullRebuild();
    QString writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& path);
    QImage grabEditor();

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    TFakeRuntimeLookup m_runtime;
    TApplicationServices m_services;
    std::unique_ptr<TScriptEditor> m_panel;
    QStringList m_messages;
    QTemporaryDir m_dir;
};

// The selection colour comes from the settings file; a blue one tells it from the text colours.
void VexScriptEditorTest::initTestCase() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    zentaro::platform::TRegistryKey colors;
    zentaro::platform::TRegistryKey::CurrentUser().CreateKey("Control Panel\\Colors", colors);
    colors.SetValue("Hilight", zentaro::platform::TRegistryValue::FromString("51 153 255"));
    QVERIFY(m_dir.isValid());
}

void VexScriptEditorTest::init() {
    m_runtime = {};
    m_runtime.Globals = {"total"};
    m_runtime.ListedWords = {"Do", "Max", "Print", "DeclareGlobal"};
    m_services.Runtime = &m_runtime;
    m_messages.clear();
    m_services.Messages = [this](const QString& text, bool) { m_messages << text; };
    m_panel = std::make_unique<TScriptEditor>(nullptr, true, 1, true);
    m_panel->SetServices(m_services);
    m_panel->resize(640, 360);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    editor()->setFocus();
}

void VexScriptEditorTest::cleanup() {
    m_panel.reset();
    SetTextBufferLimit(std::numeric_limits<std::size_t>::max());
}

void VexScriptEditorTest::moveTo(int position) {
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(position);
    editor()->setTextCursor(cursor);
}

void VexScriptEditorTest::verifyLikeFullRebuild() {
    QCoreApplication::processEvents();
    const std::string snapshot = expectedSnapshot(*editor());
    QCOMPARE(std::string(editor()->CurrentText().Text()), snapshot);
    QCOMPARE(std::string(editor()->PreviousText().Text()), snapshot);

    TScriptEditor fresh(nullptr, true, 1, true);
    fresh.SetServices(m_services);
    fresh.Editor()->SetScriptText(text());
    QCOMPARE(shownRows(editor()->WordList()), shownRows(fresh.Editor()->WordList()));

    const TFlatStates flat(snapshot);
    for (int q = 0; q <= int(snapshot.size()); ++q) {
        QCOMPARE(editor()->TextStateAt(q), flat.TextState[std::size_t(q)]);
        QCOMPARE(editor()->ParenDepthAt(q), flat.ParenDepth[std::size_t(q)]);
    }
    for (int q = 0; q <= int(snapshot.size()); q += 3)
        QCOMPARE(editor()->FindEnclosingParens(q), flat.Enclosing(snapshot, q));
}

// Which rows are built again shows in their classes: "vv" becomes a global only after the rows
// were first built, so a row built again says 7 and an untouched one 2.
void VexScriptEditorTest::typingInALineRebuildsItsNeighbourhoodOnly() {
    setText("vv\nvv\nvv\nvv\nvv\nvv\nvv\nvv");
    m_runtime.Globals = {"v", "vv"};
    const TRow* const row6 = editor()->WordList().GetRow(6);
    moveTo(13); // line 4, between the two v
    QTest::keyClick(editor(), Qt::Key_Space);
    QCOMPARE(text(), QStringLiteral("vv\nvv\nvv\nvv\nv v\nvv\nvv\nvv"));
    QCOMPARE(firstClasses(editor()->WordList()), QStringLiteral("22277772-"));
    QCOMPARE(editor()->WordList().GetRow(6), row6);
}

// Three lines (two line breaks) pasted into line 4.
void VexScriptEditorTest::pastingLinesInsertsRowsBeforeThePreviousLine() {
    setText("vv\nvv\nvv\nvv\nvv\nvv\nvv\nvv\nvv");
    m_runtime.Globals = {"v", "vv"};
    const TRow* const row2 = editor()->WordList().GetRow(2);
    const TRow* const row3 = editor()->WordList().GetRow(3);
    QApplication::clipboard()->setText("\nv\n");
    moveTo(13);
    editor()->paste();
    QCOMPARE(editor()->document()->blockCount(), 11);
    QCOMPARE(editor()->WordList().Count(), 12);
    // Two new rows at index 3, the old row 3 behind them; rows 3 to 7 built again.
    QCOMPARE(editor()->WordList().GetRow(2), row2);
    QCOMPARE(editor()->WordList().GetRow(5), row3);
    QCOMPARE(firstClasses(editor()->WordList()), QStringLiteral("22277777222-"));
}

// Inserts, deletes, pastes, typing, undos and redos on random scripts; after each step the rows,
// the snapshots and every per-character state are what building everything anew gives.
void VexScriptEditorTest::randomEditsLeaveWhatAFullRebuildGives() {
    static const QStringList pieces = {
        "Do(", ")", "(", "{c}", "{",    "}",   "[t]", "[",    "]",  ", ",     "total",
        "1.5", "x", " ", "\n",  "\n  ", ":= ", "-1",  "Max(", "\t", "\u00e9", "\u2192"};
    QRandomGenerator random(1210);
    const auto randomText = [&](int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += pieces[random.bounded(int(pieces.size()))];
        return text;
    };
    for (int round = 0; round < 6; ++round) {
        setText(randomText(40));
        for (int step = 0; step < 30; ++step) {
            const int length = editor()->document()->characterCount() - 1;
            const int a = random.bounded(length + 1);
            const int b = std::min(length, a + random.bounded(12));
            QTextCursor cursor = editor()->textCursor();
            switch (random.bounded(6)) {
            case 0:
                moveTo(a);
                editor()->insertPlainText(randomText(1 + random.bounded(4)));
                break;
            case 1:
                cursor.setPosition(a);
                cursor.setPosition(b, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            case 2:
                QApplication::clipboard()->setText(randomText(1 + random.bounded(6)));
                cursor.setPosition(a);
                cursor.setPosition(b, QTextCursor::KeepAnchor);
                editor()->setTextCursor(cursor);
                editor()->paste();
                break;
            case 3:
                moveTo(a);
                QTest::keyClicks(editor(), QStringLiteral("(a"));
                QTest::keyClick(editor(), Qt::Key_Return);
                QTest::keyClick(editor(), Qt::Key_Backspace);
                break;
            case 4:
                editor()->undo();
                break;
            default:
                editor()->redo();
                break;
            }
            verifyLikeFullRebuild();
            if (QTest::currentTestFailed())
                return;
        }
    }
}

void VexScriptEditorTest::positionsConvertBothWays_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("buffer");
    // In "ab\ncd\n\nef": a line's buffer start is its control start plus its number.
    QTest::newRow("start") << 0 << 0;
    QTest::newRow("end of the first line") << 2 << 2;
    QTest::newRow("second line") << 4 << 5;
    QTest::newRow("empty line") << 6 << 8;
    QTest::newRow("last line") << 7 << 10;
    QTest::newRow("end of the text") << 9 << 12;
}

void VexScriptEditorTest::positionsConvertBothWays() {
    QFETCH(int, control);
    QFETCH(int, buffer);
    setText("ab\ncd\n\nef");
    QCOMPARE(editor()->BufferPosition(control), buffer);
    QCOMPARE(editor()->ControlPosition(buffer), control);
    // The LF of a line break stands for the line break.
    QCOMPARE(editor()->ControlPosition(3), 2);
}

void VexScriptEditorTest::parenthesesAroundTheCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("open"); // buffer positions, -1 for none
    QTest::addColumn<int>("close");
    QTest::newRow("between the arguments") << "f(a b)" << 3 << 1 << 5;
    QTest::newRow("innermost pair") << "f(a(b)c)" << 5 << 3 << 5;
    QTest::newRow("over lines") << "Do(\n  a\n)" << 6 << 2 << 10;
    QTest::newRow("in a comment none match") << "{f(a)}" << 3 << -1 << -1;
    QTest::newRow("in a text none match") << "[f(a)]" << 3 << -1 << -1;
    QTest::newRow("skips a commented parenthesis") << "f(a{)}b)" << 3 << 1 << 7;
    QTest::newRow("at the top level") << "f(a) b" << 5 << -1 << -1;
    QTest::newRow("unclosed") << "f(a b" << 3 << -1 << -1;
}

void VexScriptEditorTest::parenthesesAroundTheCaret() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, open);
    QFETCH(int, close);
    setText(text);
    moveTo(caret);
    editor()->viewport()->repaint();
    QCOMPARE(editor()->BracketOpen(), open);
    QCOMPARE(editor()->BracketClose(), close);
}

void VexScriptEditorTest::aTabBecomesIndentationInTheSameUndoStep() {
    setText("ab");
    moveTo(1);
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(text(), QStringLiteral("a  b"));
    QCOMPARE(editor()->textCursor().position(), 3);
    editor()->undo();
    QCOMPARE(text(), QStringLiteral("ab"));

    // A TAB that comes in another way is rewritten when the edit is done.
    moveTo(2);
    editor()->insertPlainText("\tc\n\t");
    QCoreApplication::processEvents();
    QCOMPARE(text(), QStringLiteral("ab  c\n  "));
    QCOMPARE(editor()->textCursor().position(), 8);
    verifyLikeFullRebuild();
    editor()->undo();
    QCOMPARE(text(), QStringLiteral("ab"));

    setText("x\tDo(\t1)");
    QCOMPARE(text(), QStringLiteral("x  Do(  1)"));
    QVERIFY(!editor()->document()->isUndoAvailable());
}

void VexScriptEditorTest::statusLineAndHooks() {
    QCOMPARE(m_panel->StatusBar()->PanelText(0), QStringLiteral("Line 1, Column 1"));
    QCOMPARE(m_panel->StatusBar()->PanelText(1), QStringLiteral("INS"));
    setText("first\nsecond");
    moveTo(9);
    QCOMPARE(m_panel->StatusBar()->PanelText(0), QStringLiteral("Line 2, Column 4"));

    int changes = 0;
    editor()->OnUserChange = [&](TVexScriptEditor* sender) {
        QCOMPARE(sender, editor());
        ++changes;
    };
    QTest::keyClick(editor(), Qt::Key_Z);
    QCOMPARE(changes, 1);
    editor()->OnUserChange = [](TVexScriptEditor*) { throw std::runtime_error("hook"); };
    QTest::keyClick(editor(), Qt::Key_Z);
    QCOMPARE(m_messages, QStringList{"Error executing useronchange"});
    QCOMPARE(text(), QStringLiteral("first\nseczzond"));
}

void VexScriptEditorTest::assignedLinesKeepEmptyLines() {
    editor()->AssignLines({"a", "", "", "b"});
    QCOMPARE(text(), QStringLiteral("a\n\n\nb\n"));
    QCOMPARE(editor()->FileText(), QStringLiteral("a\n\n\nb\n"));
}

// A snapshot that cannot grow drops that change's step: the text stays, the editor says so and
// paints plain text, and the next change after memory is back builds everything again.
void VexScriptEditorTest::failedGrowthRebuildsWhenMemoryIsBack() {
    setText("Do(total)");
    SetTextBufferLimit(std::size_t(editor()->CurrentText().Capacity()));
    editor()->insertPlainText(QString(2000, QLatin1Char('x')));
    QCOMPARE(m_messages.value(0), QStringLiteral("Exception getting memory"));
    QVERIFY(!editor()->IsTracking());
    QCOMPARE(text().size(), 2009);
    QVERIFY(editor()->palette().color(QPalette::Text).alpha() == 255);
    editor()->viewport()->repaint();

    SetTextBufferLimit(std::numeric_limits<std::size_t>::max());
    QTest::keyClick(editor(), Qt::Key_Y);
    QVERIFY(editor()->IsTracking());
    QCOMPARE(editor()->palette().color(QPalette::Text).alpha(), 0);
    verifyLikeFullRebuild();
}

void VexScriptEditorTest::loadAndSaveRoundTrip_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("CR LF") << QByteArray("a\r\n\r\nb\r\n") << "a\n\nb\n" << QByteArray("a\n\nb\n");
    QTest::newRow("LF") << QByteArray("a\n\nb\n") << "a\n\nb\n" << QByteArray("a\n\nb\n");
    QTest::newRow("lone CR") << QByteArray("a\r\rb\r") << "a\n\nb\n" << QByteArray("a\n\nb\n");
    QTest::newRow("mixed, no last line end")
        << QByteArray("a\r\r\nb\nc") << "a\n\nb\nc" << QByteArray("a\n\nb\nc\n");
    QTest::newRow("Windows-1252 and a TAB")
        << QByteArray("[\x80 caf\xE9]\tx\n") << QString::fromUtf8("[€ café]  x\n")
        << QByteArray("[\x80 caf\xE9]  x\n");
    QTest::newRow("empty") << QByteArray() << "" << QByteArray();
}

void VexScriptEditorTest::loadAndSaveRoundTrip() {
    QFETCH(QByteArray, file);
    QFETCH(QString, text);
    QFETCH(QByteArray, saved);
    setText("old");
    QVERIFY(editor()->LoadFromFile(writeFile("script.vex", file)));
    QCOMPARE(this->text(), text);
    QVERIFY(!editor()->document()->isUndoAvailable());
    const QString path = m_dir.filePath("saved.vex");
    QVERIFY(editor()->SaveToFile(path));
    QCOMPARE(readFile(path), saved);
    QVERIFY(editor()->LoadFromFile(path));
    QCOMPARE(editor()->FileText(), fromWindows1252(saved));
    QVERIFY(m_messages.isEmpty());
}

void VexScriptEditorTest::failedLoadChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message"); // empty: not reported
    QTest::newRow("missing file") << "missing.vex"
                                  << "";
    QTest::newRow("NUL bytes") << "binary.vex"
                               << "holds NUL bytes (line 2)";
    QTest::newRow("folder") << "folder.vex"
                            << "Is a directory";
    QTest::newRow("unreadable") << "secret.vex"
                                << "Permission denied";
}

void VexScriptEditorTest::failedLoadChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    if (name == "secret.vex" && ::geteuid() == 0)
        QSKIP("root reads every file");
    writeFile("binary.vex", QByteArray("Do(\n1\0\x01\x02)", 10));
    QDir(m_dir.path()).mkpath("folder.vex");
    QFile::setPermissions(writeFile("secret.vex", "Do()"), QFileDevice::Permissions());
    setText("Do(total)");
    QVERIFY(!editor()->LoadFromFile(m_dir.filePath(name)));
    QCOMPARE(text(), QStringLiteral("Do(total)"));
    QCOMPARE(editor()->WordList().GetRow(0)->GetToken(0)->TokenClass, scListedWord);
    if (message.isEmpty()) {
        QVERIFY(m_messages.isEmpty());
        return;
    }
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].startsWith("Could not open file " + m_dir.filePath(name)) &&
                 m_messages[0].contains(message),
             qPrintable(m_messages[0]));
}

void VexScriptEditorTest::failedSaveKeepsTheOldFile_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("character Windows-1252 cannot hold") << "arrow"
                                                        << "line 2 holds the character U+2192";
    QTest::newRow("read-only file") << "read-only"
                                    << "read-only";
    QTest::newRow("folder gone") << "folder gone"
                                 << "No such file or directory";
    QTest::newRow("disk full") << "full"
                               << "";
}

void VexScriptEditorTest::failedSaveKeepsTheOldFile() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath("kept.vex");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old text\n");
    }
    setText(situation == "arrow" ? QString::fromUtf8("Do(\n  a \u2192 b)") : QString(100000, 'x'));
    if (situation == "read-only")
        QFile::setPermissions(path, QFileDevice::ReadOwner);
    QString target = path;
    if (situation == "folder gone")
        target = folder.filePath("gone/kept.vex");
    bool saved = false;
    if (situation == "full") {
        // A file size limit fails the write as a full disk does.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{4096, limit.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
        saved = editor()->SaveToFile(target);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
    } else {
        saved = editor()->SaveToFile(target);
    }
    QVERIFY(!saved);
    QCOMPARE(readFile(path), QByteArray("old text\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.vex"});
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].startsWith("Error saving to file " + target) &&
                 m_messages[0].contains(message),
             qPrintable(m_messages[0]));
    QVERIFY(text().size() > 10);
}

void VexScriptEditorTest::aMegabyteLineIsKeptWhole() {
    QByteArray line(1 << 20, 'a');
    for (qsizetype i = 5; i < line.size(); i += 7)
        line[i] = ' ';
    QVERIFY(editor()->LoadFromFile(writeFile("long.vex", "Do(1)\n" + line + "\n")));
    QCOMPARE(editor()->WordList().GetRow(1)->TokenCount(), kRowCharacterLimit - 585);
    editor()->viewport()->repaint();
    const QString path = m_dir.filePath("long-saved.vex");
    QVERIFY(editor()->SaveToFile(path));
    QCOMPARE(readFile(path), "Do(1)\n" + line + "\n");
    QVERIFY(m_messages.isEmpty());
}

QString VexScriptEditorTest::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

QByteArray VexScriptEditorTest::readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QImage VexScriptEditorTest::grabEditor() {
    editor()->viewport()->repaint();
    return editor()->viewport()->grab().toImage();
}

// Leaves VexScriptEditor-classes.png: every style class on screen, the pair around the caret
// marked and a selection.
void VexScriptEditorTest::screenshotShowsEveryClass() {
    setText(QString::fromUtf8(
        "{ every class \u2192 }\nDeclareGlobal([total], 0)\nDo(total := Max(total, 12.5), "
        "Print([sum = ], total))\nother.name; . -1"));
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(editor()->document()->findBlockByNumber(3).position());
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    moveTo(text().indexOf("12.5"));
    editor()->viewport()->repaint();
    QVERIFY(editor()->BracketOpen() > 0);
    cursor.setPosition(text().indexOf("other"));
    cursor.setPosition(text().indexOf("other") + 5, QTextCursor::KeepAnchor);
    editor()->setTextCursor(cursor);
    const QImage image = grabEditor();
    QVERIFY(image.save(ZENTARO_TEST_OUTPUT_DIR "/VexScriptEditor-classes.png"));

    // The pair is marked by the latest paint even with a selection elsewhere.
    moveTo(text().indexOf("12.5"));
    const QImage marked = grabEditor();
    QVERIFY(marked.save(ZENTARO_TEST_OUTPUT_DIR "/VexScriptEditor-pair.png"));
    const TStyleTable& colors = editor()->Settings().Colors;
    for (const int styleClass : {scWord, scComment, scTextConstant, scListedWord, scNumber,
                                 scGlobalVariable, scEnclosingParen, scPunctuation})
        QVERIFY2(pixelsOf(marked, colorOf(colors[std::size_t(styleClass)].TextColor)) > 3,
                 qPrintable(QString::number(styleClass)));
    QVERIFY(pixelsOf(image, colorOf(colors[scSelection].BackColor)) > 100);
}

void VexScriptEditorTest::screenshotWithDepthColours() {
    setText("Do(a, Max(b, Do(c, (d))), e)\n)) f");
    editor()->SetDepthColorsOn(true);
    const QImage image = grabEditor();
    QVERIFY(image.save(ZENTARO_TEST_OUTPUT_DIR "/VexScriptEditor-depth.png"));
    for (const std::size_t depth : {0, 1, 2, 3})
        QVERIFY2(pixelsOf(image, colorOf(TVexScriptEditor::DepthColorTable[depth])) > 3,
                 qPrintable(QString::number(depth)));
    // "f" stands at depth -2 after the two unmatched ")": the colour of 7.
    QVERIFY(pixelsOf(image, colorOf(TVexScriptEditor::DepthColorTable[7])) > 3);
}

void VexScriptEditorTest::plainPaintingWithoutColouring() {
    setText("Do(total, 12)");
    editor()->SetColoringOn(false);
    const QImage plain = grabEditor();
    QCOMPARE(pixelsOf(plain, colorOf(editor()->Settings().Colors[scListedWord].TextColor)), 0);
    QVERIFY(pixelsOf(plain, colorOf(editor()->Settings().Colors[scWord].TextColor)) > 10);

    TScriptEditor simple(nullptr, false, 2, true);
    simple.resize(300, 100);
    simple.show();
    simple.Editor()->SetScriptText("Do(total, 12)");
    simple.Editor()->viewport()->repaint();
    const QImage simpleImage = simple.Editor()->viewport()->grab().toImage();
    QCOMPARE(pixelsOf(simpleImage, colorOf(simple.Editor()->Settings().Colors[scNumber].TextColor)),
             0);
    QVERIFY(pixelsOf(simpleImage, colorOf(simple.Editor()->Settings().Colors[scWord].TextColor)) >
            10);
}

QTEST_MAIN(VexScriptEditorTest)
#include "VexScriptEditorTest.moc"
