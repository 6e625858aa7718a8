#pragma once

#include <QKeyCombination>
#include <QMenu>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class QKeyEvent;
class TEditorCommands;
class TEditorMenu;
class TFindDialog;
class TVexScriptEditor;

// The editor's commands by name; a row of the command table says what each does.
enum class TEditorCommand : std::uint8_t {
    Swallow, // takes the key away from the control and the window, and does nothing
    Reconstruct,
    Delete,
    Repaint,
    Cut,
    Copy,
    Paste,
    PasteHistoryMenu,
    PasteHistoryEntry, // the row's Entry says which
    Undo,
    Redo,
    WordOverview,
    Help,
    LookUpWord,
    PreviousWord,
    NextWord,
    InsertExample,
    SyntaxCheck,
    Execute,
    DepthColors,
    Coloring,
    SyntaxTree,
    SelectAll,
    Replace,
    Find,
    FindNext,
    Print,
    SaveAs,
    Open,
    ShowTraceWindow,
};

// Where a row of the command table appears, and where its key works.
enum class TCommandPlace : std::uint8_t {
    Shown,  // a menu item in every editor
    Hidden, // an item in every editor that is not shown; its key works
    // A menu item in an editor with full features; neither item nor key in others.
    FullOnly,
    // A menu item in an editor with full features; in others no item, but the key works.
    ShownInFull,
    // No menu item; the key works in every editor.
    KeyOnly,
};

// Whether a row's menu item begins a new group of items (a separator before it).
enum class TMenuGroup : bool {
    Continues,
    Begins
};

// One row of the command table (TEditorCommands::Table): a command's menu item and key.
struct TEditorCommandRow {
    TEditorCommand Command;
    // The object name of the menu item.
    const char* Name;
    // The text number (TEditingText) of the item's caption; 0 for a hidden item, which is
    // captioned by its name without the "pm".
    int CaptionNumber;
    // The default key in Qt's portable notation ("Ctrl+Shift+V"), empty for none.
    const char* Key;
    TCommandPlace Place;
    TMenuGroup Group;
    // What the command does; none for a row that only takes its key away.
    void (TEditorCommands::*Handler)();
    // The paste history entry of a PasteHistoryEntry row.
    int Entry = 0;

    // An editor with (or without) full features has the row's menu item.
    bool HasItem(bool fullFeatures) const noexcept;
    // The item is visible where the editor has it.
    bool ItemShown() const noexcept;
    // The row's key works in an editor with (or without) full features.
    bool HasKey(bool fullFeatures) const noexcept;
};

// The commands of an editor, one object per editor, and the table they come from: each row holds
// a command's name, its caption, its default key and its handler, and the context menu
// (TEditorMenu), the key handling (RunKey, KeyRow) and the key table of docs/editor.md are made
// from it. A new command is a row, its handler and its texts.
//
// The commands: the clipboard with the process's paste history, undo and redo, the commands that
// hand the text or the word at the caret to the word overview, the help window, the syntax tree
// window and the runtime, the colouring switches, find and replace, printing, opening and
// saving, and the trace window.
//
// Every insertion goes through TVexScriptEditor::InsertText (one undo step; the clipboard stays
// as it is). Commands that change the text do nothing in a read-only editor.
//
// Search: Find and Find next search down from SearchStart, the place after the last match; a
// search that fails says so and starts the next one at the top. Replace all replaces every match
// from SearchStart on once (the inserted text is not searched again) as one undo step.
class TEditorCommands : public QObject {
    Q_OBJECT

public:
    explicit TEditorCommands(TVexScriptEditor& editor);
    ~TEditorCommands() override;

    // Every command, in menu order.
    static std::span<const TEditorCommandRow> Table();

    TEditorMenu* Menu() const noexcept { return m_menu; }
    // The row whose key the event is in this editor; none for other keys.
    const TEditorCommandRow* KeyRow(const QKeyEvent& event) const;
    // Runs the command whose key the event is; false when no command has that key.
    bool RunKey(const QKeyEvent& event);
    // Runs a command; `entry` is the paste history entry of PasteHistoryEntry.
    void Run(TEditorCommand command, int entry = 0);

    // Pastes a text as the clipboard's text is pasted: TABs become the indentation text, line
    // ends of every kind line breaks, and lines longer than 2,048 characters are broken after
    // every 2,048 (the compiler drops line breaks). A text holding NUL, or one that would make
    // the editor hold more than it can, is refused with a message box and nothing changes.
    void PasteText(const QString& text);

    // Where the next search starts (a control position), the text of the last search of the
    // find dialog, and whether the selection holds a match.
    int SearchStart() const noexcept { return m_searchStart; }
    const QString& SearchText() const noexcept { return m_searchText; }
    bool SearchMatchCase() const noexcept { return m_searchMatchCase; }
    bool MatchSelected() const noexcept { return m_matchSelected; }
    // The first occurrence of `text` at or after control position `start`; -1 for none (and for
    // an empty text).
    int SearchFor(const QString& text, int start, bool matchCase) const;
    TFindDialog* FindDialog() const;
    TFindDialog* ReplaceDialog() const;
    // The paste history menu as last shown; none before.
    QMenu* HistoryMenu() const { return m_historyMenu; }

private:
    void run(const TEditorCommandRow& row);

    bool editable() const;
    QString selectedText() const;
    QString wordAtCaret() const;
    // The selection, or the whole text when nothing is selected.
    QString selectionOrText() const;

    // The handlers of the table's rows.
    void rebuildRows();
    void deleteAtCaret();
    void repaint();
    void cut();
    void copy();
    void paste();
    void showPasteHistory();
    template <int Entry>
    void pasteEntry();
    void undo();
    void redo();
    void presentOverview();
    void help();
    void lookUpWord();
    void previousWord();
    void nextWord();
    void insertExample();
    void syntaxCheck();
    void execute();
    void switchDepthColors();
    void switchColoring();
    void syntaxTree();
    void selectAll();
    void replace();
    void find();
    void findNextAgain();
    void print();
    void saveAs();
    void open();
    void showTraceWindow();

    void pasteHistoryEntry(int entry);
    void undoOrRedo(bool redo);
    void stepWord(int step);

    TFindDialog* makeDialog(bool replacing);
    bool findNext(const QString& text, bool matchCase);
    void findButton();
    void replaceFindButton();
    void replaceButton();
    void replaceAllButton();
    void reportNotFound(QWidget* over);

    QString fileFilter() const;
    QString fileSuffix() const;

    TVexScriptEditor& m_editor;
    TEditorMenu* m_menu;
    // The keys of this editor's commands, in table order.
    std::vector<std::pair<QKeyCombination, const TEditorCommandRow*>> m_keys;
    QPointer<QMenu> m_historyMenu;
    QPointer<TFindDialog> m_findDialog;
    QPointer<TFindDialog> m_replaceDialog;
    QString m_searchText;
    bool m_searchMatchCase = false;
    int m_searchStart = 0;
    bool m_matchSelected = false;
};
