#include "host/console/ConsoleOptions.h"

#include <cstddef>
#include <optional>

namespace vex::host {

const char* const ConsoleUsage =
    "Usage: vexscript [options] [FILE...] [-- [SCRIPT] [ARG...]]\n"
    "Runs VexScript files and texts in one context. Without a script it reads one from\n"
    "standard input, or starts the interactive mode when standard input is a terminal.\n"
    "\n"
    "  FILE               run a script file statement by statement (files run first,\n"
    "                     in order); - reads the script from standard input\n"
    "  -e, --eval TEXT    run TEXT (after the files; may be given several times) and\n"
    "                     print the value of the last\n"
    "  -i                 enter the interactive mode after the scripts\n"
    "  --                 end the options: the words after it are the script's arguments\n"
    "                     (ScriptArg); without a script before it, the first is the script\n"
    "  --check            compile the scripts without running them; report every error\n"
    "                     and the warnings for the language's traps, with line and column\n"
    "  -k, --keep-going   go on after an error: an error in a word's body or in an\n"
    "                     evaluated text gives 0 there and the code around it runs on,\n"
    "                     and the next statement, file and text run (without it the\n"
    "                     first error ends the run)\n"
    "  -q, --quiet        print no value, only what the scripts write themselves\n"
    "  --json             print the result as one line of JSON, and nothing else:\n"
    "                     {\"number\": N, \"text\": \"...\", \"output\": \"printed\",\n"
    "                     \"errors\": [{\"file\": ..., \"line\": ..., \"message\": ...}]}\n"
    "  --prepare TEXT     print TEXT without its whitespace and comments\n"
    "  --tree TEXT        print the code tree TEXT compiles to, one node per line\n"
    "  --listing TEXT     print the code listing of TEXT, a line --, and the START HEAD\n"
    "                     EXTENT of each node in pre-order\n"
    "  --words            print every word: number, name, category, fewest and most\n"
    "                     arguments, listed flag (tab-separated)\n"
    "  --word-reference   print the word reference in Markdown (docs/words.md)\n"
    "  -h, --help         show this help and exit\n"
    "  -v, -V, --version  show the version and exit\n"
    "\n"
    "A value is printed as its text, or as its number when it is no text. Trace output\n"
    "goes to standard output, error messages to standard error, each after the file and\n"
    "line of the statement that reported it. Ctrl+C ends a run (a second Ctrl+C the\n"
    "program).\n"
    "Exit status: 0 success, 1 a script reported an error, 2 usage or file error,\n"
    "130 interrupted by Ctrl+C.\n";

namespace {

// The inspection options: those that take a text, and those that take none.
std::optional<TInspection> InspectionOption(const std::string& argument, bool& takesText) {
    takesText = true;
    if (argument == "--prepare") {
        return TInspection::Prepare;
    }
    if (argument == "--tree") {
        return TInspection::Tree;
    }
    if (argument == "--listing") {
        return TInspection::Listing;
    }
    takesText = false;
    if (argument == "--words") {
        return TInspection::Words;
    }
    if (argument == "--word-reference") {
        return TInspection::WordReference;
    }
    return std::nullopt;
}

const std::string& TextAfter(const std::vector<std::string>& arguments, std::size_t& i) {
    if (i + 1 >= arguments.size()) {
        throw TUsageError{arguments[i] + " needs a text"};
    }
    return arguments[++i];
}

void SetInspection(TConsoleOptions& options, TInspection inspection, const std::string& argument) {
    if (options.Inspection != TInspection::None) {
        throw TUsageError{argument + " cannot be combined with another inspection option"};
    }
    options.Inspection = inspection;
}

// Checks the combinations after all arguments are read.
void CheckCombinations(const TConsoleOptions& options) {
    const bool running = options.HasScripts() || options.Interactive || options.Check ||
                         !options.ScriptArguments.empty();
    if (options.Inspection != TInspection::None && (running || options.Json || options.Quiet)) {
        throw TUsageError{"an inspection option cannot be combined with scripts, -i, --check, -q "
                          "or --json"};
    }
    if (options.Json && options.Quiet) {
        throw TUsageError{"--json and --quiet cannot be combined"};
    }
    if (options.Interactive && (options.Json || options.Check)) {
        throw TUsageError{"-i cannot be combined with --json or --check"};
    }
    if (options.Check && options.Quiet) {
        throw TUsageError{"--check and --quiet cannot be combined"};
    }
    if (options.Check && !options.HasScripts()) {
        throw TUsageError{"--check needs a FILE, - or -e TEXT"};
    }
}

// The words after "--": the script's arguments, led by the script itself when none came before.
void ReadScriptArguments(TConsoleOptions& options, const std::vector<std::string>& arguments,
                         std::size_t first) {
    if (first < arguments.size() && !options.HasScripts()) {
        options.Files.push_back(arguments[first++]);
    }
    options.ScriptArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(first),
                                   arguments.end());
}

} // namespace

TConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments) {
    TConsoleOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool takesText = false;
        if (argument == "-h" || argument == "--help") {
            options.Help = true;
            return options;
        } else if (argument == "-v" || argument == "-V" || argument == "--version") {
            options.Version = true;
            return options;
        } else if (argument == "--") {
            ReadScriptArguments(options, arguments, i + 1);
            break;
        } else if (argument == "-k" || argument == "--keep-going") {
            options.KeepGoing = true;
        } else if (argument == "-q" || argument == "--quiet") {
            options.Quiet = true;
        } else if (argument == "--json") {
            options.Json = true;
        } else if (argument == "-i") {
            options.Interactive = true;
        } else if (argument == "--check") {
            options.Check = true;
        } else if (argument == "-e" || argument == "--eval") {
            options.Texts.push_back(TextAfter(arguments, i));
        } else if (const auto inspection = InspectionOption(argument, takesText)) {
            SetInspection(options, *inspection, argument);
            if (takesText) {
                options.InspectedText = TextAfter(arguments, i);
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw TUsageError{"unknown option " + argument};
        } else {
            options.Files.push_back(argument);
        }
    }
    CheckCombinations(options);
    return options;
}

} // namespace vex::host
