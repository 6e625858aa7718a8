// Words that write messages to the trace output: the console's standard output, the desktop
// application's trace window.

#include "host/WordHost.h"
#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"

#include "runtime/VexScript.h"

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

// clang-format off
const TWordRow kRows[] = {
    {300, "Print", "Trace", Print, 1, 255, "Writes its arguments, texts and numbers in their number format, as one message to the trace output.", "Print([n = ],n)"},
    {301, "Trace", "Trace", Trace, 1, 2,   "Sends a message to the trace output; a true second argument marks it as an error message.", "Trace([queue full],1)"},
};
// clang-format on

} // namespace

std::span<const TWordRow> TraceWordRows() {
    return kRows;
}

} // namespace vex::host
