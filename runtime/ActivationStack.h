#pragma once

#include "runtime/CompiledCode.h"
#include "runtime/ParameterStack.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace vex {

// Deepest nesting of runs: a deeper one raises EVexStackOverflow long before the native stack
// could run out.
inline constexpr int kMaxCallDepth = 2000;
// Most native stack the nested runs of one outermost run may take. A level may be costly (a
// body may nest calls 500 deep, and a compile parses as deep), so the levels alone do not bound
// the native stack; this does. It is half of the 8 MiB a Linux main thread has by default, and
// the other half is room for one more level at its deepest, for the host below the outermost
// run, and for the sanitizers' larger frames.
inline constexpr std::uintptr_t kMaxNativeStack = std::uintptr_t{4} << 20;

// The kind of code that runs, as the debugger shows it: none (code a person or a host runs
// directly), the handler of one of the host's kinds of event code (1 to 15; the host names them),
// or the body of a user-defined word.
enum class TCodeKind : std::uint8_t {
    None = 0,
    FirstHandler = 1,
    LastHandler = 15,
    UserWordBody = 255,
};

// The code kind of the host's handler kind `kind` (1 to 15).
constexpr TCodeKind HandlerCodeKind(int kind) noexcept {
    return static_cast<TCodeKind>(kind);
}
// The handler kind (1 to 15) of a handler's code kind; 0 for every other kind.
constexpr int HandlerKindOf(TCodeKind kind) noexcept {
    return kind >= TCodeKind::FirstHandler && kind <= TCodeKind::LastHandler
               ? static_cast<int>(kind)
               : 0;
}

// The activation stack of a context: the shared stack space that frames of locals are taken
// from, the activation being evaluated, the saved ones, and the call frames of the user-defined
// words that run. Every evaluation pushes an activation and pops it on every exit path, so
// FrameCount and StackUsed are the same after it as before.
class TActivationStack {
public:
    // A zero-filled stack space of `stackSize` bytes and room for the first saved activations.
    explicit TActivationStack(std::int32_t stackSize);
    TActivationStack(const TActivationStack&) = delete;
    TActivationStack& operator=(const TActivationStack&) = delete;

    // The shared stack space: its start, the bytes in use and the bytes available.
    std::uint8_t* StackBase = nullptr;
    std::int32_t StackUsed = 0;
    std::int32_t StackSize = 0;

    // The current activation, field by field as in TCompiledCode: the locals set, the root, the
    // frame of the locals and its size (0 when the activation took no frame of its own), and
    // whether the locals set belongs to the code.
    TVariables* Variables = nullptr;
    TCodeNode* Code = nullptr;
    std::uint8_t* FrameBase = nullptr;
    std::int32_t FrameSize = 0;
    bool OwnsVariables = false;

    // Saved activations; FrameCount of them are in use. Grows by 16 entries when full.
    std::vector<TCompiledCode> Frames;
    std::int32_t FrameCount = 0;

    // Call frames of the running user-defined words, for the words that read their arguments.
    TParameterStack ParameterStack;
    // Nested runs (every compile and evaluation, every call of a user-defined word), bounded by
    // kMaxCallDepth and kMaxNativeStack so that the native stack never runs out.
    std::int32_t CallDepth = 0;
    // Where the native stack stood when the outermost of the nested runs began.
    std::uintptr_t NativeStackStart = 0;
    // 0-based index of the user-defined word last entered.
    std::int32_t CurrentUserWord = 0;
    // The kind of the code that runs: set by the host around a handler, by the engine around a
    // user-defined word's body, restored by both afterwards.
    TCodeKind CodeKind = TCodeKind::None;
    // Word number of the running user-defined word whose body was compiled for debugging, or 0.
    std::int32_t CurrentFunctionWord = 0;

    // The current activation as a compiled-code value.
    TCompiledCode Current() const noexcept {
        return {Variables, Code, FrameBase, FrameSize, OwnsVariables};
    }
    // Makes `code` the current activation without taking a frame.
    void Set(const TCompiledCode& code) noexcept {
        Variables = code.Variables;
        Code = code.Root;
        FrameBase = code.FrameBase;
        FrameSize = code.FrameSize;
        OwnsVariables = code.OwnsVariables;
    }
    // Saves the current activation in Frames.
    void Save();
    // Restores the activation saved last, without releasing any frame.
    void Restore() noexcept {
        --FrameCount;
        Set(Frames[static_cast<std::size_t>(FrameCount)]);
    }
    // Counts one more level of nesting, begun with the native stack at `position`. Raises
    // EVexStackOverflow, changing nothing, past kMaxCallDepth levels or when the native stack
    // taken since the outermost level passes kMaxNativeStack.
    void EnterNesting(std::uintptr_t position) {
        // One test for the common case: a nested level well within both limits.
        if (CallDepth == 0 || CallDepth >= kMaxCallDepth ||
            NativeStackStart - position > kMaxNativeStack) [[unlikely]] {
            EnterNestingChecked(position);
            return;
        }
        ++CallDepth;
    }
    void LeaveNesting() noexcept { --CallDepth; }
    // Raises EVexStackOverflow when the native stack at `position` lies further than
    // kMaxNativeStack from where the outermost level began; for the ways of nesting that count
    // no level of their own.
    void CheckNativeStack(std::uintptr_t position) const;

private:
    void EnterNestingChecked(std::uintptr_t position);

    struct TFreeMemory {
        void operator()(std::uint8_t* memory) const noexcept { std::free(memory); }
    };
    // From calloc: the system hands out zeroed pages, and only those the frames reach are touched.
    std::unique_ptr<std::uint8_t, TFreeMemory> m_space;
};

// The position of the native stack in the calling function (the stack grows downwards).
[[gnu::always_inline]] inline std::uintptr_t NativeStackPosition() noexcept {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

} // namespace vex
