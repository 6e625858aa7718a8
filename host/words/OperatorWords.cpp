// The operator words. Infix operators are shorthand for calls of these words: "a+b*c" is
// "+(a,*(b,c))".
//
// Texts (what counts as a text: host/words/WordSupport.h): "+" joins when either side is a text
// ([n=]+5 is "n=5"); the other arithmetic operators read a text operand as a number ([12]*2 is
// 24) and fail on any other text. The comparisons compare texts byte by byte (case counts) when
// either side is a text, a number side then taken in its number format ([5]=5 holds); otherwise
// they compare numbers. "&" and "|" take a text as true when it is not empty, a number when it
// is nonzero, and evaluate their second operand only when it decides the result.

#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <cmath>
#include <cstdint>

namespace vex::host {

namespace {

// fmod, with the integer remainder where both are whole numbers below 2^53 in size: for those the
// two agree, and the integer division is many times faster. A zero result keeps the dividend's
// sign, as fmod's does.
double RemainderOf(double a, double b) noexcept {
    constexpr double kExact = 9007199254740992.0; // 2^53
    if (std::fabs(a) < kExact && std::fabs(b) < kExact) {
        const auto wholeA = static_cast<std::int64_t>(a);
        const auto wholeB = static_cast<std::int64_t>(b);
        if (static_cast<double>(wholeA) == a && static_cast<double>(wholeB) == b) {
            const auto r = static_cast<double>(wholeA % wholeB);
            return r == 0 && std::signbit(a) ? -0.0 : r;
        }
    }
    return std::fmod(a, b);
}

[[gnu::noinline]] void JoinShownValues(const TValue& a, const TValue& b, TText& text) {
    text = TText(ShownValue(a)) + ShownValue(b);
}

// The two operands of an operator that takes numbers and texts alike, evaluated in order.
struct TOperands {
    TOperands(TLanguageInterpreter& c, TCallNode& n)
        : NumberX(NumberOrText(c, n, 1, X, TextX))
        , NumberY(NumberOrText(c, n, 2, Y, TextY)) {}

    bool Numbers() const noexcept { return NumberX && NumberY; }
    TValue ValueX() { return ValueOf(NumberX, X, TextX); }
    TValue ValueY() { return ValueOf(NumberY, Y, TextY); }

    double X = 0;
    double Y = 0;
    TText TextX;
    TText TextY;
    bool NumberX;
    bool NumberY;
};

[[gnu::noinline]] double AddValues(TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TOperands operands(c, n);
    if (operands.Numbers()) [[likely]] {
        return Finite(c, n, operands.X, operands.Y, operands.X + operands.Y);
    }
    JoinShownValues(operands.ValueX(), operands.ValueY(), text);
    return 0;
}

// Two number constants or variables are added at once; reading them has no effect, so the
// general way may read them again.
double Add(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double x;
    double y;
    if (QuickNumber(c, *n.Arg(1), x) && QuickNumber(c, *n.Arg(2), y)) {
        return Finite(c, n, x, y, x + y);
    }
    return AddValues(n, text, c);
}

double Subtract(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    return Finite(c, n, a, b, a - b);
}

double Multiply(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    return Finite(c, n, a, b, a * b);
}

// Sums, differences and products whose operands are number constants, number variables, the
// caller's arguments Arg(i) with a constant i, or sums, differences and products of those
// (Arg(1)+Arg(2)*Arg(3)): the whole is read in place outside a debug run, without evaluating the
// nodes below. Reading them has no effect, so when anything is not a finite number (a text, an
// argument that must be evaluated, a result out of range) the word's own way reads them again and
// decides.
constexpr int kInPlaceDepth = 3;

bool IsInPlaceArithmetic(const TCodeNode& node, int depth) noexcept;

bool IsInPlaceOperand(const TCodeNode& node, int depth) noexcept {
    return node.IsNumberConstant() || node.IsVariable() || ConstantArgCallIndex(node) != 0 ||
           (depth > 0 && IsInPlaceArithmetic(node, depth - 1));
}

bool IsInPlaceArithmetic(const TCodeNode& node, int depth) noexcept {
    if (!node.IsCall() || node.ArgCount != 2 || node.WordNumber < owAdd ||
        node.WordNumber > owMultiply) {
        return false;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    return IsInPlaceOperand(*call.Arg(1), depth) && IsInPlaceOperand(*call.Arg(2), depth);
}

bool ReadArithmeticInPlace(const TLanguageInterpreter& c, const TCallNode& n,
                           double& number) noexcept;

bool ReadOperandInPlace(const TLanguageInterpreter& c, const TCodeNode& node,
                        double& number) noexcept {
    if (!node.IsCall()) {
        return ReadQuickNumber(CurrentFrameBase(c), node, number);
    }
    if (node.WordNumber == kArgWordNumber) {
        return ReadQuickCallerArgument(c, ArgCallIndex(node), number);
    }
    return ReadArithmeticInPlace(c, static_cast<const TCallNode&>(node), number);
}

bool ReadArithmeticInPlace(const TLanguageInterpreter& c, const TCallNode& n,
                           double& number) noexcept {
    double x;
    double y;
    return ReadOperandInPlace(c, *n.Arg(1), x) && ReadOperandInPlace(c, *n.Arg(2), y) &&
           FiniteArithmetic(n.WordNumber, x, y, number);
}

double ArithmeticInPlace(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double number;
    if (!IsDebugRun(c) && ReadArithmeticInPlace(c, n, number)) {
        return number;
    }
    switch (n.WordNumber) {
    case owAdd:
        return Add(count, n, text, c);
    case owSubtract:
        return Subtract(count, n, text, c);
    default:
        return Multiply(count, n, text, c);
    }
}

// Chosen for calls with an Arg(i) or another operator among their operands; two constants or
// variables alone are read in place by the words themselves.
TWordImpl SpecializeArithmetic(const TCallNode& n) {
    if (!IsInPlaceArithmetic(n, kInPlaceDepth)) {
        return nullptr;
    }
    const bool simple = !n.Arg(1)->IsCall() && !n.Arg(2)->IsCall();
    return simple ? nullptr : ArithmeticInPlace;
}

double Divide(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return Finite(c, n, a, b, a / b);
}

// The remainder has the sign of the dividend: -7%3 is -1.
double Remainder(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return Finite(c, n, a, b, RemainderOf(a, b));
}

double Power(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    return Finite(c, n, a, b, std::pow(a, b));
}

[[gnu::noinline]] int CompareShownValues(const TValue& a, const TValue& b) {
    const int order = ShownValue(a).compare(ShownValue(b));
    return (order > 0) - (order < 0);
}

// -1, 0 or 1 as the left side is smaller, equal or larger. Two number constants or variables
// are compared at once; reading them has no effect, so the general way may read them again.
[[gnu::noinline]] int CompareValues(TCallNode& n, TLanguageInterpreter& c) {
    TOperands operands(c, n);
    if (operands.Numbers()) [[likely]] {
        return (operands.X > operands.Y) - (operands.X < operands.Y);
    }
    return CompareShownValues(operands.ValueX(), operands.ValueY());
}

inline int Compare(TCallNode& n, TLanguageInterpreter& c) {
    double x;
    double y;
    if (QuickNumber(c, *n.Arg(1), x) && QuickNumber(c, *n.Arg(2), y)) {
        return (x > y) - (x < y);
    }
    return CompareValues(n, c);
}

double Equal(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) == 0;
}
double NotEqual(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) != 0;
}
double Less(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) < 0;
}
double Greater(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) > 0;
}
double LessOrEqual(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) <= 0;
}
double GreaterOrEqual(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Compare(n, c) >= 0;
}

double And(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return TruthArg(c, n, 1) && TruthArg(c, n, 2);
}
double Or(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return TruthArg(c, n, 1) || TruthArg(c, n, 2);
}
double Not(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return !TruthArg(c, n, 1);
}
double Xor(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return TruthArg(c, n, 1) != TruthArg(c, n, 2);
}

// clang-format off
const TWordRow kRows[] = {
    {owAdd, "+",   "Math", Add,            2, 2, "Sum of two numbers; when either side gives a text, the two sides joined as texts.", "x+1", false, 1, SpecializeArithmetic},
    {owSubtract, "-",   "Math", Subtract,       2, 2, "Difference of two numbers.", "x-1", false, 1, SpecializeArithmetic},
    {owMultiply, "*",   "Math", Multiply,       2, 2, "Product of two numbers.", "x*2", false, 1, SpecializeArithmetic},
    {6,  "/",   "Math", Divide,         2, 2, "Quotient of two numbers; dividing by zero is an error.", "x/2"},
    {7,  "%",   "Math", Remainder,      2, 2, "Remainder of a division, with the sign of the dividend.", "x%2"},
    {8,  "^",   "Math", Power,          2, 2, "A number raised to a power.", "2^10"},
    {owEqual, "=",   "Math", Equal,          2, 2, "1 when both sides are equal, else 0; texts compare byte by byte.", "x=1"},
    {owNotEqual, "<>",  "Math", NotEqual,       2, 2, "1 when the sides differ, else 0.", "x<>1"},
    {owLess, "<",   "Math", Less,           2, 2, "1 when the left side is smaller, else 0; texts compare byte by byte.", "x<1"},
    {owGreater, ">",   "Math", Greater,        2, 2, "1 when the left side is larger, else 0.", "x>1"},
    {owLessOrEqual, "<=",  "Math", LessOrEqual,    2, 2, "1 when the left side is not larger, else 0.", "x<=1"},
    {owGreaterOrEqual, ">=",  "Math", GreaterOrEqual, 2, 2, "1 when the left side is not smaller, else 0.", "x>=1"},
    {15, "&",   "Math", And,            2, 2, "1 when both sides are true (a nonzero number or a text that is not empty), else 0; the right side is evaluated only when the left is true.", "(x>0)&(y>0)"},
    {16, "|",   "Math", Or,             2, 2, "1 when either side is true, else 0; the right side is evaluated only when the left is false.", "(x>0)|(y>0)"},
    {17, "Not", "Math", Not,            1, 1, "1 when the argument is false (0 or the empty text), else 0.", "Not(x=1)"},
    {18, "Xor", "Math", Xor,            2, 2, "1 when exactly one of the two is true, else 0.", "Xor(x>0,y>0)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> OperatorWordRows() {
    return kRows;
}

} // namespace vex::host
