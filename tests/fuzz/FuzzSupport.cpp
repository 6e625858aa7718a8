#include "tests/fuzz/FuzzSupport.h"

#include "runtime/VexScript.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace vex::fuzz {

namespace {

std::int64_t g_steps = 0;
std::array<TWordImpl, kBuiltInWordCount + 1> g_implementations{};

// Stands in for every built-in word: counts the call, then runs the word's own implementation.
double BudgetedWord(int count, TCallNode& node, TText& text, TLanguageInterpreter& context) {
    if (++g_steps > kStepBudget) {
        throw EVexError("step budget of the fuzz run used up");
    }
    return g_implementations[static_cast<std::size_t>(node.WordNumber)](count, node, text, context);
}

} // namespace

TFuzzContext::TFuzzContext(test::TFakeHost& host)
    : TTestContext(host) {
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        const auto slot = static_cast<std::size_t>(number);
        if (Registry.WordTable[slot] && Registry.WordTable[slot] != BudgetedWord) {
            g_implementations[slot] = Registry.WordTable[slot];
            Registry.WordTable[slot] = BudgetedWord;
        }
    }
}

void ResetStepBudget() {
    g_steps = 0;
}

TFuzzContext& FreshContext() {
    static test::TFakeHost host;
    static std::unique_ptr<TFuzzContext> context;
    static int initialWords = 0;
    const bool changed = context && (context->Registry.WordNames.Count() != initialWords ||
                                     !context->GlobalVariables.Items.empty());
    if (!context || changed) {
        context.reset();
        host = test::TFakeHost();
        context = std::make_unique<TFuzzContext>(host);
        initialWords = context->Registry.WordNames.Count();
    }
    context->Errors.clear();
    host.ErrorBoxes.clear();
    host.HandledExceptions.clear();
    return *context;
}

TBalance TBalance::Of(const TLanguageInterpreter& context) {
    TBalance balance;
    balance.FrameCount = context.Stack.FrameCount;
    balance.StackUsed = context.Stack.StackUsed;
    balance.ParameterCount = context.Stack.ParameterStack.Count;
    balance.ParameterLevel = context.Stack.ParameterStack.Level;
    balance.CallDepth = context.Stack.CallDepth;
    balance.DebugState = context.Debug.DebugState;
    balance.RunOrigin = context.Debug.RunOrigin;
    return balance;
}

std::string TBalance::Describe() const {
    return "FrameCount " + std::to_string(FrameCount) + ", StackUsed " + std::to_string(StackUsed) +
           ", ParameterStack Count " + std::to_string(ParameterCount) + " Level " +
           std::to_string(ParameterLevel) + ", CallDepth " + std::to_string(CallDepth) +
           ", DebugState " + std::to_string(DebugState) + ", RunOrigin " +
           std::to_string(RunOrigin);
}

void CheckBalance(const TBalance& before, const TLanguageInterpreter& context,
                  const char* operation) {
    const TBalance after = TBalance::Of(context);
    if (after == before) {
        return;
    }
    std::fprintf(stderr, "%s broke the context's balance:\n  before: %s\n  after:  %s\n", operation,
                 before.Describe().c_str(), after.Describe().c_str());
    std::abort();
}

} // namespace vex::fuzz
