// Text-to-text rewrites that take the place of a tokenizer for VexScript.
//
// After these rewrites every piece of script is a number, a text constant in square brackets,
// a variable name, or a call `name(arg,arg,...)` whose arguments are again such pieces.
// All texts are byte strings; every function accepts any bytes (NUL and bytes of 0x80 and above
// included) and never reports an error: text that stays unusable is rejected later by the
// parser, which then reports the piece as a name that is no word.

#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vex {

// Rewrites the infix operators of one piece into prefix calls: "a+b*c" gives "+(a,*(b,c))".
//
// The operators, from weakest to strongest binding, are ":=", ">=", "<=", "<>", ">", "<", "=",
// "&", "|", "^", "%" (split at the leftmost occurrence, so they group to the right) and then
// "-" and "+" below "*" and "/" (grouping to the left). Only the piece's own level is
// searched: parenthesised parts and text constants are skipped and converted later, when the
// parser reaches them, except that an operand "(n)" holding only a number becomes "n".
// An operator counts only when it is not the first character and not preceded by '(' or ',';
// '+' and '-' are signs, not operators, after '*' or '/' and as the sign of an exponent in a
// number ("2*1e-3" gives "*(2,1e-3)"). Pieces that are numbers, text constants, empty or ")"
// come back unchanged; since a text constant is anything from '[' to a final ']', so does
// "[a]+[b]", and an operand run such as "[a]+[b]" in "[a]+[b]-c" stays whole.
//
// Malformed text (doubled operators such as "a+-b", unbalanced parentheses, top-level commas)
// is converted step by step, one operator at a time, which takes time quadratic in its length.
// To bound time and stack use, a malformed stretch longer than 4096 bytes between right-grouping
// operators is returned unconverted, and so is an operand nested more than 64 step-by-step
// conversions deep. Well-formed pieces of any length are converted in linear time.
std::string ConvertOperators(std::string_view text);

// The operator conversion for a caller that converts many pieces: the same results as
// ConvertOperators, with working storage kept from one piece to the next.
class TOperatorConverter {
public:
    TOperatorConverter();
    ~TOperatorConverter();
    TOperatorConverter(const TOperatorConverter&) = delete;
    TOperatorConverter& operator=(const TOperatorConverter&) = delete;

    // Replaces `out` by the conversion of `text`.
    void Convert(std::string_view text, std::string& out);

    struct TStorage;

private:
    std::unique_ptr<TStorage> m_storage;
};

// Rewrites a bare name in dot notation into a call of the word "label": "c.speed" gives
// `label([speed],c)` and "Model.count" gives `label([count],Model)`.
//
// Returns true and sets `call` when the piece is longer than 2 characters, starts with "a.",
// "c.", "i.", "main." or "model." (letters in any case, kept as written), and nothing after the
// prefix is one of * + - / : < = >. Otherwise returns false and leaves `call` untouched.
bool RewriteLabel(std::string_view piece, std::string& call);

// Unscrambles a piece of protected code of the form "protectedcode([first>.>second>.>code])"
// and stores the plain script text in `code`. Whether protected code is honoured at all is the
// caller's decision.
//
// The piece must be longer than 17 bytes and start with "protectedcode". It is cut before the
// character that precedes its last ')', its first 15 bytes are dropped, and the rest is split
// at ">.>"; the third field is read in groups of 6 decimal digits (a shorter tail is ignored).
// Each group v stands for one character: r is the integer nearest to the square root of v + 17
// and the character code is r / 2 (truncated) minus 12; the last group gives the first
// character.
//
// Returns false and leaves `code` untouched when the piece does not qualify or is malformed:
// no ')' far enough in, fewer than three fields, a group with a character other than a digit,
// or a group that decodes to a code outside 0 to 255. An empty third field gives empty code.
bool UnwrapProtectedCode(std::string_view piece, std::string& code);

} // namespace vex
