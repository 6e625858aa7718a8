#include "editing/CodeCompletion.h"

#include "editing/ApplicationServices.h"
#include "editing/EditorSettings.h"
#include "editing/HelpPages.h"
#include "editing/ScriptEditor.h"
#include "editing/TformCodeCompletion.h"
#include "editing/TformHelp.h"
#include "editing/VexScriptEditor.h"
#include "services/Clock.h"
#include "tests/platform/RegistryTestSupport.h"

#include "runtime/VexWords.h"
#include "tests/runtime/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <memory>

namespace {

using namespace std::chrono_literals;

void registerWord(vex::TLanguageInterpreter& context, const std::string& name, int listed = 1) {
    vex::TWordAttributes attributes;
    attributes.CodeText = "1";
    attributes.Listed = static_cast<std::uint8_t>(listed);
    QVERIFY(context.RegisterUserWord(name, "Various", attributes) > 0);
}

QStringList strings(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

} // namespace

// The editor completes from a real runtime context: the test word set (with its unlisted
// filler words "w1" ... around "While"), a few user-defined words and globals.
class CodeCompletionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void candidatesAreListedWordsThenGlobals_data();
    void candidatesAreListedWordsThenGlobals();
    void triggering_data();
    void triggering();
    void showsAfterTheDelayAndFollowsTyping();
    void keysWhileVisible_data();
    void keysWhileVisible();
    void takingAnEntryIsOneUndoStepAndUndoNeverOpensTheList();
    void caretMovesFocusLossAndMovingTheEditorHide();
    void doubleClickTakesTheEntryAndShowsTheRestAgain();
    void listSize_data();
    void listSize();
    void listStaysOnTheScreen();
    void f1OpensTheHelpOfTheSelectedEntry();
    void thousandsOfUserWords();
    void screenshotOverTheEditor();

private:
    TVexScriptEditor* editor() const { return m_panel->Editor(); }
    TCodeCompletion& completion() const { return editor()->Completion(); }
    QListWidget* list() const {
        return completion().CompletionForm()->findChild<QListWidget*>(QStringLiteral("ListBox1"));
    }
    // Creates the editor panel with the shared settings as they are now.
    void openEditor();
    // Types the text; "←" presses Left.
    void type(const QString& keys);
    // The clock moves on and the editor's housekeeping tick runs.
    void elapse(std::chrono::milliseconds time);
    // The entries of the visible list; none while it is hidden.
    QStringList shown() const;
    int caret() const { return editor()->textCursor().position(); }

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    std::unique_ptr<vex::test::TFakeHost> m_host;
    std::unique_ptr<vex::test::TTestContext> m_context;
    TApplicationServices m_services;
    std::unique_ptr<TScriptEditor> m_panel;
    TEditorSettings m_savedSettings;
    TClock m_savedClock;
    std::chrono::milliseconds m_now = 1000s;
};

void CodeCompletionTest::init() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_host = std::make_unique<vex::test::TFakeHost>();
    m_context = std::make_unique<vex::test::TTestContext>(*m_host, 1 << 16);
    for (const char* name : {"Square", "SquareRoot", "Sum", "SumSq", "Squeeze"})
        registerWord(*m_context, name);
    registerWord(*m_context, "SumHidden", 0);
    for (int i = 1; i <= 30; ++i)
        registerWord(*m_context,
                     QStringLiteral("Unit%1").arg(i, 2, 10, QLatin1Char('0')).toStdString());
    // A removed word stays in the registry under its name with a leading blank.
    QVERIFY(m_context->RemoveUserWord("Squeeze"));
    QVERIFY(m_context->DeclareVariable("summary", vex::vkNumber));
    QVERIFY(m_context->DeclareVariable("unity", vex::vkNumber));
    m_services.Context = m_context.get();

    m_savedSettings = SharedEditorSettings();
    SharedEditorSettings().CompletionMinLength = 3;
    SharedEditorSettings().CompletionDelay = 500;
    SharedEditorSettings().CompleteInTexts = false;
    m_now = 1000s;
    m_savedClock = setClock([this] { return m_now; });
    openEditor();
}

void CodeCompletionTest::cleanup() {
    m_panel.reset();
    FinalizeHelpWindow();
    SetHelpPagesDirectory(QString());
    setClock(m_savedClock);
    SharedEditorSettings() = m_savedSettings;
    m_services.Context = nullptr;
    m_context.reset();
    m_host.reset();
    m_registry.reset();
}

void CodeCompletionTest::openEditor() {
    m_panel = std::make_unique<TScriptEditor>(nullptr, true, 1, true);
    m_panel->SetServices(m_services);
    m_panel->resize(480, 300);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
    editor()->setFocus();
    QVERIFY(editor()->hasFocus());
}

void CodeCompletionTest::type(const QString& keys) {
    for (const QChar key : keys) {
        if (key == u'←') {
            QTest::keyClick(editor(), Qt::Key_Left);
        } else if (key.unicode() > 0xFF) {
            // A character QTest cannot type: the key event a keyboard layout would send.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(key));
            QApplication::sendEvent(editor(), &press);
        } else {
            QTest::keyClicks(editor(), QString(key));
        }
    }
}

void CodeCompletionTest::elapse(std::chrono::milliseconds time) {
    m_now += time;
    completion().Tick();
}

QStringList CodeCompletionTest::shown() const {
    QStringList entries;
    if (!completion().IsVisible())
        return entries;
    for (int row = 0; row < list()->count(); ++row)
        entries << list()->item(row)->text();
    return entries;
}

// Words come in the order of the word index, globals after them in their order of declaration.
// Unlisted words are never offered, however many of them surround the listed ones: the filler
// words "w1" ... "w1667" of the test word set stand on both sides of "While".
void CodeCompletionTest::candidatesAreListedWordsThenGlobals_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("words, then a global") << "su" << QStringList{"Sum", "SumSq", "summary"};
    QTest::newRow("case is ignored") << "SQUARE" << QStringList{"Square", "SquareRoot"};
    QTest::newRow("listed among many unlisted") << "w" << QStringList{"While"};
    QTest::newRow("only unlisted ones") << "w1" << QStringList{};
    QTest::newRow("an unlisted word after listed ones") << "sumh" << QStringList{};
    QTest::newRow("a removed word") << "squee" << QStringList{};
    QTest::newRow("a global alone") << "unity" << QStringList{"unity"};
    QTest::newRow("nothing") << "xyz" << QStringList{};
}

void CodeCompletionTest::candidatesAreListedWordsThenGlobals() {
    QFETCH(QString, prefix);
    QFETCH(QStringList, expected);
    QCOMPARE(completion().CollectCandidates(prefix.toStdString()), expected.size());
    QCOMPARE(strings(completion().Candidates()), expected);
}

// What typing shows once the delay is over; an empty list means the window stays hidden.
void CodeCompletionTest::triggering_data() {
    QTest::addColumn<int>("minLength");
    QTest::addColumn<bool>("completeInTexts");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("expected");
    const QStringList squares{"Square", "SquareRoot"};
    QTest::newRow("shorter than the minimum") << 3 << false << "sq" << QStringList{};
    QTest::newRow("as long as the minimum") << 3 << false << "squ" << squares;
    QTest::newRow("a minimum of one") << 1 << false << "w" << QStringList{"While"};
    QTest::newRow("deleted back below the minimum") << 3 << false << "squ\b" << QStringList{};
    QTest::newRow("the only candidate is the word") << 3 << false << "sumsq" << QStringList{};
    QTest::newRow("the only candidate is longer") << 3 << false << "sums" << QStringList{"SumSq"};
    QTest::newRow("after other words") << 3 << false << "Do(1, squ" << squares;
    QTest::newRow("in a comment") << 3 << false << "{squ" << QStringList{};
    QTest::newRow("in a comment, allowed") << 3 << true << "{squ" << squares;
    QTest::newRow("in a text constant") << 3 << false << "[squ" << QStringList{};
    QTest::newRow("in a text constant, allowed") << 3 << true << "[squ" << squares;
    QTest::newRow("after a comment") << 3 << false << "{x}squ" << squares;
    QTest::newRow("inside a word") << 3 << false << "sqx←u" << QStringList{};
    QTest::newRow("a character outside the code page") << 3 << false << "squЖ" << QStringList{};
    QTest::newRow("such a character before a blank") << 3 << false << "Ж squ" << squares;
    QTest::newRow("a separator") << 1 << false << "1+" << QStringList{};
}

void CodeCompletionTest::triggering() {
    QFETCH(int, minLength);
    QFETCH(bool, completeInTexts);
    QFETCH(QString, keys);
    QFETCH(QStringList, expected);
    SharedEditorSettings().CompletionMinLength = minLength;
    SharedEditorSettings().CompleteInTexts = completeInTexts;
    openEditor();
    type(keys);
    elapse(500ms);
    QCOMPARE(shown(), expected);
    QCOMPARE(completion().IsActive(), !expected.isEmpty());
}

// The delay is read from the shared settings at every trigger; while the list is visible a
// further letter refills it at once, and the list follows the caret.
void CodeCompletionTest::showsAfterTheDelayAndFollowsTyping() {
    type("squ");
    elapse(499ms);
    QVERIFY(!completion().IsVisible());
    QVERIFY(completion().IsActive());
    elapse(1ms);
    QCOMPARE(shown(), (QStringList{"Square", "SquareRoot"}));
    QCOMPARE(completion().CompletionAnchor(), 3);
    const QPoint before = completion().CompletionForm()->pos();

    type("areR");
    QCOMPARE(shown(), QStringList{"SquareRoot"});
    QTRY_VERIFY(completion().CompletionForm()->pos().x() > before.x());

    QTest::keyClick(editor(), Qt::Key_Escape);
    SharedEditorSettings().CompletionDelay = 2000;
    type(" sum");
    elapse(1999ms);
    QVERIFY(!completion().IsVisible());
    elapse(1ms);
    QCOMPARE(shown(), (QStringList{"Sum", "SumSq", "summary"}));

    // Escape also dismisses a list that still waits for its delay.
    QTest::keyClick(editor(), Qt::Key_Escape);
    type("s");
    QVERIFY(completion().IsActive());
    QTest::keyClick(editor(), Qt::Key_Escape);
    elapse(2000ms);
    QVERIFY(!completion().IsActive());
}

// After typing "uni": Unit01 ... Unit30 and the global unity, the first entry selected.
void CodeCompletionTest::keysWhileVisible_data() {
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    const auto keys = [](std::initializer_list<Qt::Key> list,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTestEventList events;
        for (const Qt::Key key : list)
            events.addKeyClick(key, modifiers);
        return events;
    };
    using K = Qt::Key;
    QTest::newRow("Up wraps to the last") << keys({K::Key_Up}) << 30 << true << "uni" << 3;
    QTest::newRow("Down") << keys({K::Key_Down}) << 1 << true << "uni" << 3;
    QTest::newRow("Down wraps to the first")
        << keys({K::Key_End, K::Key_Down}) << 0 << true << "uni" << 3;
    QTest::newRow("Page Down") << keys({K::Key_PageDown}) << 12 << true << "uni" << 3;
    QTest::newRow("Page Down stops at the last")
        << keys({K::Key_PageDown, K::Key_PageDown, K::Key_PageDown}) << 30 << true << "uni" << 3;
    QTest::newRow("Page Up") << keys({K::Key_End, K::Key_PageUp}) << 18 << true << "uni" << 3;
    QTest::newRow("Page Up stops at the first")
        << keys({K::Key_Down, K::Key_PageUp}) << 0 << true << "uni" << 3;
    QTest::newRow("Home") << keys({K::Key_End, K::Key_Home}) << 0 << true << "uni" << 3;
    QTest::newRow("Escape hides") << keys({K::Key_Escape}) << 0 << false << "uni" << 3;
    QTest::newRow("Left hides and moves") << keys({K::Key_Left}) << 0 << false << "uni" << 2;
    QTest::newRow("Right hides") << keys({K::Key_Right}) << 0 << false << "uni" << 3;
    QTest::newRow("Alt hides") << keys({K::Key_Alt}) << 0 << false << "uni" << 3;
    QTest::newRow("Tab takes the entry") << keys({K::Key_Tab}) << 0 << false << "Unit01" << 6;
    QTest::newRow("Return takes the entry")
        << keys({K::Key_Down, K::Key_Return}) << 1 << false << "Unit02" << 6;
    QTest::newRow("Enter takes the entry")
        << keys({K::Key_Up, K::Key_Enter}) << 30 << false << "unity" << 5;
    QTest::newRow("Shift+Tab takes the entry")
        << keys({K::Key_Down, K::Key_Backtab}, Qt::ShiftModifier) << 1 << false << "Unit02" << 6;
}

void CodeCompletionTest::keysWhileVisible() {
    QFETCH(QTestEventList, keys);
    QFETCH(int, row);
    QFETCH(bool, visible);
    QFETCH(QString, text);
    QFETCH(int, caret);
    type("uni");
    elapse(500ms);
    QCOMPARE(list()->count(), 31);
    QCOMPARE(list()->currentRow(), 0);
    keys.simulate(editor());
    QCOMPARE(completion().IsVisible(), visible);
    if (visible)
        QCOMPARE(list()->currentRow(), row);
    QCOMPARE(editor()->toPlainText(), text);
    QCOMPARE(this->caret(), caret);
}

// The entry replaces just the typed letters; one undo brings them back, and neither undo nor
// redo opens the list. Tab takes the entry also while the list waits for its delay.
void CodeCompletionTest::takingAnEntryIsOneUndoStepAndUndoNeverOpensTheList() {
    editor()->SetScriptText(QStringLiteral("x := sq + 1"));
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(7);
    editor()->setTextCursor(cursor);
    type("u");
    QVERIFY(completion().IsActive());
    QVERIFY(!completion().IsVisible());
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("x := Square + 1"));
    QCOMPARE(caret(), 11);
    QVERIFY(!completion().IsActive());

    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("x := squ + 1"));
    elapse(1000ms);
    QVERIFY(!completion().IsActive());
    QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("x := Square + 1"));
    elapse(1000ms);
    QVERIFY(!completion().IsActive());
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("x := sq + 1"));
    elapse(1000ms);
    QVERIFY(!completion().IsActive());
}

// Typing one more letter keeps the list; a caret that moves otherwise, a click in the text,
// another window taking the focus and the editor moving on the screen hide it. Hiding leaves
// the focus where it is.
void CodeCompletionTest::caretMovesFocusLossAndMovingTheEditorHide() {
    const auto showSquares = [this] {
        editor()->SetScriptText(QStringLiteral("Do(1, 2)\n"));
        editor()->moveCursor(QTextCursor::End);
        type("squ");
        elapse(500ms);
        QVERIFY(completion().IsVisible());
    };
    showSquares();
    type("a");
    QVERIFY(completion().IsVisible());
    QCOMPARE(completion().CompletionAnchor(), caret());
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(caret() - 2);
    editor()->setTextCursor(cursor);
    QVERIFY(!completion().IsActive());
    QCOMPARE(completion().CompletionAnchor(), -1);

    showSquares();
    const QRect firstLine = editor()->cursorRect(QTextCursor(editor()->document()));
    QTest::mouseClick(editor()->viewport(), Qt::LeftButton, {}, firstLine.center());
    QVERIFY(!completion().IsActive());

    showSquares();
    QLineEdit other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    QVERIFY(!completion().IsActive());
    QVERIFY(other.hasFocus());
    other.close();
    m_panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
    editor()->setFocus();

    showSquares();
    m_panel->move(m_panel->pos() + QPoint(20, 0));
    elapse(50ms);
    QVERIFY(!completion().IsActive());
}

// A double click takes the entry; as "Sum" begins other names, the list shows again for them.
void CodeCompletionTest::doubleClickTakesTheEntryAndShowsTheRestAgain() {
    type("sum");
    elapse(500ms);
    QCOMPARE(shown(), (QStringList{"Sum", "SumSq", "summary"}));
    const QPoint entry = list()->visualItemRect(list()->item(0)).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, entry);
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, entry);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Sum"));
    QVERIFY(!completion().IsVisible());
    QVERIFY(editor()->hasFocus());
    elapse(50ms);
    QCOMPARE(shown(), (QStringList{"Sum", "SumSq", "summary"}));

    // A single click selects an entry; the editor keeps the focus and the keys.
    const QPoint second = list()->visualItemRect(list()->item(1)).center();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(list()->currentRow(), 1);
    QVERIFY(editor()->hasFocus());
    QTest::keyClick(editor(), Qt::Key_Return);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("SumSq"));
}

// At most twelve rows high; wide enough for its longest entry and never narrower than 32 pixels.
void CodeCompletionTest::listSize_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("rows");
    QTest::newRow("31 entries") << "uni" << 12;
    QTest::newRow("three entries") << "sum" << 3;
    QTest::newRow("one short entry") << "whi" << 1;
}

void CodeCompletionTest::listSize() {
    QFETCH(QString, keys);
    QFETCH(int, rows);
    type(keys);
    elapse(500ms);
    const TformCodeCompletion* form = completion().CompletionForm();
    QVERIFY(form->isVisible());
    QCOMPARE(form->height(), rows * list()->sizeHintForRow(0) + 2 * list()->frameWidth());
    QVERIFY(form->width() >= TformCodeCompletion::kMinimumWidth);
    for (int row = 0; row < list()->count(); ++row)
        QVERIFY(list()->fontMetrics().horizontalAdvance(list()->item(row)->text()) <=
                list()->viewport()->width());
    QCOMPARE(list()->font(), editor()->font());
}

// Near the screen's right and bottom edges the list moves left, and above the caret's line.
void CodeCompletionTest::listStaysOnTheScreen() {
    const QRect screen = m_panel->screen()->availableGeometry();
    m_panel->move(screen.bottomRight() - QPoint(m_panel->width(), m_panel->height()) +
                  QPoint(1, 1));
    editor()->SetScriptText(QString(20, QLatin1Char('\n')) + QString(50, QLatin1Char(' ')));
    editor()->moveCursor(QTextCursor::End);
    type("uni");
    elapse(500ms);
    const TformCodeCompletion* form = completion().CompletionForm();
    QVERIFY(form->isVisible());
    QVERIFY(screen.contains(form->frameGeometry()));
    const QRect caretRect = editor()->cursorRect();
    const QPoint caretOnScreen = editor()->viewport()->mapToGlobal(caretRect.topLeft());
    QVERIFY(form->frameGeometry().bottom() < caretOnScreen.y());
}

// F1 in the list is help on the selected entry, also where the window has F1 as a shortcut; the
// window's shortcut does not get it (outside the list F1 is the editor's own help key).
void CodeCompletionTest::f1OpensTheHelpOfTheSelectedEntry() {
    QTemporaryDir pages;
    QString error;
    QVERIFY2(WriteHelpPages(*m_context, pages.path(), error), qPrintable(error));
    SetHelpPagesDirectory(pages.path());
    int windowHelp = 0;
    QAction help(m_panel.get());
    help.setShortcut(Qt::Key_F1);
    m_panel->addAction(&help);
    connect(&help, &QAction::triggered, [&windowHelp] { ++windowHelp; });

    type("squ");
    elapse(500ms);
    QTest::keyClick(editor(), Qt::Key_Down);
    QTest::keyClick(editor(), Qt::Key_F1);
    QVERIFY(!completion().IsActive());
    QVERIFY(GetHelpWindow()->isVisible());
    QCOMPARE(GetHelpWindow()->CurrentPage(), QStringLiteral("squareroot.html"));
    QCOMPARE(windowHelp, 0);
    QTest::keyClick(editor(), Qt::Key_F1);
    QCOMPARE(windowHelp, 0);
}

// Thousands of user words: every one is listed and reachable by the keys.
void CodeCompletionTest::thousandsOfUserWords() {
    {
        vex::TWordBatch batch(*m_context, 5000);
        for (int i = 0; i < 5000; ++i)
            registerWord(*m_context,
                         QStringLiteral("Item%1").arg(i, 4, 10, QLatin1Char('0')).toStdString());
    }
    type("ite");
    elapse(500ms);
    QCOMPARE(list()->count(), 5000);
    QTest::keyClick(editor(), Qt::Key_End);
    QTest::keyClick(editor(), Qt::Key_PageUp);
    QTest::keyClick(editor(), Qt::Key_Tab);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Item4987"));
}

// The list over the editor as a person sees it: the editor's window with the list window drawn
// at its place on the screen.
void CodeCompletionTest::screenshotOverTheEditor() {
    editor()->SetScriptText(
        QStringLiteral("{ the bank's day }\nDo(\n  Global([summary], 0),\n  Concat([total: ], "));
    editor()->moveCursor(QTextCursor::End);
    type("su");
    elapse(500ms);
    QVERIFY(!completion().IsActive());
    type("m");
    elapse(500ms);
    QCOMPARE(shown(), (QStringList{"Sum", "SumSq", "summary"}));
    QTest::keyClick(editor(), Qt::Key_Down);

    TformCodeCompletion* form = completion().CompletionForm();
    QImage image = m_panel->grab().toImage();
    {
        QPainter painter(&image);
        painter.drawPixmap(form->pos() - m_panel->mapToGlobal(QPoint(0, 0)), form->grab());
    }
    QVERIFY(image.save(ZENTARO_TEST_OUTPUT_DIR "/CodeCompletion-list.png"));
    // The list stands right of and below the caret, inside the editor.
    const QRect caretRect = editor()->cursorRect();
    const QPoint caretOnScreen = editor()->viewport()->mapToGlobal(caretRect.topLeft());
    QCOMPARE(form->pos(), caretOnScreen + QPoint(5, 5));
    QVERIFY(QRect(editor()->mapToGlobal(QPoint(0, 0)), editor()->size())
                .contains(QRect(form->pos(), form->size())));
}

QTEST_MAIN(CodeCompletionTest)
#include "CodeCompletionTest.moc"
