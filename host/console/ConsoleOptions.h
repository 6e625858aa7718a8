#pragma once

#include <string>
#include <vector>

namespace vex::host {

// What `vexscript` was asked to do, read from its command line. Reading the options runs
// nothing; the runner (host/console/ConsoleRunner.h) acts on them.

// The options that show something of the runtime instead of running scripts.
enum class TInspection {
    None,
    Prepare,
    Tree,
    Listing,
    Words,
    WordReference
};

struct TConsoleOptions {
    // Script files, run first in order, then the -e texts.
    std::vector<std::string> Files;
    std::vector<std::string> Texts;
    bool Quiet = false;
    bool Json = false;
    TInspection Inspection = TInspection::None;
    // The text --prepare, --tree and --listing work on.
    std::string InspectedText;
    bool Help = false;
    bool Version = false;
};

// A command line that cannot be followed; the message names the option and the problem.
struct TUsageError {
    std::string Message;
};

// Reads the arguments (without the program name). --help and --version end the reading at once.
// Throws TUsageError for an unknown option, an option without its text, or options that cannot
// be combined, and when there is nothing to run.
TConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments);

// The text of `vexscript --help`.
extern const char* const ConsoleUsage;

} // namespace vex::host
