#pragma once

#include "host/console/ConsoleHost.h"

#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// The console runner `vexscript`: reads the command line (host/console/ConsoleOptions.h), runs
// the script files (through the word ExecFile) and then the -e texts (through ExecuteText) in one
// context, and writes the result of the last one; or runs one of the inspection options
// (host/console/ConsoleInspection.h). `vexscript --help` describes every option.
//
// Trace output (Print, Trace) goes to `out`; every error message goes to `err` as it stands.
// Returns the process exit status: 0 when no error was reported, 1 when a compile or runtime
// error was reported, 2 for a usage error or a file that cannot be read (with a one-line
// message).
// `languageTexts` supplies the interface texts of the user's language (none: English).
int RunConsole(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               TLanguageTexts languageTexts = {});

} // namespace vex::host
