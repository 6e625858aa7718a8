#pragma once

#include <QMenu>

#include <cstdint>

class QKeyEvent;

// What an item of the editor's context menu does. The editor runs it (TEditorCommands).
enum class TEditorCommand : std::uint8_t {
    Swallow, // takes the key away from the control and the window, and does nothing
    Reconstruct,
    Delete,
    Repaint,
    Cut,
    Copy,
    Paste,
    PasteHistoryMenu,
    PasteHistoryEntry, // the item's Entry says which
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

// The editor's context menu. Its items carry every key binding of the editor's commands: hidden
// items are not shown but answer their keys all the same, and the first sixteen only take keys
// away from the control and from the window (Ctrl+J, Ctrl+1, ...). The items of the word
// overview, help, syntax, run and colouring commands exist only in an editor with full
// features. Captions come from the language module when the menu is built.
//
// The editor asks KeyAction for each key before anything else handles it, so its keys win over
// the window's: Ctrl+O in the editor switches colouring even where the window's Ctrl+O opens a
// file.
class TEditorMenu : public QMenu {
    Q_OBJECT

public:
    TEditorMenu(QWidget* editor, bool fullFeatures);

    // The item whose key the event is, visible or not; none for other keys.
    QAction* KeyAction(const QKeyEvent& event) const;
    // The item of a command (the first, for a command that several items run).
    QAction* CommandAction(TEditorCommand command, int entry = 0) const;

    static TEditorCommand CommandOf(const QAction* action);
    // The paste history entry an item pastes.
    static int EntryOf(const QAction* action);

signals:
    void commandTriggered(TEditorCommand command, int entry);

private:
    QList<QAction*> m_keyed;
};
