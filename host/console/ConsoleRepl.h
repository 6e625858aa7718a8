#pragma once

#include "host/console/ConsoleSession.h"
#include "host/console/LineReader.h"

#include <ostream>

namespace vex::host {

// The interactive mode of the console runner: reads statements from `reader` and runs each in
// the session's context, so that globals and user-defined words carry over from one to the next,
// and prints each value on `out` (unless `printValues` is false), the error messages of a
// statement instead of its value. A statement goes on over further lines (prompt ">> " instead
// of "> ") while a parenthesis, a text constant or a comment is open. Ctrl+C drops the lines
// typed so far, or ends the statement that runs; the end of the input (Ctrl+D) leaves.
void RunInteractive(TConsoleSession& session, TLineReader& reader, std::ostream& out,
                    bool printValues);

} // namespace vex::host
