#pragma once

#include "editing/EditorMenu.h"

#include <QObject>
#include <QPointer>

class QKeyEvent;
class TFindDialog;
class TVexScriptEditor;

// The commands of an editor's context menu (TEditorMenu), one object per editor: the clipboard
// with the process's paste history, undo and redo, the commands that hand the text or the word
// at the caret to the word overview, the help window, the syntax tree window and the runtime,
// the colouring switches, find and replace, printing, opening and saving, and the trace window.
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

    TEditorMenu* Menu() const noexcept { return m_menu; }
    // Runs the menu item whose key the event is; false when no item has that key.
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
    bool editable() const;
    QString selectedText() const;
    QString wordAtCaret() const;
    // The selection, or the whole text when nothing is selected.
    QString selectionOrText() const;

    void cut();
    void copy();
    void paste();
    void showPasteHistory();
    void pasteHistoryEntry(int entry);
    void undoOrRedo(bool redo);
    void presentOverview();
    void lookUpWord();
    void insertExample();
    void help();
    void syntaxCheck();
    void execute();
    void syntaxTree();

    void find();
    void replace();
    TFindDialog* makeDialog(bool replacing);
    bool findNext(const QString& text, bool matchCase);
    void findButton();
    void replaceFindButton();
    void replaceButton();
    void replaceAllButton();
    void reportNotFound(QWidget* over);

    void print();
    void saveAs();
    void open();
    QString fileFilter() const;
    QString fileSuffix() const;

    TVexScriptEditor& m_editor;
    TEditorMenu* m_menu;
    QPointer<QMenu> m_historyMenu;
    QPointer<TFindDialog> m_findDialog;
    QPointer<TFindDialog> m_replaceDialog;
    QString m_searchText;
    bool m_searchMatchCase = false;
    int m_searchStart = 0;
    bool m_matchSelected = false;
};
