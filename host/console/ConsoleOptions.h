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

// The name that stands for standard input where a script file is named.
inline constexpr const char* kStandardInput = "-";

struct TConsoleOptions {
    // Script files, run first in order ("-": the script on standard input), then the -e texts.
    std::vector<std::string> Files;
    std::vector<std::string> Texts;
    // The words after the script: its arguments (ScriptArg).
    std::vector<std::string> ScriptArguments;
    // -i: the interactive mode after the scripts.
    bool Interactive = false;
    // --check: compile without running and report errors and warnings.
    bool Check = false;
    // -k: errors are contained where they happen and the run goes on; without it the first
    // error ends the run.
    bool KeepGoing = false;
    bool Quiet = false;
    bool Json = false;
    TInspection Inspection = TInspection::None;
    // The text --prepare, --tree and --listing work on.
    std::string InspectedText;
    bool Help = false;
    bool Version = false;

    // True when a file, standard input or a -e text is to run.
    bool HasScripts() const noexcept { return !Files.empty() || !Texts.empty(); }
};

// A command line that cannot be followed; the message names the option and the problem.
struct TUsageError {
    std::string Message;
};

// Reads the arguments (without the program name). --help and --version end the reading at once.
// "--" ends the options: the words after it are the script's arguments, except that without a
// script before it the first of them is the script. Throws TUsageError for an unknown option,
// an option without its text, and options that cannot be combined.
TConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments);

// The text of `vexscript --help`.
extern const char* const ConsoleUsage;

} // namespace vex::host
