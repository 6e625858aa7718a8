#include "host/console/ConsoleOptions.h"

#include <optional>

namespace vex::host {

const char* const ConsoleUsage =
    "Usage: vexscript [options] [FILE...]\n"
    "Runs VexScript files and texts in one context and prints the result of the last.\n"
    "\n"
    "  FILE               open a script file with ExecFile (files run first, in order)\n"
    "  -e, --eval TEXT    run TEXT (after the files; may be given several times)\n"
    "  -q, --quiet        print no result, only what the scripts write themselves\n"
    "  --json             print the result as one line of JSON:\n"
    "                     {\"number\": N, \"text\": \"...\", \"errors\": [\"...\", ...]}\n"
    "  --prepare TEXT     print TEXT without its whitespace and comments\n"
    "  --tree TEXT        print the code tree TEXT compiles to, one node per line\n"
    "  --listing TEXT     print the code listing of TEXT, a line --, and the START HEAD\n"
    "                     EXTENT of each node in pre-order\n"
    "  --words            print every word: number, name, category, fewest and most\n"
    "                     arguments, listed flag (tab-separated)\n"
    "  --word-reference   print the word reference in Markdown (docs/words.md)\n"
    "  -h, --help         show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "The result is printed as its text, or as its number when it has no text.\n"
    "Trace output goes to standard output, error messages to standard error.\n"
    "Exit status: 0 success, 1 a script reported an error, 2 usage or file error.\n";

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
    const bool scripts = !options.Files.empty() || !options.Texts.empty();
    if (options.Inspection != TInspection::None && (scripts || options.Json || options.Quiet)) {
        throw TUsageError{"an inspection option cannot be combined with scripts, -q or --json"};
    }
    if (options.Json && options.Quiet) {
        throw TUsageError{"--json and --quiet cannot be combined"};
    }
    if (options.Inspection == TInspection::None && !scripts) {
        throw TUsageError{"nothing to run"};
    }
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
        } else if (argument == "--version") {
            options.Version = true;
            return options;
        } else if (argument == "-q" || argument == "--quiet") {
            options.Quiet = true;
        } else if (argument == "--json") {
            options.Json = true;
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
