#pragma once

// The parts of the runtime context, for runtime/ alone. The other layers reach them through the
// methods of TLanguageInterpreter, words and debuggers the hot ones through RunParts.h.

#include "runtime/AutomationInterface.h"
#include "runtime/RunParts.h"
#include "runtime/Variables.h"
#include "runtime/WordRegistry.h"

namespace vex {

// The context's state: the hot parts first (TRunParts), so that they sit at small offsets from
// the context's address, then the rest.
struct TContextParts : TRunParts {
    explicit TContextParts(std::int32_t stackSize)
        : TRunParts(stackSize) {}

    // The word registry: names, categories, syntax records and implementations of all words.
    TWordRegistry Registry;
    // The global variables.
    TVariables GlobalVariables;
    // The interface the last interface-valued read produced; cleared by every evaluation.
    TInterfaceRef InterfaceRegister;
    // When set, protectedcode([...]) text is unscrambled before it is parsed.
    bool ProtectedCode = false;
};

// The context's parts, which the context's constructor made in its reserved block (a plain
// cast, as RunParts casts: see there).
inline TContextParts& Parts(TLanguageInterpreter& context) noexcept {
    return *reinterpret_cast<TContextParts*>(context.m_parts);
}
inline const TContextParts& Parts(const TLanguageInterpreter& context) noexcept {
    return *reinterpret_cast<const TContextParts*>(context.m_parts);
}

inline void TLanguageInterpreter::PushActivation() {
    Parts(*this).Stack.Save();
}

// Counts one level of nesting against kMaxCallDepth and kMaxNativeStack for as long as it lives.
// Compile and Evaluate hold one, and so does every call of a user-defined word, so that every way
// of starting a run from inside another (a text evaluated by a word, a handler, a file executed,
// a declaration's kind evaluated while a text compiles) counts against the one limit. Raises
// EVexStackOverflow past it.
class TNestingScope {
public:
    // Counts one level, or raises EVexStackOverflow when the limit is reached.
    explicit TNestingScope(TLanguageInterpreter& context)
        : m_context(context) {
        Parts(context).Stack.EnterNesting(NativeStackPosition());
    }
    TNestingScope(const TNestingScope&) = delete;
    TNestingScope& operator=(const TNestingScope&) = delete;
    ~TNestingScope() {
        TContextParts& parts = Parts(m_context);
        parts.Stack.LeaveNesting();
        parts.Debug.LeftNesting(parts.Stack.CallDepth);
    }

private:
    TLanguageInterpreter& m_context;
};

} // namespace vex
