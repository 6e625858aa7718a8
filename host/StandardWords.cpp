#include "host/StandardWords.h"

#include "host/ModelWords.h"
#include "host/WordTable.h"

#include "runtime/Engine.h"
#include "runtime/NumberText.h"
#include "runtime/Signals.h"
#include "runtime/WordRegistry.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

// Sections:
//   [helpers]     argument access and error messages
//   [control]     sequencing, conditions, loops, return
//   [arithmetic]  operators and mathematical functions
//   [texts]       building and measuring texts
//   [variables]   assignment and declarations
//   [output]      writing to the console
//   [table]       the registration table

namespace vex::host {

namespace {

std::ostream* g_output = &std::cout;

// [helpers] -----------------------------------------------------------------------------------

double Number(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText ignored;
    return EvaluateArg(c, n, i, ignored);
}

TText Text(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText text;
    EvaluateArg(c, n, i, text);
    return text;
}

// An argument as it is shown: its text, or its number when it gave no text.
std::string Shown(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText text;
    const double number = EvaluateArg(c, n, i, text);
    return text.empty() ? FormatNumber(number) : text.str();
}

[[noreturn]] void ArgumentError(TLanguageInterpreter& c, const TCallNode& n, int i,
                                const std::string& what) {
    throw EVexError("bad argument #" + std::to_string(i) + " to \"" + WordName(c, n.WordNumber) +
                    "\": " + what);
}

bool Truth(double value) {
    return value != 0;
}

// [control] -----------------------------------------------------------------------------------

double Do(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    for (int i = 1; i <= count; ++i) {
        result = EvaluateArg(c, n, i, text);
    }
    return result;
}

double If(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    if (Truth(Number(c, n, 1))) {
        return count >= 2 ? EvaluateArg(c, n, 2, text) : 1;
    }
    return count >= 3 ? EvaluateArg(c, n, 3, text) : 0;
}

double While(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    while (Truth(Number(c, n, 1))) {
        result = EvaluateArg(c, n, 2, text);
    }
    return result;
}

double Repeat(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const double times = Number(c, n, 1);
    double result = 0;
    for (double i = 0; i < times; ++i) {
        result = EvaluateArg(c, n, 2, text);
    }
    return result;
}

double Return(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText text;
    const double value = count >= 1 ? EvaluateArg(c, n, 1, text) : 0;
    if (count >= 2) {
        text = Text(c, n, 2);
    }
    throw EVexReturn(value, text);
}

double Error(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    throw EVexError(Shown(c, n, 1));
}

// [arithmetic] --------------------------------------------------------------------------------

template <typename Op>
double Binary(TCallNode& n, TLanguageInterpreter& c, Op op) {
    const double a = Number(c, n, 1);
    const double b = Number(c, n, 2);
    return op(a, b);
}

double Add(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Binary(n, c, [](double a, double b) { return a + b; });
}
double Subtract(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Binary(n, c, [](double a, double b) { return a - b; });
}
double Multiply(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Binary(n, c, [](double a, double b) { return a * b; });
}
double Divide(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = Number(c, n, 1);
    const double b = Number(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return a / b;
}
double Modulo(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double a = Number(c, n, 1);
    const double b = Number(c, n, 2);
    if (b == 0) {
        ArgumentError(c, n, 2, "division by zero");
    }
    return std::fmod(a, b);
}
double Power(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Binary(n, c, [](double a, double b) { return std::pow(a, b); });
}

// Comparisons compare texts when both sides give one, numbers otherwise.
int Compare(TCallNode& n, TLanguageInterpreter& c) {
    TText left;
    TText right;
    const double a = EvaluateArg(c, n, 1, left);
    const double b = EvaluateArg(c, n, 2, right);
    if (!left.empty() || !right.empty()) {
        const int order = left.view().compare(right.view());
        return (order > 0) - (order < 0);
    }
    return (a > b) - (a < b);
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

// The logical operators evaluate their second argument only when it decides the result.
double And(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Truth(Number(c, n, 1)) && Truth(Number(c, n, 2));
}
double Or(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Truth(Number(c, n, 1)) || Truth(Number(c, n, 2));
}
double Not(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return !Truth(Number(c, n, 1));
}

double Abs(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return std::fabs(Number(c, n, 1));
}
double Sqrt(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double value = Number(c, n, 1);
    if (value < 0) {
        ArgumentError(c, n, 1, "negative number");
    }
    return std::sqrt(value);
}
double Round(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double value = Number(c, n, 1);
    const double digits = count >= 2 ? Number(c, n, 2) : 0;
    const double scale = std::pow(10.0, std::nearbyint(digits));
    return std::nearbyint(value * scale) / scale;
}

// [texts] -------------------------------------------------------------------------------------

double Concat(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TText joined = Text(c, n, 1);
    if (joined.empty()) {
        joined = TText(Shown(c, n, 1));
    }
    for (int i = 2; i <= count; ++i) {
        joined += Shown(c, n, i);
    }
    text = joined;
    return 0;
}

double Str(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    text = TText(FormatNumber(Number(c, n, 1)));
    return 0;
}

double Val(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    double value = 0;
    const TText text = Text(c, n, 1);
    return TextToNumber(text.view(), value) ? value : 0;
}

double Length(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return static_cast<double>(Text(c, n, 1).size());
}

// [variables] ---------------------------------------------------------------------------------

// Stores a value into a variable node's storage by the variable's kind.
void Store(TLanguageInterpreter& c, const TVariable& var, double number, const TText& text) {
    std::uint8_t* address = VariableAddress(c, var);
    if (!address) {
        throw EVexError("the local variable \"" + var.Name + "\" is not in reach here");
    }
    switch (var.Kind) {
    case vkNumber:
    case vkEightByte:
        *reinterpret_cast<double*>(address) = number;
        break;
    case vkText:
        *reinterpret_cast<TText*>(address) = text;
        break;
    case vkReference:
        *reinterpret_cast<std::int32_t*>(address) = static_cast<std::int32_t>(number);
        break;
    default:
        throw EVexError("cannot assign to the variable \"" + var.Name + "\"");
    }
}

double Assign(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TCodeNode* target = n.Arg(1);
    if (!target->IsVariable()) {
        ArgumentError(c, n, 1, "a variable is needed");
    }
    const double number = EvaluateArg(c, n, 2, text);
    Store(c, *static_cast<TVariableNode*>(target)->Var, number, text);
    return number;
}

// The parser declares what these words name; at run time they give 1 when a variable exists.
double Declared(int, TCallNode& n, TText&, TLanguageInterpreter&) {
    return n.DeclaredVariable() ? 1 : 0;
}

// A global declaration whose name was computed is declared when it runs.
double DeclareGlobal(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    if (n.DeclaredVariable()) {
        return 1;
    }
    const TText name = Text(c, n, 1);
    const std::uint8_t kind = count >= 2 ? ClampKind(Number(c, n, 2)) : std::uint8_t{vkNumber};
    if (!IsValidVariableName(c, name.view())) {
        ArgumentError(c, n, 1, "\"" + name.str() + "\" is no valid variable name");
    }
    return c.DeclareVariable(name.view(), kind) ? 1 : 0;
}

double DefineWord(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TWordAttributes attributes;
    const TText name = Text(c, n, 1);
    attributes.CodeText = Text(c, n, 2).str();
    attributes.MinArgs = static_cast<std::uint8_t>(std::clamp(Number(c, n, 3), 0.0, 255.0));
    attributes.MaxArgs = static_cast<std::uint8_t>(std::clamp(Number(c, n, 4), 0.0, 255.0));
    if (count >= 5) {
        attributes.HelpText = Text(c, n, 5).str();
    }
    return RegisterUserWord(c, name.view(), "Various", attributes);
}

double Arg(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    return EvaluateUserWordArgument(c, static_cast<int>(Number(c, n, 1)), text);
}

double ArgCount(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    return UserWordArgumentCount(c);
}

// [output] ------------------------------------------------------------------------------------

double Print(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    std::string line;
    for (int i = 1; i <= count; ++i) {
        line += Shown(c, n, i);
    }
    *g_output << line << '\n';
    return 0;
}

double Reserved(int, TCallNode& n, TText&, TLanguageInterpreter&) {
    throw EVexError("word number " + std::to_string(n.WordNumber) + " is reserved");
}

// [table] -------------------------------------------------------------------------------------

// clang-format off
const TWordRow kStandardWords[] = {
    {1,  "Do",       "Various",  Do,        1, 255, "Evaluates its arguments in order and gives the last result.", "Do(x:=1,Print(x))"},
    {2,  ":=",       "Various",  Assign,    2, 2,   "Assigns a value to a variable and gives it.", "x:=5"},
    {3,  "+",        "Math",     Add,       2, 2,   "Sum of two numbers.", "1+2"},
    {4,  "-",        "Math",     Subtract,  2, 2,   "Difference of two numbers.", "5-2"},
    {5,  "*",        "Math",     Multiply,  2, 2,   "Product of two numbers.", "2*3"},
    {6,  "/",        "Math",     Divide,    2, 2,   "Quotient of two numbers.", "6/3"},
    {7,  "%",        "Math",     Modulo,    2, 2,   "Remainder of a division.", "7%3"},
    {8,  "^",        "Math",     Power,     2, 2,   "A number raised to a power.", "2^10"},
    {9,  "=",        "Math",     Equal,     2, 2,   "1 when both sides are equal.", "x=1"},
    {10, "<>",       "Math",     NotEqual,  2, 2,   "1 when the sides differ.", "x<>1"},
    {11, "<",        "Math",     Less,      2, 2,   "1 when the left side is smaller.", "x<1"},
    {12, ">",        "Math",     Greater,   2, 2,   "1 when the left side is larger.", "x>1"},
    {13, "<=",       "Math",     LessOrEqual, 2, 2, "1 when the left side is not larger.", "x<=1"},
    {14, ">=",       "Math",     GreaterOrEqual, 2, 2, "1 when the left side is not smaller.", "x>=1"},
    {15, "&",        "Math",     And,       2, 2,   "1 when both sides are nonzero.", "a&b"},
    {16, "|",        "Math",     Or,        2, 2,   "1 when either side is nonzero.", "a|b"},
    {17, "Not",      "Math",     Not,       1, 1,   "1 when the argument is zero.", "Not(x)"},
    {18, "If",       "Various",  If,        1, 3,   "Evaluates the second argument when the first is nonzero, else the third.", "If(x>1,[big],[small])"},
    {19, "While",    "Various",  While,     2, 2,   "Evaluates the body as long as the condition is nonzero.", "While(i<10,i:=i+1)"},
    {20, "Repeat",   "Various",  Repeat,    2, 2,   "Evaluates the body a number of times.", "Repeat(3,Print([hi]))"},
    {21, "Return",   "Various",  Return,    0, 2,   "Ends the running code with a value and a text.", "Return(1,[done])"},
    {22, "Error",    "Various",  Error,     1, 1,   "Raises an error with a message.", "Error([no queue])"},
    {23, "Abs",      "Math",     Abs,       1, 1,   "Absolute value.", "Abs(-2)"},
    {24, "Sqrt",     "Math",     Sqrt,      1, 1,   "Square root.", "Sqrt(16)"},
    {25, "Round",    "Math",     Round,     1, 2,   "Rounds to a number of decimals (halves to even).", "Round(2.345,2)"},
    {26, "Concat",   "Texts",    Concat,    1, 255, "Joins texts and numbers into one text.", "Concat([n=],n)"},
    {27, "Str",      "Texts",    Str,       1, 1,   "A number as text.", "Str(1.5)"},
    {28, "Val",      "Texts",    Val,       1, 1,   "A text as a number (0 when it is none).", "Val([12])"},
    {29, "Length",   "Texts",    Length,    1, 1,   "Number of characters of a text.", "Length([abc])"},
    {30, "Print",    "Various",  Print,     1, 255, "Writes its arguments as one line to the console.", "Print([n=],n)"},
    {31, "Arg",      "Various",  Arg,       1, 1,   "Argument i of the call of the running user-defined word.", "Arg(1)"},
    {32, "ArgCount", "Various",  ArgCount,  0, 0,   "Number of arguments of the running user-defined word's call.", "ArgCount"},
    {75, "DefineWord", "Various", DefineWord, 4, 5, "Registers a user-defined word: name, body, fewest and most arguments, help.", "DefineWord([Twice],[Arg(1)*2],1,1)"},
    {908, "DeclareGlobal", "Various", DeclareGlobal, 1, 2, "Declares a global variable of a kind (0 number, 1 text, 2 reference, 3 interface, 4 eight bytes).", "DeclareGlobal([total],0)"},
    {1343, "Local",      "Various", Declared, 2, 2,   "Declares a local variable of a computed kind.", "Local([k],1)"},
    {1344, "Global",     "Various", DeclareGlobal, 1, 2, "Declares a global variable of a kind.", "Global([name],1)"},
    {1410, "LocalText",  "Various", Declared, 1, 255, "Declares local text variables.", "LocalText([s])"},
    {1411, "LocalNum",   "Various", Declared, 1, 255, "Declares local number variables.", "LocalNum([i],[n])"},
    {1412, "LocalObj",   "Various", Declared, 1, 255, "Declares local object-reference variables.", "LocalObj([o])"},
    {1413, "LocalIntf",  "Various", Declared, 1, 255, "Declares local automation-interface variables.", "LocalIntf([app])"},
};
// clang-format on

const char* const kCategories[] = {
    "Various",         "Math",          "Texts",          "Visualization",
    "Atom Parameters", "Atom Position", "Atom Reference", "Atom Status"};

} // namespace

void SetScriptOutput(std::ostream& output) {
    g_output = &output;
}

// Merges the word tables by number; numbers no table uses are reserved.
void RegisterStandardWords(TLanguageInterpreter& context) {
    for (const char* category : kCategories) {
        AddCategory(context, category);
    }
    std::vector<const TWordRow*> byNumber(kBuiltInWordCount + 1, nullptr);
    for (std::span<const TWordRow> table :
         {std::span<const TWordRow>(kStandardWords), ModelWordRows()}) {
        for (const TWordRow& row : table) {
            if (row.Number < 1 || row.Number > kBuiltInWordCount || byNumber[row.Number]) {
                throw std::logic_error("word number " + std::to_string(row.Number) + " of \"" +
                                       row.Name + "\" is out of range or taken twice");
            }
            byNumber[row.Number] = &row;
        }
    }
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        if (const TWordRow* row = byNumber[number]) {
            RegisterBuiltInWord(context, {number, row->Name, row->Category, row->Impl,
                                          static_cast<std::uint8_t>(row->Min),
                                          static_cast<std::uint8_t>(row->Max), row->Help,
                                          row->Example, "Zentaro", 1});
            continue;
        }
        const std::string name = "Reserved" + std::to_string(number);
        RegisterBuiltInWord(context, {number, name, "Various", Reserved, 0, 255,
                                      "A word number not assigned yet.", "", "Zentaro", 0});
    }
}

} // namespace vex::host
