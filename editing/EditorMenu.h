#pragma once

#include "editing/EditorCommands.h"

#include <QMenu>

#include <span>

// The editor's context menu, made from the command table (TEditorCommands::Table): an item per
// row the editor has, visible or hidden, with its caption from the language module and its key
// shown beside it, and a separator before each row that begins a group. The editor runs the
// keys itself (TEditorCommands::RunKey); the items show them and run their command when chosen.
class TEditorMenu : public QMenu {
    Q_OBJECT

public:
    TEditorMenu(QWidget* editor, std::span<const TEditorCommandRow> rows, bool fullFeatures);

    // The item of a command (the first, for a command that several items run); none when the
    // editor has none.
    QAction* CommandAction(TEditorCommand command, int entry = 0) const;

signals:
    void commandTriggered(TEditorCommand command, int entry);
};
