#include "tests/fuzz/FuzzSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/VexScript.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

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

// The watchdog: one thread for the process, looking at the input that runs every 50 ms.
class TWatchdog {
public:
    static TWatchdog& Instance() {
        static TWatchdog watchdog;
        return watchdog;
    }

    void Start(TLanguageInterpreter& context) {
        std::lock_guard lock(m_mutex);
        Parts(context).Debug.ClearAbortRequest();
        m_context = &context;
        m_started = std::chrono::steady_clock::now();
    }
    void Stop() {
        std::lock_guard lock(m_mutex);
        m_context = nullptr;
    }

private:
    TWatchdog() {
        std::thread([this] { Watch(); }).detach();
    }

    [[noreturn]] void Watch() {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            std::lock_guard lock(m_mutex);
            if (m_context && std::chrono::steady_clock::now() - m_started >
                                 std::chrono::seconds(kInputSeconds)) {
                Parts(*m_context).Debug.RequestAbort();
            }
        }
    }

    std::mutex m_mutex;
    TLanguageInterpreter* m_context = nullptr;
    std::chrono::steady_clock::time_point m_started;
};

} // namespace

void BudgetWords(TLanguageInterpreter& context) {
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        const auto slot = static_cast<std::size_t>(number);
        TWordImpl& implementation = Parts(context).Registry.WordTable[slot];
        if (implementation && implementation != BudgetedWord) {
            g_implementations[slot] = implementation;
            implementation = BudgetedWord;
        }
    }
}

TInputWatch::TInputWatch(TLanguageInterpreter& context) {
    TWatchdog::Instance().Start(context);
}

TInputWatch::~TInputWatch() {
    TWatchdog::Instance().Stop();
}

TFuzzContext::TFuzzContext(test::TFakeHost& host)
    : TTestContext(host) {
    BudgetWords(*this);
}

void ResetStepBudget() {
    g_steps = 0;
}

TFuzzContext& FreshContext() {
    static test::TFakeHost host;
    static std::unique_ptr<TFuzzContext> context;
    static int initialWords = 0;
    const bool changed = context && (Parts(*context).Registry.WordNames.Count() != initialWords ||
                                     !Parts(*context).GlobalVariables.Items.empty());
    if (!context || changed) {
        context.reset();
        host = test::TFakeHost();
        context = std::make_unique<TFuzzContext>(host);
        initialWords = Parts(*context).Registry.WordNames.Count();
    }
    context->Errors.clear();
    host.ErrorBoxes.clear();
    host.HandledExceptions.clear();
    return *context;
}

void CheckBalance(const test::TStackBalance& before, const TLanguageInterpreter& context,
                  const char* operation) {
    const test::TStackBalance after = test::TStackBalance::Of(context);
    if (after == before) {
        return;
    }
    std::fprintf(stderr, "%s broke the context's balance:\n  before: %s\n  after:  %s\n", operation,
                 before.Describe().c_str(), after.Describe().c_str());
    std::abort();
}

} // namespace vex::fuzz
