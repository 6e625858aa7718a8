#pragma once

#include "host/console/ConsoleHost.h"
#include "host/console/LineReader.h"

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// What the console runner works with besides its command line.
struct TConsoleEnvironment {
    // Standard input, output and error.
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    // True when standard input is a terminal: without a script the runner then starts the
    // interactive mode instead of reading a script from it.
    bool InputIsTerminal = false;
    // Opens the line editor the interactive mode reads from on a terminal; without one (or on a
    // pipe) it reads plain lines from In.
    std::function<std::unique_ptr<TLineReader>()> OpenLineEditor;
    // The interface texts of the user's language (none: English).
    TLanguageTexts LanguageTexts;
};

// A script file as the runner read it before running anything: its name in messages (<stdin>
// for standard input) and its text.
struct TScriptFile {
    std::string Name;
    std::string Text;
};

// The console runner `vexscript`: reads the command line (host/console/ConsoleOptions.h), runs
// the script files statement by statement and then the -e texts in one context, and prints the
// value of the last -e text; or starts the interactive mode (host/console/ConsoleRepl.h), checks
// scripts without running them (host/console/ConsoleCheck.h), or runs one of the inspection
// options (host/console/ConsoleInspection.h). `vexscript --help` describes every option.
//
// Trace output (Print, Trace) goes to Out; every error message goes to Err after its place
// ("FILE:LINE: "). Returns the process exit status: 0 when no error was reported, 1 when a
// compile or runtime error was reported, 2 for a usage error or a file that cannot be read (with
// a one-line message naming the system's reason; nothing runs then), 130 when Ctrl+C ended a
// run.
int RunConsole(const std::vector<std::string>& arguments, const TConsoleEnvironment& environment);

} // namespace vex::host
