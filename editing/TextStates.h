#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Where comments, text constants and parentheses stand in the text, per character:
//
//   TextState    -1 inside a comment (both braces included), n > 0 inside text constants
//                nested n deep (both brackets included), 0 elsewhere;
//   ParenDepth   the number of "(" before the character minus the number of ")" up to and
//                including it, so a pair carries the depth outside it. Parentheses inside
//                comments and texts count here too.
//
// A "{" inside a text constant opens no comment, and a "[" inside a comment opens no text.
//
// The values follow from the text from its start, but an edit changes them only from the edited
// line on, and usually only until the line where the state is the same as before. So the states
// are kept per line: the state at each line's start, and for each line a summary of what the
// line does to a state. An edit marks its lines; the starts after it are brought up to date
// when someone asks for them, stopping where a start comes out as before. The values of a
// character are read from its line's start state by a scan of that line.

// The state before a character.
struct TLexicalState {
    bool Comment = false;
    std::int32_t TextDepth = 0;
    std::int32_t ParenDepth = 0;
    // Parentheses outside comments and texts still open: "(" adds one, ")" takes one away
    // unless none is open.
    std::int32_t OpenParens = 0;

    std::int32_t TextState() const noexcept { return Comment ? -1 : TextDepth; }
    bool operator==(const TLexicalState&) const = default;
};

// Moves the state over one character and gives the character's TextState and ParenDepth.
inline void ApplyCharacter(TLexicalState& state, char c, std::int32_t& textState,
                           std::int32_t& parenDepth) noexcept {
    if (c == '{' && state.TextDepth <= 0)
        state.Comment = true;
    if (c == '[' && !state.Comment)
        ++state.TextDepth;
    textState = state.TextState();
    if (c == '}' && state.Comment)
        state.Comment = false;
    if (c == ']' && state.TextDepth > 0)
        --state.TextDepth;
    if (c == ')')
        --state.ParenDepth;
    parenDepth = state.ParenDepth;
    if (c == '(')
        ++state.ParenDepth;
    if (textState == 0 && c == '(')
        ++state.OpenParens;
    else if (textState == 0 && c == ')' && state.OpenParens > 0)
        --state.OpenParens;
}

// The lines the states are read from: each line's characters, without its line break.
class TLineSource {
public:
    virtual ~TLineSource() = default;
    virtual int LineCount() const = 0;
    virtual std::string_view LineText(int line) const = 0;
};

// A place in the text by line and column (0-based).
struct TTextPoint {
    int Line = 0;
    int Column = 0;
    bool operator==(const TTextPoint&) const = default;
};

class TTextStates {
public:
    explicit TTextStates(const TLineSource& lines)
        : m_lines(lines) {}

    // Computes every line anew from the source.
    void Reset();
    // The old lines first .. first + removed - 1 were replaced by the new lines first .. first +
    // added - 1 (their content changed); the lines after them are the old ones, shifted.
    void Replace(int first, int removed, int added);

    // The state before the first character of a line; a line past the last gives the state at
    // the end of the text.
    TLexicalState StartOf(int line);
    // The state before the character at `column` (the end of the line when past it).
    TLexicalState StateAt(TTextPoint point);
    // TextState and ParenDepth of the first `count` characters of a line; places past its end
    // (its line break, the end of the text) carry the state at the end of the line.
    void LineStates(int line, int count, std::int32_t* textState, std::int32_t* parenDepth);

    // The innermost pair of parentheses outside comments and texts around the point just before
    // `point`: false when there is none.
    bool EnclosingParens(TTextPoint point, TTextPoint& open, TTextPoint& close);

    // How many line starts are known to be up to date (for tests of the incremental path).
    int ValidLineCount() const noexcept { return m_validThrough + 1; }

private:
    // What a line does to a state that enters it with the comment and text depth of its key.
    struct TSummary {
        bool Dirty = true;
        bool KeyComment = false;
        std::int32_t KeyTextDepth = 0;
        bool EndComment = false;
        std::int32_t EndTextDepth = 0;
        std::int32_t ParenNet = 0;
        // OpenParens after the line is max(open + OpenShift, OpenFloor).
        std::int32_t OpenShift = 0;
        std::int32_t OpenFloor = 0;
    };

    void bringUpTo(int line);
    void summarize(int line);
    TLexicalState after(int line) const;
    void addBreak(int line);
    void removeBreak(int line);
    const std::vector<std::int32_t>& textStatesOf(int line);

    const TLineSource& m_lines;
    std::vector<TLexicalState> m_starts;
    std::vector<TSummary> m_summaries;
    // Lines after which the stored starts may not follow, ascending: lines whose summary is
    // dirty, and the line where a walk stopped after it had changed that line's start.
    std::vector<int> m_breaks;
    // The starts of lines 0 .. m_validThrough are up to date.
    int m_validThrough = 0;
    std::vector<std::int32_t> m_scratchStates;
    std::vector<std::int32_t> m_scratchDepths;
};
