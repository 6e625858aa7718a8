#pragma once

#include "host/console/ConsoleOptions.h"
#include "host/console/ConsoleRunner.h"

#include <vector>

namespace vex::host {

// `vexscript --check`: compiles the scripts statement by statement, as running them would, but
// runs nothing. Every compile error is reported after its place ("FILE:LINE: ", a -e text is
// named "-e"), and every trap of the language (runtime/SourceTraps.h) as a warning
// "FILE:LINE:COLUMN: warning: ..." on the error stream, in the order of the statements. The
// declarations act while compiling, as they always do, so later statements know the globals;
// a DefineWord whose arguments are all constants is carried out, so that its body is compiled
// (and its errors reported) and later statements may call the word. With --json the errors and
// warnings are written as one line of JSON instead. Returns 0 when no error was found (warnings
// do not count), 1 when one was, 2 for a file that cannot be read.
int RunCheck(const TConsoleOptions& options, const std::vector<TScriptFile>& files,
             const TConsoleEnvironment& environment);

} // namespace vex::host
