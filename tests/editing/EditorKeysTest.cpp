#include "editing/EditorKeys.h"
#include "editing/ApplicationServices.h"
#include "editing/EditorCommands.h"
#include "editing/EditorMenu.h"
#include "editing/EditorSettings.h"
#include "editing/ScriptEditor.h"
#include "editing/TFindDialog.h"
#include "editing/TformHelp.h"
#include "editing/VexScriptEditor.h"
#include "services/MessageBoxes.h"
#include "tests/editing/EditorFixture.h"
#include "tests/editing/FakeRuntimeLookup.h"
#include "tests/platform/RegistryTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The editor's own keys, driven by key presses: each row starts from a text with the caret (and
// selection) marked, presses keys and compares the text, caret and selection; one Ctrl+Z then
// gives the text as it was, since every change the editor makes is one undo step.
class EditorKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void keys_data();
    void keys();
    void indentAndUnindentLines_data();
    void indentAndUnindentLines();
    void insertSwitchesOverwriteAndTheStatusBar();
    void ctrlUpAndDownScrollOneLine();
    void shiftDeleteCutsOnlyASelection();
    void editorMadeInsertionsLeaveTheClipboard();
    void ctrlTabShowsTheNextPage();
    void readOnlyEditorTakesOnlyMenuKeys();
    void withoutFullFeaturesF1StillOpensHelp();

private:
    void makeEditor(bool fullFeatures = true);
    void pressAndUndo(const QString& before, const QString& keys, const QString& after,
                      bool undoOnce);
    TVexScriptEditor* editor() const { return m_panel->Editor(); }

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    TFakeRuntimeLookup m_runtime;
    TApplicationServices m_services;
    std::unique_ptr<QWidget> m_window;
    TScriptEditor* m_panel = nullptr;
    QStringList m_boxes;
    QTemporaryDir m_noHelpPages;
};

void EditorKeysTest::initTestCase() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_services.Runtime = &m_runtime;
    // Without pages every topic opens the index with the word in the search field.
    SetHelpPagesDirectory(m_noHelpPages.path());
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    };
}

void EditorKeysTest::cleanupTestCase() {
    FinalizeHelpWindow();
    SetHelpPagesDirectory(QString());
    m_registry.reset();
}

void EditorKeysTest::init() {
    SharedEditorSettings() = TEditorSettings();
    m_boxes.clear();
}

void EditorKeysTest::cleanup() {
    m_window.reset();
    m_panel = nullptr;
}

void EditorKeysTest::makeEditor(bool fullFeatures) {
    m_window = std::make_unique<QWidget>();
    m_panel = new TScriptEditor(m_window.get(), fullFeatures, 1, true);
    m_panel->SetServices(m_services);
    m_window->resize(500, 300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    editor()->setFocus();
}

// From the marked text `before`, the keys give the marked text `after`; a change is then taken
// back whole by one Ctrl+Z.
void EditorKeysTest::pressAndUndo(const QString& before, const QString& keys, const QString& after,
                                  bool undoOnce) {
    setMarkedText(*editor(), before);
    const QString text = editor()->toPlainText();
    pressKeys(editor(), keys);
    QCOMPARE(markedText(*editor()), after);
    if (editor()->toPlainText() != text && undoOnce) {
        pressKeys(editor(), "Ctrl+Z");
        QCOMPARE(editor()->toPlainText(), text);
    }
}

void EditorKeysTest::keys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("autoClose");
    QTest::addColumn<bool>("overwrite");
    const auto row = [](const char* name, const char* before, const char* keys, const char* after,
                        bool autoClose = false, bool overwrite = false) {
        QTest::newRow(name) << QString(before) << QString(keys) << QString(after) << autoClose
                            << overwrite;
    };

    // Automatic brackets.
    row("( gives the pair", "f|", "(", "f(|)", true);
    row("[ gives the pair", "|", "[", "[|]", true);
    row("{ gives the pair", "a|b", "{", "a{|}b", true);
    row("( over a selection", "^ab|", "(", "(|)", true);
    row(") inserts in insert mode", "f(|)", ")", "f()|)", true);
    row(") steps over in overwrite mode", "f(|)", ")", "f()|", true, true);
    row("] overwrites another character", "[a|x", "]", "[a]|", true, true);
    row("( without automatic brackets", "f|", "(", "f(|");

    // Return and auto-indentation.
    row("Return after ( at a line end", "  f(|", "Return", "  f(\n    |");
    row("Return after ( before )", "  f(|)", "Return", "  f(\n  |)");
    row("Return after ( before ), no indentation", "f(|)", "Return", "f(\n|)");
    row("Return on a line without indentation", "ab|c", "Return", "ab\n|c");
    row("Return keeps the indentation", "  ab|", "Return", "  ab\n  |");
    row("Return inside the indentation", "    |ab", "Return", "    \n    |ab");
    row("Return on a blank line takes the line above", "  a\n     |", "Return", "  a\n     \n  |");
    row("Return over a selection", "  a^bc|d", "Return", "  a\n  |d");
    row("Shift+Return indents too", "  a|", "Shift+Return", "  a\n  |");

    // Backspace.
    row("Backspace after ) selects the group", "g(a,(b))|", "Backspace", "g^(a,(b))|");
    row("a second Backspace deletes it", "g^(a,(b))|", "Backspace", "g|");
    row("Backspace after an inner )", "g(a,(b)|)", "Backspace", "g(a,^(b)|)");
    row("Backspace after a ) without partner", "a)|", "Backspace", "a|");
    row("Backspace after a ) in a comment", "{f(a)|}", "Backspace", "{f(a|}");
    row("Backspace after a ) in a text", "[f(a)|]", "Backspace", "[f(a|]");
    row("Backspace back to the line above's indentation", "a\n  b\n      |c", "Backspace",
        "a\n  b\n  |c");
    row("Backspace skips blank and deeper lines", "  a\n      b\n\n    |c", "Backspace",
        "  a\n      b\n\n  |c");
    row("Backspace under an unindented line removes the indentation", "a\n    |c", "Backspace",
        "a\n|c");
    row("Backspace with no less indented line above", "  a\n  |b", "Backspace", "  a\n|b");
    row("Backspace inside the indentation", "a\n  | b", "Backspace", "a\n | b");
    row("Backspace on the first line", "  |a", "Backspace", " |a");
    row("Backspace deletes a selection", "a\nb^cd|e", "Backspace", "a\nb|e");
    row("Alt+Backspace does nothing", "ab|", "Alt+Backspace", "ab|");

    // Tab without a selection, the Delete keys.
    row("Tab inserts one step", "a|b", "Tab", "a  |b");
    row("Shift+Tab without a selection", "  a|b", "Shift+Tab", "  a|b");
    row("Ctrl+Delete to the word's end", "Pr|int(x)", "Ctrl+Delete", "Pr|(x)");
    row("Ctrl+Delete deletes a separator", "a|:=b", "Ctrl+Delete", "a|b");
    row("Ctrl+Delete at a line end joins", "ab|\n  cd", "Ctrl+Delete", "ab|  cd");
    row("Ctrl+Delete on a space", "ab| cd", "Ctrl+Delete", "ab| cd");
    row("Ctrl+Delete at the text's end", "ab|", "Ctrl+Delete", "ab|");
    row("Delete deletes as the control does", "a|bc", "Delete", "a|c");
}

void EditorKeysTest::keys() {
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    QFETCH(bool, autoClose);
    QFETCH(bool, overwrite);
    SharedEditorSettings().AutoCloseBrackets = autoClose;
    makeEditor();
    editor()->setOverwriteMode(overwrite);
    // (A character typed in overwrite mode is the control's two steps.)
    pressAndUndo(before, keys, after, !overwrite);
}

void EditorKeysTest::indentAndUnindentLines_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const char* before, const char* keys, const char* after) {
        QTest::newRow(name) << QString(before) << QString(keys) << QString(after);
    };
    row("three lines", "^a\nb\nc|", "Tab", "^  a\n  b\n  c|");
    row("selected upwards", "|a\nb\nc^", "Tab", "^  a\n  b\n  c|");
    row("part of a line takes the line", "x\na^b|c\ny", "Tab", "x\n^  abc|\ny");
    row("a selection ending after a line break", "^a\nb\n|c", "Tab", "^  a\n  b|\nc");
    row("the last line", "x\n^y|", "Tab", "x\n^  y|");
    row("empty lines get the step too", "^a\n\nb|", "Tab", "^  a\n  \n  b|");
    row("unindent at most one step", "^   a\n b\nc\n  d|", "Shift+Tab", "^ a\nb\nc\nd|");
    row("unindent as Backtab", "^  a\n  b|", "Shift+Backtab", "^a\nb|");
    row("unindent with nothing to remove", "^a\nb|", "Shift+Tab", "^a\nb|");
}

// Tab and Shift+Tab on a selection work on whole lines and select them again.
void EditorKeysTest::indentAndUnindentLines() {
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, after);
    makeEditor();
    pressAndUndo(before, keys, after, true);
}

void EditorKeysTest::insertSwitchesOverwriteAndTheStatusBar() {
    makeEditor();
    setMarkedText(*editor(), "a|bc");
    pressKeys(editor(), "Insert");
    QVERIFY(editor()->overwriteMode());
    QCOMPARE(m_panel->StatusBar()->PanelText(1), QStringLiteral("OVR"));
    pressKeys(editor(), "x");
    QCOMPARE(markedText(*editor()), QStringLiteral("ax|c"));
    pressKeys(editor(), "Insert");
    QVERIFY(!editor()->overwriteMode());
    QCOMPARE(m_panel->StatusBar()->PanelText(1), QStringLiteral("INS"));
    pressKeys(editor(), "y");
    QCOMPARE(markedText(*editor()), QStringLiteral("axy|c"));
}

void EditorKeysTest::ctrlUpAndDownScrollOneLine() {
    makeEditor();
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    editor()->SetScriptText(lines.join(u'\n'));
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(editor()->document()->findBlockByNumber(30).position());
    editor()->setTextCursor(cursor);
    editor()->centerCursor();
    QScrollBar* bar = editor()->verticalScrollBar();
    const int top = bar->value();
    pressKeys(editor(), "Ctrl+Down");
    QCOMPARE(bar->value(), top + 1);
    pressKeys(editor(), "Ctrl+Up Ctrl+Up");
    QCOMPARE(bar->value(), top - 1);
}

// The clipboard keeps what it held when there is nothing to cut, or when the editor is read-only.
void EditorKeysTest::shiftDeleteCutsOnlyASelection() {
    makeEditor();
    QApplication::clipboard()->setText("kept");
    setMarkedText(*editor(), "ab|c");
    pressKeys(editor(), "Shift+Delete");
    QCOMPARE(markedText(*editor()), QStringLiteral("ab|c"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    setMarkedText(*editor(), "a^b\nc|d");
    pressKeys(editor(), "Shift+Delete");
    QCOMPARE(markedText(*editor()), QStringLiteral("a|d"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b\nc"));
    // A read-only editor keeps its text and the clipboard its own.
    setMarkedText(*editor(), "a^b|c");
    editor()->setReadOnly(true);
    pressKeys(editor(), "Shift+Delete");
    QCOMPARE(markedText(*editor()), QStringLiteral("a^b|c"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b\nc"));
}

// Brackets, indentation and block indent insert without the clipboard: an image (or a list of
// files) a person copied is still there afterwards.
void EditorKeysTest::editorMadeInsertionsLeaveTheClipboard() {
    SharedEditorSettings().AutoCloseBrackets = true;
    makeEditor();
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setUrls({QUrl::fromLocalFile("/tmp/model.vex")});
    QApplication::clipboard()->setMimeData(data);
    setMarkedText(*editor(), "  f|");
    pressKeys(editor(), "( Return Tab x Ctrl+A Tab");
    QCOMPARE(editor()->toPlainText(), QStringLiteral("    f(\n      x)"));
    const QMimeData* kept = QApplication::clipboard()->mimeData();
    QVERIFY(kept->hasImage());
    QCOMPARE(kept->urls(), QList<QUrl>{QUrl::fromLocalFile("/tmp/model.vex")});
}

void EditorKeysTest::ctrlTabShowsTheNextPage() {
    QTabWidget tabs;
    auto* first = new QWidget;
    auto* second = new QWidget;
    tabs.addTab(first, "one");
    tabs.addTab(second, "two");
    auto* panel = new TScriptEditor(first, true, 1, true);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    panel->Editor()->setFocus();
    pressKeys(panel->Editor(), "Ctrl+Tab");
    QCOMPARE(tabs.currentIndex(), 1);
    tabs.setCurrentIndex(0);
    pressKeys(panel->Editor(), "Ctrl+Shift+Tab");
    QCOMPARE(tabs.currentIndex(), 1);
}

// A read-only editor (the debugger's listing) takes no key but the menu's: the caret stays
// where the debugger put it, while copying and searching work.
void EditorKeysTest::readOnlyEditorTakesOnlyMenuKeys() {
    makeEditor();
    setMarkedText(*editor(), "Do(^a|, b, a)");
    editor()->setReadOnly(true);
    pressKeys(editor(), "Right Down End x Backspace Return Tab Ctrl+V Ctrl+X Ctrl+Z");
    QCOMPARE(markedText(*editor()), QStringLiteral("Do(^a|, b, a)"));
    pressKeys(editor(), "Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a"));

    pressKeys(editor(), "Ctrl+F");
    TFindDialog* dialog = editor()->Commands().FindDialog();
    QVERIFY(dialog);
    QTest::keyClicks(dialog->findChild<QLineEdit*>("edFindWhat"), "a");
    QTest::keyClick(dialog->findChild<QLineEdit*>("edFindWhat"), Qt::Key_Return);
    QCOMPARE(markedText(*editor()), QStringLiteral("Do(^a|, b, a)"));
    editor()->activateWindow();
    editor()->setFocus();
    pressKeys(editor(), "F3");
    QCOMPARE(markedText(*editor()), QStringLiteral("Do(a, b, ^a|)"));
}

// Without full features the overview, syntax, run and colouring keys do nothing, F1 still opens
// the help and the search keys work.
void EditorKeysTest::withoutFullFeaturesF1StillOpensHelp() {
    makeEditor(false);
    QVERIFY(!editor()->EditorMenu()->CommandAction(TEditorCommand::LookUpWord));
    setMarkedText(*editor(), "Print(x)|");
    pressKeys(editor(), "F2 F4 Shift+F4 F5 F8 F10 F11 F12 Ctrl+O");
    QVERIFY(m_runtime.Executed.empty());
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(editor()->ColoringOn());
    QVERIFY(!editor()->DepthColorsOn());
    QVERIFY(QApplication::topLevelWidgets().size() >= 1);
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible() || window == m_window.get(),
                 qPrintable(window->objectName()));

    setMarkedText(*editor(), "Pr|int(x)");
    pressKeys(editor(), "F1");
    QVERIFY(GetHelpWindow()->isVisible());
    QCOMPARE(GetHelpWindow()->findChild<QLineEdit*>("edSearch")->text(), QStringLiteral("Print"));
    GetHelpWindow()->hide();
}

QTEST_MAIN(EditorKeysTest)
#include "EditorKeysTest.moc"
