#include "runtime/SourceTraps.h"

#include "runtime/Parser.h"
#include "runtime/SourcePreparation.h"

#include <algorithm>

// Sections:
//   [preparation]  the whitespace and comment pass, keeping where each character came from;
//                  the brace and blank traps are found on the way
//   [pieces]       the pieces the parser will see, after the pass; the text constant and
//                  sign traps are found in them

namespace vex {

namespace {

bool IsWhitespace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// Characters of numbers and names.
bool IsWordCharacter(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_' || ch == '.';
}

// Characters of the infix operators, comparisons and assignment included.
bool IsOperatorCharacter(char ch) {
    return std::string_view(":=<>&|^%*/+-").find(ch) != std::string_view::npos;
}

// A text for a message: in double quotes, cut after 40 bytes.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() > kLongest) {
        return "\"" + std::string(text.substr(0, kLongest)) + "...\"";
    }
    return "\"" + std::string(text) + "\"";
}

class TTrapFinder {
public:
    explicit TTrapFinder(std::string_view source)
        : m_source(source) {}

    std::vector<TSourceTrap> Find() {
        Prepare();
        ScanPiece(m_prepared, 0, m_prepared.size(), 0);
        // An operand is scanned again after its operator expression was: a trap found twice at
        // one place is one.
        std::stable_sort(m_found.begin(), m_found.end(),
                         [](const TFound& a, const TFound& b) { return a.Offset < b.Offset; });
        std::vector<TSourceTrap> traps;
        for (std::size_t i = 0; i < m_found.size(); ++i) {
            const TFound& found = m_found[i];
            if (i > 0 && found.Offset == m_found[i - 1].Offset &&
                found.Trap.Kind == m_found[i - 1].Trap.Kind) {
                continue;
            }
            traps.push_back(found.Trap);
            PlaceAt(traps.back(), found.Offset);
        }
        return traps;
    }

private:
    struct TFound {
        std::size_t Offset;
        TSourceTrap Trap;
        // For a trap found while preparing: where the prepared text stood, so that a '}' that
        // cuts the text back takes the trap with it.
        std::size_t Prepared = std::string::npos;
    };

    void Add(TTrapKind kind, std::size_t offset, std::string message,
             std::size_t prepared = std::string::npos) {
        m_found.push_back({offset, TSourceTrap{kind, 1, 1, std::move(message)}, prepared});
    }

    // Line and column of a source offset.
    void PlaceAt(TSourceTrap& trap, std::size_t offset) {
        if (m_lineStarts.empty()) {
            m_lineStarts.push_back(0);
            for (std::size_t i = 0; i < m_source.size(); ++i) {
                if (m_source[i] == '\n') {
                    m_lineStarts.push_back(i + 1);
                }
            }
        }
        const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
        trap.Line = static_cast<int>(next - m_lineStarts.begin());
        trap.Column = static_cast<int>(offset - *(next - 1)) + 1;
    }

    // [preparation] -------------------------------------------------------------------------

    void Append(char ch, std::size_t origin) {
        m_prepared += ch;
        m_origins.push_back(origin);
    }

    // The pass of RemoveWhitespaceAndComments, character by character.
    void Prepare() {
        std::size_t commentMark = 0;
        std::vector<std::size_t> openBraces;
        bool closingBraceAhead = true;
        for (std::size_t i = 0; i < m_source.size(); ++i) {
            const char ch = m_source[i];
            if (IsWhitespace(ch)) {
                continue;
            }
            if (ch == '[') {
                i = CopyTextConstant(i);
            } else if (ch == '{') {
                commentMark = m_prepared.size();
                openBraces.push_back(i);
                const std::size_t close =
                    closingBraceAhead ? m_source.find('}', i + 1) : std::string_view::npos;
                if (close == std::string_view::npos) {
                    closingBraceAhead = false;
                    continue;
                }
                // The comment's own nested braces: each needs its '}' later.
                for (std::size_t k = i + 1; k < close; ++k) {
                    if (m_source[k] == '{') {
                        openBraces.push_back(k);
                    }
                }
                i = close - 1;
            } else if (ch == '}') {
                CloseBrace(i, commentMark, openBraces);
            } else {
                CopyOrdinary(i);
            }
        }
        if (!openBraces.empty()) {
            Add(TTrapKind::UnclosedComment, openBraces.front(),
                "this { opens a comment that is never closed: text after it that seems to be "
                "comment is read as code");
        }
    }

    std::size_t CopyTextConstant(std::size_t open) {
        int depth = 0;
        for (std::size_t i = open; i < m_source.size(); ++i) {
            const char ch = m_source[i];
            depth += ch == '[' ? 1 : ch == ']' ? -1 : 0;
            if (ch != '\n') {
                Append(ch == '\t' ? ' ' : ch, i);
            }
            if (depth == 0) {
                return i;
            }
        }
        return m_source.size() - 1;
    }

    void CloseBrace(std::size_t at, std::size_t commentMark, std::vector<std::size_t>& openBraces) {
        if (!openBraces.empty()) {
            openBraces.pop_back();
        } else if (m_prepared.size() > commentMark) {
            Add(TTrapKind::StrayClosingBrace, at,
                "this } has no { before it and removes the text before it: " +
                    Quoted(std::string_view(m_prepared).substr(commentMark)));
        }
        m_prepared.resize(commentMark);
        m_origins.resize(commentMark);
        std::erase_if(m_found, [&](const TFound& found) {
            return found.Prepared != std::string::npos && found.Prepared >= commentMark;
        });
    }

    // An ordinary character. A number or name that follows another with only blanks (and
    // comments) between them joins it.
    void CopyOrdinary(std::size_t i) {
        const char ch = m_source[i];
        if (IsWordCharacter(ch) && !m_prepared.empty() && IsWordCharacter(m_prepared.back())) {
            const std::size_t previous = m_origins.back();
            const std::string_view gap = m_source.substr(previous + 1, i - previous - 1);
            if (std::any_of(gap.begin(), gap.end(), IsWhitespace)) {
                WarnJoined(i);
            }
        }
        Append(ch, i);
    }

    void WarnJoined(std::size_t next) {
        std::size_t start = m_prepared.size();
        while (start > 0 && IsWordCharacter(m_prepared[start - 1])) {
            --start;
        }
        std::size_t end = next;
        while (end < m_source.size() && IsWordCharacter(m_source[end])) {
            ++end;
        }
        const std::string before = m_prepared.substr(start);
        const std::string_view after = m_source.substr(next, end - next);
        Add(TTrapKind::JoinedByBlanks, next,
            "blanks are removed, so " + Quoted(before) + " and " + Quoted(after) +
                " are read as one: " + Quoted(before + std::string(after)),
            start);
    }

    // [pieces] ------------------------------------------------------------------------------

    // True when a piece is a part of the prepared text itself, not of a converted copy.
    bool InPrepared(std::string_view piece) const {
        return piece.data() >= m_prepared.data() &&
               piece.data() + piece.size() <= m_prepared.data() + m_prepared.size();
    }

    // Where a piece starts in the source. A piece of the prepared text is where it is; one that
    // the operator conversion produced lies in the prepared text's range [begin, end) that was
    // converted, which keeps the operands' texts, and is searched for there.
    // `i` counts from the piece's start.
    std::size_t OriginOf(std::string_view piece, std::size_t begin, std::size_t end,
                         std::size_t i = 0) const {
        std::size_t at = begin;
        if (InPrepared(piece)) {
            at = static_cast<std::size_t>(piece.data() - m_prepared.data());
        } else if (const std::size_t found =
                       std::string_view(m_prepared).substr(begin, end - begin).find(piece);
                   found != std::string_view::npos) {
            at = begin + found;
        }
        at += i;
        return at < m_origins.size() ? m_origins[at] : m_source.size();
    }

    // Position of the ']' that closes the '[' at `open`, or npos.
    static std::size_t ClosingBracket(std::string_view text, std::size_t open) {
        int depth = 0;
        for (std::size_t i = open; i < text.size(); ++i) {
            depth += text[i] == '[' ? 1 : text[i] == ']' ? -1 : 0;
            if (depth == 0) {
                return i;
            }
        }
        return std::string_view::npos;
    }

    // The top-level parts of a text: the positions outside brackets and parentheses, as `visit`
    // sees them with the parenthesis depth.
    template <typename TVisit>
    static void ForEachTopLevel(std::string_view text, TVisit&& visit) {
        int parentheses = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '[') {
                const std::size_t close = ClosingBracket(text, i);
                if (close == std::string_view::npos) {
                    return;
                }
                i = close;
                continue;
            }
            parentheses += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
            if (!visit(i, parentheses)) {
                return;
            }
        }
    }

    // A piece the parser reads as one text constant although an operator stands between
    // constants in it: "[a]<[b]".
    void CheckTextConstant(std::string_view piece, std::size_t begin, std::size_t end) {
        const std::size_t close = ClosingBracket(piece, 0);
        if (close == std::string_view::npos || close + 1 >= piece.size()) {
            return;
        }
        bool operatorBetween = false;
        ForEachTopLevel(piece, [&](std::size_t i, int) {
            operatorBetween = IsOperatorCharacter(piece[i]);
            return !operatorBetween;
        });
        if (operatorBetween) {
            Add(TTrapKind::GluedTextConstants, OriginOf(piece, begin, end),
                Quoted(piece) + " is one text constant, " +
                    Quoted(piece.substr(1, piece.size() - 2)) +
                    ": a piece that starts with [ and ends with ] is one text; put texts to "
                    "compare or join in variables or in parentheses");
        }
    }

    // A minus sign where it can only be a sign (at the start of the piece, after an opening
    // parenthesis, a comma or an operator) that stands before a name or a parenthesis.
    void CheckSigns(std::string_view piece, std::size_t begin, std::size_t end) {
        ForEachTopLevel(piece, [&](std::size_t i, int) {
            const bool sign = piece[i] == '-' && i + 1 < piece.size() &&
                              (i == 0 || piece[i - 1] == '(' || piece[i - 1] == ',' ||
                               IsOperatorCharacter(piece[i - 1]));
            const char next = sign ? piece[i + 1] : '0';
            if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '_' ||
                next == '(') {
                WarnSign(piece, i, begin, end);
            }
            return true;
        });
    }

    // Position after the ')' that closes the '(' at `open` (brackets skipped), or the end.
    static std::size_t AfterClosingParenthesis(std::string_view text, std::size_t open) {
        std::size_t after = text.size();
        ForEachTopLevel(text.substr(open), [&](std::size_t i, int parentheses) {
            if (parentheses == 0) {
                after = open + i + 1;
                return false;
            }
            return true;
        });
        return after;
    }

    void WarnSign(std::string_view piece, std::size_t at, std::size_t begin, std::size_t end) {
        // The operand the sign stands before: a name with the list of its call, or a
        // parenthesised piece, whole, so that the fix is a complete expression.
        std::size_t stop = at + 1;
        while (stop < piece.size() && IsWordCharacter(piece[stop])) {
            ++stop;
        }
        if (stop < piece.size() && piece[stop] == '(') {
            stop = AfterClosingParenthesis(piece, stop);
        }
        const std::string_view negated = piece.substr(at, stop - at);
        Add(TTrapKind::SignBeforeName, OriginOf(piece, begin, end, at),
            "a minus sign before a name or a parenthesis is no operator: " + Quoted(negated) +
                " is not the negative value; write (0" + std::string(negated) + ")");
    }

    // [precedence] --------------------------------------------------------------------------

    // An operator at the top level of a piece: its position and length, and whether it compares
    // or joins (& and |).
    struct TOperator {
        std::size_t At;
        std::size_t Length;
        bool Compares;
    };

    // The comparisons and the & and | at the top level of an expression without assignment.
    static std::vector<TOperator> ComparisonsAndJoins(std::string_view text) {
        std::vector<TOperator> found;
        ForEachTopLevel(text, [&](std::size_t i, int parentheses) {
            const char ch = text[i];
            const char next = i + 1 < text.size() ? text[i + 1] : '\0';
            if (parentheses != 0 || (!found.empty() && i < found.back().At + found.back().Length)) {
                return true;
            }
            if (ch == '&' || ch == '|') {
                found.push_back({i, 1, false});
            } else if (ch == '<' || ch == '>' || ch == '=') {
                const bool pair =
                    (ch == '<' && (next == '=' || next == '>')) || (ch == '>' && next == '=');
                found.push_back({i, pair ? 2u : 1u, true});
            }
            return true;
        });
        return found;
    }

    // The right side of the last assignment at the top level of a piece (all of it without
    // one): the expression whose operators are read against each other.
    static std::size_t ExpressionStart(std::string_view piece) {
        std::size_t start = 0;
        ForEachTopLevel(piece, [&](std::size_t i, int parentheses) {
            if (parentheses == 0 && piece[i] == ':' && i + 1 < piece.size() &&
                piece[i + 1] == '=') {
                start = i + 2;
            }
            return true;
        });
        return start;
    }

    // Comparisons joined by & or | without parentheses, and chains of comparisons: the
    // operators' order reads both otherwise than they seem to. The fix brackets what was meant.
    void CheckPrecedence(std::string_view piece, std::size_t begin, std::size_t end) {
        const std::size_t start = ExpressionStart(piece);
        const std::string_view text = piece.substr(start);
        const std::vector<TOperator> operators = ComparisonsAndJoins(text);
        const auto comparesBefore = [&](std::size_t k) {
            return std::any_of(operators.begin(), operators.begin() + static_cast<long>(k),
                               [](const TOperator& op) { return op.Compares; });
        };
        const auto comparesAfter = [&](std::size_t k) {
            return std::any_of(operators.begin() + static_cast<long>(k) + 1, operators.end(),
                               [](const TOperator& op) { return op.Compares; });
        };
        for (std::size_t k = 0; k < operators.size(); ++k) {
            if (!operators[k].Compares && comparesBefore(k) && comparesAfter(k)) {
                Add(TTrapKind::LogicBetweenComparisons,
                    OriginOf(piece, begin, end, start + operators[k].At),
                    "& and | bind more strongly than comparisons, so " + Quoted(text) +
                        " does not join comparisons; write " + std::string(piece.substr(0, start)) +
                        BracketedJoins(text, operators));
                return;
            }
        }
        std::vector<std::size_t> comparisons;
        for (std::size_t k = 0; k < operators.size(); ++k) {
            if (operators[k].Compares) {
                comparisons.push_back(k);
            }
        }
        if (comparisons.size() >= 2 && comparisons.size() == operators.size()) {
            Add(TTrapKind::ChainedComparison,
                OriginOf(piece, begin, end, start + operators[comparisons[1]].At),
                "comparisons group to the right, so " + Quoted(text) +
                    " compares with the result of a comparison; write " +
                    std::string(piece.substr(0, start)) + BracketedChain(text, operators));
        }
    }

    // "k>0&k<10" as "(k>0)&(k<10)": each part between the joins that compares, in parentheses.
    static std::string BracketedJoins(std::string_view text, const std::vector<TOperator>& ops) {
        std::string fixed;
        std::size_t from = 0;
        bool compares = false;
        const auto part = [&](std::size_t to) {
            const std::string_view operand = text.substr(from, to - from);
            fixed += compares ? "(" + std::string(operand) + ")" : std::string(operand);
            compares = false;
        };
        for (const TOperator& op : ops) {
            if (op.Compares) {
                compares = true;
                continue;
            }
            part(op.At);
            fixed += text.substr(op.At, op.Length);
            from = op.At + op.Length;
        }
        part(text.size());
        return fixed;
    }

    // "1<2<3" as "(1<2)&(2<3)": each comparison of neighbours, all of them to hold.
    static std::string BracketedChain(std::string_view text, const std::vector<TOperator>& ops) {
        std::string fixed;
        for (std::size_t k = 0; k < ops.size(); ++k) {
            const std::size_t from = k == 0 ? 0 : ops[k - 1].At + ops[k - 1].Length;
            const std::size_t to = k + 1 == ops.size() ? text.size() : ops[k + 1].At;
            fixed += (k ? "&(" : "(") + std::string(text.substr(from, to - from)) + ")";
        }
        return fixed;
    }

    // The number of arguments of a list (its top-level commas and one).
    static int ArgumentCount(std::string_view list) {
        int count = 1;
        ForEachTopLevel(list, [&](std::size_t i, int parentheses) {
            count += list[i] == ',' && parentheses == 0 ? 1 : 0;
            return true;
        });
        return count;
    }

    // Follows a piece the way the parser does: a text constant, a parenthesised piece, a call
    // with its arguments, or an operator expression converted into a call.
    void ScanPiece(std::string_view piece, std::size_t begin, std::size_t end, int depth) {
        if (piece.empty() || depth > kMaxParseDepth) {
            return;
        }
        if (InPrepared(piece)) {
            begin = static_cast<std::size_t>(piece.data() - m_prepared.data());
            end = begin + piece.size();
        }
        if (piece.front() == '[' && piece.back() == ']') {
            CheckTextConstant(piece, begin, end);
            return;
        }
        const std::size_t open = OpeningOfFinalList(piece);
        if (open == 0) {
            ScanPiece(piece.substr(1, piece.size() - 2), begin, end, depth + 1);
            return;
        }
        const std::string_view name =
            open == std::string_view::npos ? piece : piece.substr(0, open);
        const bool operators = std::any_of(name.begin(), name.end(), IsOperatorCharacter);
        if (open != std::string_view::npos &&
            (!operators || std::all_of(name.begin(), name.end(), IsOperatorCharacter))) {
            // A call: of a word, or of an operator as the conversion writes it. "-(a)", the
            // operator "-" with one argument, is what a minus before a parenthesis reads as.
            const std::string_view list = piece.substr(open + 1, piece.size() - open - 2);
            if (name == "-" && ArgumentCount(list) == 1) {
                WarnSign(piece, 0, begin, end);
            }
            ScanArguments(list, begin, end, depth);
            return;
        }
        CheckSigns(piece, begin, end);
        // An expression as written; its operands, converted, are parts of it and not read again.
        if (InPrepared(piece)) {
            CheckPrecedence(piece, begin, end);
        }
        const std::string converted = ConvertOperators(piece);
        const std::size_t list = OpeningOfFinalList(converted);
        if (converted != piece && list != std::string_view::npos && list > 0) {
            ScanArguments(std::string_view(converted).substr(list + 1, converted.size() - list - 2),
                          begin, end, depth);
        }
    }

    // The arguments of a list, split at the commas outside brackets and parentheses.
    void ScanArguments(std::string_view list, std::size_t begin, std::size_t end, int depth) {
        std::size_t start = 0;
        ForEachTopLevel(list, [&](std::size_t i, int parentheses) {
            if (list[i] == ',' && parentheses == 0 && i > start) {
                ScanPiece(list.substr(start, i - start), begin, end, depth + 1);
                start = i + 1;
            }
            return true;
        });
        ScanPiece(list.substr(start), begin, end, depth + 1);
    }

    // Position of the '(' that the final ')' of a piece closes (brackets skipped), or npos when
    // the piece does not end with a closed list.
    static std::size_t OpeningOfFinalList(std::string_view piece) {
        if (piece.empty() || piece.back() != ')') {
            return std::string_view::npos;
        }
        std::size_t open = std::string_view::npos;
        ForEachTopLevel(piece, [&](std::size_t i, int parentheses) {
            if (piece[i] == '(' && parentheses == 1) {
                open = i;
            } else if (piece[i] == ')' && parentheses == 0 && i + 1 < piece.size()) {
                open = std::string_view::npos;
            }
            return true;
        });
        return open;
    }

    std::string_view m_source;
    std::string m_prepared;
    // The source position of each character of m_prepared.
    std::vector<std::size_t> m_origins;
    std::vector<TFound> m_found;
    std::vector<std::size_t> m_lineStarts;
};

} // namespace

std::vector<TSourceTrap> FindSourceTraps(std::string_view source) {
    return TTrapFinder(source).Find();
}

} // namespace vex
