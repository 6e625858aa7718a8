#pragma once

// What the fuzz targets share: a context with the test word set (no word touches files,
// processes or the clock), a step budget and a time limit that end endless scripts, and the
// check that an entry operation leaves the context's balance as it found it.

#include "tests/runtime/TestSupport.h"

#include <cstdint>
#include <string>

namespace vex::fuzz {

// Word calls one input may make before the run ends with an error; keeps loops and deep
// recursion from turning into timeouts.
inline constexpr std::int64_t kStepBudget = 20000;

// A test context whose built-in words count against the step budget.
class TFuzzContext : public test::TTestContext {
public:
    explicit TFuzzContext(test::TFakeHost& host);
};

// Makes every built-in word of a context count against the step budget.
void BudgetWords(TLanguageInterpreter& context);

// Starts a new input's budget.
void ResetStepBudget();

// Seconds an input may run before it is asked to end the way a user ends a run
// (TDebugControl::RequestAbort): a loop that calls no word (While(1,0)) uses up no budget.
inline constexpr int kInputSeconds = 2;

// Watches one input's run while it lives; a run that takes longer than kInputSeconds is asked to
// end from a watchdog thread. Words that hang without evaluating anything are still caught by
// the fuzzer's own timeout.
class TInputWatch {
public:
    explicit TInputWatch(TLanguageInterpreter& context);
    ~TInputWatch();
    TInputWatch(const TInputWatch&) = delete;
    TInputWatch& operator=(const TInputWatch&) = delete;
};

// A context in its initial state for the next input. Registering the word set is slow, so the
// context is kept between inputs and made anew only after an input that declared a global or
// defined a word; an input therefore never sees what an earlier one left behind.
TFuzzContext& FreshContext();

// Aborts the process (which libFuzzer reports as a finding) when the balance changed.
void CheckBalance(const test::TStackBalance& before, const TLanguageInterpreter& context,
                  const char* operation);

} // namespace vex::fuzz
