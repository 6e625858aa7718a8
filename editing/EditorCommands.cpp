#include "editing/EditorCommands.h"

#include "editing/ApplicationServices.h"
#include "editing/CodeCompletion.h"
#include "editing/EditingTexts.h"
#include "editing/EditorKeys.h"
#include "editing/EditorMenu.h"
#include "editing/PasteHistory.h"
#include "editing/RuntimeLookup.h"
#include "editing/ScriptEditor.h"
#include "editing/ScriptFile.h"
#include "editing/ScriptPrinting.h"
#include "editing/TFindDialog.h"
#include "editing/TformHelp.h"
#include "editing/TformSyntax.h"
#include "editing/TformVexScriptOverview.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "services/FileDialogs.h"
#include "services/MessageBoxes.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

// Sections: [table] [dispatch] [view] [clipboard] [undo] [tool windows] [runtime] [search] [files]

namespace {

// Characters of a paste history entry shown in its menu item.
constexpr int kHistoryCaptionLength = 48;
// The longest line a paste brings; the control lays a line out whole, and a line of megabytes
// would take it minutes.
constexpr int kPastedLineLimit = 2048;

// Line ends of every kind as "\n", the way texts go to the clipboard and into the history.
QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QChar(QChar::ParagraphSeparator), u'\n');
    text.replace(QChar(QChar::LineSeparator), u'\n');
    return text;
}

QString clipboardText(bool* hasText = nullptr) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    const bool text = data && data->hasText();
    if (hasText)
        *hasText = text;
    return text ? data->text() : QString();
}

// The start of a history entry on one line, with "&" shown as itself.
QString historyCaption(const QString& entry) {
    QString caption = entry.left(kHistoryCaptionLength);
    for (QChar& character : caption)
        if (character == u'\n' || character == u'\t')
            character = u' ';
    caption.replace(u'&', QStringLiteral("&&"));
    return caption;
}

// Lines longer than kPastedLineLimit are broken after every kPastedLineLimit characters. A
// script does not change its meaning by that: the compiler drops line breaks, inside text
// constants too.
QString breakLongLines(const QString& text) {
    QString broken;
    broken.reserve(text.size() + text.size() / kPastedLineLimit);
    int count = 0;
    for (const QChar character : text) {
        if (character == u'\n') {
            count = 0;
        } else if (count >= kPastedLineLimit && !character.isLowSurrogate()) {
            broken += u'\n';
            count = 0;
        }
        broken += character;
        count += character != u'\n';
    }
    return broken;
}

std::string scriptBytes(const QString& text) {
    return toWindows1252(text).toStdString();
}

// The line (from 1) the text of selectionOrText starts on: the selection's first, else 1.
int firstLineOfSelectionOrText(const QPlainTextEdit& editor) {
    const QTextCursor cursor = editor.textCursor();
    return cursor.hasSelection()
               ? editor.document()->findBlock(cursor.selectionStart()).blockNumber() + 1
               : 1;
}

class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

// [table] -------------------------------------------------------------------------------------

bool TEditorCommandRow::HasItem(bool fullFeatures) const noexcept {
    switch (Place) {
    case TCommandPlace::Shown:
    case TCommandPlace::Hidden:
        return true;
    case TCommandPlace::FullOnly:
    case TCommandPlace::ShownInFull:
        return fullFeatures;
    case TCommandPlace::KeyOnly:
        return false;
    }
    return false;
}

bool TEditorCommandRow::ItemShown() const noexcept {
    return Place != TCommandPlace::Hidden && Place != TCommandPlace::KeyOnly;
}

bool TEditorCommandRow::HasKey(bool fullFeatures) const noexcept {
    return *Key != '\0' && (fullFeatures || Place != TCommandPlace::FullOnly);
}

// The swallowed keys are taken away from the control and the window, which would otherwise act
// on them. Hidden items have no caption number: nobody sees them.
std::span<const TEditorCommandRow> TEditorCommands::Table() {
    using enum TEditorCommand;
    using enum TCommandPlace;
    using enum TMenuGroup;
    using C = TEditorCommands;
    // clang-format off
    static const TEditorCommandRow rows[] = {
        // command          menu item            caption            key                   place        group      handler                entry
        {Swallow,           "pmSwallow1",        0,                 "Ctrl+J",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow2",        0,                 "Ctrl+1",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow3",        0,                 "Ctrl+2",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow4",        0,                 "Ctrl+5",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow5",        0,                 "Ctrl+'",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow6",        0,                 "Ctrl+`",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow7",        0,                 "Ctrl+~",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow8",        0,                 "Ctrl+;",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow9",        0,                 "Ctrl+Shift+6",       Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow10",       0,                 "Ctrl+Shift+A",       Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow11",       0,                 "Ctrl+Shift+L",       Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow12",       0,                 "Ctrl+,",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow13",       0,                 "Ctrl++",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow14",       0,                 "Ctrl+=",             Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow15",       0,                 "Alt+Shift+X",        Hidden,      Continues, nullptr},
        {Swallow,           "pmSwallow16",       0,                 "Ctrl+Alt+Shift+F12", Hidden,      Continues, nullptr},
        {Reconstruct,       "pmReconstruct",     0,                 "Ctrl+U",             Hidden,      Continues, &C::rebuildRows},
        {Delete,            "pmDel",             0,                 "Del",                Hidden,      Continues, &C::deleteAtCaret},
        {Repaint,           "pmRepaint",         0,                 "Ctrl+M",             Hidden,      Continues, &C::repaint},
        {Cut,               "pmCut",             etCut,             "Ctrl+X",             Shown,       Continues, &C::cut},
        {Cut,               "pmShiftDelete",     0,                 "Shift+Del",          KeyOnly,     Continues, &C::cut},
        {Paste,             "pmShiftInsert",     0,                 "Shift+Ins",          Hidden,      Continues, &C::paste},
        {Copy,              "pmCopy",            etCopy,            "Ctrl+C",             Shown,       Continues, &C::copy},
        {Copy,              "pmCtrlInsert",      0,                 "Ctrl+Ins",           Hidden,      Continues, &C::copy},
        {Paste,             "pmPaste",           etPaste,           "Ctrl+V",             Shown,       Continues, &C::paste},
        {PasteHistoryMenu,  "pmPasteHistory",    etPasteHistory,    "Ctrl+Shift+V",       Shown,       Continues, &C::showPasteHistory},
        {PasteHistoryEntry, "pmPastebuffer1",    0,                 "Ctrl+Shift+1",       Hidden,      Continues, &C::pasteEntry<0>,     0},
        {PasteHistoryEntry, "pmPastebuffer2",    0,                 "Ctrl+Shift+2",       Hidden,      Continues, &C::pasteEntry<1>,     1},
        {PasteHistoryEntry, "pmPastebuffer3",    0,                 "Ctrl+Shift+3",       Hidden,      Continues, &C::pasteEntry<2>,     2},
        {PasteHistoryEntry, "pmPastebuffer4",    0,                 "Ctrl+Shift+4",       Hidden,      Continues, &C::pasteEntry<3>,     3},
        {PasteHistoryEntry, "pmPastebuffer5",    0,                 "Ctrl+Shift+5",       Hidden,      Continues, &C::pasteEntry<4>,     4},
        {PasteHistoryEntry, "pmPastebuffer6",    0,                 "Ctrl+Shift+6",       Hidden,      Continues, &C::pasteEntry<5>,     5},
        {PasteHistoryEntry, "pmPastebuffer7",    0,                 "Ctrl+Shift+7",       Hidden,      Continues, &C::pasteEntry<6>,     6},
        {PasteHistoryEntry, "pmPastebuffer8",    0,                 "Ctrl+Shift+8",       Hidden,      Continues, &C::pasteEntry<7>,     7},
        {PasteHistoryEntry, "pmPastebuffer9",    0,                 "Ctrl+Shift+9",       Hidden,      Continues, &C::pasteEntry<8>,     8},
        {PasteHistoryEntry, "pmPastebuffer10",   0,                 "",                   Hidden,      Continues, &C::pasteEntry<9>,     9},
        {Undo,              "pmUndo",            etUndo,            "Ctrl+Z",             Shown,       Begins,    &C::undo},
        {Redo,              "pmRedo",            etRedo,            "Ctrl+Y",             Shown,       Continues, &C::redo},
        {WordOverview,      "pmWordOverview",    etWordOverview,    "",                   FullOnly,    Begins,    &C::presentOverview},
        {Help,              "pmHelp",            etHelp,            "F1",                 ShownInFull, Continues, &C::help},
        {LookUpWord,        "pmLookUpWord",      etLookUpWord,      "F2",                 FullOnly,    Continues, &C::lookUpWord},
        {PreviousWord,      "pmPreviousWord",    etPreviousWord,    "Shift+F4",           FullOnly,    Continues, &C::previousWord},
        {NextWord,          "pmNextWord",        etNextWord,        "F4",                 FullOnly,    Continues, &C::nextWord},
        {InsertExample,     "pmInsertExample",   etInsertExample,   "F8",                 FullOnly,    Continues, &C::insertExample},
        {SyntaxCheck,       "pmSyntaxCheck",     etSyntaxCheck,     "F10",                FullOnly,    Begins,    &C::syntaxCheck},
        {Execute,           "pmExecute",         etExecute,         "F5",                 FullOnly,    Continues, &C::execute},
        {DepthColors,       "pmDepthColors",     etDepthColors,     "F11",                FullOnly,    Begins,    &C::switchDepthColors},
        {Coloring,          "pmColoring",        etColoring,        "Ctrl+O",             FullOnly,    Continues, &C::switchColoring},
        {SyntaxTree,        "pmSyntaxTree",      etSyntaxTree,      "F12",                FullOnly,    Begins,    &C::syntaxTree},
        {SelectAll,         "pmSelectAll",       etSelectAll,       "Ctrl+A",             Shown,       Begins,    &C::selectAll},
        {Replace,           "pmReplace",         etReplace,         "Ctrl+H",             Shown,       Begins,    &C::replace},
        {Find,              "pmFind",            etFind,            "Ctrl+F",             Shown,       Continues, &C::find},
        {FindNext,          "pmFindNext",        etFindNext,        "F3",                 Shown,       Continues, &C::findNextAgain},
        {Print,             "pmPrint",           etPrint,           "",                   Shown,       Begins,    &C::print},
        {SaveAs,            "pmSaveAs",          etSaveAs,          "",                   Shown,       Begins,    &C::saveAs},
        {Open,              "pmOpen",            etOpen,            "",                   Shown,       Continues, &C::open},
        {ShowTraceWindow,   "pmShowTraceWindow", etShowTraceWindow, "",                   Shown,       Begins,    &C::showTraceWindow},
    };
    // clang-format on
    return rows;
}

// [dispatch] ----------------------------------------------------------------------------------

TEditorCommands::TEditorCommands(TVexScriptEditor& editor)
    : QObject(&editor)
    , m_editor(editor)
    , m_menu(new TEditorMenu(&editor, Table(), editor.FullFeatures())) {
    for (const TEditorCommandRow& row : Table())
        if (row.HasKey(editor.FullFeatures()))
            if (const QKeySequence key = KeyOf(row.Key); !key.isEmpty())
                m_keys.emplace_back(key[0], &row);
    connect(m_menu, &TEditorMenu::commandTriggered, this, &TEditorCommands::Run);
}

TEditorCommands::~TEditorCommands() {
    delete m_findDialog;
    delete m_replaceDialog;
    delete m_historyMenu;
}

const TEditorCommandRow* TEditorCommands::KeyRow(const QKeyEvent& event) const {
    for (const QKeyCombination candidate : KeyCandidates(event))
        for (const auto& [key, row] : m_keys)
            if (key == candidate)
                return row;
    return nullptr;
}

bool TEditorCommands::RunKey(const QKeyEvent& event) {
    const TEditorCommandRow* row = KeyRow(event);
    if (!row)
        return false;
    run(*row);
    return true;
}

void TEditorCommands::Run(TEditorCommand command, int entry) {
    for (const TEditorCommandRow& row : Table())
        if (row.Command == command && row.Entry == entry) {
            run(row);
            return;
        }
}

void TEditorCommands::run(const TEditorCommandRow& row) {
    if (row.Handler)
        (this->*row.Handler)();
}

bool TEditorCommands::editable() const {
    return !m_editor.isReadOnly();
}

QString TEditorCommands::selectedText() const {
    return withLineFeeds(m_editor.textCursor().selectedText());
}

QString TEditorCommands::selectionOrText() const {
    return m_editor.textCursor().hasSelection() ? selectedText() : m_editor.toPlainText();
}

// The word at the caret; a blank at the caret (a space, the end of the line) gives the word
// just before it, so that the caret right after a word finds that word.
QString TEditorCommands::wordAtCaret() const {
    const QTextCursor cursor = m_editor.textCursor();
    const QTextBlock line = m_editor.document()->findBlock(cursor.selectionStart());
    const int column = cursor.selectionStart() - line.position();
    const auto isBlank = [](const QString& word) {
        return word == u" " || word == QString(QChar(0));
    };
    QString word = WordAtColumn(line.text(), column);
    if (isBlank(word) && column > 0)
        word = WordAtColumn(line.text(), column - 1);
    return isBlank(word) ? QString() : word;
}

// [view] --------------------------------------------------------------------------------------

// Builds every row again, with the globals and words the runtime knows now.
void TEditorCommands::rebuildRows() {
    m_editor.RebuildRows();
    m_editor.viewport()->update();
}

void TEditorCommands::repaint() {
    m_editor.viewport()->update();
}

void TEditorCommands::switchDepthColors() {
    m_editor.SetDepthColorsOn(!m_editor.DepthColorsOn());
}

void TEditorCommands::switchColoring() {
    m_editor.SetColoringOn(!m_editor.ColoringOn());
}

// [clipboard] ---------------------------------------------------------------------------------

// Del as the control handles it. Taken as a command, it wins over a window's shortcut on Del
// while the editor has the focus.
void TEditorCommands::deleteAtCaret() {
    QKeyEvent plainDelete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    m_editor.ControlKeyPress(&plainDelete);
    m_editor.viewport()->update();
}

void TEditorCommands::selectAll() {
    m_editor.selectAll();
}

void TEditorCommands::cut() {
    if (!editable() || !m_editor.textCursor().hasSelection())
        return;
    QApplication::clipboard()->setText(selectedText());
    m_editor.InsertText(QString());
}

void TEditorCommands::copy() {
    if (!m_editor.textCursor().hasSelection())
        return;
    const QString text = selectedText();
    QApplication::clipboard()->setText(text);
    PasteHistory().Add(text);
}

void TEditorCommands::paste() {
    if (!editable())
        return;
    bool hasText = false;
    const QString text = clipboardText(&hasText);
    if (!hasText) {
        m_editor.Services().ShowMessageBox(
            {&m_editor, QMessageBox::Warning, QString(),
             QStringLiteral("The paste-buffer does not contain text")});
        return;
    }
    PasteText(text);
}

void TEditorCommands::PasteText(const QString& text) {
    if (!editable())
        return;
    const QString pasted = breakLongLines(m_editor.NormalizedText(text));
    QString refusal;
    if (const qsizetype nul = pasted.indexOf(QChar(0)); nul >= 0) {
        refusal = EditingText(etFileHasNul).arg(QStringView(pasted).left(nul).count(u'\n') + 1);
    } else {
        const QTextCursor cursor = m_editor.textCursor();
        const qsizetype length = m_editor.document()->characterCount() - 1 -
                                 (cursor.selectionEnd() - cursor.selectionStart()) + pasted.size();
        if (length > kScriptTextLimit)
            refusal = EditingText(etFileTooLarge).arg(kScriptTextLimit);
    }
    if (!refusal.isEmpty()) {
        m_editor.Services().ShowMessageBox({&m_editor, QMessageBox::Warning, QString(),
                                            QStringLiteral("Could not paste: ") + refusal});
        return;
    }
    if (pasted.isEmpty())
        return;
    m_editor.InsertText(pasted);
    m_editor.ensureCursorVisible();
}

// The history menu is made anew each time, with the clipboard's text first when the history
// does not hold it yet, and shown at the caret.
void TEditorCommands::showPasteHistory() {
    delete m_historyMenu;
    m_historyMenu = new QMenu(&m_editor);
    m_historyMenu->setObjectName(QStringLiteral("HistoryMenu"));
    bool hasText = false;
    const QString text = withLineFeeds(clipboardText(&hasText));
    if (hasText)
        PasteHistory().Add(text);
    for (int i = 0; i < PasteHistory().Count(); ++i) {
        QAction* item = m_historyMenu->addAction(historyCaption(PasteHistory().Entry(i)));
        connect(item, &QAction::triggered, this, [this, i] { pasteHistoryEntry(i); });
    }
    if (m_historyMenu->isEmpty())
        return;
    const QRect caret = m_editor.cursorRect();
    m_historyMenu->popup(m_editor.viewport()->mapToGlobal(QPoint(caret.left() + 5, caret.top())));
}

template <int Entry>
void TEditorCommands::pasteEntry() {
    pasteHistoryEntry(Entry);
}

// The entry is pasted as the clipboard's text would be; the clipboard keeps what it holds.
void TEditorCommands::pasteHistoryEntry(int entry) {
    if (entry >= 0 && entry < PasteHistory().Count())
        PasteText(PasteHistory().Entry(entry));
}

// [undo] --------------------------------------------------------------------------------------

void TEditorCommands::undo() {
    undoOrRedo(false);
}

void TEditorCommands::redo() {
    undoOrRedo(true);
}

void TEditorCommands::undoOrRedo(bool redo) {
    const QTextDocument* document = m_editor.document();
    if (!editable() || !(redo ? document->isRedoAvailable() : document->isUndoAvailable()))
        return;
    m_editor.Completion().SetSuppressCompletion(true);
    if (redo)
        m_editor.redo();
    else
        m_editor.undo();
    m_editor.Completion().SetSuppressCompletion(false);
    QTextCursor cursor = m_editor.textCursor();
    cursor.clearSelection();
    m_editor.setTextCursor(cursor);
    m_editor.viewport()->update();
}

// [tool windows] ------------------------------------------------------------------------------

// Opens the word overview (or brings it to the front) and gives the focus back to the editor.
void TEditorCommands::presentOverview() {
    GetVexScriptOverview(m_editor.Services().Context)->ShowOverview();
    m_editor.activateWindow();
    m_editor.setFocus();
}

void TEditorCommands::lookUpWord() {
    presentOverview();
    GetVexScriptOverview(m_editor.Services().Context)->FilterWords(wordAtCaret());
}

void TEditorCommands::previousWord() {
    stepWord(-1);
}

void TEditorCommands::nextWord() {
    stepWord(1);
}

void TEditorCommands::stepWord(int step) {
    presentOverview();
    GetVexScriptOverview(m_editor.Services().Context)->StepWord(step);
}

void TEditorCommands::insertExample() {
    TformVexScriptOverview* overview = GetVexScriptOverview(m_editor.Services().Context);
    if (!overview->isVisible())
        return;
    const QString example = overview->CurrentExample();
    if (example.isEmpty())
        m_editor.Services().ShowMessageBox(
            {&m_editor, QMessageBox::Warning, QString(), EditingText(etNoExample)});
    else if (editable())
        m_editor.InsertText(m_editor.NormalizedText(example));
    presentOverview();
}

void TEditorCommands::help() {
    ShowHelpTopic(wordAtCaret());
}

// A panel that holds a whole script cuts it as script files are cut; see TScriptRunner.
void TEditorCommands::syntaxTree() {
    ShowSyntaxTreeWindow(m_editor.Services().Context, selectionOrText(), ScriptRunnerOf(m_editor),
                         firstLineOfSelectionOrText(m_editor));
}

void TEditorCommands::showTraceWindow() {
    m_editor.Services().ShowTraceWindow();
}

// [runtime] -----------------------------------------------------------------------------------

void TEditorCommands::syntaxCheck() {
    const TApplicationServices& services = m_editor.Services();
    switch (CheckSyntaxOf(services.Context, selectionOrText(), services.SelectedModelObject(),
                          ScriptRunnerOf(m_editor), firstLineOfSelectionOrText(m_editor))) {
    case TformSyntax::TVerdict::Correct:
        m_editor.Services().ShowMessageBox(
            {&m_editor, QMessageBox::Information, QString(), EditingText(etSyntaxCorrect)});
        break;
    case TformSyntax::TVerdict::NothingCompiled:
        m_editor.Services().ShowMessageBox(
            {&m_editor, QMessageBox::Information, QString(), EditingText(etNothingCompiled)});
        break;
    case TformSyntax::TVerdict::Faulty:
        m_editor.Services().ShowMessageBox(
            {&m_editor, QMessageBox::Critical, QString(), EditingText(etSyntaxFaulty)});
        break;
    }
}

// The result is not shown; the runtime reports errors itself.
void TEditorCommands::execute() {
    const std::string script = scriptBytes(selectionOrText());
    if (TScriptRunner* runner = ScriptRunnerOf(m_editor))
        runner->RunScript(script, firstLineOfSelectionOrText(m_editor));
    else if (TRuntimeLookup* runtime = m_editor.Services().RuntimeLookup())
        runtime->Execute(script);
}

// [search] ------------------------------------------------------------------------------------

int TEditorCommands::SearchFor(const QString& text, int start, bool matchCase) const {
    if (text.isEmpty() || start < 0)
        return -1;
    const QTextCursor found = m_editor.document()->find(
        text, start, matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags());
    return found.isNull() ? -1 : found.selectionStart();
}

TFindDialog* TEditorCommands::FindDialog() const {
    return m_findDialog;
}

TFindDialog* TEditorCommands::ReplaceDialog() const {
    return m_replaceDialog;
}

void TEditorCommands::find() {
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_editor.setTextCursor(cursor);
    m_searchStart = cursor.position();
    m_matchSelected = false;
    if (!m_findDialog)
        m_findDialog = makeDialog(false);
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void TEditorCommands::replace() {
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(0);
    m_editor.setTextCursor(cursor);
    m_searchStart = 0;
    m_matchSelected = false;
    if (!m_replaceDialog)
        m_replaceDialog = makeDialog(true);
    m_replaceDialog->show();
    m_replaceDialog->raise();
    m_replaceDialog->activateWindow();
}

// Closing a dialog frees it and gives the focus back to the editor.
TFindDialog* TEditorCommands::makeDialog(bool replacing) {
    auto* dialog = new TFindDialog(&m_editor, replacing);
    if (replacing) {
        connect(dialog, &TFindDialog::findNextClicked, this, &TEditorCommands::replaceFindButton);
        connect(dialog, &TFindDialog::replaceClicked, this, &TEditorCommands::replaceButton);
        connect(dialog, &TFindDialog::replaceAllClicked, this, &TEditorCommands::replaceAllButton);
    } else {
        connect(dialog, &TFindDialog::findNextClicked, this, &TEditorCommands::findButton);
    }
    connect(dialog, &QDialog::finished, this, [this] {
        m_editor.activateWindow();
        m_editor.setFocus();
    });
    return dialog;
}

// Selects the next match from SearchStart on; the search after it starts one character
// further, and the one after a failure at the top.
bool TEditorCommands::findNext(const QString& text, bool matchCase) {
    const int found = SearchFor(text, m_searchStart, matchCase);
    m_searchStart = found + 1;
    if (found < 0)
        return false;
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(found);
    cursor.setPosition(found + int(text.size()), QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
    m_matchSelected = true;
    return true;
}

void TEditorCommands::findButton() {
    m_searchText = m_findDialog->FindText();
    m_searchMatchCase = m_findDialog->MatchCase();
    if (!findNext(m_searchText, m_searchMatchCase)) {
        reportNotFound(m_findDialog);
        return;
    }
    m_editor.setFocus();
    m_findDialog->activateWindow();
}

// The replace dialog's own search leaves the find dialog's text for F3.
void TEditorCommands::replaceFindButton() {
    if (!findNext(m_replaceDialog->FindText(), m_replaceDialog->MatchCase()))
        reportNotFound(m_replaceDialog);
}

// Replaces the selected match and selects the next one; without a match selected it only
// finds. The search goes on after the inserted text, which is not searched again.
void TEditorCommands::replaceButton() {
    const QString text = m_replaceDialog->FindText();
    QTextCursor cursor = m_editor.textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(
        std::min(start + int(text.size()), m_editor.document()->characterCount() - 1),
        QTextCursor::KeepAnchor);
    m_editor.setTextCursor(cursor);
    const Qt::CaseSensitivity sensitivity =
        m_replaceDialog->MatchCase() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (m_matchSelected && editable() && selectedText().compare(text, sensitivity) == 0) {
        const QString replacement = m_replaceDialog->ReplaceText();
        m_editor.InsertText(replacement);
        m_searchStart = start + int(replacement.size());
    }
    replaceFindButton();
}

// Every match from SearchStart on is replaced once, as one undo step; the inserted text is not
// searched again, so a replacement that holds the search text ends all the same.
void TEditorCommands::replaceAllButton() {
    if (!editable())
        return;
    const QString text = m_replaceDialog->FindText();
    const QString replacement = m_replaceDialog->ReplaceText();
    const bool matchCase = m_replaceDialog->MatchCase();
    {
        const TWaitCursor wait;
        QTextCursor edit(m_editor.document());
        edit.beginEditBlock();
        bool replaced = false;
        for (int found = SearchFor(text, m_searchStart, matchCase); found >= 0;
             found = SearchFor(text, m_searchStart, matchCase)) {
            edit.setPosition(found);
            edit.setPosition(found + int(text.size()), QTextCursor::KeepAnchor);
            edit.insertText(replacement);
            m_searchStart = found + int(replacement.size());
            replaced = true;
        }
        edit.endEditBlock();
        if (replaced)
            m_editor.setTextCursor(edit);
        m_searchStart = 0;
        m_matchSelected = false;
    }
    reportNotFound(m_replaceDialog);
}

// Repeats the find dialog's last search.
void TEditorCommands::findNextAgain() {
    if (!m_searchText.isEmpty() && !findNext(m_searchText, m_searchMatchCase))
        reportNotFound(&m_editor);
}

void TEditorCommands::reportNotFound(QWidget* over) {
    m_editor.Services().ShowMessageBox(
        {over, QMessageBox::Information, QString(), EditingText(etNotFound)});
}

// [files] -------------------------------------------------------------------------------------

void TEditorCommands::print() {
    PrintScriptText(&m_editor, m_editor.toPlainText(), m_editor.font(), m_editor.Services());
}

QString TEditorCommands::fileFilter() const {
    switch (m_editor.FileKind()) {
    case 1:
        return EditingText(etScriptFilter);
    case 2:
        return EditingText(etTextFilter);
    default:
        return {};
    }
}

QString TEditorCommands::fileSuffix() const {
    switch (m_editor.FileKind()) {
    case 1:
        return QStringLiteral("vex");
    case 2:
        return QStringLiteral("txt");
    default:
        return {};
    }
}

// Failures are reported by SaveToFile itself (to the error window).
void TEditorCommands::saveAs() {
    if (m_editor.OnSaveAsCommand) {
        m_editor.OnSaveAsCommand(&m_editor);
        return;
    }
    const QString path =
        m_editor.Services().SaveFileName({&m_editor, QString(), fileSuffix(), fileFilter()});
    if (path.isEmpty())
        return;
    const TWaitCursor wait;
    m_editor.SaveToFile(path);
}

void TEditorCommands::open() {
    if (m_editor.OnOpenCommand) {
        m_editor.OnOpenCommand(&m_editor);
        return;
    }
    if (!editable())
        return;
    const QString path =
        m_editor.Services().OpenFileName({&m_editor, QString(), QString(), fileFilter()});
    if (path.isEmpty())
        return;
    const TWaitCursor wait;
    m_editor.LoadFromFile(path);
}
