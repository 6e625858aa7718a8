#pragma once

#include "editing/EditorSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

class TRuntimeLookup;

// The editor's lexical rules. They only decide colours, so they are simpler than the runtime's:
// a word is a run of characters that are no separators, a separator is a word of its own, and
// ":=" is the one word of two separators.
//
// Separators: NUL, TAB, LF, CR, space and ( ) * + , - / : < = > [ ] { }. Everything else is a
// word character, so a.b, x;y and 'q' are single words. Blanks (NUL, TAB, LF, CR, space) get no
// colour. Punctuation (( ) , . [ ] { }) standing alone is coloured as such; "." is punctuation
// but no separator.

bool IsSeparator(char c) noexcept;
bool IsBlank(char c) noexcept;
bool IsPunctuation(char c) noexcept;

// The word at `position` of `line` and where it starts. Position line.size() is the end of the
// line, which reads as one NUL character (a separator). A CR at position p > 1 gives the word
// before it. Outside the line (p < 0, p > size) and on an empty line the result is empty and
// `start` is left as it was. The word points into `line`, except the NUL at the end.
std::string_view WordAt(int position, std::string_view line, int& start);

// Digits with at most one ".", not at the start: "5", "5.", "1.25"; not ".5" or "1.2.3".
bool IsNumber(std::string_view word) noexcept;

// The style class of a word: a number; else a global variable; else a registered word that is
// listed; else punctuation when the word is one punctuation character, and any other word. A
// name that is a variable and a word is coloured as a variable. Without a runtime only numbers,
// punctuation and other words are told apart.
std::uint8_t ClassifyWord(std::string_view word, const TRuntimeLookup* runtime);

// The colours of a class. The class is masked with 0x7F; a class without an entry reads as an
// other word.
TStyleEntry StyleOf(std::uint8_t styleClass, const TStyleTable& styles) noexcept;

// `text` repeated `count` times; empty for a count of 0 or less.
std::string RepeatText(std::string_view text, int count);

// The CR characters at first .. last inclusive, within the text.
int CountLineBreaks(std::string_view text, int first, int last) noexcept;
