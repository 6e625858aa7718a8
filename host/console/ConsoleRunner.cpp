#include "host/console/ConsoleRunner.h"

#include "host/ScriptCodePage.h"
#include "host/console/ConsoleInspection.h"
#include "host/console/ConsoleOptions.h"
#include "host/console/JsonText.h"

#include "runtime/VexScript.h"

#include "Version.h"

#include <filesystem>
#include <fstream>

namespace vex::host {

namespace {

// The exit status of a usage error or of a script file that cannot be run (nothing runs then).
constexpr int UsageErrorStatus = 2;

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

// Every file can be read and named in a text constant of the script's code page; otherwise a
// one-line message.
bool CheckFiles(const std::vector<std::string>& files, std::ostream& err) {
    for (const std::string& path : files) {
        if (!IsReadable(path)) {
            err << "vexscript: cannot read " << path << '\n';
            return false;
        }
        if (!FitsTextConstant(path)) {
            err << "vexscript: cannot open " << path
                << ": unbalanced square brackets or a tab or line break in the name\n";
            return false;
        }
        if (!Utf8ToScript(path)) {
            err << "vexscript: cannot open " << path
                << ": the name holds characters Windows-1252 cannot hold\n";
            return false;
        }
    }
    return true;
}

// Opens a script file the way the application opens a model: through the word ExecFile, which
// runs it statement by statement and takes the name in the script's code page.
double RunFile(TConsoleInterpreter& context, const std::string& path, TText& text) {
    return context.ExecuteText("ExecFile([" + Utf8ToScript(path).value_or(path) + "])", text);
}

void PrintResult(const TConsoleOptions& options, double number, const TText& text,
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

int RunScripts(const TConsoleOptions& options, const TLanguageTexts& languageTexts,
               std::ostream& out, std::ostream& err) {
    if (!CheckFiles(options.Files, err)) {
        return UsageErrorStatus;
    }
    TConsoleHost host(out, err, languageTexts);
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
    return host.ExitStatus();
}

} // namespace

int RunConsole(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               TLanguageTexts languageTexts) {
    TConsoleOptions options;
    try {
        options = ParseConsoleOptions(arguments);
    } catch (const TUsageError& error) {
        err << "vexscript: " << error.Message << '\n' << "Try 'vexscript --help'.\n";
        return UsageErrorStatus;
    }
    if (options.Help) {
        out << ConsoleUsage;
        return 0;
    }
    if (options.Version) {
        out << "vexscript " << ZENTARO_VERSION << '\n';
        return 0;
    }
    if (options.Inspection != TInspection::None) {
        return RunInspection(options, languageTexts, out, err);
    }
    return RunScripts(options, languageTexts, out, err);
}

} // namespace vex::host
