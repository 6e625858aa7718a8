#include "editing/EditorMenu.h"

#include "editing/EditingTexts.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>
#include <optional>
#include <vector>

namespace {

// One item of the menu, named after what it does (a separator after the group it begins). A
// caption number of 0 takes the literal caption; "-" is a separator.
struct TMenuItem {
    const char* Name;
    int CaptionNumber;
    const char* Caption;
    const char* Key;
    bool Shown;
    bool FullOnly;
    TEditorCommand Command;
    int Entry = 0;
};

using enum TEditorCommand;

// The swallowed keys: the control or a window would otherwise act on them.
constexpr std::array<const char*, 16> kSwallowedKeys = {
    "Ctrl+J",       "Ctrl+1",       "Ctrl+2",       "Ctrl+5",
    "Ctrl+'",       "Ctrl+`",       "Ctrl+~",       "Ctrl+;",
    "Ctrl+Shift+6", "Ctrl+Shift+A", "Ctrl+Shift+L", "Ctrl+,",
    "Ctrl++",       "Ctrl+=",       "Shift+Alt+X",  "Alt+Shift+Ctrl+F12",
};

// The items after the swallowed keys and the paste history entries, in menu order.
const std::vector<TMenuItem>& itemsBeforeHistory() {
    static const std::vector<TMenuItem> items = {
        {"pmReconstruct", 0, "Reconstruct", "Ctrl+U", false, false, Reconstruct},
        {"pmDel", 0, "Del", "Del", false, false, Delete},
        {"pmRepaint", 0, "", "Ctrl+m", false, false, Repaint},
        {"pmCut", etCut, "", "Ctrl+X", true, false, Cut},
        {"pmShiftInsert", 0, "", "Shift+Ins", false, false, Paste},
        {"pmCopy", etCopy, "", "Ctrl+C", true, false, Copy},
        {"pmCtrlInsert", etCopy, "", "Ctrl+Ins", false, false, Copy},
        {"pmPaste", etPaste, "", "Ctrl+V", true, false, Paste},
        {"pmPasteHistory", etPasteHistory, "", "Ctrl+Shift+V", true, false, PasteHistoryMenu},
    };
    return items;
}

const std::vector<TMenuItem>& itemsAfterHistory() {
    static const std::vector<TMenuItem> items = {
        {"sepUndo", 0, "-", "", true, false, Swallow},
        {"pmUndo", etUndo, "", "Ctrl+Z", true, false, Undo},
        {"pmRedo", etRedo, "", "Ctrl+Y", true, false, Redo},
        {"sepWordHelp", 0, "-", "", true, true, Swallow},
        {"pmWordOverview", etWordOverview, "", "", true, true, WordOverview},
        {"pmHelp", etHelp, "", "F1", true, true, Help},
        {"pmLookUpWord", etLookUpWord, "", "F2", true, true, LookUpWord},
        {"pmPreviousWord", etPreviousWord, "", "Shift+F4", true, true, PreviousWord},
        {"pmNextWord", etNextWord, "", "F4", true, true, NextWord},
        {"pmInsertExample", etInsertExample, "", "F8", true, true, InsertExample},
        {"sepRunning", 0, "-", "", true, true, Swallow},
        {"pmSyntaxCheck", etSyntaxCheck, "", "F10", true, true, SyntaxCheck},
        {"pmExecute", etExecute, "", "F5", true, true, Execute},
        {"sepColouring", 0, "-", "", true, true, Swallow},
        {"pmDepthColors", etDepthColors, "", "F11", true, true, DepthColors},
        {"pmColoring", etColoring, "", "Ctrl+O", true, true, Coloring},
        {"sepSyntaxTree", 0, "-", "", true, true, Swallow},
        {"pmSyntaxTree", etSyntaxTree, "", "F12", true, true, SyntaxTree},
        {"sepSelection", 0, "-", "", true, false, Swallow},
        {"pmSelectAll", etSelectAll, "", "Ctrl+A", true, false, SelectAll},
        {"sepSearch", 0, "-", "", true, false, Swallow},
        {"pmReplace", etReplace, "", "Ctrl+H", true, false, Replace},
        {"pmFind", etFind, "", "Ctrl+F", true, false, Find},
        {"pmFindNext", etFindNext, "", "F3", true, false, FindNext},
        {"sepPrinting", 0, "-", "", true, false, Swallow},
        {"pmPrint", etPrint, "", "", true, false, Print},
        {"sepFiles", 0, "-", "", true, false, Swallow},
        {"pmSaveAs", etSaveAs, "", "", true, false, SaveAs},
        {"pmOpen", etOpen, "", "", true, false, Open},
        {"sepTraceWindow", 0, "-", "", true, false, Swallow},
        {"pmShowTraceWindow", etShowTraceWindow, "", "", true, false, ShowTraceWindow},
    };
    return items;
}

// The key a name stands for; none for a name the keyboard has no key for ("Ctrl+Shift+10").
QKeySequence keyOf(const QString& name) {
    const QKeySequence key = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (key.count() != 1 || key[0].key() == Qt::Key_unknown)
        return {};
    return key;
}

// The digit key a shifted symbol lies on, where the platform does not say: by the key's scan
// code on X11 and Wayland (whatever the layout), else by the US layout.
std::optional<Qt::Key> digitKeyOf(const QKeyEvent& event) {
    static const bool scanCodesAreKeys = QGuiApplication::platformName() == u"xcb" ||
                                         QGuiApplication::platformName().startsWith(u"wayland");
    // X11 and evdev number the keys 1 to 9 and 0 from 10 on.
    const quint32 scanCode = event.nativeScanCode();
    if (scanCodesAreKeys && scanCode >= 10 && scanCode <= 19)
        return scanCode == 19 ? Qt::Key_0 : Qt::Key(Qt::Key_1 + int(scanCode) - 10);
    static constexpr std::array<std::pair<Qt::Key, Qt::Key>, 10> usLayout = {{
        {Qt::Key_Exclam, Qt::Key_1},
        {Qt::Key_At, Qt::Key_2},
        {Qt::Key_NumberSign, Qt::Key_3},
        {Qt::Key_Dollar, Qt::Key_4},
        {Qt::Key_Percent, Qt::Key_5},
        {Qt::Key_AsciiCircum, Qt::Key_6},
        {Qt::Key_Ampersand, Qt::Key_7},
        {Qt::Key_Asterisk, Qt::Key_8},
        {Qt::Key_ParenLeft, Qt::Key_9},
        {Qt::Key_ParenRight, Qt::Key_0},
    }};
    for (const auto& [symbol, digit] : usLayout)
        if (event.key() == symbol)
            return digit;
    return std::nullopt;
}

// The key combinations an event may stand for, the likeliest first: as it came; Backtab as
// Shift+Tab; and for a symbol typed with Shift the digit key it lies on (Ctrl+Shift+1 arrives
// as Ctrl+Shift+! on many layouts) and the symbol without Shift (Ctrl+~ is typed with Shift).
std::vector<QKeyCombination> keyCandidates(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    Qt::Key key = Qt::Key(event.key());
    if (key == Qt::Key_Backtab)
        key = Qt::Key_Tab;
    std::vector<QKeyCombination> candidates = {QKeyCombination(modifiers, key)};
    const bool shiftedSymbol =
        (modifiers & Qt::ShiftModifier) && key >= Qt::Key_Exclam && key <= Qt::Key_AsciiTilde &&
        !(key >= Qt::Key_0 && key <= Qt::Key_9) && !(key >= Qt::Key_A && key <= Qt::Key_Z);
    if (!shiftedSymbol)
        return candidates;
    if (const std::optional<Qt::Key> digit = digitKeyOf(event))
        candidates.emplace_back(modifiers, *digit);
    candidates.emplace_back(modifiers & ~Qt::ShiftModifier, key);
    return candidates;
}

} // namespace

TEditorMenu::TEditorMenu(QWidget* editor, bool fullFeatures)
    : QMenu(editor) {
    setObjectName(QStringLiteral("EditorMenu"));
    const auto add = [&](const TMenuItem& item) {
        if (item.FullOnly && !fullFeatures)
            return;
        QAction* action = nullptr;
        if (QLatin1StringView(item.Caption) == QLatin1StringView("-")) {
            action = addSeparator();
        } else {
            const QString caption = item.CaptionNumber
                                        ? EditingText(TEditingText(item.CaptionNumber))
                                        : QString::fromLatin1(item.Caption);
            action = addAction(caption);
            action->setShortcut(keyOf(QString::fromLatin1(item.Key)));
            // The editor dispatches the keys itself; the shortcut is shown in the menu only.
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setVisible(item.Shown);
            action->setProperty("command", int(item.Command));
            action->setProperty("entry", item.Entry);
            if (!action->shortcut().isEmpty())
                m_keyed << action;
            const TEditorCommand command = item.Command;
            const int entry = item.Entry;
            connect(action, &QAction::triggered, this,
                    [this, command, entry] { emit commandTriggered(command, entry); });
        }
        action->setObjectName(QString::fromLatin1(item.Name));
    };
    for (std::size_t i = 0; i < kSwallowedKeys.size(); ++i) {
        const QByteArray name = "pmSwallow" + QByteArray::number(qsizetype(i) + 1);
        add({name.constData(), 0, "", kSwallowedKeys[i], false, false, Swallow});
    }
    for (const TMenuItem& item : itemsBeforeHistory())
        add(item);
    for (int n = 1; n <= 10; ++n) {
        const QByteArray name = "pmPastebuffer" + QByteArray::number(n);
        const QByteArray caption = "Pastebuffer" + QByteArray::number(n);
        const QByteArray key = "Ctrl+Shift+" + QByteArray::number(n);
        add({name.constData(), 0, caption.constData(), key.constData(), false, false,
             PasteHistoryEntry, n - 1});
    }
    for (const TMenuItem& item : itemsAfterHistory())
        add(item);
}

QAction* TEditorMenu::KeyAction(const QKeyEvent& event) const {
    for (const QKeyCombination candidate : keyCandidates(event))
        for (QAction* action : m_keyed)
            if (action->shortcut()[0] == candidate)
                return action;
    return nullptr;
}

QAction* TEditorMenu::CommandAction(TEditorCommand command, int entry) const {
    for (QAction* action : actions())
        if (!action->isSeparator() && CommandOf(action) == command && EntryOf(action) == entry)
            return action;
    return nullptr;
}

TEditorCommand TEditorMenu::CommandOf(const QAction* action) {
    return TEditorCommand(action->property("command").toInt());
}

int TEditorMenu::EntryOf(const QAction* action) {
    return action->property("entry").toInt();
}
