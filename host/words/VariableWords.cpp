// Variables: assignment, increment and decrement, and the declaration words.
//
// The declaration words act while the text is compiled: a variable exists from the call that
// declares it on, and a local lives in the frame of the code that declares it (each run of that
// code, each call of a user-defined word, has its own). At run time they only report whether the
// variable exists; a global whose name is computed is declared when the call runs.

#include "host/model/Assignable.h"
#include "host/words/ModelWordSupport.h"
#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace vex::host {

namespace {

// The target is a variable, or a call of a word that can be assigned to (a label, a named
// attribute). The value is evaluated first, the target's own arguments afterwards.
// The word number of Concat, whose appends to the variable it assigns to grow the text in place.
constexpr int kConcatWord = 100;
// Most pieces such an append takes; a longer Concat goes the general way.
constexpr int kMostAppendedPieces = 8;

// True for `var:=Concat(var,...)` on a text variable within reach, outside a debug run.
bool IsAppendToItself(const TLanguageInterpreter& c, const TCodeNode& target,
                      const TCodeNode& value) {
    if (!target.IsVariable() || !value.IsCall() || value.WordNumber != kConcatWord ||
        value.ArgCount < 1 || value.ArgCount > kMostAppendedPieces + 1 || NeedsCheckedPath(c)) {
        return false;
    }
    const TVariable* var = static_cast<const TVariableNode&>(target).Var;
    const TCodeNode& first = *static_cast<const TCallNode&>(value).Arg(1);
    return var->Kind == vkText && first.IsVariable() &&
           static_cast<const TVariableNode&>(first).Var == var && VariableAddress(c, *var);
}

// `var:=Concat(var,...)` with the result, the order of evaluation and the errors of joining a
// copy and assigning it, but in time linear in the length of the text. The pieces are evaluated
// first, each seeing the variable's old value; then the variable lets go of its share of the
// joined text, which is left with a single owner, makes room once and takes the pieces in place.
// When the text would grow too long, the pieces are appended to the shared copy instead, which
// raises the error at the piece that crosses the limit and leaves the variable as it was.
// The pieces of such an append, evaluated before any is appended: texts, and numbers in their
// number format, which are kept in a buffer of the pieces' own rather than made into texts.
class TAppendPieces {
public:
    // Evaluates argument i of the Concat call as the next piece; gives its size.
    std::size_t Add(TLanguageInterpreter& c, TCallNode& concat, int i) {
        const auto k = static_cast<std::size_t>(m_count++);
        double number = 0;
        if (NumberOrText(c, concat, i, number, m_texts[k])) {
            const std::string shown = FormatNumber(number);
            const std::size_t size = std::min(shown.size(), kDigitsRoom);
            char* digits = m_digits[k].data();
            std::memcpy(digits, shown.data(), size);
            m_views[k] = std::string_view(digits, size);
        } else {
            m_views[k] = m_texts[k].view();
        }
        return m_views[k].size();
    }
    int Count() const noexcept { return m_count; }
    std::string_view operator[](int k) const noexcept {
        return m_views[static_cast<std::size_t>(k)];
    }

private:
    // Room for the longest number format ("-1.79769313486232E308" and the like).
    static constexpr std::size_t kDigitsRoom = 32;

    std::array<TText, kMostAppendedPieces> m_texts;
    std::array<std::array<char, kDigitsRoom>, kMostAppendedPieces> m_digits;
    std::array<std::string_view, kMostAppendedPieces> m_views;
    int m_count = 0;
};

double AppendToItself(TLanguageInterpreter& c, const TVariable& var, TCallNode& concat,
                      TText& text) {
    TText& slot = *reinterpret_cast<TText*>(VariableAddress(c, var));
    TText joined = slot;
    TAppendPieces pieces;
    std::size_t total = joined.size();
    for (int i = 2; i <= concat.ArgCount && total <= kMaxTextSize; ++i) {
        total += pieces.Add(c, concat, i);
    }
    if (total <= kMaxTextSize) {
        // Unless a piece assigned the variable, it still shares the joined text.
        const bool shared = !joined.empty() && slot.data() == joined.data();
        if (shared) {
            slot.clear();
        }
        try {
            joined.reserve(total);
        } catch (...) {
            if (shared) {
                slot = joined;
            }
            throw;
        }
    }
    for (int k = 0; k < pieces.Count(); ++k) {
        joined.append(pieces[k]);
    }
    slot = joined;
    text = std::move(joined);
    return 0;
}

// Every assignment but the common one below: a value of any kind into a variable, a label or an
// attribute.
[[gnu::noinline]] double AssignValue(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TCodeNode* target = n.Arg(1);
    if (IsAppendToItself(c, *target, *n.Arg(2))) {
        return AppendToItself(c, *static_cast<TVariableNode*>(target)->Var,
                              static_cast<TCallNode&>(*n.Arg(2)), text);
    }
    if (!target->IsVariable() && !target->IsCall()) {
        ArgumentError(c, n, 1, "a variable, a label or an attribute is needed");
    }
    TValue value = ValueArg(c, n, 2);
    if (target->IsVariable()) {
        StoreInVariable(c, *static_cast<TVariableNode*>(target)->Var, value);
    } else if (!AssignToCall(c, static_cast<TCallNode&>(*target), value.Number, value.Text)) {
        ArgumentError(c, n, 1, "a variable, a label or an attribute is needed");
    }
    text = std::move(value.Text);
    return value.Number;
}

// A value that turned out to be a text, for a number variable: converted, or an error.
[[gnu::noinline]] double AssignText(TLanguageInterpreter& c, const TVariable& var, double number,
                                    TText& text) {
    TValue value;
    value.Number = number;
    value.Text = std::move(text);
    value.IsText = true;
    StoreInVariable(c, var, value);
    text = std::move(value.Text);
    return value.Number;
}

// The storage of a variable, or none for a local out of reach of the current activation.
inline std::uint8_t* AddressInReach(const TLanguageInterpreter& c, const TVariable& var) noexcept {
    return var.Local ? (CurrentFrameBase(c) ? CurrentFrameBase(c) + var.Storage : nullptr)
                     : reinterpret_cast<std::uint8_t*>(var.Storage);
}

// The common assignment, a number into a number variable within reach, goes without a TValue;
// everything else takes AssignValue (or AssignText, once the value is evaluated).
double Assign(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TCodeNode& target = *n.Arg(1);
    if (!target.IsVariable()) {
        return AssignValue(count, n, text, c);
    }
    const TVariable& var = *static_cast<TVariableNode&>(target).Var;
    if (var.Kind != vkNumber && var.Kind != vkEightByte) {
        return AssignValue(count, n, text, c);
    }
    TCodeNode& source = *n.Arg(2);
    double number;
    if (!QuickNumber(c, source, number)) {
        number = EvaluateArgument(c, source, text);
        if (text.IsText() || IsTextNode(source)) {
            return AssignText(c, var, number, text);
        }
    }
    std::uint8_t* address = AddressInReach(c, var);
    if (!address) {
        StoreInVariable(c, var, NumberValue(number)); // raises: the local is out of reach
    }
    std::memcpy(address, &number, sizeof number);
    return number;
}

// `x:=Arg(i)` with a whole constant i into a number variable within reach: the caller's number
// read in place, as Arg reads it outside a debug run, without evaluating the node of Arg. Every
// other case (a debug run, an argument that must be evaluated, a text) takes Assign.
double AssignCallerArgument(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TVariable& var = *static_cast<TVariableNode&>(*n.Arg(1)).Var;
    std::uint8_t* address = AddressInReach(c, var);
    double number;
    if ((var.Kind != vkNumber && var.Kind != vkEightByte) || !address ||
        !ReadQuickCallerArgument(c, ArgCallIndex(*n.Arg(2)), number)) {
        return Assign(count, n, text, c);
    }
    std::memcpy(address, &number, sizeof number);
    return number;
}

// An assignment to a label (`c.served := c.served + 1`): the value, then the label, as
// AssignValue takes them, without its tests of the target and without a TValue.
double AssignToLabel(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const double number = EvaluateArgument(c, *n.Arg(2), text);
    AssignToCall(c, static_cast<TCallNode&>(*n.Arg(1)), number, text);
    return number;
}

bool IsLabelCall(const TCodeNode& node) {
    return node.IsCall() && node.WordNumber == mwLabel && node.ArgCount == 2;
}

TWordImpl SpecializeAssign(const TCallNode& n) {
    if (IsLabelCall(*n.Arg(1))) {
        return AssignToLabel;
    }
    return n.Arg(1)->IsVariable() && ConstantArgCallIndex(*n.Arg(2)) != 0 ? AssignCallerArgument
                                                                          : nullptr;
}

// Adds `sign` times the step (1 unless given) to a number variable and gives the new value.
double Step(TCallNode& n, TLanguageInterpreter& c, int count, double sign) {
    const TVariable& var = VariableArg(c, n, 1);
    if (var.Kind != vkNumber && var.Kind != vkEightByte) {
        ArgumentError(c, n, 1, "a number variable is needed");
    }
    const double step = count >= 2 ? NumberArg(c, n, 2) : 1;
    TText ignored;
    const double old = ReadVariable(c, var.Kind, VariableAddress(c, var), ignored);
    const double value = Finite(c, n, old, step, old + sign * step);
    StoreInVariable(c, var, NumberValue(value));
    return value;
}

double Inc(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Step(n, c, count, 1);
}

double Dec(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Step(n, c, count, -1);
}

double Declared(int, TCallNode& n, TText&, TLanguageInterpreter&) {
    return n.DeclaredVariable() ? 1 : 0;
}

double DeclareGlobal(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    if (n.DeclaredVariable()) {
        return 1;
    }
    const TText name = TextArg(c, n, 1);
    const std::uint8_t kind = count >= 2 ? ClampKind(NumberArg(c, n, 2)) : std::uint8_t{vkNumber};
    if (!IsValidVariableName(c, name.view())) {
        ArgumentError(c, n, 1, Quoted(name.view()) + " is no valid variable name");
    }
    return c.DeclareVariable(name.view(), kind) ? 1 : 0;
}

// clang-format off
const TWordRow kRows[] = {
    {2,    ":=",            "Variables", Assign,        2, 2,   "Assigns a value to a variable, a label or a named attribute and gives the value; a number variable takes a text that reads as a number, a text variable takes a number in its number format.", "x:=5", false, 1, SpecializeAssign},
    {200,  "Inc",           "Variables", Inc,           1, 2,   "Adds a step (1 unless given) to a number variable and gives the new value.", "Inc(count)"},
    {201,  "Dec",           "Variables", Dec,           1, 2,   "Subtracts a step (1 unless given) from a number variable and gives the new value.", "Dec(count,2)"},
    {wnDeclareGlobal, "DeclareGlobal", "Variables", DeclareGlobal, 1, 2,   "Declares a global variable of a kind (0 number, the default; 1 text; 2 object reference; 3 automation interface; 4 eight-byte value). With a computed name the variable is declared when the call runs.", "DeclareGlobal([total],0)"},
    {wnLocal, "Local",       "Variables", Declared,      1, 2,   "Declares a local variable of a kind given as a number (0 number, the default; 1 text; 2 object reference; 3 automation interface; 4 eight-byte value).", "Local([title],1)"},
    {wnGlobal, "Global",       "Variables", DeclareGlobal, 1, 2,   "Declares a global variable of a kind, as DeclareGlobal.", "Global([title],1)"},
    {wnLocalText, "LocalText",     "Variables", Declared,      1, 255, "Declares local text variables.", "LocalText([s],[t])"},
    {wnLocalNum, "LocalNum",      "Variables", Declared,      1, 255, "Declares local number variables.", "LocalNum([k],[n])"},
    {wnLocalObj, "LocalObj",      "Variables", Declared,      1, 255, "Declares local object-reference variables.", "LocalObj([o])"},
    {wnLocalIntf, "LocalIntf",     "Variables", Declared,      1, 255, "Declares local automation-interface variables.", "LocalIntf([app])"},
};
// clang-format on

} // namespace

std::span<const TWordRow> VariableWordRows() {
    return kRows;
}

} // namespace vex::host
