// Mathematical functions. Angles are in radians. A result that is no finite number (the square
// root of -1, the logarithm of 0) is an error that names the word, never a silent NAN.

#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vex::host {

namespace {

double Checked(TLanguageInterpreter& c, TCallNode& n, double argument, double result) {
    if (!std::isfinite(result) && std::isfinite(argument)) {
        ArgumentError(c, n, 1, FormatNumber(argument) + " is outside the domain");
    }
    return result;
}

template <double (*F)(double)>
double Unary(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double x = NumberArg(c, n, 1);
    return Checked(c, n, x, F(x));
}

double Abs(double x) {
    return std::fabs(x);
}
double Sqrt(double x) {
    return std::sqrt(x);
}
double Exp(double x) {
    return std::exp(x);
}
double Log(double x) {
    return x == 0 ? NAN : std::log(x);
}
double Log10(double x) {
    return x == 0 ? NAN : std::log10(x);
}
double Sin(double x) {
    return std::sin(x);
}
double Cos(double x) {
    return std::cos(x);
}
double Tan(double x) {
    return std::tan(x);
}
double ArcSin(double x) {
    return std::asin(x);
}
double ArcCos(double x) {
    return std::acos(x);
}
double ArcTan(double x) {
    return std::atan(x);
}
double Floor(double x) {
    return std::floor(x);
}
double Ceil(double x) {
    return std::ceil(x);
}
double Trunc(double x) {
    return std::trunc(x);
}
double Frac(double x) {
    return x - std::trunc(x);
}
double Sign(double x) {
    return (x > 0) - (x < 0);
}

double ArcTan2(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double y = NumberArg(c, n, 1);
    const double x = NumberArg(c, n, 2);
    return std::atan2(y, x);
}

double Pi(int, TCallNode&, TText&, TLanguageInterpreter&) {
    return std::numbers::pi;
}

// Halves round away from zero, as people round by hand: Round(2.5) is 3, Round(-2.5) is -3. The
// scaled value is first taken as it is shown (15 significant digits), so that 2.345, which is
// stored as 2.34499999..., rounds to 2.35 as its text promises.
double Round(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double value = NumberArg(c, n, 1);
    const double digits = count >= 2 ? static_cast<double>(IntegerArg(c, n, 2, -15, 15)) : 0;
    const double scale = std::pow(10.0, digits);
    double scaled = value * scale;
    TextToNumber(FormatNumber(scaled), scaled);
    const double rounded = std::round(scaled) / scale;
    return std::isfinite(rounded) ? rounded : value;
}

double Min(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    double result = NumberArg(c, n, 1);
    for (int i = 2; i <= count; ++i) {
        result = std::min(result, NumberArg(c, n, i));
    }
    return result;
}

double Max(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    double result = NumberArg(c, n, 1);
    for (int i = 2; i <= count; ++i) {
        result = std::max(result, NumberArg(c, n, i));
    }
    return result;
}

// Integer division rounds towards minus infinity, so that Div(a,b)*b+Mod(a,b) is a.
double Div(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return Finite(c, n, a, b, std::floor(a / b));
}

double Mod(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = NumberArg(c, n, 1);
    const double b = NumberArg(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return Finite(c, n, a, b, a - b * std::floor(a / b));
}

// clang-format off
const TWordRow kRows[] = {
    {40, "Abs",     "Math", Unary<Abs>,     1, 1,   "Absolute value.", "Abs(-2)"},
    {41, "Sign",    "Math", Unary<Sign>,    1, 1,   "-1, 0 or 1 as the number is negative, zero or positive.", "Sign(x)"},
    {42, "Sqrt",    "Math", Unary<Sqrt>,    1, 1,   "Square root; an error for a negative number.", "Sqrt(16)"},
    {43, "Exp",     "Math", Unary<Exp>,     1, 1,   "e raised to a power.", "Exp(1)"},
    {44, "Ln",      "Math", Unary<Log>,     1, 1,   "Natural logarithm; an error for zero and negative numbers.", "Ln(10)"},
    {45, "Log10",   "Math", Unary<Log10>,   1, 1,   "Logarithm to the base 10.", "Log10(1000)"},
    {46, "Sin",     "Math", Unary<Sin>,     1, 1,   "Sine of an angle in radians.", "Sin(Pi/2)"},
    {47, "Cos",     "Math", Unary<Cos>,     1, 1,   "Cosine of an angle in radians.", "Cos(0)"},
    {48, "Tan",     "Math", Unary<Tan>,     1, 1,   "Tangent of an angle in radians.", "Tan(Pi/4)"},
    {49, "ArcSin",  "Math", Unary<ArcSin>,  1, 1,   "The angle in radians whose sine is given (-1 to 1).", "ArcSin(1)"},
    {50, "ArcCos",  "Math", Unary<ArcCos>,  1, 1,   "The angle in radians whose cosine is given (-1 to 1).", "ArcCos(0)"},
    {51, "ArcTan",  "Math", Unary<ArcTan>,  1, 1,   "The angle in radians whose tangent is given.", "ArcTan(1)"},
    {52, "ArcTan2", "Math", ArcTan2,        2, 2,   "The angle in radians of the point (x, y), given as y and x.", "ArcTan2(1,1)"},
    {53, "Pi",      "Math", Pi,             0, 0,   "The number pi.", "Pi"},
    {54, "Floor",   "Math", Unary<Floor>,   1, 1,   "The largest whole number not above the number.", "Floor(2.7)"},
    {55, "Ceil",    "Math", Unary<Ceil>,    1, 1,   "The smallest whole number not below the number.", "Ceil(2.1)"},
    {56, "Trunc",   "Math", Unary<Trunc>,   1, 1,   "The number without its fraction.", "Trunc(-2.7)"},
    {57, "Frac",    "Math", Unary<Frac>,    1, 1,   "The fraction of a number, with its sign.", "Frac(2.75)"},
    {58, "Round",   "Math", Round,          1, 2,   "Rounds to a number of decimals (0 unless given, -15 to 15); halves round away from zero.", "Round(2.345,2)"},
    {59, "Min",     "Math", Min,            1, 255, "The smallest of the numbers.", "Min(x,y,z)"},
    {60, "Max",     "Math", Max,            1, 255, "The largest of the numbers.", "Max(x,y,z)"},
    {61, "Div",     "Math", Div,            2, 2,   "Integer quotient, rounded towards minus infinity.", "Div(7,2)"},
    {62, "Mod",     "Math", Mod,            2, 2,   "Remainder with the sign of the divisor, so that Div(a,b)*b+Mod(a,b) is a.", "Mod(-7,3)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> MathWordRows() {
    return kRows;
}

} // namespace vex::host
