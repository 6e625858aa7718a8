// Warnings for the traps of the language: text that is valid VexScript but means something other
// than it seems to. The language's rules stay as they are; a checker (vexscript --check, the
// editor's syntax check) shows these beside the compile errors.

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

enum class TTrapKind : std::uint8_t {
    // "[a] < [b]": a piece that starts with '[' and ends with ']' is one text constant, so two
    // texts around an operator become the single text "a] < [b".
    GluedTextConstants,
    // A '}' without its '{' cuts the prepared text back to the last comment's start (to the
    // beginning without one): the text before it is lost.
    StrayClosingBrace,
    // A '{' that is never closed: the comment does not end where it seems to.
    UnclosedComment,
    // "1 2": blanks are removed, so two numbers or names on either side become one.
    JoinedByBlanks,
    // "-x", "-(a+b)": a leading minus is the sign of a number only; before a name or a
    // parenthesis it is part of a name that no word has, or the word "-" with one argument.
    SignBeforeName,
    // "k > 0 & k < 10": & and | bind more strongly than comparisons, so this is k > (0 & k < 10),
    // not two comparisons joined.
    LogicBetweenComparisons,
    // "1 < 2 < 3": comparisons group to the right, so this is 1 < (2 < 3), not a chain.
    ChainedComparison,
};

// A trap found in a source text, at a line and column (both from 1; columns count bytes) of that
// text.
struct TSourceTrap {
    TTrapKind Kind;
    int Line = 1;
    int Column = 1;
    // The warning as a person reads it, quoting the text concerned.
    std::string Message;
};

// Finds the traps of one source text (what one compile gets: a statement of a file, a text
// given to run), in the order of their places. It follows the whitespace and comment removal and
// the operator conversion of the parser, so it warns exactly where the language reads the text
// differently; it neither compiles nor needs a context. Nesting deeper than the parser follows
// is not searched.
std::vector<TSourceTrap> FindSourceTraps(std::string_view source);

} // namespace vex
