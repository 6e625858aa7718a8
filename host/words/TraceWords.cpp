// Words that reach the application the script runs in: messages to the trace output (the
// console's standard output, the desktop application's trace window), and the arguments the
// script was started with (vexscript's command line after the script).

#include "host/WordHost.h"
#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vex::host {

namespace {

// The line is a text, so that it cannot grow beyond the longest text.
double Print(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    TText line = TextArg(c, n, 1);
    for (int i = 2; i <= count; ++i) {
        line += TextArg(c, n, i).view();
    }
    WordHostOf(c).TraceMessage(line.view(), false);
    return 0;
}

double Trace(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const TText message = TextArg(c, n, 1);
    const bool isError = count >= 2 && TruthArg(c, n, 2);
    WordHostOf(c).TraceMessage(message.view(), isError);
    return 0;
}

double ScriptArgCount(int, TCallNode&, TText&, TLanguageInterpreter& c) {
    const std::vector<std::string>& arguments = WordHostOf(c).ScriptArguments;
    return arguments.empty() ? 0 : static_cast<double>(arguments.size() - 1);
}

double ScriptArg(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const std::vector<std::string>& arguments = WordHostOf(c).ScriptArguments;
    const auto i = static_cast<std::size_t>(IntegerArg(c, n, 1, 0, INT32_MAX));
    if (i < arguments.size()) {
        text = TText(arguments[i]);
    }
    return 0;
}

// clang-format off
const TWordRow kRows[] = {
    {300, "Print", "Trace", Print, 1, 255, "Writes its arguments, texts and numbers in their number format, as one message to the trace output.", "Print([n = ],n)"},
    {301, "Trace", "Trace", Trace, 1, 2,   "Sends a message to the trace output; a true second argument marks it as an error message.", "Trace([queue full],1)"},
    {302, "ScriptArgCount", "Various", ScriptArgCount, 0, 0, "Number of the arguments the script was started with: the words after the script on vexscript's command line (0 in the desktop application).", "ScriptArgCount"},
    {303, "ScriptArg", "Various", ScriptArg, 1, 1, "Argument i (from 1) the script was started with, as a text; 0 gives the script's name, and an i beyond the last the empty text.", "ScriptArg(1)", true},
};
// clang-format on

} // namespace

std::span<const TWordRow> TraceWordRows() {
    return kRows;
}

} // namespace vex::host
