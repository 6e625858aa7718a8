#pragma once

// VexScript: the embedding API.
//
// This header is what an application that runs VexScript needs; the words it adds are written
// against runtime/VexWords.h, and a debugger against runtime/DebuggerInterface.h. Nothing outside
// runtime/ includes any other runtime header.
//
// Running a script
//
//   1. Implement THostInterface (HostInterface.h: the object-reference registers, the progress
//      display, language texts, an error box and the exception handler) and create one
//      TLanguageInterpreter for it; derive from the context to give its errors their place
//      (LocateError), and subscribe who shows them (SubscribeErrors). Publish it through
//      GlobalContext if other parts of the application need it.
//   2. Fill the word registry with the built-in words (VexWords.h: RegisterBuiltInWord with a
//      TWordBatch around many of them) and declare the host's globals (DeclareVariable).
//   3. Compile text into a TCompiledCode and Evaluate it as often as needed, then ReleaseCode it;
//      or Run for compile, evaluate and release in one step, RunExternal for another program's
//      request (debugging suppressed), RunInPausedFrame for text typed into the debugger while a
//      run is paused. These three give a TRunResult (RunResult.h): whether the run went well,
//      ended in errors or was aborted, its value, and every error reported while it ran, with
//      its place where the host knows it. ExecuteText, ExecuteExternal and ExecuteInPausedFrame
//      are the same runs giving only the number, for words that run text and do not ask how it
//      went.
//
// Values: every evaluation gives a number (the result) and a text (the TText out-parameter, owned
// by the caller). Object references travel as numbers; an automation interface as its handle,
// with the interface itself in the interface register (AutomationInterface.h, with VexWords.h).
//
// Errors: compile errors are reported through ReportError (each of them, not only the first) and
// the compile gives none. Errors while a tree runs are contained at the root of each evaluated
// code: reported through ReportError (faults of the system classes through ReportFault and the
// host's error box) and the evaluation gives 0; a host that stops at the first error
// (THostInterface::StopsAtFirstError) has the whole run end there instead (ERunStopped). An
// error names the word that failed and, for a tree compiled under a TSourceOriginScope, the
// failing node's file, line and column. ReportError hands each error, with the place the
// derived context's LocateError gives it, to the error subscribers (the host's error list, the
// console's error stream) and to every run that records its errors (TRunRecording); nobody
// learns of a failure by counting messages. The exceptions are in Exceptions.h; the abort signal
// of the debugger is not contained and ends the whole run, silently.
//
// Nesting and threads: everything runs on one thread. Runs nest (a word may run text, a paused
// run handles GUI events that may start another run); every entry operation saves and restores
// what it changes. The one exception is the break and abort requests (RequestBreak,
// RequestAbort), which another thread may make.
//
// The context owns its parts (TContextParts, ContextParts.h, which only runtime/ includes) in a
// block it reserves here, so that this header needs none of their headers: the activation stack
// and the debug state (RunParts.h, which the word and debugger APIs bring in for their inline
// argument entry and DebugControlOf) and the word registry, the globals and the interface
// register. Layers above reach them through the methods below. The compile state (failure flag,
// prepared source text, name binding) belongs to each compile and lives in the parser while it
// runs, so compiles may nest.
//
// What this header brings in: the text type and the text comparisons (Text.h), the run result
// and the error subscribers (RunResult.h), the host interface (HostInterface.h), the exceptions
// (Exceptions.h) and the number format (NumberText.h). The code tree, the syntax records, the
// variable records, the word rows, the syntax line and the source traps come with VexWords.h;
// RemoveWhitespaceAndComments, the first of the parser's rewrites, is declared here for tools
// that show what the parser sees and for telling blank statements.

#include "runtime/Exceptions.h"
#include "runtime/HostInterface.h"
#include "runtime/NumberText.h"
#include "runtime/RunResult.h"
#include "runtime/Text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TRunRecording;
class TVariables;
struct TCompiledCode;
struct TContextParts;
struct TExpression;
struct TRunParts;
struct TSourceOrigin;
struct TSourcePlace;
struct TSyntax;
struct TVariable;
struct TWordAttributes;
struct TWordRow;
// The kind of code that runs (ActivationStack.h, which the word and debugger APIs bring in).
enum class TCodeKind : std::uint8_t;

// Bits of RunOrigin and DebugOrigins: what started the running evaluation.
enum TRunOrigin : std::uint8_t {
    roSimulation = 1,
    roAnimation = 2,
    roInterruption = 4,
    roExternal = 8,
};

// A named constant the word overview lists besides the words.
struct TExtraEntry {
    // The constant's name, its category (a position in Categories), help text and example.
    std::string Name;
    std::int32_t Category = 0;
    std::string HelpText;
    std::string Example;
};

// Variable kinds.
enum TVariableKind : std::uint8_t {
    vkNumber = 0,    // a double
    vkText = 1,      // a TText
    vkReference = 2, // a host object reference: a 32-bit handle
    vkInterface = 3, // an automation interface (TInterface, reference-counted)
    vkEightByte = 4, // eight bytes read as a double
};

// Attributes of a user-defined word, in registration order.
struct TWordAttributes {
    // The help text and an example, shown by the word overview.
    std::string HelpText;
    std::string Example;
    // The body; compiled when the word is registered and kept with it, sharing the text.
    TText CodeText;
    // The argument range, checked when a call is compiled.
    std::uint8_t MinArgs = 0;
    std::uint8_t MaxArgs = 0;
    // A byte of the registering code's own, kept with the word (TSyntax::OpaqueFlags).
    std::uint8_t OpaqueFlags = 0;
    // Shown by the word overview.
    std::uint8_t UpdateFlag = 0;
    // Nonzero when the word is shown in the word overview and coloured as a word by the editor.
    std::uint8_t Listed = 1;
    // Empty: the language's default creator text.
    std::string Creator;
    // Return codes only, no messages.
    bool Silent = false;
    // Registered early, before the definition has run (TSyntax::Provisional).
    bool Provisional = false;
};

// Results of TLanguageInterpreter::RegisterUserWord.
enum TRegisterResult : int {
    rrAdded = 1,
    rrReplaced = 2,
    rrBodyFailed = 0,
    rrEmptyName = -1,
    rrUnknownCategory = -2,
    rrBuiltInName = -3,
    // Every word number is taken (kMaxWordNumber words are registered).
    rrRegistryFull = -4,
};

// The size and alignment of the block a context keeps its parts in (TContextParts,
// ContextParts.h); VexScript.cpp checks that the parts fit.
inline constexpr std::size_t kContextPartsSize = 30720;
inline constexpr std::size_t kContextPartsAlignment = 8;

class TLanguageInterpreter;
// The context's parts, for runtime/ (defined in ContextParts.h), and its hot parts, for the word
// and debugger APIs (RunParts.h).
inline TContextParts& Parts(TLanguageInterpreter& context) noexcept;
inline const TContextParts& Parts(const TLanguageInterpreter& context) noexcept;
inline TRunParts& RunParts(TLanguageInterpreter& context) noexcept;
inline const TRunParts& RunParts(const TLanguageInterpreter& context) noexcept;

// Removes whitespace (space, tab, line feed, carriage return) and comments from a whole source
// in one left-to-right pass, keeping text constants intact.
//
// A text constant runs from '[' to its matching ']' (nested pairs counted, unclosed constants
// run to the end); inside it a tab becomes a space, a line feed is dropped and everything else,
// braces included, is kept. Outside text constants, '{' remembers the current end of the output
// and skips to the next '}' later in the source; each '}' cuts the output back to the last
// remembered end (the start of the output when there is none). This makes nested comments
// work: "p{a{b}c}q" gives "pq". A '{' with no '}' anywhere after it is just dropped.
std::string RemoveWhitespaceAndComments(std::string_view source);

// The name binding of a compile: bare names in the text may denote a named attribute of the
// current object or a stored entry of the current GUI instance.
struct TGuiBinding {
    const TBindingObject* CurrentObject = nullptr;
    const TBindingInstance* CurrentInstance = nullptr;
};

// The runtime context: all state of compiling and evaluating VexScript.
class TLanguageInterpreter {
public:
    // Creates a context for `host` with a zero-filled shared stack space of `stackSize` bytes for
    // the frames of locals, an empty word registry and no globals.
    explicit TLanguageInterpreter(THostInterface& host, std::int32_t stackSize = 1 << 20);
    TLanguageInterpreter(const TLanguageInterpreter&) = delete;
    TLanguageInterpreter& operator=(const TLanguageInterpreter&) = delete;
    // Releases every word's syntax record and the interface register; withdraws GlobalContext
    // when it points here.
    virtual ~TLanguageInterpreter();

    // Entry operations ---------------------------------------------------------------------

    // Prepares and parses `source` into a new compiled code; the caller releases it with
    // ReleaseCode. With `outer`, the new code shares the outer code's locals and frame (and may
    // declare no locals). Bare names bind as `binding` says. Compile errors go to ReportError;
    // the result is then none.
    TCompiledCode* Compile(std::string_view source, const TCompiledCode* outer = nullptr,
                           const TGuiBinding& binding = {});
    // Evaluates compiled code in a fresh activation and returns its number; `text` receives the
    // text half. Errors inside are contained and reported; none gives 0.
    double Evaluate(TCompiledCode* code, TText& text);
    // Compiles, evaluates and releases `source`, and tells how it went. An abort or stack signal
    // that leaves the compile or the evaluation goes to the host's exception handler as well.
    TRunResult Run(std::string_view source);
    // Run for another program's request: marks the run as external and suppresses debugging for
    // it; nested in a debuggable run, it keeps the host registers as they were.
    TRunResult RunExternal(std::string_view source);
    // Runs `source` inside the activation the debugger paused in, so that it sees that code's
    // locals. With no run paused (none was, or the activation has ended) it reports so and
    // fails.
    TRunResult RunInPausedFrame(std::string_view source);
    // Run, RunExternal and RunInPausedFrame giving only the number (0 on error) and the text,
    // for words that run text and do not ask how it went. They make no result of their own; a
    // run around them that records its errors records theirs too.
    double ExecuteText(std::string_view source, TText& text);
    double ExecuteExternal(std::string_view source, TText& text);
    double ExecuteInPausedFrame(std::string_view source, TText& text);
    // Compiles `source` into `expression` (releasing its old code) with `object` as the current
    // object for name binding. An empty text leaves no code.
    void CompileExpression(const TText& source, const TBindingObject* object,
                           TExpression& expression);
    // Releases compiled code and its tree; the variable becomes none. The locals set goes with it
    // only when the code owns it.
    static void ReleaseCode(TCompiledCode*& code) noexcept;
    // Reports a composed error message: gives it its place (LocateError), records it in every
    // run that records its errors and hands it to every error subscriber.
    void ReportError(const std::string& message);
    // Reports a fault of the system classes: recorded like an error, but shown by the host's
    // error box instead of going to the subscribers.
    void ReportFault(const std::string& message);
    // The place in its file of a node of the tree whose root is `root`: known when the tree was
    // compiled under a TSourceOriginScope that named a file line. Looking it up costs a search
    // of the tree's side table; nothing is kept in the nodes, so runs pay nothing for it.
    static TSourcePlace PlaceOfNode(const TCodeNode& root, const TCodeNode& node);
    // Where the content of a text constant of the running code lies in its file, for a word
    // that compiles that text (a word body, a handler) under a TSourceOriginScope, so that the
    // errors of the compiled text name their place in the file. False when the running code's
    // tree has no places, or `constant` is no text constant of it.
    bool TextConstantOrigin(const TCodeNode& constant, TSourceOrigin& origin) const;
    // Hands an exception that left a run to the host's exception handler and records it in every
    // run that records its errors: an abort ends them as aborted, another exception with a
    // message is an error.
    void HandleRunException(const std::exception& error);
    // Adds and removes a receiver of every error reported (in the order they subscribed). A
    // subscriber is subscribed to one context at most, and unsubscribes before it goes.
    void SubscribeErrors(TErrorSubscriber& subscriber);
    void UnsubscribeErrors(TErrorSubscriber& subscriber) noexcept;

    // Variables ----------------------------------------------------------------------------

    // Declares a variable of a kind (TVariableKind): a local of `code`, or a global without it.
    // An existing variable of that name is returned as it is. Reports an invalid name and gives
    // none.
    TVariable* DeclareVariable(std::string_view name, std::uint8_t kind,
                               TCompiledCode* code = nullptr);
    // The global variable of that name (ASCII case ignored), or none.
    TVariable* FindGlobal(std::string_view name) const;
    // The global variables, in the order they were declared.
    const TVariables& Globals() const noexcept;

    // Words ----------------------------------------------------------------------------------

    // Word index (word number - 1) of a name, blanks and control characters at its ends
    // trimmed, ASCII case ignored; -1 when no word has it.
    int LookupWord(std::string_view name) const;
    // Word index of a name exactly as given (ASCII case ignored), or -1.
    int WordIndexOf(std::string_view name) const;
    // The name of a word number, or empty.
    std::string WordName(int wordNumber) const;
    // The syntax record (argument range, help, example, body) of a word number, or none.
    TSyntax* WordSyntaxOf(int wordNumber) const noexcept;
    // The word is shown in the word overview, the help and the completion, and coloured as a
    // word: its syntax record is marked as listed and it is not dormant (removed). False for a
    // number no word has.
    bool IsWordListed(int wordNumber) const noexcept;
    // Appends the next built-in word; its number must be the next free one. Throws
    // std::logic_error when it is not (a fault in the host's table, not a user's).
    void RegisterBuiltInWord(const TWordRow& word, std::string_view creator);
    // Adds a category name to the valid categories (once).
    void AddCategory(std::string_view category);
    // Adds a named constant that the word overview and the help list beside the words, in a
    // category added before; false, adding nothing, for a category that is not one.
    bool AddConstant(std::string_view name, std::string_view category, std::string_view helpText,
                     std::string_view example);
    // Registers or replaces a user-defined word (a TRegisterResult). A replaced word keeps its
    // number, so code compiled earlier calls the new body. A failed registration changes
    // nothing; unless attributes.Silent, its reason goes to ReportError.
    int RegisterUserWord(std::string_view name, std::string_view category,
                         const TWordAttributes& attributes);
    // Makes a user-defined word dormant: its name gains a leading blank, so a later registration
    // of the name takes over its number. False for an unknown or built-in name.
    bool RemoveUserWord(std::string_view name);
    // The name of the running user-defined word compiled for debugging; empty outside one.
    std::string CurrentFunctionName() const;
    // The number of words, built-in and user-defined (dormant ones included): word numbers run
    // from 1 to WordCount().
    int WordCount() const noexcept;
    // The category and the creator of a word number, or empty.
    std::string WordCategory(int wordNumber) const;
    std::string WordCreator(int wordNumber) const;
    // The valid categories in the order they were added.
    std::vector<std::string> Categories() const;
    // The named constants the help and the word overview show beside the words.
    const std::vector<TExtraEntry>& Constants() const noexcept;
    // True while a batch of words is being registered (TWordBatch): lookups by name are not
    // ready until it ends.
    bool RegisteringWords() const noexcept;
    // The names of the listed words that begin with `prefix` (ASCII case ignored), in the
    // lookup's order; none while words are being registered.
    std::vector<std::string> ListedWordsBeginningWith(std::string_view prefix) const;

    // The application ------------------------------------------------------------------------

    // The interface text of a number: the host's, or the English text when the host has none.
    std::string LanguageText(int number) const;
    // The host the context was created for.
    THostInterface& Host() const noexcept { return *m_host; }
    // When set, protectedcode([...]) text is unscrambled before it is parsed.
    bool ProtectedCode() const noexcept;
    void SetProtectedCode(bool unscramble) noexcept;

    // The run's state ----------------------------------------------------------------------------

    // What started the running code (TRunOrigin bits) and what kind of code it is; a host that
    // runs handlers of its own sets both around each handler and restores them afterwards.
    // These four are inline for the handler runs and defined in RunParts.h, which the word and
    // debugger APIs (VexWords.h, DebuggerInterface.h) bring in: a file that calls them includes
    // one of those.
    inline std::uint8_t RunOrigin() const noexcept;
    inline void SetRunOrigin(std::uint8_t origin) noexcept;
    inline TCodeKind CodeKind() const noexcept;
    inline void SetCodeKind(TCodeKind kind) noexcept;
    // Levels of user-defined word calls now running (0 outside one), and the word number of the
    // innermost of them (0 when there is none).
    std::int32_t UserWordCallLevel() const noexcept;
    int RunningUserWord() const noexcept;
    // The number of activations saved below the current one: 0 when no evaluation runs.
    std::int32_t ActiveFrameCount() const noexcept;
    // Asks the running code to stop: the run ends with an abort at its next node, every run it
    // is nested in as well. Safe from a signal handler and from another thread.
    void RequestAbort() noexcept;
    // Withdraws an abort request that no run has answered.
    void ClearAbortRequest() noexcept;
    // Asks the running code to stop at its next node as the break keys do (the debugger asks
    // what to do; without one the run stops). Safe from another thread.
    void RequestBreak() noexcept;

    // The engine's -----------------------------------------------------------------------------

    // Evaluates the body of a user-defined word (code with no frame of its own yet) called from
    // the current activation, `caller` (the call keeps it on the native stack instead of in
    // Frames), which is restored afterwards, also when an error passes.
    double EvaluateBody(const TCompiledCode& code, const TCompiledCode& caller, TText& text);

protected:
    // Fills in the place of an error reported now, as far as the host can tell it; the default
    // knows none.
    virtual void LocateError(TRunError& error);

private:
    friend class TRunRecording;
    friend class TSourceOriginScope;
    friend class TReportedPlaceScope;
    friend TContextParts& Parts(TLanguageInterpreter& context) noexcept;
    friend const TContextParts& Parts(const TLanguageInterpreter& context) noexcept;
    friend TRunParts& RunParts(TLanguageInterpreter& context) noexcept;
    friend const TRunParts& RunParts(const TLanguageInterpreter& context) noexcept;

    // The activation operations of Evaluate: save the current activation, make the code current
    // (taking its frame of locals from the shared stack space), and leave it again.
    inline void PushActivation();
    void EnterCode(const TCompiledCode& code);
    void PopActivation();
    // Empties the locals of the current activation and gives its frame back; true when the stack
    // use went below zero.
    bool ReleaseFrame() noexcept;
    double EvaluateCompiled(TCompiledCode* code, TText& text);
    // Compile for an entry operation that runs the code: the abort signal (a declaration's kind
    // evaluated while compiling may raise it) and the stack signal (the compile is a level of
    // nesting) go to the host's exception handler as they do from the evaluation, and give none.
    TCompiledCode* CompileForRun(std::string_view source, const TCompiledCode* outer);
    double EvaluateAndRelease(TCompiledCode*& code, TText& text);
    // In a handler of ERunStopped: a run nested in another passes the stop on (rethrows it), so
    // that the outermost run ends; the outermost run returns and takes it.
    void PassStopToOuterRun();
    // A nested run whose compile failed ends the runs around it when the host stops at the
    // first error, as a runtime error would.
    void StopOuterRunAfterFailure();
    // A run of an entry operation, recorded into a result.
    template <typename TRunBody>
    TRunResult Recorded(TRunBody&& run);
    void Record(const TRunError& error);
    TRunError Located(const std::string& message);

    // The block the parts (see the opening comment) live in, made and destroyed by the context;
    // first, so that the hot ones sit at small offsets from the context's address. Reserved here
    // rather than a member of their type, so that this header needs none of their headers.
    alignas(kContextPartsAlignment) std::byte m_parts[kContextPartsSize];
    THostInterface* m_host;
    // The innermost run that records its errors, or none.
    TRunRecording* m_recording = nullptr;
    // Where the texts compiled now lie in their file (TSourceOriginScope), or none.
    const TSourceOrigin* m_compileOrigin = nullptr;
    // The place of the error being reported, while ReportRuntimeError reports it.
    const TSourcePlace* m_reportedPlace = nullptr;
    // The first of the error subscribers, which link on to the others.
    TErrorSubscriber* m_errorSubscribers = nullptr;
    // The activation level at which the innermost run started that another program or the
    // debugger's person asked for (RunExternal, RunInPausedFrame): a stop at the first error
    // passes on to the runs around a run only down to this level.
    std::int32_t m_independentRunLevel = 0;
    class TIndependentRun;
};

// Records into `result` every error the context reports while it lives, the errors of runs
// nested in it included, and an abort that ends it (TLanguageInterpreter::HandleRunException).
// Recordings nest; each records what happens while it lives.
class TRunRecording {
public:
    TRunRecording(TLanguageInterpreter& context, TRunResult& result) noexcept
        : m_context(context)
        , m_result(result)
        , m_outer(context.m_recording) {
        context.m_recording = this;
    }
    TRunRecording(const TRunRecording&) = delete;
    TRunRecording& operator=(const TRunRecording&) = delete;
    ~TRunRecording() { m_context.m_recording = m_outer; }

private:
    friend class TLanguageInterpreter;

    TLanguageInterpreter& m_context;
    TRunResult& m_result;
    TRunRecording* m_outer;
};

// Names, for as long as it lives, where the texts the context compiles lie in their file: their
// trees keep the place of every node beside them (TLanguageInterpreter::PlaceOfNode) and the
// errors reported while they run name the failing node's line and column. Scopes nest; the
// innermost holds. `origin` must outlive the scope.
class TSourceOriginScope {
public:
    TSourceOriginScope(TLanguageInterpreter& context, const TSourceOrigin& origin) noexcept
        : m_context(context)
        , m_saved(context.m_compileOrigin) {
        context.m_compileOrigin = &origin;
    }
    TSourceOriginScope(const TSourceOriginScope&) = delete;
    TSourceOriginScope& operator=(const TSourceOriginScope&) = delete;
    ~TSourceOriginScope() { m_context.m_compileOrigin = m_saved; }

private:
    TLanguageInterpreter& m_context;
    const TSourceOrigin* m_saved;
};

// Gives the errors reported while it lives the place of the node that failed (ReportRuntimeError
// holds one), so that the host's LocateError finds it in the error's File, Line and Column.
class TReportedPlaceScope {
public:
    TReportedPlaceScope(TLanguageInterpreter& context, const TSourcePlace& place) noexcept
        : m_context(context)
        , m_saved(context.m_reportedPlace) {
        context.m_reportedPlace = &place;
    }
    TReportedPlaceScope(const TReportedPlaceScope&) = delete;
    TReportedPlaceScope& operator=(const TReportedPlaceScope&) = delete;
    ~TReportedPlaceScope() { m_context.m_reportedPlace = m_saved; }

private:
    TLanguageInterpreter& m_context;
    const TSourcePlace* m_saved;
};

// The application's one runtime context, or none before it is created.
extern TLanguageInterpreter* GlobalContext;

} // namespace vex
