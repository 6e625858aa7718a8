#pragma once

// The plain path of evaluation: the root of each evaluated code with the containment of its
// errors, and the calls of user-defined words. The argument path words use is in VexWords.h;
// the debug path in DebugEvaluation.h.

#include "runtime/ContextParts.h"
#include "runtime/LanguageTexts.h"
#include "runtime/VexWords.h"

#include <exception>

namespace vex {

// EvaluateRoot's two ways: the plain evaluation of a call inside the one handler that contains
// its errors (EvaluateRootInPlace out of line), and everything else (a debug run, a pending
// break or abort request, a constant root).
double EvaluateRootPlain(TLanguageInterpreter& context, TCodeNode& node, TText& text);
double EvaluateRootChecked(TLanguageInterpreter& context, TCodeNode& node, TText& text);

// Evaluates the root of a compiled code and contains every error of it: an EVexReturn gives its
// value and text, any other error is reported and gives 0. The abort signal passes on.
inline double EvaluateRoot(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    if (Parts(context).Debug.NeedsCheckedPath() || node.IsConstant()) [[unlikely]] {
        return EvaluateRootChecked(context, node, text);
    }
    return EvaluateRootPlain(context, node, text);
}

// The one policy for an error that reaches the root of an evaluated code, whichever path
// evaluated it: an EVexReturn gives its value and text, every other error of the standard
// exception class is reported (naming the word that failed) and gives 0, anything else gives 0
// silently; a host that stops at the first error ends the run there instead (ERunStopped). The
// debugger's abort signal, ERunAborted and ERunStopped pass on. `evaluate` is the path's
// evaluation of the root; `catchAbort`, for the debug path, gives the node's own handler of the
// abort signal a chance first.
template <typename TEvaluate, typename TCatchAbort>
double ContainAtRoot(TLanguageInterpreter& context, TCodeNode& root, TText& text,
                     TEvaluate&& evaluate, TCatchAbort&& catchAbort);

// Runs the body of a user-defined word in a fresh activation, with the call frame on the
// parameter stack.
double CallUserWord(TLanguageInterpreter& context, TCallNode& node, TText& text);
// CallUserWord in the shape of a word's implementation: the parser puts it into the call nodes
// of user-defined words, so that evaluating such a call is one indirect call like a built-in's.
double CallUserWordEntry(int argCount, TCallNode& node, TText& text, TLanguageInterpreter& context);
// The plain evaluation of a root inside the containment of its errors, made right here, as
// EvaluateNodeInPlace is EvaluateNodePlain made right here.
inline double EvaluateRootInPlace(TLanguageInterpreter& context, TCodeNode& node, TText& text);
// Reports an error contained at `root`, naming the word that failed; then, when the host stops
// at the first error, ends the run with ERunStopped.
void ReportRuntimeError(TLanguageInterpreter& context, const TCodeNode& root,
                        const std::exception& error);
// Takes the value and text of an EVexReturn that reached the root of an evaluated code.
double ReturnValue(EVexReturn& signal, TText& text);

inline double EvaluateRootInPlace(TLanguageInterpreter& context, TCodeNode& node, TText& text) {
    return ContainAtRoot(
        context, node, text, [&] { return EvaluateNodeInPlace(context, node, text); },
        [](const EDebugger&) { return false; });
}

template <typename TEvaluate, typename TCatchAbort>
double ContainAtRoot(TLanguageInterpreter& context, TCodeNode& root, TText& text,
                     TEvaluate&& evaluate, TCatchAbort&& catchAbort) {
    try {
        return evaluate();
    } catch (const EDebugger& signal) {
        if (catchAbort(signal)) {
            return 0;
        }
        throw;
    } catch (const ERunAborted&) {
        throw;
    } catch (const ERunStopped&) {
        throw;
    } catch (EVexReturn& signal) {
        return ReturnValue(signal, text);
    } catch (const std::exception& error) {
        ReportRuntimeError(context, root, error);
        return 0;
    } catch (...) {
        return 0;
    }
}

} // namespace vex
