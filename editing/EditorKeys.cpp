#include "editing/EditorKeys.h"

#include "editing/LexicalRules.h"
#include "editing/ScriptEditor.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <array>
#include <optional>

namespace {

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

int leadingBlanks(const QString& line) {
    int count = 0;
    while (count < line.size() && line[count] == u' ')
        ++count;
    return count;
}

bool isBlankLine(const QString& line) {
    return leadingBlanks(line) == line.size();
}

// The line as the lexical rules read it: one byte per character of the control, so that
// columns stay the same.
std::string lineBytes(const QString& line) {
    std::string bytes;
    bytes.reserve(std::size_t(line.size()));
    for (const QChar unit : line)
        bytes += toWindows1252(unit).value_or('?');
    return bytes;
}

void select(TVexScriptEditor& editor, int anchor, int position) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

// Backspace right after ")" outside comments and texts selects the group it closes.
bool selectBracketGroup(TVexScriptEditor& editor) {
    const QTextCursor cursor = editor.textCursor();
    const int caret = cursor.position();
    if (!editor.Settings().BracketBackspace || cursor.hasSelection() || caret == 0 ||
        editor.document()->characterAt(caret - 1) != u')')
        return false;
    const int close = editor.BufferPosition(caret - 1);
    if (editor.TextStateAt(close) != 0)
        return false;
    const auto pair = editor.FindEnclosingParens(close);
    if (!pair)
        return false;
    select(editor, editor.ControlPosition(pair->first), caret);
    return true;
}

// Backspace at the end of a line's indentation goes back to the indentation of the nearest
// less indented line above that is not blank, or to none.
bool backspace(TVexScriptEditor& editor) {
    if (selectBracketGroup(editor))
        return true;
    const QTextCursor cursor = editor.textCursor();
    const QTextBlock line = editor.document()->findBlock(cursor.selectionStart());
    if (line.blockNumber() == 0)
        return false;
    if (cursor.hasSelection()) {
        editor.InsertText(QString());
        return true;
    }
    const int column = cursor.position() - line.position();
    const int indentation = leadingBlanks(line.text());
    if (column == 0 || column != indentation)
        return false;
    int target = 0;
    for (QTextBlock above = line.previous(); above.isValid(); above = above.previous()) {
        const QString text = above.text();
        if (!isBlankLine(text) && leadingBlanks(text) < indentation) {
            target = leadingBlanks(text);
            break;
        }
    }
    select(editor, line.position() + target, cursor.position());
    editor.InsertText(QString());
    return true;
}

// The selected lines, whole, without the line break after the last: a selection that ends
// right after a line break does not take the next line.
std::pair<int, int> selectedLines(const TVexScriptEditor& editor) {
    const QTextCursor cursor = editor.textCursor();
    const QTextDocument* document = editor.document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    if (last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    return {first.position(), last.position() + last.length() - 1};
}

QString linesBetween(const QTextDocument& document, int start, int end) {
    QStringList lines;
    for (QTextBlock block = document.findBlock(start); block.isValid() && block.position() <= end;
         block = block.next())
        lines << block.text();
    return lines.join(u'\n');
}

void indent(TVexScriptEditor& editor, bool outwards) {
    if (!editor.textCursor().hasSelection()) {
        if (!outwards)
            editor.InsertText(editor.IndentText());
        return;
    }
    const auto [start, end] = selectedLines(editor);
    const QString lines = linesBetween(*editor.document(), start, end);
    const QString changed = outwards ? UnindentLines(lines, editor.Settings().IndentWidth)
                                     : IndentLines(lines, editor.IndentText());
    select(editor, start, end);
    if (changed != lines)
        editor.InsertText(changed);
    select(editor, start, start + int(changed.size()));
}

// A new line indented like the caret's line (or, when it is blank, the nearest line above that
// is not), never further than the caret's column; one step further after "(" unless ")"
// follows. False when the new line gets no indentation: the control makes it then.
bool autoIndent(TVexScriptEditor& editor) {
    const QTextCursor cursor = editor.textCursor();
    const QTextDocument* document = editor.document();
    const int start = cursor.selectionStart();
    const QTextBlock line = document->findBlock(start);
    QTextBlock reference = line;
    while (isBlankLine(reference.text()) && reference.previous().isValid())
        reference = reference.previous();
    const QString referenceText = reference.text();
    const int referenceIndentation = isBlankLine(referenceText) ? 0 : leadingBlanks(referenceText);
    const int indentation = std::min(start - line.position(), referenceIndentation);
    QString text = u'\n' + QString(indentation, u' ');
    if (start > 0 && document->characterAt(start - 1) == u'(' &&
        document->characterAt(cursor.selectionEnd()) != u')')
        text += editor.IndentText();
    if (text.size() == 1)
        return false;
    editor.InsertText(text);
    return true;
}

// Deletes from the caret to the end of the word at the caret; at the end of a line the word is
// the line break, so the next line is joined.
void deleteWordEnd(TVexScriptEditor& editor) {
    const QTextCursor cursor = editor.textCursor();
    const QTextBlock line = cursor.block();
    const int column = cursor.position() - line.position();
    int wordStart = column;
    const QString word = WordAtColumn(line.text(), column, &wordStart);
    if (word.isEmpty() || word == u" ")
        return;
    const int last = editor.document()->characterCount() - 1;
    const int end = std::min(cursor.position() + int(word.size()) - (column - wordStart), last);
    if (end <= cursor.position())
        return;
    select(editor, cursor.position(), end);
    editor.InsertText(QString());
}

void scrollOneLine(TVexScriptEditor& editor, int lines) {
    QScrollBar* bar = editor.verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

} // namespace

QKeySequence KeyOf(const char* text) {
    const QKeySequence key =
        QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
    if (key.count() != 1 || key[0].key() == Qt::Key_unknown)
        return {};
    return key;
}

std::vector<QKeyCombination> KeyCandidates(const QKeyEvent& event) {
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

bool HandleEditorKey(TVexScriptEditor& editor, const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (event.key()) {
    case Qt::Key_Backspace:
        return (modifiers & Qt::AltModifier) || backspace(editor);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (control) {
            if (auto* panel = qobject_cast<TScriptEditor*>(editor.parentWidget()))
                panel->SwitchPage(!shift && event.key() == Qt::Key_Tab);
        } else {
            indent(editor, shift || event.key() == Qt::Key_Backtab);
            editor.viewport()->update();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return autoIndent(editor);
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (control)
            scrollOneLine(editor, event.key() == Qt::Key_Up ? -1 : 1);
        return false;
    case Qt::Key_Insert:
        if (!shift)
            editor.ToggleOverwriteMode();
        return !shift;
    case Qt::Key_Delete:
        if (!control)
            return false;
        deleteWordEnd(editor);
        editor.viewport()->update();
        return true;
    default:
        return false;
    }
}

bool HandleTypedBracket(TVexScriptEditor& editor, const QKeyEvent& event) {
    const QString typed = event.text();
    if (!editor.Settings().AutoCloseBrackets || typed.size() != 1 ||
        (event.modifiers() & Qt::ControlModifier))
        return false;
    static const QString opening = QStringLiteral("([{");
    static const QString closing = QStringLiteral(")]}");
    if (const qsizetype kind = opening.indexOf(typed[0]); kind >= 0) {
        editor.InsertText(typed + closing[kind]);
        QTextCursor cursor = editor.textCursor();
        cursor.movePosition(QTextCursor::PreviousCharacter);
        editor.setTextCursor(cursor);
        return true;
    }
    if (!closing.contains(typed[0]) || !editor.overwriteMode())
        return false;
    QTextCursor cursor = editor.textCursor();
    const int caret = cursor.selectionStart();
    const bool same = editor.document()->characterAt(caret) == typed[0];
    cursor.setPosition(same ? caret + 1 : caret);
    editor.setTextCursor(cursor);
    return same;
}

QString WordAtColumn(const QString& line, int column, int* start) {
    const std::string bytes = lineBytes(line);
    int wordStart = column;
    const std::string_view word = WordAt(column, bytes, wordStart);
    if (start)
        *start = wordStart;
    if (word.size() == 1 && word[0] == '\0')
        return QString(QChar(0));
    return line.mid(wordStart, qsizetype(word.size()));
}

QString IndentLines(const QString& lines, const QString& indentText) {
    QString indented = indentText + lines;
    indented.replace(u'\n', u'\n' + indentText);
    return indented;
}

QString UnindentLines(const QString& lines, int width) {
    QStringList result = lines.split(u'\n');
    for (QString& line : result)
        line.remove(0, std::min(leadingBlanks(line), std::max(width, 0)));
    return result.join(u'\n');
}
