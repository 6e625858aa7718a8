#include "runtime/SourcePreparation.h"

#include "runtime/NumberText.h"
#include "runtime/VexScript.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vex {

namespace {

// Longest malformed text that is still converted step by step, and the deepest nesting of
// step-by-step conversions; beyond them a text is returned unconverted. Both bound the time and
// stack that hostile input can take; well-formed pieces never reach the step-by-step conversion.
constexpr std::size_t kMaxStepwiseLength = 4096;
constexpr int kMaxStepwiseNesting = 64;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

bool IsWhitespace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// Characters the whitespace and comment removal acts on besides whitespace.
bool IsPreparationMark(char ch) {
    return ch == '[' || ch == '{' || ch == '}';
}

bool IsOperatorChar(char ch) {
    switch (ch) {
    case '%':
    case '&':
    case '*':
    case '+':
    case '-':
    case '/':
    case '^':
    case '|':
        return true;
    default:
        return false;
    }
}

bool IsMultiplicative(char ch) {
    return ch == '*' || ch == '/';
}

bool IsAdditive(char ch) {
    return ch == '+' || ch == '-';
}

char LowerAscii(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (LowerAscii(text[i]) != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

// A table of the characters given, for scans that skip every other character with one lookup.
template <std::size_t N>
constexpr std::array<bool, 256> CharacterTable(const char (&characters)[N]) {
    std::array<bool, 256> table{};
    for (std::size_t i = 0; i + 1 < N; ++i) {
        table[static_cast<unsigned char>(characters[i])] = true;
    }
    return table;
}

// ----------------------------------------------------------------------------------------------
// Whitespace and comments

// The characters that end a run of ordinary characters: whitespace and the preparation marks.
constexpr std::array<bool, 256> kWhitespaceAndMarks = CharacterTable(" \t\n\r[{}");

// Copies the text constant whose '[' is at `open`, turning tabs into spaces and dropping line
// feeds. Returns the index of its closing ']', or the last index of the source when the
// constant is never closed.
std::size_t CopyTextConstant(std::string_view source, std::size_t open, std::string& out) {
    int depth = 0;
    for (std::size_t i = open; i < source.size(); ++i) {
        const char ch = source[i];
        if (ch == '[') {
            ++depth;
        } else if (ch == ']') {
            --depth;
        }
        if (ch == '\t') {
            out += ' ';
        } else if (ch != '\n') {
            out += ch;
        }
        if (depth == 0) {
            return i;
        }
    }
    return source.size() - 1;
}

// ----------------------------------------------------------------------------------------------
// Nesting levels

// Follows parentheses and text constants character by character. A character is on the top
// level when it is outside every text constant and every pair of parentheses; an unmatched ')'
// makes the parenthesis depth negative, and nothing after it is on the top level until a '('
// brings the depth back to zero. Parentheses inside text constants do not count.
class LevelTracker {
public:
    // Takes the next character; true when it is an ordinary character on the top level.
    bool Step(char ch) {
        if (brackets_ > 0) {
            if (ch == '[') {
                ++brackets_;
            } else if (ch == ']') {
                --brackets_;
            }
            return false;
        }
        if (ch == '[') {
            brackets_ = 1;
            return false;
        }
        if (ch == '(') {
            ++parentheses_;
            return false;
        }
        if (ch == ')') {
            --parentheses_;
            return false;
        }
        return parentheses_ == 0;
    }

    bool ParenthesesWentNegative() const { return parentheses_ < 0; }

private:
    long parentheses_ = 0;
    long brackets_ = 0;
};

// A '+' or '-' that belongs to the exponent of a number, as in "1e-5" or "2.5E+3": it follows
// an 'e' that follows a mantissa of digits (with at most one '.'), is followed by a digit, and
// the mantissa starts the text or follows an operator character, '(' or ','.
bool IsExponentSign(std::string_view text, std::size_t pos) {
    if (!IsAdditive(text[pos]) || pos < 2 || pos + 1 >= text.size()) {
        return false;
    }
    if ((text[pos - 1] != 'e' && text[pos - 1] != 'E') || !IsDigit(text[pos + 1])) {
        return false;
    }
    std::size_t start = pos - 1;
    std::size_t digits = 0;
    std::size_t points = 0;
    while (start > 0 && (IsDigit(text[start - 1]) || text[start - 1] == '.')) {
        --start;
        (text[start] == '.' ? points : digits) += 1;
    }
    if (digits == 0 || points > 1) {
        return false;
    }
    return start == 0 || IsOperatorChar(text[start - 1]) || text[start - 1] == '(' ||
           text[start - 1] == ',';
}

// An operator character that acts as one (exponent signs do not).
bool IsOperatorAt(std::string_view text, std::size_t pos) {
    return IsOperatorChar(text[pos]) && !IsExponentSign(text, pos);
}

// "(n)" where n is a number: gives n.
bool UnwrapParenthesisedNumber(std::string_view text, std::string_view& inside) {
    if (text.size() < 3 || text.front() != '(' || text.back() != ')') {
        return false;
    }
    double ignored = 0;
    if (!TextToNumber(text.substr(1, text.size() - 2), ignored)) {
        return false;
    }
    inside = text.substr(1, text.size() - 2);
    return true;
}

// Pieces that the operator conversion leaves as they are: empty, ")" and text constants.
bool IsLeftAsWritten(std::string_view text) {
    return text.empty() || text == ")" ||
           (text.size() >= 2 && text.front() == '[' && text.back() == ']');
}

// Positions of the operators of a sum of products, and its products (operand indices, both
// included).
struct Product {
    std::size_t first;
    std::size_t last;
};

// Pending work of a conversion, taken from the back: a part of the text to convert, or a
// literal to copy.
struct Pending {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string_view literal;
    bool isLiteral = false;
};

} // namespace

// The working lists of one conversion. They are cleared, not freed, from one conversion to the
// next, so a converter that is used again allocates nothing for them once they have grown.
struct TOperatorConverter::TStorage {
    std::array<std::vector<std::size_t>, 11> occurrences;
    std::vector<Pending> pending;
    std::vector<std::size_t> operators;
    std::vector<Product> products;
};

namespace {

using TStorage = TOperatorConverter::TStorage;

void ConvertPiece(std::string_view text, int nesting, TStorage& storage, std::string& out);
std::string ConvertPiece(std::string_view text, int nesting) {
    TStorage storage;
    std::string out;
    ConvertPiece(text, nesting, storage, out);
    return out;
}

// ----------------------------------------------------------------------------------------------
// Operators that group to the right

struct RightGroupingOperator {
    std::string_view symbol;
    std::string_view callHead; // symbol followed by '('
};

// Weakest binding first; ">=", "<=" and "<>" come before '>', '<' and '='.
constexpr std::array<RightGroupingOperator, 11> kRightGroupingOperators{{
    {":=", ":=("},
    {">=", ">=("},
    {"<=", "<=("},
    {"<>", "<>("},
    {">", ">("},
    {"<", "<("},
    {"=", "=("},
    {"&", "&("},
    {"|", "|("},
    {"^", "^("},
    {"%", "%("},
}};

// True for the characters a right-grouping operator can start with; most characters of a piece
// are not, and need no comparison with the operators.
bool StartsRightGroupingOperator(char ch) {
    switch (ch) {
    case ':':
    case '>':
    case '<':
    case '=':
    case '&':
    case '|':
    case '^':
    case '%':
        return true;
    default:
        return false;
    }
}

// The characters that change the nesting level or start a right-grouping operator; every other
// character leaves the level as it is and can be skipped.
constexpr std::array<bool, 256> kOccurrenceScanCharacters = CharacterTable("[]():><=&|^%");

// Positions of every usable occurrence of each right-grouping operator in one text: on the top
// level and not preceded by '(' or ','. A part of the text that starts on the top level sees
// exactly these occurrences, except one at its own first character, so the index serves every
// operand cut from the text without scanning it again.
class OccurrenceIndex {
public:
    using Lists = std::array<std::vector<std::size_t>, kRightGroupingOperators.size()>;

    // The lists are cleared and filled.
    OccurrenceIndex(std::string_view text, Lists& positions)
        : positions_(positions) {
        for (std::vector<std::size_t>& list : positions_) {
            list.clear();
        }
        LevelTracker levels;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (!kOccurrenceScanCharacters[static_cast<unsigned char>(text[i])]) {
                continue;
            }
            if (!levels.Step(text[i]) || i == 0 || text[i - 1] == '(' || text[i - 1] == ',') {
                continue;
            }
            if (!StartsRightGroupingOperator(text[i])) {
                continue;
            }
            for (std::size_t order = 0; order < kRightGroupingOperators.size(); ++order) {
                if (text.substr(i).starts_with(kRightGroupingOperators[order].symbol)) {
                    positions_[order].push_back(i);
                    usedOrders_ |= 1u << order;
                }
            }
        }
    }

    // Finds the weakest operator with an occurrence in [start, end) other than at `start`
    // itself, and its leftmost such occurrence.
    bool FindSplit(std::size_t start, std::size_t end, std::size_t& order, std::size_t& pos) const {
        for (order = 0; order < positions_.size(); ++order) {
            if (!(usedOrders_ & (1u << order))) {
                continue;
            }
            const std::vector<std::size_t>& list = positions_[order];
            const auto found = std::upper_bound(list.begin(), list.end(), start);
            if (found != list.end() &&
                *found + kRightGroupingOperators[order].symbol.size() <= end) {
                pos = *found;
                return true;
            }
        }
        return false;
    }

private:
    Lists& positions_;
    std::uint32_t usedOrders_ = 0; // bit `order` set when that operator occurs
};

// ----------------------------------------------------------------------------------------------
// Arithmetic operators, well-formed pieces

// The characters that change the nesting level, the comma and the operator characters; every
// other character is part of an operand and can be skipped.
constexpr std::array<bool, 256> kArithmeticScanCharacters = CharacterTable("[](),%&*+-/^|");

// An operand of the one-pass conversion: it holds no operator, so converting it only turns
// "(n)" into n.
std::string_view ConvertOperand(std::string_view operand) {
    std::string_view inside;
    return UnwrapParenthesisedNumber(operand, inside) ? inside : operand;
}

bool IsTextConstantStart(std::string_view operand) {
    return !operand.empty() && operand.front() == '[';
}

bool IsTextConstantEnd(std::string_view operand) {
    return !operand.empty() && operand.back() == ']';
}

// Converts a well-formed piece in one pass: a sum of products, both grouped to the left, so
// "a-b*c+d" gives "+(-(a,*(b,c)),d)".
//
// One detail follows from converting the left operand of an operator as a whole: when the
// operands before the first '*' of a product, or the products before the first '-' of the sum,
// start with '[' and end with ']', that run is a text constant and stays as written
// ("[a]/[b]*c" gives "*([a]/[b],c)").
class WellFormedArithmetic {
public:
    // The conversion is appended to `out` by Convert, which only a well-formed piece takes.
    // The lists are cleared and filled.
    WellFormedArithmetic(std::string_view text, std::string& out,
                         std::vector<std::size_t>& operators, std::vector<Product>& products)
        : text_(text)
        , operators_(operators)
        , products_(products)
        , out_(out) {
        operators_.clear();
        products_.clear();
        wellFormed_ = CollectOperators();
        if (!wellFormed_) {
            return;
        }
        products_.reserve(operators_.size() + 1);
        // Operand k lies between operators k - 1 and k; a product ends at an additive one.
        std::size_t first = 0;
        for (std::size_t k = 0; k <= operators_.size(); ++k) {
            if (k == operators_.size() || IsAdditive(text[operators_[k]])) {
                products_.push_back({first, k});
                first = k + 1;
            }
        }
    }

    // A piece whose arithmetic can be parsed in one pass: parentheses never close more than they
    // opened, no ',' on the top level, and every top-level operator character after the first
    // character is a binary '*', '/', '-' or '+' between two operands, or a sign right after a
    // binary '*' or '/'. For such a piece the one-pass result equals the step-by-step one.
    bool IsWellFormed() const { return wellFormed_; }

    void Convert() {
        out_.reserve(out_.size() + text_.size() + 3 * operators_.size());
        const std::size_t lastProduct = products_.size() - 1;
        const std::size_t kept = LeadingTextConstantProducts();
        for (std::size_t p = lastProduct; p > kept; --p) {
            AppendCallHead(OperatorBefore(products_[p].first));
        }
        for (std::size_t p = 0; p <= kept; ++p) {
            if (p > 0) {
                out_ += text_[OperatorBefore(products_[p].first)];
            }
            if (kept > 0) {
                AppendProductAsWritten(products_[p]);
            } else {
                AppendProduct(products_[p]);
            }
        }
        for (std::size_t p = kept + 1; p <= lastProduct; ++p) {
            out_ += ',';
            AppendProduct(products_[p]);
            out_ += ')';
        }
    }

private:
    // One pass: tells whether the piece is well formed, and collects the positions of its binary
    // operators (the top-level operators that follow no other operator character).
    bool CollectOperators() {
        operators_.reserve(8);
        LevelTracker levels;
        const std::string_view text = text_;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char ch = text[i];
            if (!kArithmeticScanCharacters[static_cast<unsigned char>(ch)]) {
                continue;
            }
            const bool onTopLevel = levels.Step(ch);
            if (levels.ParenthesesWentNegative()) {
                return false;
            }
            if (!onTopLevel) {
                continue;
            }
            if (ch == ',') {
                return false;
            }
            if (i == 0 || !IsOperatorAt(text, i)) {
                continue;
            }
            if ((!IsMultiplicative(ch) && !IsAdditive(ch)) || i + 1 == text.size()) {
                return false;
            }
            if (!IsOperatorChar(text[i - 1])) {
                operators_.push_back(i);
                continue;
            }
            const bool signAfterBinary = IsAdditive(ch) && IsMultiplicative(text[i - 1]) &&
                                         i >= 2 && !IsOperatorChar(text[i - 2]);
            if (!signAfterBinary) {
                return false;
            }
        }
        return true;
    }

    std::size_t OperatorBefore(std::size_t operand) const { return operators_[operand - 1]; }

    std::string_view Operands(std::size_t first, std::size_t last) const {
        const std::size_t start = first == 0 ? 0 : operators_[first - 1] + 1;
        const std::size_t end = last == operators_.size() ? text_.size() : operators_[last];
        return text_.substr(start, end - start);
    }

    std::string_view Operand(std::size_t index) const { return Operands(index, index); }

    void AppendCallHead(std::size_t operatorPos) {
        out_ += text_[operatorPos];
        out_ += '(';
    }

    // Number of products after the first that stay as written together with it: those up to
    // the first '-' when they form a text constant, else none.
    std::size_t LeadingTextConstantProducts() const {
        std::size_t p = 1;
        while (p < products_.size() && text_[OperatorBefore(products_[p].first)] != '-') {
            ++p;
        }
        const Product& head = products_[0];
        const Product& tail = products_[p - 1];
        if (p == products_.size() || head.first != head.last || tail.first != tail.last) {
            return 0;
        }
        const bool textConstant =
            IsTextConstantStart(Operand(head.first)) && IsTextConstantEnd(Operand(tail.first));
        return textConstant ? p - 1 : 0;
    }

    // Last operand of the run before the first '*' of a product that stays as written, or the
    // product's first operand when there is no such run.
    std::size_t LeadingTextConstantOperands(const Product& product) const {
        std::size_t k = product.first;
        while (k < product.last && text_[operators_[k]] != '*') {
            ++k;
        }
        const bool textConstant = k < product.last && IsTextConstantStart(Operand(product.first)) &&
                                  IsTextConstantEnd(Operand(k));
        return textConstant ? k : product.first;
    }

    void AppendProductAsWritten(const Product& product) {
        if (product.first == product.last) {
            out_ += Operand(product.first);
        } else {
            AppendProduct(product);
        }
    }

    void AppendProduct(const Product& product) {
        const std::size_t kept = LeadingTextConstantOperands(product);
        for (std::size_t k = product.last; k > kept; --k) {
            AppendCallHead(OperatorBefore(k));
        }
        out_ += kept == product.first ? ConvertOperand(Operand(product.first))
                                      : Operands(product.first, kept);
        for (std::size_t k = kept + 1; k <= product.last; ++k) {
            out_ += ',';
            out_ += ConvertOperand(Operand(k));
            out_ += ')';
        }
    }

    std::string_view text_;
    std::vector<std::size_t>& operators_;
    std::vector<Product>& products_;
    std::string& out_;
    bool wellFormed_ = false;
};

// ----------------------------------------------------------------------------------------------
// Arithmetic operators, step by step

// Where one arithmetic rewrite applies: the text is cut into
// [0, leftStart) left [operatorPos] right [rightEnd, end).
struct ArithmeticSplit {
    std::size_t leftStart = 0;
    std::size_t operatorPos = 0;
    std::size_t rightEnd = 0;
};

// The end of the right operand that starts at `from`: the next top-level operator character
// not itself preceded by an operator character, or the end of the text.
std::size_t FindRightOperandEnd(std::string_view text, std::size_t from) {
    LevelTracker levels;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (levels.Step(text[i]) && IsOperatorAt(text, i) && !IsOperatorChar(text[i - 1])) {
            return i;
        }
    }
    return text.size();
}

// Finds the first usable top-level occurrence of `symbol` (not the first character, not after
// '(', ',' or an operator of the other class). The left operand starts after the last usable
// operator of the other class before it.
bool FindArithmeticSplit(std::string_view text, char symbol, ArithmeticSplit& split) {
    const std::string_view otherClass = IsMultiplicative(symbol) ? "+-" : "*/";
    const std::string_view trackingBlockers = "&*+-/|";
    LevelTracker levels;
    std::size_t leftStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool onTopLevel = levels.Step(text[i]);
        if (i == 0 || !onTopLevel || !IsOperatorAt(text, i)) {
            continue;
        }
        const char previous = text[i - 1];
        if (otherClass.find(text[i]) != std::string_view::npos) {
            if (trackingBlockers.find(previous) == std::string_view::npos) {
                leftStart = i + 1;
            }
        } else if (text[i] == symbol && previous != '(' && previous != ',' &&
                   otherClass.find(previous) == std::string_view::npos) {
            split = {leftStart, i, FindRightOperandEnd(text, i + 1)};
            return true;
        }
    }
    return false;
}

// True when, outside text constants, the first parenthesis of the text is a ')'.
bool FirstParenthesisCloses(std::string_view text) {
    long brackets = 0;
    for (const char ch : text) {
        if (ch == '[') {
            ++brackets;
        } else if (ch == ']' && brackets > 0) {
            --brackets;
        } else if (brackets == 0 && (ch == '(' || ch == ')')) {
            return ch == ')';
        }
    }
    return false;
}

// Applies one rewrite: the operator becomes a call on its two converted operands.
std::string RewriteArithmetic(std::string_view text, const ArithmeticSplit& split, int nesting) {
    const std::string_view left = text.substr(split.leftStart, split.operatorPos - split.leftStart);
    const std::string_view right =
        text.substr(split.operatorPos + 1, split.rightEnd - split.operatorPos - 1);
    std::string out(text.substr(0, split.leftStart));
    out += text[split.operatorPos];
    out += '(';
    out += ConvertPiece(left, nesting + 1);
    out += ',';
    out += ConvertPiece(right, nesting + 1);
    out += ')';
    out += text.substr(split.rightEnd);
    return out;
}

// The arithmetic conversion one operator at a time, for pieces that are not well formed: each
// round rewrites the first usable '*', else '/', else '-', else '+', and starts again on the
// result. A rewritten operator never qualifies again, so the rounds are bounded by the number
// of operator characters; the bound is enforced as well.
std::string ConvertArithmeticStepwise(std::string_view piece, int nesting) {
    std::string text(piece);
    const auto operatorCount = std::count_if(text.begin(), text.end(), IsOperatorChar);
    for (long round = 0; round <= operatorCount; ++round) {
        double ignored = 0;
        std::string_view inside;
        if (TextToNumber(text, ignored)) {
            return text;
        }
        if (UnwrapParenthesisedNumber(text, inside)) {
            return std::string(inside);
        }
        if (FirstParenthesisCloses(text)) {
            text = "(" + text + ")";
        }
        ArithmeticSplit split;
        bool found = false;
        for (const char symbol : {'*', '/', '-', '+'}) {
            if (FindArithmeticSplit(text, symbol, split)) {
                found = true;
                break;
            }
        }
        if (!found) {
            return text;
        }
        text = RewriteArithmetic(text, split, nesting);
    }
    return text;
}

// Converts a piece that has no usable right-grouping operator and appends the result to `out`.
void AppendArithmetic(std::string& out, std::string_view text, int nesting, TStorage& storage) {
    double ignored = 0;
    std::string_view inside;
    if (TextToNumber(text, ignored)) {
        out += text;
        return;
    }
    if (UnwrapParenthesisedNumber(text, inside)) {
        out += inside;
        return;
    }
    if (WellFormedArithmetic arithmetic(text, out, storage.operators, storage.products);
        arithmetic.IsWellFormed()) {
        arithmetic.Convert();
    } else if (nesting >= kMaxStepwiseNesting ||
               (nesting == 0 && text.size() > kMaxStepwiseLength)) {
        out += text;
    } else {
        out += ConvertArithmeticStepwise(text, nesting);
    }
}

// ----------------------------------------------------------------------------------------------
// Whole conversion

// Converts one piece: splits at right-grouping operators, weakest first, and hands the parts
// without such operators to the arithmetic conversion. Works with an explicit list of pending
// parts, so long chains such as "a:=b:=c:=..." need no deep recursion; `nesting` counts only
// the step-by-step arithmetic conversions this piece is part of.
// The conversion is appended to `out`; `storage` is not in use by any other conversion.
void ConvertPiece(std::string_view text, int nesting, TStorage& storage, std::string& out) {
    if (IsLeftAsWritten(text)) {
        out += text;
        return;
    }
    const OccurrenceIndex occurrences(text, storage.occurrences);
    std::vector<Pending>& pending = storage.pending;
    pending.clear();
    pending.push_back({0, text.size(), {}, false});
    out.reserve(out.size() + text.size() * 2);
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        if (item.isLiteral) {
            out += item.literal;
            continue;
        }
        const std::string_view part = text.substr(item.start, item.end - item.start);
        std::size_t order = 0;
        std::size_t pos = 0;
        if (IsLeftAsWritten(part)) {
            out += part;
        } else if (occurrences.FindSplit(item.start, item.end, order, pos)) {
            const RightGroupingOperator& op = kRightGroupingOperators[order];
            pending.push_back({0, 0, ")", true});
            pending.push_back({pos + op.symbol.size(), item.end, {}, false});
            pending.push_back({0, 0, ",", true});
            pending.push_back({item.start, pos, {}, false});
            pending.push_back({0, 0, op.callHead, true});
        } else {
            AppendArithmetic(out, part, nesting, storage);
        }
    }
}

// ----------------------------------------------------------------------------------------------
// Protected code

constexpr std::string_view kProtectedCodeMark = "protectedcode";
constexpr std::size_t kProtectedCodeHeadLength = 15; // "protectedcode(["
constexpr std::string_view kFieldSeparator = ">.>";
constexpr std::size_t kGroupLength = 6;

// The third field of "first>.>second>.>third[>.>...]", or false when it is missing.
bool FindThirdField(std::string_view body, std::string_view& field) {
    const std::size_t first = body.find(kFieldSeparator);
    if (first == std::string_view::npos) {
        return false;
    }
    const std::size_t second = body.find(kFieldSeparator, first + kFieldSeparator.size());
    if (second == std::string_view::npos) {
        return false;
    }
    field = body.substr(second + kFieldSeparator.size());
    field = field.substr(0, field.find(kFieldSeparator));
    return true;
}

std::uint64_t IntegerSquareRoot(std::uint64_t x) {
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(x)));
    while (root * root > x) {
        --root;
    }
    while ((root + 1) * (root + 1) <= x) {
        ++root;
    }
    return root;
}

// The character of one group of six digits; false for a non-digit or a code outside a byte.
bool DecodeGroup(std::string_view group, char& decoded) {
    std::uint64_t v = 0;
    for (const char ch : group) {
        if (!IsDigit(ch)) {
            return false;
        }
        v = v * 10 + static_cast<std::uint64_t>(ch - '0');
    }
    // Nearest integer to sqrt(x): sqrt(x) is never exactly halfway, as 4x is even and
    // (2r+1)^2 odd, so comparing 4x with (2r+1)^2 decides it.
    const std::uint64_t x = v + 17;
    std::uint64_t r = IntegerSquareRoot(x);
    if (4 * x > (2 * r + 1) * (2 * r + 1)) {
        ++r;
    }
    const long code = static_cast<long>(r / 2) - 12;
    if (code < 0 || code > 255) {
        return false;
    }
    decoded = static_cast<char>(static_cast<unsigned char>(code));
    return true;
}

} // namespace

std::string RemoveWhitespaceAndComments(std::string_view source) {
    std::string out;
    out.reserve(source.size());
    std::size_t commentMark = 0;
    bool closingBraceAhead = true; // false once a '{' found no '}' after it
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char ch = source[i];
        if (IsWhitespace(ch)) {
            continue;
        }
        if (!IsPreparationMark(ch)) {
            // A run of ordinary characters is copied in one piece.
            std::size_t end = i + 1;
            while (end < source.size() &&
                   !kWhitespaceAndMarks[static_cast<unsigned char>(source[end])]) {
                ++end;
            }
            out.append(source.substr(i, end - i));
            i = end - 1;
        } else if (ch == '[') {
            i = CopyTextConstant(source, i, out);
        } else if (ch == '{') {
            commentMark = out.size();
            const std::size_t close =
                closingBraceAhead ? source.find('}', i + 1) : std::string_view::npos;
            if (close == std::string_view::npos) {
                closingBraceAhead = false;
                continue;
            }
            out.resize(commentMark);
            i = close;
        } else {
            out.resize(commentMark);
        }
    }
    return out;
}

std::string ConvertOperators(std::string_view text) {
    return ConvertPiece(text, 0);
}

TOperatorConverter::TOperatorConverter()
    : m_storage(std::make_unique<TStorage>()) {}

TOperatorConverter::~TOperatorConverter() = default;

void TOperatorConverter::Convert(std::string_view text, std::string& out) {
    out.clear();
    ConvertPiece(text, 0, *m_storage, out);
}

bool RewriteLabel(std::string_view piece, std::string& call) {
    if (piece.size() <= 2) {
        return false;
    }
    std::size_t dot = 0;
    const char first = LowerAscii(piece[0]);
    if (piece[1] == '.' && (first == 'a' || first == 'c' || first == 'i')) {
        dot = 1;
    } else if (piece.size() > 4 && piece[4] == '.' && StartsWithIgnoringCase(piece, "main")) {
        dot = 4;
    } else if (piece.size() > 5 && piece[5] == '.' && StartsWithIgnoringCase(piece, "model")) {
        dot = 5;
    } else {
        return false;
    }
    const std::string_view name = piece.substr(dot + 1);
    if (name.find_first_of("*+-/:<=>") != std::string_view::npos) {
        return false;
    }
    call = "label([";
    call += name;
    call += "],";
    call += piece.substr(0, dot);
    call += ')';
    return true;
}

bool UnwrapProtectedCode(std::string_view piece, std::string& code) {
    if (piece.size() <= 17 || !piece.starts_with(kProtectedCodeMark)) {
        return false;
    }
    const std::size_t lastParenthesis = piece.rfind(')');
    if (lastParenthesis == std::string_view::npos ||
        lastParenthesis < kProtectedCodeHeadLength + 1) {
        return false;
    }
    const std::string_view body =
        piece.substr(kProtectedCodeHeadLength, lastParenthesis - 1 - kProtectedCodeHeadLength);
    std::string_view field;
    if (!FindThirdField(body, field)) {
        return false;
    }
    std::string decoded;
    for (std::size_t g = 0; g + kGroupLength <= field.size(); g += kGroupLength) {
        char ch = 0;
        if (!DecodeGroup(field.substr(g, kGroupLength), ch)) {
            return false;
        }
        decoded += ch;
    }
    // Each character goes in front of those decoded before it.
    std::reverse(decoded.begin(), decoded.end());
    code = std::move(decoded);
    return true;
}

} // namespace vex
