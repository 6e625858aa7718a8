#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vex {
class TBindingObject;
class TLanguageInterpreter;
struct TCheckResult;
struct TCodeNode;
struct TRunResult;
} // namespace vex

// Everything the editor asks of the VexScript runtime, in one place: whether a name is a global
// variable or a listed word (for colouring), the names that complete a prefix (for code
// completion), whether a statement is blank, and the run entry for a text that is one piece of
// code. Texts are bytes in the scripts' code page.
//
// The application's runtime is reached through the editor's application services
// (TApplicationServices::RuntimeLookup); a test hands in a fake. Everything runs on the GUI
// thread.
class TRuntimeLookup {
public:
    virtual ~TRuntimeLookup() = default;

    // A global variable of that name exists (ASCII case ignored).
    virtual bool IsGlobalVariable(std::string_view name) const = 0;
    // A word of that name is registered and its syntax record is marked as listed (the mark
    // the word overview shows words by). A failing lookup counts as not found.
    virtual bool IsListedWord(std::string_view name) const = 0;
    // The names that begin with `prefix` (ASCII case ignored): first the listed words in the
    // order of the word index (alphabetical, case ignored), then the global variables in the
    // order they were declared. A global that has a word's name is offered twice.
    virtual std::vector<std::string> CompletionCandidates(std::string_view prefix) const = 0;
    // The statement holds nothing but blanks and comments.
    virtual bool IsBlank(std::string_view source) const = 0;
    // Compiles, runs and releases `source` as one piece of code through the runtime's run
    // entry, and tells how it went. Errors are reported by the runtime as well.
    virtual vex::TRunResult Execute(std::string_view source) = 0;
};

// How an editor panel that holds a whole script runs and checks it: by the statement rule of
// script files (a statement ends at a line end where its brackets balance), statement by
// statement, every error with its line. Only the host knows that rule, so the application hands
// a runner to the panel that holds its script (TScriptEditor::SetScriptRunner); an editor without
// one treats its text as one piece of code.
class TScriptRunner {
public:
    // Sees each statement a check compiled: the line it starts on and its tree while it exists
    // (none when the statement did not compile).
    using TStatementTrees = std::function<void(int line, const vex::TCodeNode* tree)>;

    virtual ~TScriptRunner() = default;
    // Runs a script (or a part of it that starts on `firstLine`) statement by statement.
    virtual vex::TRunResult RunScript(std::string_view script, int firstLine) = 0;
    // Compiles every statement and runs none; bare names may denote `object`'s named attributes.
    virtual vex::TCheckResult CheckScript(std::string_view script, int firstLine,
                                          const vex::TBindingObject* object,
                                          const TStatementTrees& trees) = 0;
};

// The lookup over a runtime context: whichever context `context` points at when asked, which
// must be one while the lookup is used.
std::unique_ptr<TRuntimeLookup> MakeContextLookup(vex::TLanguageInterpreter* const& context);

// The model object the host reports as selected (the main window's current atom); none without
// a source.
using TSelectedObjectSource = std::function<const vex::TBindingObject*()>;
