#include "host/ConsoleRunner.h"

#include "host/ConsoleHost.h"
#include "host/JsonText.h"
#include "host/TreeText.h"
#include "host/WordReference.h"

#include "runtime/DebuggerInterface.h"

#include "Version.h"

#include <filesystem>
#include <fstream>
#include <optional>

// Sections:
//   [options]     the command line
//   [scripts]     running files and texts, printing the result
//   [inspection]  --prepare, --tree, --listing, --words, --word-reference

namespace vex::host {

namespace {

constexpr const char* kUsage =
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

// [options] -----------------------------------------------------------------------------------

enum class TInspection {
    None,
    Prepare,
    Tree,
    Listing,
    Words,
    WordReference
};

struct TOptions {
    std::vector<std::string> Files;
    std::vector<std::string> Texts;
    bool Quiet = false;
    bool Json = false;
    TInspection Inspection = TInspection::None;
    std::string InspectedText;
    bool Help = false;
    bool Version = false;
    TLanguageTexts LanguageTexts;
};

struct TUsageError {
    std::string Message;
};

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

void SetInspection(TOptions& options, TInspection inspection, const std::string& argument) {
    if (options.Inspection != TInspection::None) {
        throw TUsageError{argument + " cannot be combined with another inspection option"};
    }
    options.Inspection = inspection;
}

// Checks the combinations after all arguments are read.
void CheckCombinations(const TOptions& options) {
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

TOptions ParseOptions(const std::vector<std::string>& arguments) {
    TOptions options;
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

// [scripts] -----------------------------------------------------------------------------------

bool IsReadable(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    return static_cast<bool>(file);
}

// A path can be handed to ExecFile when it survives being written as a text constant: brackets
// balanced, and no tab or line break (the whitespace pass would change those).
bool FitsTextConstant(std::string_view path) {
    int depth = 0;
    for (char ch : path) {
        depth += ch == '[' ? 1 : ch == ']' ? -1 : 0;
        if (depth < 0 || ch == '\t' || ch == '\n' || ch == '\r') {
            return false;
        }
    }
    return depth == 0;
}

// Opens a script file the way the application opens a model: through the word ExecFile, which
// runs it statement by statement.
double RunFile(TConsoleInterpreter& context, const std::string& path, TText& text) {
    return context.ExecuteText("ExecFile([" + path + "])", text);
}

void PrintResult(const TOptions& options, double number, const TText& text,
                 const TConsoleHost& host, std::ostream& out) {
    if (options.Quiet) {
        return;
    }
    if (!options.Json) {
        out << (text.empty() ? FormatNumber(number) : text.str()) << '\n';
        return;
    }
    out << "{\"number\": " << JsonNumber(number) << ", \"text\": " << JsonString(text.view())
        << ", \"errors\": [";
    for (std::size_t i = 0; i < host.Errors().size(); ++i) {
        out << (i ? ", " : "") << JsonString(host.Errors()[i]);
    }
    out << "]}\n";
}

int RunScripts(const TOptions& options, std::ostream& out, std::ostream& err) {
    for (const std::string& path : options.Files) {
        if (!IsReadable(path)) {
            err << "vexscript: cannot read " << path << '\n';
            return 2;
        }
        if (!FitsTextConstant(path)) {
            err << "vexscript: cannot open " << path
                << ": unbalanced square brackets or a tab or line break in the name\n";
            return 2;
        }
    }
    TConsoleHost host(out, err, options.LanguageTexts);
    TConsoleInterpreter context(host);
    double number = 0;
    TText text;
    for (const std::string& path : options.Files) {
        text.clear();
        number = RunFile(context, path, text);
    }
    for (const std::string& source : options.Texts) {
        text.clear();
        number = context.ExecuteText(source, text);
    }
    PrintResult(options, number, text, host, out);
    return host.ErrorCount() == 0 ? 0 : 1;
}

// [inspection] --------------------------------------------------------------------------------

void PrintListing(const TLanguageInterpreter& context, TCompiledCode& code, std::ostream& out) {
    const TListing* listing = GetListing(context, code.Root);
    if (!listing) {
        return;
    }
    out << listing->Text;
    if (listing->Text.empty() || listing->Text.back() != '\n') {
        out << '\n';
    }
    out << "--\n";
    for (int i = 0; i < listing->RecordCount; ++i) {
        const TPositionRecord& record = listing->Records()[i];
        out << record.Start << ' ' << record.HeadLength << ' ' << record.ExtentLength << '\n';
    }
}

void PrintWords(const TLanguageInterpreter& context, std::ostream& out) {
    const TWordRegistry& words = context.Registry;
    for (int index = 0; index < words.Count(); ++index) {
        const TSyntax* syntax = words.WordSyntax[static_cast<std::size_t>(index)];
        out << index + 1 << '\t' << words.WordNames[index] << '\t' << words.WordCategories[index]
            << '\t' << int{syntax->MinArgs} << '\t' << int{syntax->MaxArgs} << '\t'
            << int{syntax->Listed} << '\n';
    }
}

// Compiles the inspected text for --tree and --listing; none after a compile error.
void PrintCompiled(TConsoleInterpreter& context, const TOptions& options, std::ostream& out) {
    TCompiledCode* code = context.Compile(options.InspectedText);
    if (!code) {
        return;
    }
    if (code->Root && options.Inspection == TInspection::Tree) {
        WriteCodeTree(context, *code->Root, out);
    } else if (code->Root) {
        PrintListing(context, *code, out);
    }
    context.ReleaseCode(code);
}

int Inspect(const TOptions& options, std::ostream& out, std::ostream& err) {
    if (options.Inspection == TInspection::Prepare) {
        out << RemoveWhitespaceAndComments(options.InspectedText) << '\n';
        return 0;
    }
    TConsoleHost host(out, err, options.LanguageTexts);
    TConsoleInterpreter context(host);
    switch (options.Inspection) {
    case TInspection::Words:
        PrintWords(context, out);
        break;
    case TInspection::WordReference:
        WriteWordReference(context, out);
        break;
    default:
        PrintCompiled(context, options, out);
        break;
    }
    return host.ErrorCount() == 0 ? 0 : 1;
}

} // namespace

int RunConsole(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               TLanguageTexts languageTexts) {
    TOptions options;
    try {
        options = ParseOptions(arguments);
        options.LanguageTexts = std::move(languageTexts);
    } catch (const TUsageError& error) {
        err << "vexscript: " << error.Message << '\n' << "Try 'vexscript --help'.\n";
        return 2;
    }
    if (options.Help) {
        out << kUsage;
        return 0;
    }
    if (options.Version) {
        out << "vexscript " << ZENTARO_VERSION << '\n';
        return 0;
    }
    if (options.Inspection != TInspection::None) {
        return Inspect(options, out, err);
    }
    return RunScripts(options, out, err);
}

} // namespace vex::host
