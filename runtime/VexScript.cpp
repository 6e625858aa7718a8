#include "runtime/VexScript.h"

#include "runtime/ContextParts.h"
#include "runtime/DebugControl.h"
#include "runtime/Engine.h"
#include "runtime/LanguageTexts.h"
#include "runtime/Parser.h"
#include "runtime/SourceMap.h"
#include "runtime/SourcePreparation.h"

#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

namespace vex {

TLanguageInterpreter* GlobalContext = nullptr;

namespace {

// Restores a byte of the context when the scope ends, also when an exception passes.
class TByteRestorer {
public:
    explicit TByteRestorer(std::uint8_t& field)
        : m_field(field)
        , m_saved(field) {}
    ~TByteRestorer() { m_field = m_saved; }
    std::uint8_t Saved() const noexcept { return m_saved; }

private:
    std::uint8_t& m_field;
    std::uint8_t m_saved;
};

} // namespace

static_assert(sizeof(TContextParts) <= kContextPartsSize,
              "the context's parts outgrew their block: raise kContextPartsSize");
static_assert(alignof(TContextParts) <= kContextPartsAlignment,
              "the context's parts need a stricter alignment: raise kContextPartsAlignment");

TLanguageInterpreter::TLanguageInterpreter(THostInterface& host, std::int32_t stackSize)
    : m_host(&host) {
    TContextParts* parts = new (m_parts) TContextParts(stackSize);
    // RunParts reads the hot parts at the start of the block: the base of the parts lies there.
    if (static_cast<void*>(static_cast<TRunParts*>(parts)) != static_cast<void*>(m_parts)) {
        parts->~TContextParts();
        throw std::logic_error("the context's hot parts do not start its block");
    }
    parts->Debug.Performance.Counter.AttachCounter(*this);
}

TLanguageInterpreter::~TLanguageInterpreter() {
    TContextParts& parts = Parts(*this);
    parts.Registry.ReleaseAll();
    parts.InterfaceRegister.reset();
    if (GlobalContext == this) {
        GlobalContext = nullptr;
    }
    parts.~TContextParts();
}

std::int32_t TLanguageInterpreter::UserWordCallLevel() const noexcept {
    return Parts(*this).Stack.ParameterStack.Level;
}

int TLanguageInterpreter::LookupWord(std::string_view name) const {
    return Parts(*this).Registry.Lookup(name);
}

int TLanguageInterpreter::WordIndexOf(std::string_view name) const {
    return Parts(*this).Registry.IndexOf(name);
}

TSyntax* TLanguageInterpreter::WordSyntaxOf(int wordNumber) const noexcept {
    return Parts(*this).Registry.Syntax(wordNumber);
}

const std::string& WordNameAt(const TLanguageInterpreter& context, int wordNumber) {
    return Parts(context).Registry.WordNames[wordNumber - 1];
}

TInterface* InterfaceRegisterObject(const TLanguageInterpreter& context) noexcept {
    return Parts(context).InterfaceRegister.get();
}

std::string TLanguageInterpreter::LanguageText(int number) const {
    std::string text = m_host->LanguageText(number);
    return text.empty() ? std::string(DefaultLanguageText(number)) : text;
}

// Errors --------------------------------------------------------------------------------------

void TLanguageInterpreter::LocateError(TRunError&) {}

TRunError TLanguageInterpreter::Located(const std::string& message) {
    TRunError error;
    error.Message = message;
    if (m_reportedPlace && m_reportedPlace->Known()) {
        error.File = m_reportedPlace->File;
        error.Line = m_reportedPlace->Line;
        error.Column = m_reportedPlace->Column;
    }
    LocateError(error);
    return error;
}

TSourcePlace TLanguageInterpreter::PlaceOfNode(const TCodeNode& root, const TCodeNode& node) {
    const TSourceMap* sources = SourceMapOf(root);
    return sources ? sources->PlaceOf(node) : TSourcePlace();
}

bool TLanguageInterpreter::TextConstantOrigin(const TCodeNode& constant,
                                              TSourceOrigin& origin) const {
    const TCodeNode* root = Parts(*this).Stack.Current().Root;
    const TSourceMap* sources = root ? SourceMapOf(*root) : nullptr;
    return sources && sources->ConstantOrigin(constant, origin);
}

void TLanguageInterpreter::Record(const TRunError& error) {
    for (TRunRecording* run = m_recording; run; run = run->m_outer) {
        run->m_result.Add(error);
    }
}

void TLanguageInterpreter::ReportError(const std::string& message) {
    const TRunError error = Located(message);
    Record(error);
    for (TErrorSubscriber* subscriber = m_errorSubscribers; subscriber;) {
        // The subscriber told may unsubscribe itself.
        TErrorSubscriber* next = subscriber->m_nextSubscriber;
        subscriber->ErrorReported(error);
        subscriber = next;
    }
}

void TLanguageInterpreter::ReportFault(const std::string& message) {
    if (m_recording) {
        TRunError error = Located(message);
        error.Fault = true;
        Record(error);
    }
    m_host->ShowErrorBox(message);
}

void TLanguageInterpreter::HandleRunException(const std::exception& error) {
    if (m_recording) {
        if (dynamic_cast<const ERunStopped*>(&error)) {
            // The error that stopped the run is recorded already; the run failed.
        } else if (dynamic_cast<const EAbortSignal*>(&error)) {
            for (TRunRecording* run = m_recording; run; run = run->m_outer) {
                run->m_result.Status = TRunStatus::Aborted;
            }
        } else if (const std::string message = ErrorMessage(error); !message.empty()) {
            Record(Located(message));
        }
    }
    m_host->HandleException(error);
}

void TLanguageInterpreter::SubscribeErrors(TErrorSubscriber& subscriber) {
    TErrorSubscriber** last = &m_errorSubscribers;
    while (*last) {
        last = &(*last)->m_nextSubscriber;
    }
    subscriber.m_nextSubscriber = nullptr;
    *last = &subscriber;
}

void TLanguageInterpreter::UnsubscribeErrors(TErrorSubscriber& subscriber) noexcept {
    for (TErrorSubscriber** link = &m_errorSubscribers; *link; link = &(*link)->m_nextSubscriber) {
        if (*link == &subscriber) {
            *link = subscriber.m_nextSubscriber;
            subscriber.m_nextSubscriber = nullptr;
            return;
        }
    }
}

// Compile -----------------------------------------------------------------------------------

TCompiledCode* TLanguageInterpreter::Compile(std::string_view source, const TCompiledCode* outer,
                                             const TGuiBinding& binding) {
    TNestingScope nesting(*this);
    TByteRestorer debugState(Parts(*this).Debug.DebugState);
    TCompileState state;
    state.SourceText = RemoveWhitespaceAndComments(source);
    state.GuiBinding = binding;
    auto* code = new TCompiledCode;
    if (outer) {
        *code = *outer;
        code->Root = nullptr;
        code->OwnsVariables = false;
    }
    if (m_host->IsProgressActive()) {
        m_host->AdvanceProgress("t-FileRead", static_cast<std::int64_t>(state.SourceText.size()));
    }
    if (Parts(*this).Debug.DebugStatePositive()) {
        Parts(*this).Debug.DebugState = dsRun;
    }
    // The origin names this text only: a text compiled while this one is parsed (a declaration's
    // kind evaluated) has none.
    std::unique_ptr<TSourceMap> sources;
    if (m_compileOrigin && m_compileOrigin->Line > 0) {
        sources = std::make_unique<TSourceMap>(source, *m_compileOrigin);
        state.Sources = sources.get();
    }
    const TSourceOriginScope noOrigin(*this, TSourceOrigin::None());
    try {
        code->Root = ParseNode(*this, state, *code, outer);
        if (sources && code->Root) {
            sources->Finish();
            AttachSourceMap(*code->Root, sources.release());
        }
    } catch (...) {
        ReleaseCode(code);
        // An abort that ended the outermost compile (a declaration evaluated while parsing
        // answered it) is done with, as at the end of the outermost evaluation.
        if (Parts(*this).Stack.FrameCount == 0) {
            Parts(*this).Debug.ClearAbortRequest();
        }
        throw;
    }
    if (state.CompileFailed) {
        ReleaseCode(code);
    }
    return code;
}

void TLanguageInterpreter::ReleaseCode(TCompiledCode*& code) noexcept {
    if (!code) {
        return;
    }
    ReleaseNode(code->Root);
    if (code->OwnsVariables) {
        delete code->Variables;
    }
    delete code;
    code = nullptr;
}

void TLanguageInterpreter::CompileExpression(const TText& source, const TBindingObject* object,
                                             TExpression& expression) {
    ReleaseCode(expression.Code);
    expression.Text = source;
    if (!source.empty()) {
        TByteRestorer debugState(Parts(*this).Debug.DebugState);
        Parts(*this).Debug.DebugState = Parts(*this).Debug.ReleaseMode ? dsSuppressed : dsRun;
        expression.Code = Compile(source, nullptr, TGuiBinding{object, nullptr});
    }
}

TVariable* TLanguageInterpreter::DeclareVariable(std::string_view name, std::uint8_t kind,
                                                 TCompiledCode* code) {
    if (!IsValidVariableName(*this, name)) {
        std::string message = "Incorrect variable name: '" + std::string(name) + "'.";
        if (WordIndexOf(name) >= 0) {
            // c, i and a are the commonest: one-letter names that newcomers expect to be free.
            message += " '" + std::string(name) +
                       "' is a word (so are c, i and a, the atoms of a handler); use another name, "
                       "such as k, n or s.";
        }
        ReportError(message);
        return nullptr;
    }
    if (!code) {
        return AddVariable(Parts(*this).GlobalVariables, name, kind, nullptr, false);
    }
    if (!code->Variables) {
        code->Variables = new TVariables;
        code->OwnsVariables = true;
    }
    return AddVariable(*code->Variables, name, kind, nullptr, true);
}

// Evaluate ----------------------------------------------------------------------------------

namespace {

// Frames are whole 8-byte slots and mostly a few of them: a loop beats a call of memset.
inline void ZeroFrame(std::uint8_t* base, std::int32_t size) noexcept {
    if (size > 64 || size % 8 != 0) {
        std::memset(base, 0, static_cast<std::size_t>(size));
        return;
    }
    for (std::int32_t offset = 0; offset < size; offset += 8) {
        std::memset(base + offset, 0, 8);
    }
}

// The texts and interfaces among the current activation's locals, released one by one.
[[gnu::noinline]] void ReleaseLocals(TLanguageInterpreter& context) noexcept {
    for (const auto& var : Parts(context).Stack.Variables->Items) {
        if (var->Kind == vkText || var->Kind == vkInterface) {
            ResetVariable(context, *var);
        }
    }
}

} // namespace

TVariable* TLanguageInterpreter::FindGlobal(std::string_view name) const {
    return FindVariable(Parts(*this).GlobalVariables, name);
}

const TVariables& TLanguageInterpreter::Globals() const noexcept {
    return Parts(*this).GlobalVariables;
}

bool TLanguageInterpreter::ProtectedCode() const noexcept {
    return Parts(*this).ProtectedCode;
}

void TLanguageInterpreter::SetProtectedCode(bool unscramble) noexcept {
    Parts(*this).ProtectedCode = unscramble;
}

int TLanguageInterpreter::RunningUserWord() const noexcept {
    const TParameterStack& calls = Parts(*this).Stack.ParameterStack;
    if (calls.Level < 1 || calls.Level > calls.Count) {
        return 0;
    }
    const TCallNode* call = calls.Items[static_cast<std::size_t>(calls.Level - 1)].Node;
    return call ? call->WordNumber : 0;
}

std::int32_t TLanguageInterpreter::ActiveFrameCount() const noexcept {
    return Parts(*this).Stack.FrameCount;
}

void TLanguageInterpreter::RequestAbort() noexcept {
    Parts(*this).Debug.RequestAbort();
}

void TLanguageInterpreter::ClearAbortRequest() noexcept {
    Parts(*this).Debug.ClearAbortRequest();
}

void TLanguageInterpreter::RequestBreak() noexcept {
    Parts(*this).Debug.BreakRequest.fetch_add(1);
}

std::string TLanguageInterpreter::CurrentFunctionName() const {
    const std::int32_t word = Parts(*this).Stack.CurrentFunctionWord;
    return word > 0 ? WordName(word) : std::string();
}

// Makes `code` the current activation. Top-level code with locals takes its frame from the
// shared stack space; a frame that does not fit raises before anything changes.
void TLanguageInterpreter::EnterCode(const TCompiledCode& code) {
    TCompiledCode activation = code;
    activation.FrameSize = 0;
    if (!code.FrameBase && code.Variables && code.Variables->FrameSize != 0) {
        const std::int32_t size = code.Variables->FrameSize;
        if (size > Parts(*this).Stack.StackSize - Parts(*this).Stack.StackUsed) {
            throw EVexStackOverflow();
        }
        activation.FrameBase = Parts(*this).Stack.StackBase + Parts(*this).Stack.StackUsed;
        activation.FrameSize = size;
        Parts(*this).Stack.StackUsed += size;
    }
    Parts(*this).Stack.Set(activation);
}

// Leaves the current activation: empties its locals, gives the frame back and restores the
// saved activation.
bool TLanguageInterpreter::ReleaseFrame() noexcept {
    if (Parts(*this).Stack.FrameSize == 0) {
        return false;
    }
    // Texts and interfaces are released one by one; then the whole frame is zeroed, which
    // empties the numbers and references and leaves the stack space as the next code expects.
    if (Parts(*this).Stack.Variables && Parts(*this).Stack.Variables->ReleasedLocals > 0)
        [[unlikely]] {
        ReleaseLocals(*this);
    }
    ZeroFrame(Parts(*this).Stack.FrameBase, Parts(*this).Stack.FrameSize);
    Parts(*this).Stack.StackUsed -= Parts(*this).Stack.FrameSize;
    return Parts(*this).Stack.StackUsed < 0;
}

void TLanguageInterpreter::PopActivation() {
    const bool underflow = ReleaseFrame();
    Parts(*this).Stack.Restore();
    if (underflow) {
        throw EVexStackUnderflow();
    }
}

double TLanguageInterpreter::EvaluateBody(const TCompiledCode& code, const TCompiledCode& caller,
                                          TText& text) {
    EnterCode(code);
    Parts(*this).InterfaceRegister.reset();
    double result = 0;
    try {
        TCodeNode& root = *code.Root;
        result = Parts(*this).Debug.NeedsCheckedPath() || root.IsConstant()
                     ? EvaluateRootChecked(*this, root, text)
                     : EvaluateRootInPlace(*this, root, text);
    } catch (...) {
        const bool underflow = ReleaseFrame();
        Parts(*this).Stack.Set(caller);
        if (underflow) {
            throw EVexStackUnderflow();
        }
        throw;
    }
    const bool underflow = ReleaseFrame();
    Parts(*this).Stack.Set(caller);
    if (underflow) {
        throw EVexStackUnderflow();
    }
    return result;
}

double TLanguageInterpreter::EvaluateCompiled(TCompiledCode* code, TText& text) {
    Parts(*this).InterfaceRegister.reset();
    return code->Root ? EvaluateRoot(*this, *code->Root, text) : 0;
}

double TLanguageInterpreter::Evaluate(TCompiledCode* code, TText& text) {
    if (!code) {
        return 0;
    }
    TNestingScope nesting(*this);
    PushActivation();
    try {
        EnterCode(*code);
    } catch (...) {
        Parts(*this).Stack.Restore();
        throw;
    }
    // An abort asked for while the outermost run went on ends it, even when the run's last node
    // was evaluated before it could answer. One asked for after the outermost run ended must not
    // end the next one: neither another thread's request nor the debugger's Cancel that no pause
    // took up, nor a press of the break keys that no node answered.
    struct TDropLateAbort {
        TLanguageInterpreter& context;
        ~TDropLateAbort() {
            if (Parts(context).Stack.FrameCount == 0) {
                Parts(context).Debug.ClearAbortRequest();
                Parts(context).Debug.ClearBreakRequests();
                Parts(context).Debug.DropCancel();
            }
        }
    } dropLateAbort{*this};
    double result = 0;
    try {
        result = EvaluateCompiled(code, text);
    } catch (...) {
        PopActivation();
        throw;
    }
    PopActivation();
    if (Parts(*this).Stack.FrameCount == 0) {
        AnswerAbortRequest(*this);
    }
    return result;
}

// Entry operations --------------------------------------------------------------------------

// A run that another program or the debugger's person started while a run was going on: the
// first error stops this run, never the one it came in.
class TLanguageInterpreter::TIndependentRun {
public:
    explicit TIndependentRun(TLanguageInterpreter& context) noexcept
        : m_context(context)
        , m_saved(context.m_independentRunLevel) {
        context.m_independentRunLevel = Parts(context).Stack.FrameCount;
    }
    TIndependentRun(const TIndependentRun&) = delete;
    TIndependentRun& operator=(const TIndependentRun&) = delete;
    ~TIndependentRun() { m_context.m_independentRunLevel = m_saved; }

private:
    TLanguageInterpreter& m_context;
    std::int32_t m_saved;
};

// Evaluates code an entry operation compiled, then releases it. A standard exception that
// leaves the evaluation (the abort signal, the stack signals) goes to the host's exception
// handler and gives 0; any other passes on. A stop at the first error passes on to the run this
// one is nested in; so does a failure when the host stops at the first error.
double TLanguageInterpreter::EvaluateAndRelease(TCompiledCode*& code, TText& text) {
    double result = 0;
    bool failed = false;
    try {
        result = Evaluate(code, text);
    } catch (const ERunStopped& signal) {
        ReleaseCode(code);
        PassStopToOuterRun();
        HandleRunException(signal);
        return 0;
    } catch (const std::exception& error) {
        HandleRunException(error);
        result = 0;
        failed = true;
    } catch (...) {
        ReleaseCode(code);
        throw;
    }
    ReleaseCode(code);
    if (failed) {
        StopOuterRunAfterFailure();
    }
    return result;
}

void TLanguageInterpreter::PassStopToOuterRun() {
    if (Parts(*this).Stack.FrameCount > m_independentRunLevel) {
        throw;
    }
}

void TLanguageInterpreter::StopOuterRunAfterFailure() {
    if (Parts(*this).Stack.FrameCount > m_independentRunLevel && m_host->StopsAtFirstError()) {
        throw ERunStopped();
    }
}

TCompiledCode* TLanguageInterpreter::CompileForRun(std::string_view source,
                                                   const TCompiledCode* outer) {
    TCompiledCode* code = nullptr;
    try {
        code = Compile(source, outer);
    } catch (const ERunStopped& signal) {
        PassStopToOuterRun();
        HandleRunException(signal);
    } catch (const EAbortSignal& signal) {
        HandleRunException(signal);
    } catch (const EVexStackOverflow& signal) {
        HandleRunException(signal);
    }
    if (!code) {
        StopOuterRunAfterFailure();
    }
    return code;
}

double TLanguageInterpreter::ExecuteText(std::string_view source, TText& text) {
    TCompiledCode* code = CompileForRun(source, nullptr);
    if (!code) {
        return 0;
    }
    return EvaluateAndRelease(code, text);
}

double TLanguageInterpreter::ExecuteExternal(std::string_view source, TText& text) {
    TByteRestorer runOrigin(Parts(*this).Debug.RunOrigin);
    const std::uint8_t savedDebugState = Parts(*this).Debug.DebugState;
    struct RestoreSuppression {
        std::uint8_t& state;
        std::uint8_t saved;
        ~RestoreSuppression() {
            state = static_cast<std::uint8_t>((state & ~dsSuppressed) | (saved & dsSuppressed));
        }
    } restoreSuppression{Parts(*this).Debug.DebugState, savedDebugState};
    Parts(*this).Debug.RunOrigin = roExternal;
    Parts(*this).Debug.DebugState |= dsSuppressed;
    const TIndependentRun independent(*this);
    const bool nestedInDebuggableRun =
        static_cast<std::int8_t>(savedDebugState) > 0 && runOrigin.Saved() != 0;
    if (!nestedInDebuggableRun) {
        return ExecuteText(source, text);
    }
    const THostRegisters saved = m_host->Registers();
    struct RestoreRegisters {
        THostInterface& host;
        THostRegisters saved;
        ~RestoreRegisters() { host.Registers() = saved; }
    } restoreRegisters{*m_host, saved};
    return ExecuteText(source, text);
}

double TLanguageInterpreter::ExecuteInPausedFrame(std::string_view source, TText& text) {
    if (!Parts(*this).Debug.PausedFrame) {
        ReportError("Cannot execute in the paused frame: no run is paused.");
        return 0;
    }
    TByteRestorer runOrigin(Parts(*this).Debug.RunOrigin);
    TByteRestorer debugState(Parts(*this).Debug.DebugState);
    Parts(*this).Debug.DebugState = dsSuppressed;
    Parts(*this).Debug.RunOrigin = roExternal;
    const TIndependentRun independent(*this);
    TCompiledCode* code = CompileForRun(source, Parts(*this).Debug.PausedFrame);
    if (!code) {
        return 0;
    }
    return EvaluateAndRelease(code, text);
}

// Entry operations with a result -------------------------------------------------------------

template <typename TRunBody>
TRunResult TLanguageInterpreter::Recorded(TRunBody&& run) {
    TRunResult result;
    TText text;
    {
        const TRunRecording recording(*this, result);
        result.Number = run(text);
    }
    result.Text.assign(text.data(), text.size());
    return result;
}

TRunResult TLanguageInterpreter::Run(std::string_view source) {
    return Recorded([&](TText& text) { return ExecuteText(source, text); });
}

TRunResult TLanguageInterpreter::RunExternal(std::string_view source) {
    return Recorded([&](TText& text) { return ExecuteExternal(source, text); });
}

TRunResult TLanguageInterpreter::RunInPausedFrame(std::string_view source) {
    return Recorded([&](TText& text) { return ExecuteInPausedFrame(source, text); });
}

} // namespace vex
