// What every word implementation uses: reading its arguments the one documented way, and
// reporting a user's mistake with a message that names the word and the argument.
//
// A value counts as a text when it has a text, or when it comes from a text constant, a text
// variable or a word whose row says it gives texts (so an empty text variable is the empty text,
// not the number 0). Conversions between the two halves, used by all words alike:
// - A number argument that is a text is that text read as a number ("12" is 12); any other
//   text, the empty one included, is an error.
// - A text argument that is no text is its number in the number format (5 is "5").
// - A truth argument is true when it is a text that is not empty, or a nonzero number.

#pragma once

#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace vex::host {

// A value with the knowledge whether it counts as a text.
struct TValue {
    double Number = 0;
    TText Text;
    bool IsText = false;
};

inline TValue NumberValue(double number) {
    TValue value;
    value.Number = number;
    return value;
}

// True when the node's value counts as a text even when it is empty.
inline bool IsTextNode(const TCodeNode& node) noexcept {
    if (node.IsTextConstant()) {
        return true;
    }
    if (node.IsVariable()) {
        return static_cast<const TVariableNode&>(node).Var->Kind == vkText;
    }
    return node.IsCall() && WordGivesText(node.WordNumber);
}

// The arguments' general ways, for values that QuickNumber cannot give.
void EvaluateValue(TLanguageInterpreter& context, TCallNode& node, int i, TValue& value);
// The number of argument i whose value was a text (possibly empty): the text read as a number,
// or an error.
double NumberOfText(const TLanguageInterpreter& context, const TCallNode& node, int i,
                    const TText& text);
// Kept out of line, so that a word whose number arguments are constants or variables (read in
// place) carries no text of its own.
double EvaluateNumber(TLanguageInterpreter& context, TCallNode& node, int i);
inline bool EvaluateTruth(TLanguageInterpreter& context, TCallNode& node, int i) {
    TCodeNode& argument = *node.Arg(i);
    TText text;
    const double number = EvaluateArgument(context, argument, text);
    if (!text.empty()) {
        return true;
    }
    return number != 0 && !IsTextNode(argument);
}

// Argument i (counted from 1) of a call, evaluated. Number constants and number variables are
// read in place; everything else is evaluated.
inline TValue ValueArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    TValue value;
    if (!QuickNumber(context, *node.Arg(i), value.Number)) {
        EvaluateValue(context, node, i, value);
    }
    return value;
}
inline double NumberArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    double number;
    if (QuickNumber(context, *node.Arg(i), number)) {
        return number;
    }
    return EvaluateNumber(context, node, i);
}
// Evaluates argument i for a word that takes numbers and texts alike: true with `number` set when
// the value is no text, else false with the value in `number` and `text`.
inline bool NumberOrText(TLanguageInterpreter& context, TCallNode& node, int i, double& number,
                         TText& text) {
    TCodeNode& argument = *node.Arg(i);
    if (QuickNumber(context, argument, number)) {
        return true;
    }
    number = EvaluateArgument(context, argument, text);
    return !text.IsText() && !IsTextNode(argument);
}
// The value NumberOrText gave.
inline TValue ValueOf(bool isNumber, double number, TText& text) {
    TValue value;
    value.Number = number;
    value.Text = std::move(text);
    value.IsText = !isNumber;
    return value;
}
TText TextArg(TLanguageInterpreter& context, TCallNode& node, int i);
// The numbers of the operator words (OperatorWords.cpp) that are worked out in place below.
enum TOperatorWordNumber : int {
    owAdd = 3,
    owSubtract = 4,
    owMultiply = 5,
    owEqual = 9,
    owNotEqual = 10,
    owLess = 11,
    owGreater = 12,
    owLessOrEqual = 13,
    owGreaterOrEqual = 14,
};
// The operands of a call of an operator word numbered `first` to `last` when both are number
// constants or number variables within reach of the frame at `frameBase`.
inline bool ReadQuickOperands(const std::uint8_t* frameBase, const TCodeNode& node, int first,
                              int last, double& x, double& y) noexcept {
    if (!node.IsCall() || node.WordNumber < first || node.WordNumber > last) {
        return false;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    return call.ArgCount == 2 && ReadQuickNumber(frameBase, *call.Arg(1), x) &&
           ReadQuickNumber(frameBase, *call.Arg(2), y);
}
// The sum, difference or product (by the operator's word number) of two numbers; false for a
// result that is no finite number, which the operator's word itself then decides on.
inline bool FiniteArithmetic(int wordNumber, double x, double y, double& number) noexcept {
    const double result = wordNumber == owAdd ? x + y : wordNumber == owSubtract ? x - y : x * y;
    if (!std::isfinite(result)) {
        return false;
    }
    number = result;
    return true;
}
// The sum, difference or product of two number constants or number variables within reach of the
// frame at `frameBase`, computed in place as the operator's word would compute it. False for
// every other node, and for a result that is no finite number (the word itself then decides).
inline bool ReadQuickArithmetic(const std::uint8_t* frameBase, const TCodeNode& node,
                                double& number) noexcept {
    double x;
    double y;
    return ReadQuickOperands(frameBase, node, owAdd, owMultiply, x, y) &&
           FiniteArithmetic(node.WordNumber, x, y, number);
}
// The word that reads an argument of the running user-defined word (UserWords.cpp).
inline constexpr int kArgWordNumber = 220;
// Argument i (from 1) of the running user-defined word's call read in place, as Arg reads it
// outside a debug run: a number constant, a number variable, or a sum, difference or product of
// two of them, read in the caller's frame. False for every other argument, for an i outside the
// call's arguments, and always in a debug run.
inline bool ReadQuickCallerArgument(const TLanguageInterpreter& context, int i,
                                    double& number) noexcept {
    if (IsDebugRun(context)) {
        return false;
    }
    const std::uint8_t* callerFrame = nullptr;
    const TCodeNode* argument = UserWordArgumentNode(context, i, callerFrame);
    return argument && (ReadQuickNumber(callerFrame, *argument, number) ||
                        ReadQuickArithmetic(callerFrame, *argument, number));
}
// i when `node` is a call Arg(i) with a whole number constant i from 1 to 255, else 0.
inline int ConstantArgCallIndex(const TCodeNode& node) noexcept {
    if (!node.IsCall() || node.WordNumber != kArgWordNumber || node.ArgCount != 1) {
        return 0;
    }
    const TCodeNode& index = *static_cast<const TCallNode&>(node).Arg(1);
    if (!index.IsNumberConstant()) {
        return 0;
    }
    const double i = static_cast<const TConstantNode&>(index).Value;
    if (!(i >= 1 && i <= 255) || i != static_cast<double>(static_cast<int>(i))) {
        return 0;
    }
    return static_cast<int>(i);
}
// The index of a call Arg(i) that ConstantArgCallIndex accepted when the call was compiled.
inline int ArgCallIndex(const TCodeNode& argCall) noexcept {
    const TCodeNode& index = *static_cast<const TCallNode&>(argCall).Arg(1);
    return static_cast<int>(static_cast<const TConstantNode&>(index).Value);
}
// Whether a comparison (=, <>, <, >, <=, >=) of two number constants or number variables within
// reach of the frame at `frameBase` holds, decided in place as the operator's word would decide
// it. False for every other node.
inline bool ReadQuickComparison(const std::uint8_t* frameBase, const TCodeNode& node,
                                bool& holds) noexcept {
    double x;
    double y;
    if (!ReadQuickOperands(frameBase, node, owEqual, owGreaterOrEqual, x, y)) {
        return false;
    }
    const int order = (x > y) - (x < y);
    switch (node.WordNumber) {
    case owEqual:
        holds = order == 0;
        break;
    case owNotEqual:
        holds = order != 0;
        break;
    case owLess:
        holds = order < 0;
        break;
    case owGreater:
        holds = order > 0;
        break;
    case owLessOrEqual:
        holds = order <= 0;
        break;
    default:
        holds = order >= 0;
        break;
    }
    return true;
}
inline bool TruthArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    double number;
    if (QuickNumber(context, *node.Arg(i), number)) {
        return number != 0;
    }
    // A comparison of two numbers read in place (k<5000000), outside a debug run.
    bool holds;
    if (ReadQuickComparison(CurrentFrameBase(context), *node.Arg(i), holds) &&
        !IsDebugRun(context)) {
        return holds;
    }
    return EvaluateTruth(context, node, i);
}
// IntegerArg's way with a number that is not whole: the nearest integer when the number lies
// within rounding noise of it (0.1*30 is 3), else the error "1.5 is no whole number".
double WholeArgument(const TLanguageInterpreter& context, const TCallNode& node, int i,
                     double value);
[[noreturn]] void IntegerRangeError(const TLanguageInterpreter& context, const TCallNode& node,
                                    int i, double value, std::int64_t low, std::int64_t high);

// A number argument that must be a whole number (WholeArgument); an error outside [low, high].
inline std::int64_t IntegerArg(TLanguageInterpreter& context, TCallNode& node, int i,
                               std::int64_t low, std::int64_t high) {
    double value = NumberArg(context, node, i);
    // Whole numbers, the usual arguments, need no check.
    if (!(value > -9007199254740992.0 && value < 9007199254740992.0) ||
        static_cast<double>(static_cast<std::int64_t>(value)) != value) [[unlikely]] {
        value = WholeArgument(context, node, i, value);
    }
    if (!(value >= static_cast<double>(low) && value <= static_cast<double>(high))) [[unlikely]] {
        IntegerRangeError(context, node, i, value, low, high);
    }
    return static_cast<std::int64_t>(value);
}

// Throws EVexError "Word: 1E300 and 1E-300 give no finite number" with the arguments given.
[[noreturn, gnu::noinline]] void NotFiniteError(const TLanguageInterpreter& context,
                                                const TCallNode& node,
                                                std::initializer_list<double> arguments);
// A result that is no finite number although the arguments were is an error naming the word and
// the arguments, never a silent NAN or infinity.
inline double Finite(TLanguageInterpreter& context, TCallNode& node, double a, double b,
                     double result) {
    if (!std::isfinite(result) && std::isfinite(a) && std::isfinite(b)) [[unlikely]] {
        NotFiniteError(context, node, {a, b});
    }
    return result;
}

// A value as it is shown: its text, or its number in the number format when it is no text.
std::string ShownValue(const TValue& value);
// A value's number: the number, or the text read as a number. False for a text that is none.
bool ValueAsNumber(const TValue& value, double& number);
bool ValueIsTrue(const TValue& value) noexcept;

// Stores a value into a variable, converted to its kind: a number variable takes the value's
// number (a text read as a number), a text variable its shown form, a reference variable its
// number as a handle, an interface variable the interface the value refers to.
void StoreInVariable(TLanguageInterpreter& context, const TVariable& var, const TValue& value);
// The variable a call's argument i names, or an error when the argument is no variable.
const TVariable& VariableArg(const TLanguageInterpreter& context, const TCallNode& node, int i);

// Throws EVexError "bad argument #i to "Word": what".
[[noreturn]] void ArgumentError(const TLanguageInterpreter& context, const TCallNode& node, int i,
                                std::string_view what);
// Throws EVexError "Word: what".
[[noreturn]] void WordError(const TLanguageInterpreter& context, const TCallNode& node,
                            std::string_view what);

// Where the content of argument i lies in its file when it is a text constant of code whose
// places are known, for a word that compiles it (TSourceOriginScope); none otherwise. On the heap,
// so that the frames of a word that compiles text, which nest when that text runs the word
// again, stay small.
std::unique_ptr<TSourceOrigin> ConstantArgOrigin(const TLanguageInterpreter& context,
                                                 const TCallNode& node, int i);

// A text in double quotes for messages, cut after 40 bytes.
std::string Quoted(std::string_view text);

} // namespace vex::host
