#include "editing/EditorCommands.h"
#include "editing/ApplicationServices.h"
#include "editing/CodeCompletion.h"
#include "editing/EditingTexts.h"
#include "editing/EditorKeys.h"
#include "editing/EditorMenu.h"
#include "editing/EditorSettings.h"
#include "editing/PasteHistory.h"
#include "editing/ScriptEditor.h"
#include "editing/ScriptPrinting.h"
#include "editing/TFindDialog.h"
#include "editing/TformHelp.h"
#include "editing/TformSyntax.h"
#include "editing/TformVexScriptOverview.h"
#include "editing/VexScriptEditor.h"
#include "services/FileDialogs.h"
#include "services/MessageBoxes.h"
#include "tests/editing/EditorFixture.h"
#include "tests/editing/FakeRuntimeLookup.h"
#include "tests/platform/RegistryTestSupport.h"
#include "tests/runtime/TestSupport.h"
#include "tests/services/LanguageCoverage.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

// The visible items of a menu as "caption<TAB>key", separators as "-".
QStringList shownItems(const QMenu& menu) {
    QStringList items;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible())
            continue;
        items << (action->isSeparator() ? QStringLiteral("-")
                                        : action->text() + u'\t' + action->shortcut().toString());
    }
    return items;
}

// The key table of docs/editor.md as the command table gives it: a row per command row.
QStringList keyTableOf(std::span<const TEditorCommandRow> rows) {
    const auto place = [](TCommandPlace where) {
        switch (where) {
        case TCommandPlace::Shown:
            return "menu";
        case TCommandPlace::Hidden:
            return "hidden item";
        case TCommandPlace::FullOnly:
            return "menu, full features only";
        case TCommandPlace::ShownInFull:
            return "menu with full features; the key in every editor";
        case TCommandPlace::KeyOnly:
            return "key only";
        }
        return "?";
    };
    QStringList table = {"| menu item | caption | key | where |", "|---|---|---|---|"};
    for (const TEditorCommandRow& row : rows) {
        QString caption =
            row.CaptionNumber ? EditingText(TEditingText(row.CaptionNumber)) : QStringLiteral("—");
        caption.remove(u'&');
        const QString key = KeyOf(row.Key).toString(QKeySequence::PortableText);
        table << QStringLiteral("| `%1` | %2 | %3 | %4 |")
                     .arg(QLatin1StringView(row.Name), caption,
                          key.isEmpty() ? QStringLiteral("—") : key,
                          QLatin1StringView(place(row.Place)));
    }
    return table;
}

// The table of a markdown file whose first line is `header`; empty when there is none.
QStringList tableIn(const QString& path, const QString& header) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList table;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (table.isEmpty() && line != header)
            continue;
        if (!line.startsWith(u'|'))
            break;
        table << line;
    }
    return table;
}

void registerWord(vex::TLanguageInterpreter& context, const char* name, const char* example) {
    vex::TWordAttributes attributes;
    attributes.Example = example;
    attributes.CodeText = "1";
    attributes.MaxArgs = 3;
    attributes.Listed = 1;
    attributes.Creator = "Test";
    QVERIFY(context.RegisterUserWord(name, "Test", attributes) > 0);
}

} // namespace

// The commands of the editor's context menu, each run by its key as a person would.
class EditorCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void menuCarriesEveryCommand_data();
    void menuCarriesEveryCommand();
    void menuKeysWinOverTheWindowsShortcuts();
    void hiddenItemsAnswerTheirKeys();
    void docsKeyTableIsTheCommandTable();

    void copyFillsThePasteHistory();
    void cutWithoutSelectionKeepsTheClipboard();
    void paste_data();
    void paste();
    void pasteWithoutTextSaysSo();
    void pasteTenMegabytes();
    void pasteHistoryMenu();
    void pasteHistoryKeys_data();
    void pasteHistoryKeys();
    void undoAndRedoSuppressCompletion();

    void find_data();
    void find();
    void findWithAnEmptyText();
    void replaceAll_data();
    void replaceAll();
    void replaceStepByStep();

    void wordOverviewCommands();
    void syntaxCheckAndExecute();
    void syntaxTreeAndHelp();
    void colouringSwitches();
    void printsToAPdfFileInTheEditorsFont();
    void printFailures();
    void openAndSaveAs_data();
    void openAndSaveAs();
    void windowsTakeOverOpenAndSaveAs();
    void showTraceWindow();
    void searchDialogsInEveryLanguage_data();
    void searchDialogsInEveryLanguage();

private:
    void makeEditor(bool fullFeatures = true, int fileKind = 1);
    TVexScriptEditor* editor() const { return m_panel->Editor(); }
    TFindDialog* openSearch(const char* key, const QString& text, bool matchCase = false);
    void click(TFindDialog* dialog, const char* button);
    void trigger(TEditorCommand command);

    std::unique_ptr<TTemporaryRegistryFile> m_registry;
    std::unique_ptr<vex::test::TFakeHost> m_host;
    std::unique_ptr<vex::test::TTestContext> m_context;
    TFakeRuntimeLookup m_runtime;
    TApplicationServices m_services;
    std::unique_ptr<QWidget> m_window;
    TScriptEditor* m_panel = nullptr;
    QStringList m_boxes;
    QList<TFileDialogRequest> m_dialogs;
    QString m_chosenFile;
    QStringList m_messages;
    QTemporaryDir m_dir;
};

void EditorCommandsTest::initTestCase() {
    m_registry = std::make_unique<TTemporaryRegistryFile>();
    m_host = std::make_unique<vex::test::TFakeHost>();
    m_context = std::make_unique<vex::test::TTestContext>(*m_host, 1 << 16);
    m_context->AddCategory("Test");
    registerWord(*m_context, "Square", "Square(3)");
    registerWord(*m_context, "Sum", "");
    m_services.Context = m_context.get();
    m_services.Runtime = &m_runtime;
    SetHelpPagesDirectory(m_dir.path());
    m_services.MessageBoxes = [this](const TMessageBoxRequest& request) {
        m_boxes << request.Text;
        return QMessageBox::Ok;
    };
    const auto dialog = [this](const TFileDialogRequest& request) {
        m_dialogs << request;
        return m_chosenFile;
    };
    m_services.FileDialogs.Open = dialog;
    m_services.FileDialogs.Save = dialog;
    m_services.Messages = [this](const QString& text, bool) { m_messages << text; };
}

void EditorCommandsTest::cleanupTestCase() {
    FinalizeVexScriptOverview();
    FinalizeHelpWindow();
    SetHelpPagesDirectory(QString());
    m_services.Context = nullptr;
    m_context.reset();
    m_host.reset();
    m_registry.reset();
}

void EditorCommandsTest::init() {
    m_boxes.clear();
    m_dialogs.clear();
    m_messages.clear();
    m_chosenFile.clear();
    m_runtime.Executed.clear();
    PasteHistory().Clear();
    QApplication::clipboard()->clear();
    makeEditor();
}

void EditorCommandsTest::cleanup() {
    m_window.reset();
    m_panel = nullptr;
}

void EditorCommandsTest::makeEditor(bool fullFeatures, int fileKind) {
    m_window = std::make_unique<QWidget>();
    m_window->setObjectName("window");
    m_panel = new TScriptEditor(m_window.get(), fullFeatures, fileKind, true);
    m_panel->SetServices(m_services);
    m_window->resize(500, 300);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->activateWindow();
    editor()->setFocus();
}

// Opens the find (Ctrl+F) or replace (Ctrl+H) dialog by its key and types the text to find.
TFindDialog* EditorCommandsTest::openSearch(const char* key, const QString& text, bool matchCase) {
    pressKeys(editor(), QString::fromLatin1(key));
    TFindDialog* dialog = QByteArrayView(key) == "Ctrl+H" ? editor()->Commands().ReplaceDialog()
                                                          : editor()->Commands().FindDialog();
    if (!dialog)
        return nullptr;
    dialog->findChild<QLineEdit*>("edFindWhat")->setText(text);
    dialog->findChild<QCheckBox*>("chkMatchCase")->setChecked(matchCase);
    return dialog;
}

void EditorCommandsTest::click(TFindDialog* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
}

void EditorCommandsTest::trigger(TEditorCommand command) {
    editor()->EditorMenu()->CommandAction(command)->trigger();
}

// [menu] ---------------------------------------------------------------------------------------

void EditorCommandsTest::menuCarriesEveryCommand_data() {
    QTest::addColumn<bool>("fullFeatures");
    QTest::addColumn<QStringList>("shown");
    const QStringList before = {
        "Cu&t\tCtrl+X",  "&Copy\tCtrl+C", "&Paste\tCtrl+V", "Paste &history\tCtrl+Shift+V", "-",
        "&Undo\tCtrl+Z", "&Redo\tCtrl+Y"};
    const QStringList full = {"-",
                              "Word &overview\t",
                              "&Help\tF1",
                              "&Look up word\tF2",
                              "Pre&vious word\tShift+F4",
                              "&Next word\tF4",
                              "Insert e&xample\tF8",
                              "-",
                              "&Syntax check\tF10",
                              "E&xecute\tF5",
                              "-",
                              "&Depth colours on/off\tF11",
                              "&Colouring on/off\tCtrl+O",
                              "-",
                              "Syntax &tree\tF12"};
    const QStringList after = {"-",
                               "Select &all\tCtrl+A",
                               "-",
                               "&Replace...\tCtrl+H",
                               "&Find...\tCtrl+F",
                               "Find &next\tF3",
                               "-",
                               "&Print...\t",
                               "-",
                               "Save &as...\t",
                               "&Open...\t",
                               "-",
                               "Show &trace window\t"};
    QTest::newRow("full features") << true << before + full + after;
    QTest::newRow("plain") << false << before + after;
}

// Leaves EditorMenu.png: the context menu as it pops up.
void EditorCommandsTest::menuCarriesEveryCommand() {
    QFETCH(bool, fullFeatures);
    QFETCH(QStringList, shown);
    makeEditor(fullFeatures);
    TEditorMenu* menu = editor()->EditorMenu();
    QCOMPARE(shownItems(*menu), shown);
    // The hidden items: sixteen swallowed keys, Reconstruct, Del, the repaint key, Shift+Ins,
    // Ctrl+Ins and ten paste history entries, the tenth without a key.
    int hidden = 0;
    for (const QAction* action : menu->actions())
        hidden += !action->isVisible();
    QCOMPARE(hidden, 31);
    QCOMPARE(menu->CommandAction(TEditorCommand::PasteHistoryEntry, 8)->shortcut(),
             QKeySequence("Ctrl+Shift+9"));
    QVERIFY(menu->CommandAction(TEditorCommand::PasteHistoryEntry, 9)->shortcut().isEmpty());
    QCOMPARE(menu->CommandAction(TEditorCommand::PasteHistoryEntry, 9)->text(),
             QStringLiteral("Pastebuffer10"));

    if (!fullFeatures)
        return;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                            editor()->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(editor()->viewport(), &event);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->grab().save(ZENTARO_TEST_OUTPUT_DIR "/EditorMenu.png"));
    menu->hide();
}

// While the editor has the focus its keys are its own, even where the window has a shortcut on
// the same key (Ctrl+O opens a file in the main window) or one the editor only swallows; away
// from the editor the window's shortcuts work.
void EditorCommandsTest::menuKeysWinOverTheWindowsShortcuts() {
    auto* other = new QLineEdit(m_window.get());
    other->move(0, 260);
    other->show();
    QStringList fired;
    for (const char* key : {"Ctrl+O", "Ctrl+J", "F1"}) {
        auto* action = new QAction(m_window.get());
        action->setShortcut(QKeySequence(key));
        connect(action, &QAction::triggered, this, [&fired, key] { fired << key; });
        m_window->addAction(action);
    }
    pressKeys(editor(), "Ctrl+O Ctrl+J");
    QVERIFY(!editor()->ColoringOn());
    QVERIFY(fired.isEmpty());
    other->setFocus();
    pressKeys(other, "Ctrl+O Ctrl+J F1");
    QCOMPARE(fired, (QStringList{"Ctrl+O", "Ctrl+J", "F1"}));
}

void EditorCommandsTest::hiddenItemsAnswerTheirKeys() {
    setMarkedText(*editor(), "^ab|c");
    pressKeys(editor(), "Ctrl+Insert End");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("ab"));
    pressKeys(editor(), "Shift+Insert");
    QCOMPARE(markedText(*editor()), QStringLiteral("abcab|"));

    // Ctrl+U builds the rows again with what the runtime knows now.
    setMarkedText(*editor(), "vv|");
    m_runtime.Globals = {"vv"};
    QCOMPARE(editor()->WordList().GetRow(0)->GetToken(0)->TokenClass, scWord);
    pressKeys(editor(), "Ctrl+U");
    QCOMPARE(editor()->WordList().GetRow(0)->GetToken(0)->TokenClass, scGlobalVariable);
    m_runtime.Globals.clear();

    // The swallowed keys change nothing.
    pressKeys(editor(), "Ctrl+J Ctrl+1 Ctrl+2 Ctrl+5 Ctrl+M Ctrl+Shift+A Ctrl+Shift+L");
    QCOMPARE(markedText(*editor()), QStringLiteral("vv|"));
}

// docs/editor.md lists every row of the command table; a new row, or a changed key, fails here
// until the docs say it too. The message carries the table as it should read.
void EditorCommandsTest::docsKeyTableIsTheCommandTable() {
    const QStringList expected = keyTableOf(TEditorCommands::Table());
    const QStringList documented =
        tableIn(QStringLiteral(ZENTARO_SOURCE_DIR "/docs/editor.md"), expected.first());
    if (documented != expected)
        qWarning().noquote() << "docs/editor.md should hold:\n" + expected.join(u'\n');
    QCOMPARE(documented, expected);
}

// [clipboard] ---------------------------------------------------------------------------------

// Copy puts the selection on the clipboard with line feeds and first in the history, once;
// the eleventh text pushes the oldest out. Every editor shares the history.
void EditorCommandsTest::copyFillsThePasteHistory() {
    setMarkedText(*editor(), "^one\ntwo|");
    pressKeys(editor(), "Ctrl+C");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
    pressKeys(editor(), "Ctrl+C");
    QCOMPARE(PasteHistory().Entries(), QStringList{"one\ntwo"});
    for (int i = 1; i <= 10; ++i) {
        setMarkedText(*editor(), QStringLiteral("^copy%1|").arg(i));
        pressKeys(editor(), "Ctrl+C");
    }
    QCOMPARE(PasteHistory().Count(), 10);
    QCOMPARE(PasteHistory().Entry(0), QStringLiteral("copy10"));
    QCOMPARE(PasteHistory().Entry(9), QStringLiteral("copy1"));

    TScriptEditor other(nullptr, true, 1, true);
    other.Editor()->SetScriptText("x");
    other.Editor()->Commands().Run(TEditorCommand::PasteHistoryEntry, 9);
    QCOMPARE(other.Editor()->toPlainText(), QStringLiteral("copy1x"));
}

void EditorCommandsTest::cutWithoutSelectionKeepsTheClipboard() {
    QApplication::clipboard()->setText("kept");
    setMarkedText(*editor(), "ab|c");
    pressKeys(editor(), "Ctrl+X");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    setMarkedText(*editor(), "a^b|c");
    pressKeys(editor(), "Ctrl+X");
    QCOMPARE(markedText(*editor()), QStringLiteral("a|c"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("b"));
    QCOMPARE(PasteHistory().Count(), 0);
}

void EditorCommandsTest::paste_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after"); // the text "a|b" after pasting
    QTest::addColumn<QString>("box");   // the message box, if any
    const auto row = [](const char* name, const QString& clipboard, const QString& after,
                        const char* box = "") {
        QTest::newRow(name) << clipboard << after << QString(box);
    };
    row("a TAB becomes the indentation", "x\ty", "ax  y|b");
    row("CR LF", "x\r\ny\r\n", "ax\ny\n|b");
    row("lone CR", "x\ry", "ax\ny|b");
    row("a closing line break stays", "x\n", "ax\n|b");
    row("empty text pastes nothing", "", "a|b");
    row("characters beyond Windows-1252", QString::fromUtf8("\u2192\U0001F600"),
        QString::fromUtf8("a\u2192\U0001F600|b"));
    row("a long line is broken", QString(5000, u'x'),
        u'a' + QString(2048, u'x') + u'\n' + QString(2048, u'x') + u'\n' + QString(904, u'x') +
            QStringLiteral("|b"));
    row("a line of the longest length stays", QString(2048, u'x') + u'\n',
        u'a' + QString(2048, u'x') + QStringLiteral("\n|b"));
    row("NUL characters are refused", QString::fromLatin1("x\ny\0z", 5), "a|b",
        "Could not paste: it holds NUL bytes (line 2), so it is no script");
}

void EditorCommandsTest::paste() {
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    QFETCH(QString, box);
    setMarkedText(*editor(), "a|b");
    QApplication::clipboard()->setText(clipboard);
    pressKeys(editor(), "Ctrl+V");
    QCOMPARE(markedText(*editor()), after);
    QCOMPARE(m_boxes, box.isEmpty() ? QStringList() : QStringList{box});
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    if (editor()->toPlainText() != "ab") {
        pressKeys(editor(), "Ctrl+Z");
        QCOMPARE(markedText(*editor()), QStringLiteral("a|b"));
    }
}

void EditorCommandsTest::pasteWithoutTextSaysSo() {
    QImage image(4, 4, QImage::Format_RGB32);
    QApplication::clipboard()->setImage(image);
    setMarkedText(*editor(), "a|b");
    pressKeys(editor(), "Ctrl+V");
    QCOMPARE(m_boxes, QStringList{"The paste-buffer does not contain text"});
    QCOMPARE(markedText(*editor()), QStringLiteral("a|b"));
    QVERIFY(QApplication::clipboard()->mimeData()->hasImage());
}

// Ten megabytes on one line arrive as lines of 2,048 characters and undo in one step; the
// editor follows them.
void EditorCommandsTest::pasteTenMegabytes() {
    QString text(10 << 20, u'a');
    for (qsizetype i = 7; i < text.size(); i += 9)
        text[i] = u' ';
    setMarkedText(*editor(), "Do(|)");
    QApplication::clipboard()->setText(text);
    QElapsedTimer timer;
    timer.start();
    pressKeys(editor(), "Ctrl+V");
    qInfo("10 MB pasted in %lld ms", timer.elapsed());
    const int lines = int((text.size() + 2047) / 2048);
    QCOMPARE(editor()->document()->blockCount(), lines);
    QCOMPARE(editor()->document()->characterCount() - 1, text.size() + 4 + lines - 1);
    QCOMPARE(editor()->CurrentText().Length(), text.size() + 4 + 2 * (lines - 1));
    editor()->viewport()->repaint();
    pressKeys(editor(), "Ctrl+Z");
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do()"));
    QVERIFY(m_boxes.isEmpty());
}

// Ctrl+Shift+V offers the clipboard's text first, when the history does not hold it; an entry
// is pasted as the clipboard's text would be, and the clipboard keeps what it holds.
void EditorCommandsTest::pasteHistoryMenu() {
    setMarkedText(*editor(), "^older|");
    pressKeys(editor(), "Ctrl+C");
    const QString longText = QStringLiteral("Do(a & b,\n\t") + QString(60, u'x') + u')';
    QApplication::clipboard()->setText(longText);
    setMarkedText(*editor(), "a|b");
    pressKeys(editor(), "Ctrl+Shift+V");
    QMenu* menu = editor()->Commands().HistoryMenu();
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->grab().save(ZENTARO_TEST_OUTPUT_DIR "/EditorHistoryMenu.png"));
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << action->text();
    QCOMPARE(captions, (QStringList{"Do(a && b,  " + QString(37, u'x'), "older"}));
    menu->actions().at(1)->trigger();
    QCOMPARE(markedText(*editor()), QStringLiteral("aolder|b"));
    QCOMPARE(QApplication::clipboard()->text(), longText);
    menu->hide();

    // Shown again, the history is the same.
    pressKeys(editor(), "Ctrl+Shift+V");
    QCOMPARE(editor()->Commands().HistoryMenu()->actions().size(), 2);
    editor()->Commands().HistoryMenu()->hide();
}

void EditorCommandsTest::pasteHistoryKeys_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const char* key, const char* after) {
        QTest::newRow(name) << QString(key) << QString(after);
    };
    row("Ctrl+Shift+1", "Ctrl+Shift+1", "athird|b");
    row("Ctrl+Shift+! as a US layout sends it", "Ctrl+Shift+!", "athird|b");
    row("Ctrl+Shift+3", "Ctrl+Shift+3", "afirst|b");
    row("Ctrl+Shift+# as a US layout sends it", "Ctrl+Shift+#", "afirst|b");
    row("beyond the history", "Ctrl+Shift+4", "a|b");
}

void EditorCommandsTest::pasteHistoryKeys() {
    QFETCH(QString, key);
    QFETCH(QString, after);
    for (const char* text : {"first", "second", "third"}) {
        setMarkedText(*editor(), QStringLiteral("^%1|").arg(QLatin1StringView(text)));
        pressKeys(editor(), "Ctrl+C");
    }
    QApplication::clipboard()->setText("clipboard");
    setMarkedText(*editor(), "a|b");
    pressKeys(editor(), key);
    QCOMPARE(markedText(*editor()), after);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard"));
}

// Completion does not open on what undo and redo change; they leave no selection behind.
void EditorCommandsTest::undoAndRedoSuppressCompletion() {
    setMarkedText(*editor(), "a|");
    pressKeys(editor(), "b c Ctrl+A Tab");
    QList<bool> suppressed;
    editor()->OnUserChange = [&](TVexScriptEditor* sender) {
        suppressed << sender->Completion().SuppressCompletion();
    };
    pressKeys(editor(), "Ctrl+Z");
    QCOMPARE(markedText(*editor()), QStringLiteral("abc|"));
    pressKeys(editor(), "Ctrl+Y");
    QCOMPARE(markedText(*editor()), QStringLiteral("  abc|"));
    QVERIFY(!suppressed.isEmpty() && !suppressed.contains(false));
    QVERIFY(!editor()->Completion().SuppressCompletion());
    suppressed.clear();
    pressKeys(editor(), "d");
    QCOMPARE(suppressed, QList<bool>{false});
    pressKeys(editor(), "Ctrl+Z Ctrl+Z Ctrl+Z Ctrl+Z");
    QCOMPARE(markedText(*editor()), QStringLiteral("a|"));
}

// [search] ------------------------------------------------------------------------------------

void EditorCommandsTest::find_data() {
    QTest::addColumn<QString>("text"); // with the caret marked
    QTest::addColumn<QString>("search");
    QTest::addColumn<bool>("matchCase");
    // The match selected by Find, then by each F3; -1 for "not found".
    QTest::addColumn<QList<int>>("found");
    const auto row = [](const char* name, const QString& text, const QString& search,
                        bool matchCase, const QList<int>& found) {
        QTest::newRow(name) << text << search << matchCase << found;
    };
    row("case ignored, wraps after a failure", "|abc Abc ABC", "abc", false, {0, 4, 8, -1, 0});
    row("match case", "|abc Abc ABC", "Abc", true, {4, -1, 4});
    row("from the caret on", "abc a|bc abc", "abc", false, {8, -1, 0});
    row("overlapping matches", "|aaaa", "aa", false, {0, 1, 2, -1});
    row("over line ends", "|x\nxy\n\nxy", "xy", false, {2, 6, -1});
    row("beyond Windows-1252", QString::fromUtf8("|a\u2192b \u2192"), QString::fromUtf8("\u2192"),
        false, {1, 4, -1});
    row("not there", "|abc", "x", false, {-1, -1});
}

// Find by its key and the dialog's button, then F3 in the editor.
void EditorCommandsTest::find() {
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(bool, matchCase);
    QFETCH(QList<int>, found);
    setMarkedText(*editor(), text);
    TFindDialog* dialog = openSearch("Ctrl+F", search, matchCase);
    QVERIFY(dialog && dialog->isVisible());
    QList<int> selected;
    for (qsizetype step = 0; step < found.size(); ++step) {
        const qsizetype boxes = m_boxes.size();
        if (step == 0) {
            QTest::keyClick(dialog->findChild<QLineEdit*>("edFindWhat"), Qt::Key_Return);
        } else {
            editor()->activateWindow();
            pressKeys(editor(), "F3");
        }
        const QTextCursor cursor = editor()->textCursor();
        if (m_boxes.size() > boxes) {
            QCOMPARE(m_boxes.last(), QStringLiteral("The search text was not found."));
            selected << -1;
        } else {
            QCOMPARE(cursor.selectedText().compare(search, Qt::CaseInsensitive), 0);
            selected << cursor.selectionStart();
        }
    }
    QCOMPARE(selected, found);
    QCOMPARE(editor()->Commands().SearchText(), search);
    // Closing the dialog frees it; the next Find makes a new one.
    QPointer<TFindDialog> closed = dialog;
    pressKeys(dialog, "Escape");
    QTRY_VERIFY(!closed);
    QVERIFY(!editor()->Commands().FindDialog());
}

void EditorCommandsTest::findWithAnEmptyText() {
    setMarkedText(*editor(), "a|bc");
    TFindDialog* dialog = openSearch("Ctrl+F", QString());
    QVERIFY(!dialog->findChild<QPushButton*>("btnFindNext")->isEnabled());
    QTest::keyClick(dialog->findChild<QLineEdit*>("edFindWhat"), Qt::Key_Return);
    editor()->activateWindow();
    pressKeys(editor(), "F3");
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(markedText(*editor()), QStringLiteral("a|bc"));
}

void EditorCommandsTest::replaceAll_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const char* text, const char* search,
                        const char* replacement, bool matchCase, const char* after) {
        QTest::newRow(name) << QString(text) << QString(search) << QString(replacement) << matchCase
                            << QString(after);
    };
    row("every match once", "aaa", "a", "b", false, "bbb");
    row("a replacement holding the search text", "a a\na", "a", "aa", false, "aa aa\naa");
    row("a shorter replacement", "abcabc", "bc", "", false, "aa");
    row("match case", "Abc abc ABC", "abc", "x", true, "Abc x ABC");
    row("case ignored", "Abc abc ABC", "abc", "x", false, "x x x");
}

// Replace all from the top (Replace starts there), as one undo step, and ends with the
// message of the search that found nothing more.
void EditorCommandsTest::replaceAll() {
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(bool, matchCase);
    QFETCH(QString, after);
    setMarkedText(*editor(), text + u'|');
    TFindDialog* dialog = openSearch("Ctrl+H", search, matchCase);
    QVERIFY(dialog && dialog->Replacing());
    QTest::keyClicks(dialog->findChild<QLineEdit*>("edReplaceWith"), replacement);
    click(dialog, "btnReplaceAll");
    QCOMPARE(editor()->toPlainText(), after);
    QCOMPARE(m_boxes, QStringList{"The search text was not found."});
    editor()->activateWindow();
    pressKeys(editor(), "Ctrl+Z");
    QCOMPARE(editor()->toPlainText(), text);
}

// Replace replaces the selected match and selects the next; without a match selected (or when
// the selection was moved off the match) it only finds. The search goes on after the inserted
// text.
void EditorCommandsTest::replaceStepByStep() {
    setMarkedText(*editor(), "a1 a2 a3|");
    TFindDialog* dialog = openSearch("Ctrl+H", "a");
    QTest::keyClicks(dialog->findChild<QLineEdit*>("edReplaceWith"), "aa");
    click(dialog, "btnReplace");
    QCOMPARE(markedText(*editor()), QStringLiteral("^a|1 a2 a3"));
    click(dialog, "btnReplace");
    QCOMPARE(markedText(*editor()), QStringLiteral("aa1 ^a|2 a3"));
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(2);
    editor()->setTextCursor(cursor);
    click(dialog, "btnReplace");
    QCOMPARE(markedText(*editor()), QStringLiteral("aa1 a2 ^a|3"));
    click(dialog, "btnReplace");
    QCOMPARE(markedText(*editor()), QStringLiteral("aa1 a2 aa|3"));
    QCOMPARE(m_boxes, QStringList{"The search text was not found."});
    click(dialog, "btnFindNext");
    QCOMPARE(markedText(*editor()), QStringLiteral("^a|a1 a2 aa3"));
    // The replace dialog's search leaves F3 to the find dialog's text.
    QCOMPARE(editor()->Commands().SearchText(), QString());
}

// [tool windows and runtime] ------------------------------------------------------------------

void EditorCommandsTest::wordOverviewCommands() {
    TformVexScriptOverview* overview = GetVexScriptOverview(m_context.get());
    setMarkedText(*editor(), "Squ| + 1");
    pressKeys(editor(), "F2");
    QVERIFY(overview->isVisible());
    QCOMPARE(overview->CurrentExample(), QStringLiteral("Square(3)"));
    QVERIFY(editor()->hasFocus() || QApplication::focusWidget() == editor());
    pressKeys(editor(), "F8");
    QCOMPARE(markedText(*editor()), QStringLiteral("SquSquare(3)| + 1"));
    pressKeys(editor(), "Ctrl+Z");
    QCOMPARE(markedText(*editor()), QStringLiteral("Squ| + 1"));

    // Sum has no example of its own: the overview shows its syntax line instead.
    pressKeys(editor(), "F4");
    QVERIFY(!overview->CurrentExample().isEmpty());
    overview->StepWord(0);
    pressKeys(editor(), "Shift+F4");

    // An empty example is refused with a warning; a hidden overview inserts nothing.
    overview->FilterWords("nothing");
    pressKeys(editor(), "F8");
    QCOMPARE(m_boxes, QStringList{"This word has no example."});
    overview->hide();
    pressKeys(editor(), "F8");
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Squ + 1"));
    trigger(TEditorCommand::WordOverview);
    QVERIFY(overview->isVisible());
    overview->hide();
}

void EditorCommandsTest::syntaxCheckAndExecute() {
    setMarkedText(*editor(), "Do(1, 2)\n^Do(3|");
    pressKeys(editor(), "F10");
    QCOMPARE(m_boxes, QStringList{"The syntax check found errors; the error window lists them."});
    setMarkedText(*editor(), "^Do(1, 2)|\nDo(3");
    pressKeys(editor(), "F10");
    QCOMPARE(m_boxes.last(), QStringLiteral("The syntax is correct."));

    pressKeys(editor(), "F5");
    setMarkedText(*editor(), QString::fromUtf8("Print([caf\u00e9])|"));
    pressKeys(editor(), "F5");
    QCOMPARE(m_runtime.Executed, (std::vector<std::string>{"Do(1, 2)", "Print([caf\xE9])"}));
}

void EditorCommandsTest::syntaxTreeAndHelp() {
    setMarkedText(*editor(), "Do(1, 2);Do(3)|");
    pressKeys(editor(), "F12");
    TformSyntax* tree = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* syntax = qobject_cast<TformSyntax*>(window); syntax && syntax->isVisible())
            tree = syntax;
    QVERIFY(tree);
    QCOMPARE(tree->findChild<QTreeWidget*>("tvScript")->topLevelItemCount(), 2);
    tree->close();

    setMarkedText(*editor(), "Square(x)| ");
    pressKeys(editor(), "F1");
    QVERIFY(GetHelpWindow()->isVisible());
    QCOMPARE(GetHelpWindow()->findChild<QLineEdit*>("edSearch")->text(), QStringLiteral(")"));
    setMarkedText(*editor(), "Squ|are(x)");
    pressKeys(editor(), "F1");
    QCOMPARE(GetHelpWindow()->findChild<QLineEdit*>("edSearch")->text(), QStringLiteral("Square"));
    GetHelpWindow()->hide();
}

void EditorCommandsTest::colouringSwitches() {
    QVERIFY(editor()->ColoringOn());
    pressKeys(editor(), "F11");
    QVERIFY(editor()->DepthColorsOn());
    pressKeys(editor(), "Ctrl+O");
    QVERIFY(!editor()->ColoringOn());
    pressKeys(editor(), "F11 Ctrl+O");
    QVERIFY(!editor()->DepthColorsOn());
    QVERIFY(editor()->ColoringOn());
}

// [printing and files] ------------------------------------------------------------------------

// With no printer the text goes to a PDF file; the page turned into an image
// (EditorPrint-page.png) shows the text in black in the editor's font.
void EditorCommandsTest::printsToAPdfFileInTheEditorsFont() {
    m_services.Printer = [] { return QString(); };
    setMarkedText(*editor(), "{ printed without colours }\nDeclareGlobal([total], 0)\n"
                             "Do(total := Max(total, 12.5),\n  Print([sum = ], total))|");
    m_chosenFile = m_dir.filePath("printed.pdf");
    trigger(TEditorCommand::Print);
    m_services.Printer = {};
    QCOMPARE(m_dialogs.size(), 1);
    QCOMPARE(m_dialogs[0].Filter, QStringLiteral("PDF files (*.pdf)"));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(QFile::exists(m_chosenFile));

    QProcess fonts;
    fonts.start("pdffonts", {m_chosenFile});
    QVERIFY(fonts.waitForFinished());
    QVERIFY2(fonts.readAllStandardOutput().contains("DejaVuSansMono"), "not the editor's font");
    const QString image = m_dir.filePath("page");
    QCOMPARE(
        QProcess::execute("pdftoppm", {"-png", "-r", "100", "-singlefile", m_chosenFile, image}),
        0);
    const QImage page(image + ".png");
    QVERIFY(!page.isNull());
    QVERIFY(page.save(ZENTARO_TEST_OUTPUT_DIR "/EditorPrint-page.png"));
    int dark = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            QVERIFY2(std::abs(pixel.red() - pixel.green()) < 24 &&
                         std::abs(pixel.green() - pixel.blue()) < 24,
                     "a coloured pixel");
            dark += pixel.lightness() < 100;
        }
    }
    QVERIFY(dark > 500);
}

void EditorCommandsTest::printFailures() {
    m_services.Printer = [] { return QString(); };
    setMarkedText(*editor(), "Do()|");
    m_chosenFile = m_dir.filePath("gone/printed.pdf");
    trigger(TEditorCommand::Print);
    QCOMPARE(m_boxes.size(), 1);
    QVERIFY2(m_boxes[0].startsWith("Could not print: cannot write " + m_chosenFile),
             qPrintable(m_boxes[0]));
    m_chosenFile.clear();
    trigger(TEditorCommand::Print);
    QCOMPARE(m_boxes.size(), 1);
    m_services.Printer = {};
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do()"));
}

void EditorCommandsTest::openAndSaveAs_data() {
    QTest::addColumn<int>("fileKind");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("suffix");
    const auto row = [](const char* name, int fileKind, const char* filter, const char* suffix) {
        QTest::newRow(name) << fileKind << QString(filter) << QString(suffix);
    };
    row("scripts", 1, "VexScript files (*.vex);;All files (*)", "vex");
    row("texts", 2, "Text files (*.txt);;All files (*)", "txt");
    row("no kind", 0, "", "");
}

void EditorCommandsTest::openAndSaveAs() {
    QFETCH(int, fileKind);
    QFETCH(QString, filter);
    QFETCH(QString, suffix);
    makeEditor(true, fileKind);
    setMarkedText(*editor(), "Do(1,\n  2)|");
    m_chosenFile = m_dir.filePath("saved.vex");
    trigger(TEditorCommand::SaveAs);
    QFile saved(m_chosenFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("Do(1,\n  2)\n"));
    editor()->SetScriptText("other");
    trigger(TEditorCommand::Open);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do(1,\n  2)\n"));
    QCOMPARE(m_dialogs.size(), 2);
    for (const TFileDialogRequest& request : m_dialogs) {
        QCOMPARE(request.Filter, filter);
        QCOMPARE(request.Parent, editor());
    }
    QCOMPARE(m_dialogs[0].DefaultSuffix, suffix);

    // Cancelled, nothing happens; a failed save is reported by the editor and keeps the text.
    m_chosenFile.clear();
    trigger(TEditorCommand::Open);
    QCOMPARE(editor()->toPlainText(), QStringLiteral("Do(1,\n  2)\n"));
    m_chosenFile = m_dir.filePath("gone/saved.vex");
    trigger(TEditorCommand::SaveAs);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].startsWith("Error saving to file " + m_chosenFile));
    QVERIFY(m_boxes.isEmpty());
}

void EditorCommandsTest::windowsTakeOverOpenAndSaveAs() {
    QStringList calls;
    editor()->OnOpenCommand = [&](TVexScriptEditor* sender) {
        QCOMPARE(sender, editor());
        calls << "open";
    };
    editor()->OnSaveAsCommand = [&](TVexScriptEditor*) { calls << "save as"; };
    trigger(TEditorCommand::Open);
    trigger(TEditorCommand::SaveAs);
    QCOMPARE(calls, (QStringList{"open", "save as"}));
    QVERIFY(m_dialogs.isEmpty());
}

void EditorCommandsTest::showTraceWindow() {
    trigger(TEditorCommand::ShowTraceWindow);
    QCOMPARE(m_messages, QStringList{"There is no trace window to show."});
    int shown = 0;
    m_services.TraceWindow = [&] { ++shown; };
    trigger(TEditorCommand::ShowTraceWindow);
    m_services.TraceWindow = {};
    QCOMPARE(shown, 1);
}

void EditorCommandsTest::searchDialogsInEveryLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("replaceAll");
    QTest::newRow("English") << 9 << QString("en") << QString("Replace &All");
    QTest::newRow("German") << 7 << QString("de") << QString("&Alle ersetzen");
}

// Every number the dialogs and the menu ask for is in both modules; leaves
// EditorReplaceDialog-<name>.png to look at.
void EditorCommandsTest::searchDialogsInEveryLanguage() {
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, replaceAll);
    QVERIFY(LoadLanguageModule("ZT", language));
    std::set<int> numbers = {
#define NUMBER_OF(constant, number, english) number,
        ZT_EDITING_TEXTS(NUMBER_OF)
#undef NUMBER_OF
    };
    setMarkedText(*editor(), "Do(a)|");
    TFindDialog* dialog = openSearch("Ctrl+H", "a");
    addLayoutNumbers(dialog, numbers);
    const QStringList missing = missingLanguageNumbers(numbers);
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));
    QCOMPARE(dialog->findChild<QPushButton*>("btnReplaceAll")->text(), replaceAll);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(dialog->grab().save(ZENTARO_TEST_OUTPUT_DIR "/EditorReplaceDialog-" + name + ".png"));
    FinalizeLanguageManager();
}

QTEST_MAIN(EditorCommandsTest)
#include "EditorCommandsTest.moc"
