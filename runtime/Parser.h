#pragma once

#include "runtime/CodeNode.h"
#include "runtime/CompiledCode.h"

#include <string>
#include <string_view>
#include <vector>

namespace vex {

class TLanguageInterpreter;

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

// Parses prepared text into a code tree. `code` is the compiled code being built (its local set
// receives local declarations); `outer` is the activation of ExecuteInPausedFrame, or none.
// Errors are reported through the context and set CompileFailed; parsing goes on, so one
// compile reports every error it finds. Nodes get parent links when the context's DebugState
// has bit 7 clear and ReleaseMode is off.
TCodeNode* ParseNode(TLanguageInterpreter& context, TCompiledCode& code, std::string_view text,
                     const TCompiledCode* outer);
// Splits the text of one call into its word and argument texts.
void ParseCall(TLanguageInterpreter& context, std::string& text, TUserExpression& call);
// The word number of a piece (0 when there is none). Labels and bound names rewrite the text
// and the name into the call they stand for.
int ResolveWord(TLanguageInterpreter& context, std::string& text, std::string& name);

} // namespace vex
