#pragma once

#include "runtime/CodeNode.h"
#include "runtime/CompiledCode.h"
#include "runtime/VexScript.h"

#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TSourceMap;

// Deepest nesting of calls and parentheses the parser follows; deeper text fails to compile
// with a message instead of exhausting the native stack.
inline constexpr int kMaxParseDepth = 500;
// Most arguments one call can take.
inline constexpr int kMaxArguments = 255;

// The parse record of one call: its word number and its argument texts.
struct TUserExpression {
    int WordNumber = 0;
    std::vector<std::string> Args;
    int Count = 0;
};

// The state of one compile, owned by it from start to end, so that a compile nested in another
// (a declaration's kind evaluated while parsing may run text) leaves the outer one's untouched.
struct TCompileState {
    // Set by any compile error.
    bool CompileFailed = false;
    // The prepared text being parsed; appended to compile error messages.
    std::string SourceText;
    // What bare names may denote.
    TGuiBinding GuiBinding;
    // The unknown names reported so far (ASCII case ignored, as names are): each is reported once
    // per compile, however often the text uses it.
    std::vector<std::string> UnknownNames;
    // Receives the prepared offset of every node, when the text's place in its file is known.
    TSourceMap* Sources = nullptr;
};

// Parses the prepared text of `compile` into a code tree. `code` is the compiled code being
// built (its local set receives local declarations); `outer` is the activation of
// ExecuteInPausedFrame, or none. Errors are reported through the context and set CompileFailed;
// parsing goes on, so one compile reports every error it finds. Nodes get parent links unless
// debugging is suppressed (TDebugControl::Suppressed) or ReleaseMode is on.
TCodeNode* ParseNode(TLanguageInterpreter& context, TCompileState& compile, TCompiledCode& code,
                     const TCompiledCode* outer);
// Splits the text of one call into its word and argument texts.
void ParseCall(TLanguageInterpreter& context, std::string& text, TUserExpression& call);
// The word number of a piece (0 when there is none). Labels and bound names rewrite the text
// and the name into the call they stand for.
int ResolveWord(TLanguageInterpreter& context, std::string& text, std::string& name);

} // namespace vex
