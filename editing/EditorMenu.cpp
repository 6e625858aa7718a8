#include "editing/EditorMenu.h"

#include "editing/EditingTexts.h"
#include "editing/EditorKeys.h"

namespace {

QString captionOf(const TEditorCommandRow& row) {
    if (row.CaptionNumber != 0)
        return EditingText(TEditingText(row.CaptionNumber));
    return QString::fromLatin1(row.Name).remove(0, 2);
}

} // namespace

TEditorMenu::TEditorMenu(QWidget* editor, std::span<const TEditorCommandRow> rows,
                         bool fullFeatures)
    : QMenu(editor) {
    setObjectName(QStringLiteral("EditorMenu"));
    for (const TEditorCommandRow& row : rows) {
        if (!row.HasItem(fullFeatures))
            continue;
        if (row.Group == TMenuGroup::Begins)
            addSeparator();
        QAction* action = addAction(captionOf(row));
        action->setObjectName(QString::fromLatin1(row.Name));
        action->setShortcut(KeyOf(row.Key));
        // The editor dispatches the keys itself; the shortcut is shown in the menu only.
        action->setShortcutContext(Qt::WidgetShortcut);
        action->setVisible(row.ItemShown());
        action->setProperty("command", int(row.Command));
        action->setProperty("entry", row.Entry);
        const TEditorCommand command = row.Command;
        const int entry = row.Entry;
        connect(action, &QAction::triggered, this,
                [this, command, entry] { emit commandTriggered(command, entry); });
    }
}

QAction* TEditorMenu::CommandAction(TEditorCommand command, int entry) const {
    for (QAction* action : actions())
        if (!action->isSeparator() && action->property("command").toInt() == int(command) &&
            action->property("entry").toInt() == entry)
            return action;
    return nullptr;
}
