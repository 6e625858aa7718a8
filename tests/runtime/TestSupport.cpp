#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/Engine.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberText.h"
#include "runtime/WordRegistry.h"

#include <cmath>

namespace vex::test {

void TFakeHost::AdvanceProgress(std::string_view item, std::int64_t amount) {
    Progress.emplace_back(std::string(item), amount);
}

std::string TFakeHost::LanguageText(int number) const {
    for (const auto& [id, text] : Texts) {
        if (id == number) {
            return text;
        }
    }
    return {};
}

void TFakeHost::HandleException(const std::exception& error) {
    HandledExceptions.emplace_back(error.what());
}

TTestContext::TTestContext(TFakeHost& host, std::int32_t stackSize)
    : TLanguageInterpreter(host, stackSize) {
    SubscribeErrors(*this);
    RegisterTestWords(*this);
}

TStackBalance TStackBalance::Of(const TLanguageInterpreter& context) {
    TStackBalance balance;
    balance.FrameCount = Parts(context).Stack.FrameCount;
    balance.StackUsed = Parts(context).Stack.StackUsed;
    balance.ParameterCount = Parts(context).Stack.ParameterStack.Count;
    balance.ParameterLevel = Parts(context).Stack.ParameterStack.Level;
    balance.CallDepth = Parts(context).Stack.CallDepth;
    balance.FrameBase = Parts(context).Stack.FrameBase;
    balance.TimingSlot = Parts(context).Debug.TimingSlot;
    balance.CodeKind = static_cast<int>(Parts(context).Stack.CodeKind);
    balance.DebugState = Parts(context).Debug.DebugState;
    balance.RunOrigin = Parts(context).Debug.RunOrigin;
    return balance;
}

std::string TStackBalance::Describe() const {
    const auto address = [](const void* pointer) { return pointer ? "set" : "none"; };
    return "frames " + std::to_string(FrameCount) + ", stack used " + std::to_string(StackUsed) +
           ", parameters " + std::to_string(ParameterCount) + " at level " +
           std::to_string(ParameterLevel) + ", call depth " + std::to_string(CallDepth) +
           ", frame base " + address(FrameBase) + ", timing slot " + address(TimingSlot) +
           ", code kind " + std::to_string(CodeKind) + ", debug state " +
           std::to_string(DebugState) + ", run origin " + std::to_string(RunOrigin);
}

std::string StackImbalance(const TLanguageInterpreter& context) {
    TStackBalance balance = TStackBalance::Of(context);
    TStackBalance atRest;
    atRest.DebugState = balance.DebugState;
    atRest.RunOrigin = balance.RunOrigin;
    return balance == atRest ? std::string() : balance.Describe();
}

int& CountCalls() {
    static int calls = 0;
    return calls;
}

namespace {

double Arg(TLanguageInterpreter& c, TCallNode& n, int i, TText& text) {
    return EvaluateArg(c, n, i, text);
}

double Num(TLanguageInterpreter& c, TCallNode& n, int i) {
    TText ignored;
    return EvaluateArg(c, n, i, ignored);
}

double wordDo(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    for (int i = 1; i <= count; ++i) {
        result = Arg(c, n, i, text);
    }
    return result;
}

// Assigns to a variable node: numbers to number variables, texts to text variables.
double wordAssign(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TCodeNode* target = n.Arg(1);
    if (!target->IsVariable()) {
        throw EVexError("the first argument of \":=\" must be a variable");
    }
    const TVariable& var = *static_cast<TVariableNode*>(target)->Var;
    TText value;
    const double number = Arg(c, n, 2, value);
    std::uint8_t* address = VariableAddress(c, var);
    if (!address) {
        throw EVexError("variable \"" + var.Name + "\" has no storage here");
    }
    if (var.Kind == vkText) {
        *reinterpret_cast<TText*>(address) = value;
    } else if (var.Kind == vkReference) {
        *reinterpret_cast<std::int32_t*>(address) = static_cast<std::int32_t>(number);
    } else if (var.Kind == vkNumber || var.Kind == vkEightByte) {
        *reinterpret_cast<double*>(address) = number;
    }
    text = value;
    return number;
}

double wordAdd(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) + Num(c, n, 2);
}
double wordSubtract(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) - Num(c, n, 2);
}
double wordMultiply(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) * Num(c, n, 2);
}
double wordDivide(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const double divisor = Num(c, n, 2);
    if (divisor == 0) {
        throw EVexError("division by zero");
    }
    return Num(c, n, 1) / divisor;
}
double wordEqual(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) == Num(c, n, 2) ? 1 : 0;
}
double wordLess(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) < Num(c, n, 2) ? 1 : 0;
}

double wordConcat(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TText joined;
    for (int i = 1; i <= count; ++i) {
        TText piece;
        const double number = Arg(c, n, i, piece);
        joined +=
            piece.empty() && n.Arg(i)->IsNumberConstant() ? FormatNumber(number) : piece.str();
    }
    text = joined;
    return 0;
}

double wordReturn(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText text;
    const double value = Num(c, n, 1);
    if (count > 1) {
        Arg(c, n, 2, text);
    }
    throw EVexReturn(value, text);
}

double wordFail(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText message("failed");
    if (count > 0) {
        Arg(c, n, 1, message);
    }
    throw EVexError(message.str());
}

double wordCount(int, TCallNode&, TText&, TLanguageInterpreter&) {
    return ++CountCalls();
}

double wordLabel(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    TText name;
    Arg(c, n, 1, name);
    const double owner = Num(c, n, 2);
    text = name;
    return static_cast<double>(name.size()) + owner;
}

double wordC(int, TCallNode&, TText&, TLanguageInterpreter&) {
    return 7;
}
double wordGuiStore(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1);
}
double wordSystemFault(int, TCallNode&, TText&, TLanguageInterpreter&) {
    throw ESystemFault("access violation");
}

double wordWhile(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    double result = 0;
    while (Num(c, n, 1) != 0) {
        result = Arg(c, n, 2, text);
    }
    return result;
}

double wordArg(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    return EvaluateUserWordArgument(c, static_cast<int>(Num(c, n, 1)), text);
}

// Define([name],[body],min,max): registers a user-defined word with that body.
double wordDefine(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText name;
    TText body;
    Arg(c, n, 1, name);
    Arg(c, n, 2, body);
    TWordAttributes attributes;
    attributes.CodeText = body.str();
    attributes.MinArgs = static_cast<std::uint8_t>(Num(c, n, 3));
    attributes.MaxArgs = static_cast<std::uint8_t>(Num(c, n, 4));
    return c.RegisterUserWord(name.view(), "Various", attributes);
}

double wordGroupFail(int, TCallNode&, TText&, TLanguageInterpreter&) {
    throw EVexError("internal detail");
}

double wordNamedAtt(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return 100 + Num(c, n, 1);
}

double wordGuiInstance(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    return Num(c, n, 1) * 1000 + Num(c, n, 2);
}

// Declaration words: the parser declares; at run time they give the declared variable count.
double wordDeclare(int, TCallNode& n, TText&, TLanguageInterpreter&) {
    return n.DeclaredVariable() ? 1 : 0;
}

double wordFiller(int, TCallNode&, TText&, TLanguageInterpreter&) {
    return 0;
}

struct TRow {
    int Number;
    const char* Name;
    TWordImpl Impl;
    int Min;
    int Max;
};

const TRow kWords[] = {
    {twDo, "Do", wordDo, 1, 255},
    {twAssign, ":=", wordAssign, 2, 2},
    {twAdd, "+", wordAdd, 2, 2},
    {twSubtract, "-", wordSubtract, 2, 2},
    {twMultiply, "*", wordMultiply, 2, 2},
    {twDivide, "/", wordDivide, 2, 2},
    {twEqual, "=", wordEqual, 2, 2},
    {twConcat, "Concat", wordConcat, 1, 255},
    {twReturn, "Return", wordReturn, 1, 2},
    {twFail, "Fail", wordFail, 0, 1},
    {twCount, "Count", wordCount, 0, 0},
    {twLabel, "label", wordLabel, 2, 2},
    {twC, "c", wordC, 0, 0},
    {twGuiStore, "GUIStore", wordGuiStore, 1, 1},
    {twSystemFault, "SystemFault", wordSystemFault, 0, 0},
    {twWhile, "While", wordWhile, 2, 2},
    {twLess, "<", wordLess, 2, 2},
    {twArg, "Arg", wordArg, 1, 1},
    {twDefine, "Define", wordDefine, 4, 8},
    {twGroupWord, "GroupFail", wordGroupFail, 0, 0},
    {twNamedAtt, "NamedAtt", wordNamedAtt, 2, 2},
    {twGuiInstance, "GUIInstance", wordGuiInstance, 2, 2},
    {twGlobal, "Global", wordDeclare, 2, 2},
    {twLocal, "Local", wordDeclare, 2, 2},
    {twGlobal2, "Global2", wordDeclare, 1, 2},
    {twLocalText, "LocalText", wordDeclare, 1, 255},
    {twLocalNumber, "LocalNumber", wordDeclare, 1, 255},
    {twLocalReference, "LocalReference", wordDeclare, 1, 255},
    {twLocalInterface, "LocalInterface", wordDeclare, 1, 255},
};

const TRow* rowOf(int number) {
    for (const TRow& row : kWords) {
        if (row.Number == number) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

void RegisterTestWords(TLanguageInterpreter& context) {
    for (const char* category : {"Various", "Visualization", "Atom Parameters"}) {
        context.AddCategory(category);
    }
    std::vector<std::string> fillerNames;
    fillerNames.reserve(kBuiltInWordCount);
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        fillerNames.push_back("w" + std::to_string(number));
    }
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        const TRow* row = rowOf(number);
        const char* name =
            row ? row->Name : fillerNames[static_cast<std::size_t>(number - 1)].c_str();
        const TWordRow word{number,
                            name,
                            "Various",
                            row ? row->Impl : wordFiller,
                            static_cast<std::uint8_t>(row ? row->Min : 0),
                            static_cast<std::uint8_t>(row ? row->Max : 255),
                            "",
                            "",
                            false,
                            static_cast<std::uint8_t>(row ? 1 : 0)};
        context.RegisterBuiltInWord(word, "Test");
    }
}

std::string DumpTree(const TLanguageInterpreter& context, const TCodeNode* node) {
    if (!node) {
        return "<none>";
    }
    if (node->IsNumberConstant()) {
        return FormatNumber(static_cast<const TConstantNode*>(node)->Value);
    }
    if (node->IsTextConstant()) {
        return "[" + static_cast<const TTextConstantNode*>(node)->Text.str() + "]";
    }
    if (node->IsVariable()) {
        const TVariable* var = static_cast<const TVariableNode*>(node)->Var;
        return (node->IsLocalVariable() ? "l:" : "g:") + var->Name;
    }
    const auto* call = static_cast<const TCallNode*>(node);
    std::string dump = context.WordName(call->WordNumber);
    if (call->ArgCount > 0) {
        dump += "(";
        for (int i = 1; i <= call->ArgCount; ++i) {
            dump += (i > 1 ? "," : "") + DumpTree(context, call->Arg(i));
        }
        dump += ")";
    }
    if (call->HasDeclaredEntry()) {
        const TVariable* extra = call->DeclaredVariable();
        dump += extra ? "#" + extra->Name : "#-";
    }
    return dump;
}

} // namespace vex::test
