#pragma once

#include <QString>

class QKeyEvent;
class TVexScriptEditor;

// The keys the editor handles itself, after its menu's keys and before the plain-text control:
//
//   Alt+Backspace       nothing
//   Backspace           after ")" (BracketBackspace on): selects the parenthesised group, so
//                       that a second Backspace deletes it; at the end of a line's indentation:
//                       back to the indentation of the nearest less indented line above
//   Tab, Shift+Tab      indents (unindents) the selected lines; Tab alone inserts one step
//   Ctrl+Tab            the next (previous with Shift) page of a tab widget holding the panel
//   Return              a new line indented like the line above; one step more after "("
//   Ctrl+Up, Ctrl+Down  scrolls the view one line, then moves as the control does
//   Insert              switches between insert and overwrite
//   Ctrl+Delete         deletes to the end of the word at the caret (joins lines at a line end)
//   Shift+Delete        cuts the selection
//   F1                  the help topic of the word at the caret
//
// Every insertion goes through TVexScriptEditor::InsertText, so each is one undo step.

// True when the key was handled and takes no further path.
bool HandleEditorKey(TVexScriptEditor& editor, const QKeyEvent& event);

// Automatic brackets for a typed character (AutoCloseBrackets on): "(", "[" and "{" insert the
// pair with the caret between; in overwrite mode a typed ")", "]" or "}" steps over the same
// character at the caret. True when the character was handled.
bool HandleTypedBracket(TVexScriptEditor& editor, const QKeyEvent& event);

// The word at `column` of a line by the editor's lexical rules, and in `start` where it begins;
// the end of the line reads as the one-character word "\0", and an empty line has no word.
QString WordAtColumn(const QString& line, int column, int* start = nullptr);

// The lines of a block of text (separated by "\n") one indentation step further in, or out:
// unindenting removes up to `width` leading spaces of each line.
QString IndentLines(const QString& lines, const QString& indentText);
QString UnindentLines(const QString& lines, int width);
