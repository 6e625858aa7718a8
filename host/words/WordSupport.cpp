#include "host/words/WordSupport.h"

#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vex::host {

namespace {

// An interface value travels as its handle with the object in the context's InterfaceRegister:
// the variable takes a reference of its own to that object; 0 empties it.
void StoreInterface(TLanguageInterpreter& context, const TVariable& var, std::uint8_t* address,
                    double number) {
    TInterface* object = nullptr;
    if (number != 0) {
        object = InterfaceRegisterObject(context);
        if (!object || object->Handle() != number) {
            throw EVexError("the interface variable \"" + var.Name +
                            "\" can only take an interface or 0");
        }
        object->AddRef();
    }
    TInterface*& slot = *reinterpret_cast<TInterface**>(address);
    if (TInterface* old = slot) {
        old->Release();
    }
    slot = object;
}

// A reference is a host's handle: a whole number in the 32-bit range.
std::int32_t ReferenceValue(const TVariable& var, const TValue& value) {
    if (value.IsText) {
        throw EVexError("the reference variable \"" + var.Name + "\" cannot take the text " +
                        Quoted(value.Text));
    }
    const double number = value.Number;
    if (!(number >= INT32_MIN && number <= INT32_MAX) || number != std::trunc(number)) {
        throw EVexError("the reference variable \"" + var.Name + "\" cannot take " +
                        FormatNumber(number) +
                        ": a reference is a whole number from -2147483648 to 2147483647");
    }
    return static_cast<std::int32_t>(number);
}

} // namespace

std::string ShownValue(const TValue& value) {
    return value.IsText ? value.Text.str() : FormatNumber(value.Number);
}

bool ValueAsNumber(const TValue& value, double& number) {
    if (!value.IsText) {
        number = value.Number;
        return true;
    }
    return TextToNumber(value.Text.view(), number);
}

bool ValueIsTrue(const TValue& value) noexcept {
    return value.IsText ? !value.Text.empty() : value.Number != 0;
}

void EvaluateValue(TLanguageInterpreter& context, TCallNode& node, int i, TValue& value) {
    TCodeNode& argument = *node.Arg(i);
    value.Number = EvaluateArgument(context, argument, value.Text);
    value.IsText = value.Text.IsText() || IsTextNode(argument);
}

namespace {

double EvaluateNumberOf(TLanguageInterpreter& context, TCallNode& node, int i) {
    TCodeNode& argument = *node.Arg(i);
    TText text;
    const double number = EvaluateArgument(context, argument, text);
    if (!text.IsText() && !IsTextNode(argument)) [[likely]] {
        return number;
    }
    return NumberOfText(context, node, i, text);
}

// A call Arg(i) with a whole number constant i from 1 to 255, read in place by
// ReadQuickCallerArgument without the call of Arg. False for every other node: Arg then runs and
// decides.
bool ReadArgCallInPlace(const TLanguageInterpreter& context, const TCodeNode& node,
                        double& number) noexcept {
    const int i = ConstantArgCallIndex(node);
    return i != 0 && ReadQuickCallerArgument(context, i, number);
}

// Arg(i) read in place, or else evaluated like every other argument.
[[gnu::noinline]] double EvaluateArgCallNumber(TLanguageInterpreter& context, TCallNode& node,
                                               int i) {
    double number;
    if (ReadArgCallInPlace(context, *node.Arg(i), number)) {
        return number;
    }
    return EvaluateNumberOf(context, node, i);
}

} // namespace

// Calls of Arg go their own way, so that the check costs the others one comparison.
double EvaluateNumber(TLanguageInterpreter& context, TCallNode& node, int i) {
    if (node.Arg(i)->WordNumber == kArgWordNumber) {
        return EvaluateArgCallNumber(context, node, i);
    }
    return EvaluateNumberOf(context, node, i);
}

double NumberOfText(const TLanguageInterpreter& context, const TCallNode& node, int i,
                    const TText& text) {
    double number = 0;
    if (!TextToNumber(text.view(), number)) {
        ArgumentError(context, node, i, "a number is needed, not the text " + Quoted(text));
    }
    return number;
}

TText TextArg(TLanguageInterpreter& context, TCallNode& node, int i) {
    TValue value = ValueArg(context, node, i);
    return value.IsText ? std::move(value.Text) : TText(FormatNumber(value.Number));
}

double WholeArgument(const TLanguageInterpreter& context, const TCallNode& node, int i,
                     double value) {
    // Relative noise of a few hundred ulps, what a sum or product of decimal fractions leaves.
    constexpr double kNoise = 1e-12;
    const double rounded = std::nearbyint(value);
    if (std::isfinite(value) &&
        std::fabs(value - rounded) > kNoise * std::max(1.0, std::fabs(value))) [[unlikely]] {
        ArgumentError(context, node, i, FormatNumber(value) + " is no whole number");
    }
    return rounded;
}

void IntegerRangeError(const TLanguageInterpreter& context, const TCallNode& node, int i,
                       double value, std::int64_t low, std::int64_t high) {
    ArgumentError(context, node, i,
                  FormatNumber(value) + " is outside " + std::to_string(low) + " to " +
                      std::to_string(high));
}

void NotFiniteError(const TLanguageInterpreter& context, const TCallNode& node,
                    std::initializer_list<double> arguments) {
    std::string shown;
    std::size_t left = arguments.size();
    for (const double argument : arguments) {
        shown += FormatNumber(argument);
        --left;
        shown += left > 1 ? ", " : left == 1 ? " and " : "";
    }
    WordError(context, node,
              shown + (arguments.size() == 1 ? " gives" : " give") + " no finite number");
}

void StoreInVariable(TLanguageInterpreter& context, const TVariable& var, const TValue& value) {
    std::uint8_t* address = VariableAddress(context, var);
    if (!address) {
        throw EVexError("the local variable \"" + var.Name + "\" is not in reach here");
    }
    switch (var.Kind) {
    case vkNumber:
    case vkEightByte: {
        double number = 0;
        if (!ValueAsNumber(value, number)) {
            throw EVexError("the number variable \"" + var.Name + "\" cannot take the text " +
                            Quoted(value.Text));
        }
        std::memcpy(address, &number, sizeof number);
        break;
    }
    case vkText:
        *reinterpret_cast<TText*>(address) = value.IsText ? value.Text : TText(ShownValue(value));
        break;
    case vkReference: {
        const std::int32_t handle = ReferenceValue(var, value);
        std::memcpy(address, &handle, sizeof handle);
        break;
    }
    case vkInterface:
        StoreInterface(context, var, address, value.Number);
        break;
    default:
        throw EVexError("the variable \"" + var.Name + "\" has no kind that can be assigned");
    }
}

const TVariable& VariableArg(const TLanguageInterpreter& context, const TCallNode& node, int i) {
    const TCodeNode* argument = node.Arg(i);
    if (!argument->IsVariable()) {
        ArgumentError(context, node, i, "a variable is needed");
    }
    return *static_cast<const TVariableNode*>(argument)->Var;
}

void ArgumentError(const TLanguageInterpreter& context, const TCallNode& node, int i,
                   std::string_view what) {
    throw EVexError("bad argument #" + std::to_string(i) + " to \"" +
                        context.WordName(node.WordNumber) + "\": " + std::string(what),
                    node);
}

void WordError(const TLanguageInterpreter& context, const TCallNode& node, std::string_view what) {
    throw EVexError(context.WordName(node.WordNumber) + ": " + std::string(what), node);
}

std::unique_ptr<TSourceOrigin> ConstantArgOrigin(const TLanguageInterpreter& context,
                                                 const TCallNode& node, int i) {
    TSourceOrigin origin;
    if (!context.TextConstantOrigin(*node.Arg(i), origin)) {
        return nullptr;
    }
    return std::make_unique<TSourceOrigin>(std::move(origin));
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() > kShown) {
        return "\"" + std::string(text.substr(0, kShown)) + "...\"";
    }
    return "\"" + std::string(text) + "\"";
}

} // namespace vex::host
