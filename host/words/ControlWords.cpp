// Control flow: sequences, conditions, loops with a counter, early return, errors.
//
// Loops give the value of the last pass of their body (0 and no text when it never ran). Break
// leaves the innermost loop of the code it is written in; outside a loop it is an error.

#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexWords.h"

#include <cmath>

namespace vex::host {

namespace {

// Raised by Break and caught by the loop around it. A Break that no loop catches ends the code
// it is in like any error, with this message.
class EVexBreak : public EVexError {
public:
    EVexBreak()
        : EVexError("Break outside a loop") {}
};

double Do(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    for (int i = 1; i <= count; ++i) {
        text.clear();
        result = EvaluateArg(c, n, i, text);
    }
    return result;
}

// True for a call of a word that only declares local variables: its work was done when the
// code was compiled, and running it again has no effect.
bool IsLocalDeclaration(const TCodeNode& node) noexcept {
    if (!node.IsCall()) {
        return false;
    }
    switch (node.WordNumber) {
    case wnLocal:
    case wnLocalText:
    case wnLocalNum:
    case wnLocalObj:
    case wnLocalIntf:
        return true;
    default:
        return false;
    }
}

// Do whose first arguments declare locals and whose last does not, outside a debug run: the
// declarations, which have no effect, are passed over.
double DoAfterDeclarations(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    if (IsDebugRun(c)) {
        return Do(count, n, text, c);
    }
    int first = 2;
    while (IsLocalDeclaration(*n.Arg(first))) {
        ++first;
    }
    double result = 0;
    for (int i = first; i <= count; ++i) {
        text.clear();
        result = EvaluateArg(c, n, i, text);
    }
    return result;
}

TWordImpl SpecializeDo(const TCallNode& n) {
    return n.ArgCount >= 2 && IsLocalDeclaration(*n.Arg(1)) &&
                   !IsLocalDeclaration(*n.Arg(n.ArgCount))
               ? DoAfterDeclarations
               : nullptr;
}

// The branch taken, read in place when it is a number constant or number variable.
double Branch(TLanguageInterpreter& c, TCallNode& n, int i, TText& text) {
    double number;
    if (QuickNumber(c, *n.Arg(i), number)) {
        return number;
    }
    return EvaluateArg(c, n, i, text);
}

double If(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    if (TruthArg(c, n, 1)) {
        return count >= 2 ? Branch(c, n, 2, text) : 1;
    }
    return count >= 3 ? Branch(c, n, 3, text) : 0;
}

// Runs one pass of a loop body; false when the body asked to leave the loop.
bool Pass(TLanguageInterpreter& c, TCallNode& n, int body, double& result, TText& text) {
    try {
        text.clear();
        result = EvaluateArg(c, n, body, text);
        return true;
    } catch (const EVexBreak&) {
        return false;
    }
}

double While(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    while (TruthArg(c, n, 1) && Pass(c, n, 2, result, text)) {
    }
    return result;
}

double Repeat(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const std::int64_t times = IntegerArg(c, n, 1, 0, INT64_MAX / 2);
    double result = 0;
    for (std::int64_t i = 0; i < times && Pass(c, n, 2, result, text); ++i) {
    }
    return result;
}

double ReadCounter(TLanguageInterpreter& c, const TVariable& var) {
    TText ignored;
    return ReadVariable(c, var.Kind, VariableAddress(c, var), ignored);
}

// The counter is read back after every pass, so the body may change it. A step too small to
// change the counter (1 at 1E20) would count forever: that is an error.
double For(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const TVariable& counter = VariableArg(c, n, 1);
    if (counter.Kind != vkNumber && counter.Kind != vkEightByte) {
        ArgumentError(c, n, 1, "a number variable is needed");
    }
    const double from = NumberArg(c, n, 2);
    const double to = NumberArg(c, n, 3);
    const double step = count >= 5 ? NumberArg(c, n, 5) : 1;
    if (step == 0 || !std::isfinite(step)) {
        ArgumentError(c, n, 5, "the step must be a nonzero number");
    }
    double result = 0;
    StoreInVariable(c, counter, NumberValue(from));
    for (double i = from; step > 0 ? i <= to : i >= to;) {
        StoreInVariable(c, counter, NumberValue(i));
        if (!Pass(c, n, 4, result, text)) {
            break;
        }
        const double current = ReadCounter(c, counter);
        i = current + step;
        if (i == current) {
            WordError(c, n,
                      "the step " + FormatNumber(step) + " does not change the counter " +
                          counter.Name + " at " + FormatNumber(current));
        }
    }
    return result;
}

double Break(int, TCallNode&, TText&, TLanguageInterpreter&) {
    throw EVexBreak();
}

double Choose(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const auto i = static_cast<int>(IntegerArg(c, n, 1, 1, count - 1));
    return EvaluateArg(c, n, i + 1, text);
}

// With one argument the value keeps its own text; a second argument gives the text.
double Return(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText text;
    const double value = count >= 1 ? EvaluateArg(c, n, 1, text) : 0;
    if (count >= 2) {
        text = TextArg(c, n, 2);
    }
    throw EVexReturn(value, text);
}

double Error(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    throw EVexError(TextArg(c, n, 1).str(), n);
}

// clang-format off
const TWordRow kRows[] = {
    {1,  "Do",     "Control", Do,     1, 255, "Evaluates its arguments in order and gives the value of the last.", "Do(x:=1,Print(x))", false, 1, SpecializeDo},
    {20, "If",     "Control", If,     1, 3,   "Evaluates the second argument when the first is true (a nonzero number or a text that is not empty), else the third (0 without one).", "If(x>1,[big],[small])"},
    {21, "While",  "Control", While,  2, 2,   "Evaluates the body as long as the condition is true; gives the value of the last pass.", "While(k<10,k:=k+1)"},
    {22, "Repeat", "Control", Repeat, 2, 2,   "Evaluates the body a number of times; gives the value of the last pass.", "Repeat(3,Print([hi]))"},
    {23, "For",    "Control", For,    4, 5,   "Counts a number variable from a start to an end value (inclusive) in steps (1 unless given), evaluating the body for each value; the counter is read back after each pass.", "For(k,1,10,total:=total+k)"},
    {24, "Break",  "Control", Break,  0, 0,   "Leaves the innermost While, Repeat or For loop.", "While(1,If(k>9,Break,k:=k+1))"},
    {25, "Choose", "Control", Choose, 2, 255, "Evaluates only the argument the first argument selects: 1 for the second argument, 2 for the third, and so on.", "Choose(k,[low],[middle],[high])"},
    {26, "Return", "Control", Return, 0, 2,   "Ends the running code (the body of a user-defined word, or the whole text) with a value and, optionally, a text.", "Return(n*2)"},
    {27, "Error",  "Control", Error,  1, 1,   "Raises an error with a message; the running code ends and the message is reported.", "If(x<0,Error([x is negative]))"},
};
// clang-format on

} // namespace

std::span<const TWordRow> ControlWordRows() {
    return kRows;
}

} // namespace vex::host
