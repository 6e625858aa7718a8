#pragma once

// A small fake host and a test word set, so that runtime tests compile and run real VexScript
// without the application's host.

#include "runtime/VexScript.h"

#include <string>
#include <vector>

namespace vex::test {

// Records what the runtime asks of its host.
class TFakeHost : public THostInterface {
public:
    THostRegisters& Registers() override { return RegisterSet; }
    bool IsProgressActive() const override { return ProgressActive; }
    void AdvanceProgress(std::string_view item, std::int64_t amount) override;
    std::string LanguageText(int number) const override;
    void ShowErrorBox(const std::string& message) override { ErrorBoxes.push_back(message); }
    void HandleException(const std::exception& error) override;
    bool StopsAtFirstError() const override { return StopAtFirstError; }

    THostRegisters RegisterSet;
    bool StopAtFirstError = false;
    bool ProgressActive = false;
    std::vector<std::pair<std::string, std::int64_t>> Progress;
    std::vector<std::string> ErrorBoxes;
    std::vector<std::string> HandledExceptions;
    // Texts that replace the English ones, by number.
    std::vector<std::pair<int, std::string>> Texts;
};

// A context that collects its error messages.
class TTestContext : public TLanguageInterpreter, public TErrorSubscriber {
public:
    explicit TTestContext(TFakeHost& host, std::int32_t stackSize = 4096);
    void ErrorReported(const TRunError& error) override { Errors.push_back(error.Message); }
    std::vector<std::string> Errors;
};

// Word numbers of the test word set that tests refer to.
enum TTestWord : int {
    twDo = 1,            // Do(a,...): evaluates every argument, gives the last
    twAssign,            // :=(variable,value)
    twAdd,               // +(a,b)
    twSubtract,          // -(a,b)
    twMultiply,          // *(a,b)
    twDivide,            // /(a,b)
    twEqual,             // =(a,b)
    twConcat,            // Concat(a,...): the texts joined
    twReturn,            // Return(value[,text]): raises the return signal
    twFail,              // Fail([message]): raises an error
    twCount,             // Count: how often it ran
    twLabel,             // label([name],owner): the name's length plus the owner's number
    twC,                 // c: the current object, 7
    twGuiStore,          // GUIStore(n): n
    twSystemFault,       // SystemFault: raises a fault of the system classes
    twWhile,             // While(condition,body)
    twLess,              // <(a,b)
    twArg,               // Arg(i): argument i of the running user-defined word's call
    twDefine = 75,       // Define([name],[body],min,max,...)
    twGroupWord = 380,   // GroupFail: raises inside the group with hidden messages
    twNamedAtt = 648,    // NamedAtt(n,c): 100 + n
    twGuiInstance = 869, // GUIInstance(reference,entry): reference * 1000 + entry
    twGlobal = 908,      // Global([name],kind)
    twLocal = 1343,      // Local([name],kind)
    twGlobal2 = 1344,    // Global2([name],kind)
    twLocalText = 1410,  // LocalText([a],...)
    twLocalNumber = 1411,
    twLocalReference = 1412,
    twLocalInterface = 1413,
};

// Registers the test word set at its numbers (gaps filled with unlisted words "w<number>") and
// the categories "Various", "Visualization" and "Atom Parameters".
void RegisterTestWords(TLanguageInterpreter& context);
// How often the word Count ran since the last reset.
int& CountCalls();

// What every entry operation must leave as it found it, however its run ended: the saved
// activations, the shared stack space, the parameter stack, the nesting, the kind of the running
// code, the timing slot and the run's state bytes.
struct TStackBalance {
    std::int32_t FrameCount = 0;
    std::int32_t StackUsed = 0;
    int ParameterCount = 0;
    int ParameterLevel = 0;
    std::int32_t CallDepth = 0;
    const void* FrameBase = nullptr;
    const void* TimingSlot = nullptr;
    int CodeKind = 0;
    int DebugState = 0;
    int RunOrigin = 0;

    static TStackBalance Of(const TLanguageInterpreter& context);
    friend bool operator==(const TStackBalance&, const TStackBalance&) = default;
    // Every field with its value, for a failure message.
    std::string Describe() const;
};

// What differs from a context outside any run (no activation saved, no stack space taken, no
// parameters, no nesting, no user-defined word or timing slot): "" when nothing does, else the
// whole balance described. The debug state and the run origin are left out, as debugging may be
// on between runs; compare TStackBalance::Of before and after a run for those.
//
//     EXPECT_EQ(StackImbalance(context), "") << source;
std::string StackImbalance(const TLanguageInterpreter& context);

// A readable form of a tree: numbers, [texts], g:name and l:name for variables, and calls as
// name(arg,...). A call's extra entry is shown as "#name" or "#-".
std::string DumpTree(const TLanguageInterpreter& context, const TCodeNode* node);

} // namespace vex::test
