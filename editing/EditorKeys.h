#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QString>

#include <vector>

class QKeyEvent;
class TVexScriptEditor;

// The key a portable key text names ("Ctrl+Shift+V"); none for an empty text and for one the
// keyboard has no key for ("Ctrl+Shift+10").
QKeySequence KeyOf(const char* text);

// The key combinations an event may stand for, the likeliest first: as it came; Backtab as
// Shift+Tab; and for a symbol typed with Shift the digit key it lies on (Ctrl+Shift+1 arrives
// as Ctrl+Shift+! on many layouts) and the symbol without Shift (Ctrl+~ is typed with Shift).
std::vector<QKeyCombination> KeyCandidates(const QKeyEvent& event);

// The keys the editor handles itself, after its commands' keys and before the plain-text control.
// They edit the text or move in it; keys that run a command are rows of the command table
// (EditorCommands.h).
//
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
