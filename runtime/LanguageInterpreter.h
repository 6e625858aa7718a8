#pragma once

#include "runtime/CodeNode.h"
#include "runtime/CompiledCode.h"
#include "runtime/DebuggerInterface.h"
#include "runtime/HostInterface.h"
#include "runtime/Interface.h"
#include "runtime/ParameterStack.h"
#include "runtime/SimpleStringList.h"
#include "runtime/Syntax.h"
#include "runtime/Text.h"
#include "runtime/Variables.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// Words 1 to 1667 are built in; user-defined words are numbered from 1668 on.
inline constexpr int kBuiltInWordCount = 1667;

// Bits of RunOrigin and DebugOrigins: what started the running evaluation.
enum TRunOrigin : std::uint8_t {
    roSimulation = 1,
    roAnimation = 2,
    roInterruption = 4,
    roExternal = 8,
};

// Values of the low bits of DebugState; bit 7 suppresses debugging for the run.
enum TDebugState : std::uint8_t {
    dsOff = 0,
    dsRun = 1,
    dsStepOver = 2,
    dsStepInto = 3,
    dsSuppressed = 0x80,
};

// The name-binding record used while compiling: bare names may denote a named attribute of the
// current object or a stored entry of the current GUI instance.
struct TGuiBinding {
    const TBindingObject* CurrentObject = nullptr;
    const TBindingInstance* CurrentInstance = nullptr;
};

// A named constant the word overview lists besides the words.
struct TExtraEntry {
    std::string Name;
    std::int32_t Category = 0; // position in Categories
    std::string HelpText;
    std::string Example;
};

// The runtime context: all state of compiling and evaluating VexScript.
//
// The application creates exactly one and publishes it through GlobalContext. Everything runs on
// the GUI thread, except that the break watcher thread increments BreakRequest. Runs nest (a
// paused run pumps messages that may start another run); every entry operation saves and
// restores what it changes.
class TLanguageInterpreter {
public:
    // Creates a context for `host` with a zero-filled shared stack space of `stackSize` bytes for
    // the frames of locals, an empty word registry and no globals. The host then fills the
    // registry with its built-in words (see WordRegistry.h).
    explicit TLanguageInterpreter(THostInterface& host, std::int32_t stackSize = 1 << 20);
    TLanguageInterpreter(const TLanguageInterpreter&) = delete;
    TLanguageInterpreter& operator=(const TLanguageInterpreter&) = delete;
    virtual ~TLanguageInterpreter();

    // Entry operations ---------------------------------------------------------------------

    // Prepares and parses `text` into a new compiled code. With `outer`, the new code shares the
    // outer code's locals and frame. Compile errors go to ReportError; the result is then none.
    TCompiledCode* Compile(std::string_view source, const TCompiledCode* outer = nullptr);
    // Evaluates compiled code in a fresh activation and returns its number; `text` receives the
    // text half. Errors inside are contained and reported; none gives 0.
    double Evaluate(TCompiledCode* code, TText& text);
    // Evaluate for the body of a user-defined word (code with no frame of its own yet) called from
    // the current activation: the caller's activation is kept on the native stack instead of in
    // Frames, and restored afterwards, also when an error passes.
    double EvaluateBody(const TCompiledCode& code, TText& text);
    // Compiles, evaluates and releases `text`. An abort or stack signal that leaves the
    // evaluation goes to the host's exception handler and gives 0.
    double ExecuteText(std::string_view source, TText& text);
    // ExecuteText for another program's request: marks the run as external and suppresses
    // debugging for it.
    double ExecuteExternal(std::string_view source, TText& text);
    // Runs `text` inside the activation the debugger paused in, so that it sees that code's
    // locals.
    double ExecuteInPausedFrame(std::string_view source, TText& text);
    // Compiles `text` into `expression` with `object` as the current object for name binding.
    void CompileExpression(std::string_view source, const TBindingObject* object,
                           TExpression& expression);
    // Releases compiled code and its tree; the variable becomes none. The locals set goes with it
    // only when the code owns it.
    void ReleaseCode(TCompiledCode*& code) noexcept;
    // Declares a variable: a local of `code`, or a global without it. Reports an invalid name.
    TVariable* DeclareVariable(std::string_view name, std::uint8_t kind,
                               TCompiledCode* code = nullptr);
    // Receives every composed error message. The host shows it; the default writes nothing.
    virtual void ReportError(const std::string& message);

    // The interface text of a number: the host's, or the English text when the host has none.
    std::string LanguageText(int number) const;
    THostInterface& Host() const noexcept { return *m_host; }

    // Fields ---------------------------------------------------------------------------------

    bool CompileFailed = false;
    // Prepared text of the compile in progress; appended to compile error messages.
    std::string SourceText;
    std::uint8_t* StackBase = nullptr;
    std::int32_t StackUsed = 0;
    std::int32_t StackSize = 0;
    // The current activation.
    TVariables* Variables = nullptr;
    TCodeNode* Code = nullptr;
    std::uint8_t* FrameBase = nullptr;
    std::int32_t FrameSize = 0;
    bool OwnsVariables = false;
    // Saved activations; FrameCount of them are in use.
    std::vector<TCompiledCode> Frames;
    std::int32_t FrameCount = 0;
    // Implementation entry point of each built-in word by word number (slot 0 unused).
    std::array<TWordImpl, kBuiltInWordCount + 1> WordTable{};
    TSimpleStringList WordNames{false};
    TSimpleStringList WordCategories{false};
    TSimpleStringList Categories{false};
    TSimpleStringList WordCreators{false};
    TSimpleStringList WordIndex{true};
    // Set while a TWordBatch is open: the index is appended to and sorted when the batch ends.
    bool WordIndexDeferred = false;
    TGuiBinding GuiBinding;
    // One syntax record per word, owned by the registry.
    std::vector<TSyntax*> WordSyntax;
    // Replaced syntax records whose bodies were still running when they were replaced.
    std::vector<TSyntax*> RetiredSyntax;
    std::vector<TExtraEntry> ExtraEntries;
    std::unique_ptr<TParameterStack> ParameterStack;
    bool ProtectedCode = false;
    std::int32_t CurrentUserWord = 0;
    std::uint8_t RunOrigin = 0;
    std::uint8_t DebugState = dsOff;
    std::uint8_t SavedDebugState = dsOff;
    bool Running = true;
    std::uint8_t UserWordMarker = 0;
    std::uint8_t DebugOrigins = 0;
    bool ReleaseMode = false;
    bool AbortRequested = false;
    std::uint64_t* TimingSlot = nullptr;
    std::atomic<std::uint32_t> BreakRequest{0};
    std::intptr_t AbortTarget = 0;
    // The activation the debugger paused in (points at PausedActivation), or none.
    TCompiledCode* PausedFrame = nullptr;
    TCompiledCode PausedActivation;
    bool DebugSwitchState = false;
    TVariables GlobalVariables;
    TInterfaceRef InterfaceRegister;
    // Word number of the running user-defined word whose body was compiled for debugging, or 0.
    std::int32_t CurrentFunctionWord = 0;
    // The application's debugger services (window, message boxes, message pump, break watcher),
    // or none: debug runs then never pause or count, and a break request stops the run.
    TDebugServices* DebugServices = nullptr;
    // Depth of nested user-defined word calls, bounded so that the native stack never runs out.
    std::int32_t CallDepth = 0;

    // True when DebugState has bit 7 clear and nonzero low bits (read as a signed byte: positive).
    bool DebugStatePositive() const noexcept { return static_cast<std::int8_t>(DebugState) > 0; }
    // The name of CurrentFunctionWord; empty outside such a word.
    std::string CurrentFunctionName() const;
    // The current activation as a compiled-code value.
    TCompiledCode CurrentActivation() const noexcept {
        return {Variables, Code, FrameBase, FrameSize, OwnsVariables};
    }

    // Makes `code` the current activation without taking a frame (words that evaluate a
    // caller's arguments switch to the caller's activation and back).
    void SetActivation(const TCompiledCode& code) noexcept;

private:
    void PushActivation();
    void EnterCode(const TCompiledCode& code);
    void PopActivation();
    // Empties the locals of the current activation and gives its frame back; true when the stack
    // use went below zero.
    bool ReleaseFrame() noexcept;
    double EvaluateCompiled(TCompiledCode* code, TText& text);
    double EvaluateAndRelease(TCompiledCode*& code, TText& text);

    THostInterface* m_host;
    struct TFreeMemory {
        void operator()(std::uint8_t* memory) const noexcept { std::free(memory); }
    };
    // From calloc: the system hands out zeroed pages, and only those the frames reach are touched.
    std::unique_ptr<std::uint8_t, TFreeMemory> m_stack;
};

// The application's one runtime context, or none before it is created.
extern TLanguageInterpreter* GlobalContext;

} // namespace vex
