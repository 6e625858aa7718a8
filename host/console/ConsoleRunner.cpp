#include "host/console/ConsoleRunner.h"

#include "host/ScriptCodePage.h"
#include "host/TextFiles.h"
#include "host/console/ConsoleCheck.h"
#include "host/console/ConsoleInspection.h"
#include "host/console/ConsoleOptions.h"
#include "host/console/ConsoleRepl.h"
#include "host/console/ConsoleSession.h"
#include "host/console/InterruptHandler.h"
#include "host/console/JsonText.h"
#include "host/model/ModelFile.h"

#include "runtime/VexScript.h"

#include "Version.h"

#include <sstream>

namespace vex::host {

namespace {

// The exit status of a usage error or of a script file that cannot be run (nothing runs then).
constexpr int UsageErrorStatus = 2;

// The name standard input goes by in error messages.
constexpr const char* kStandardInputName = "<stdin>";

// Words after a script file on the command line are files too; a person who meant them as the
// script's arguments is shown the command line that says so.
void ArgumentsHint(const std::vector<std::string>& paths, const std::string& missing,
                   std::ostream& err) {
    err << "vexscript: the words after \"--\" are the script's arguments, as in: vexscript";
    for (const std::string& path : paths) {
        err << (&path == &missing ? " -- " : " ") << path;
    }
    err << '\n';
}

// Reads the script files (standard input for "-") before anything runs. False, with a one-line
// message naming the system's reason, when one cannot be read.
bool ReadFiles(const std::vector<std::string>& paths, std::istream& in,
               std::vector<TScriptFile>& files, std::ostream& err) {
    for (const std::string& path : paths) {
        TScriptFile& file = files.emplace_back();
        if (path == kStandardInput) {
            file.Name = kStandardInputName;
            TFileFailure failure;
            if (!ReadWholeStream(in, file.Text, failure)) {
                err << "vexscript: cannot read standard input: " << failure.Cause << '\n';
                return false;
            }
            continue;
        }
        // The name is the system's; messages and the JSON output hold script texts, in the
        // script's code page.
        file.Name = Utf8ToScript(path).value_or(path);
        TFileFailure failure;
        if (!ReadWholeFile(path, file.Text, failure)) {
            err << "vexscript: cannot read " << path << ": " << failure.Cause << '\n';
            if (&path != &paths.front()) {
                ArgumentsHint(paths, path, err);
            }
            return false;
        }
    }
    return true;
}

// The name of the script for ScriptArg(0): the last file ("-" for standard input), else "-e"
// for texts alone, else empty (the interactive mode).
std::string ScriptName(const TConsoleOptions& options) {
    if (!options.Files.empty()) {
        return options.Files.back();
    }
    return options.Texts.empty() ? std::string() : std::string("-e");
}

// The result as the one JSON document on standard output: what the scripts printed is its
// "output".
void PrintJson(const TConsoleSession& session, const std::string& output, std::ostream& out) {
    out << "{\"number\": " << JsonNumber(session.Number())
        << ", \"text\": " << JsonString(session.Text()) << ", \"output\": " << JsonString(output)
        << ", \"errors\": " << JsonErrors(session.Host().Errors()) << "}\n";
}

// True when the files and texts after the last run are to run: no Ctrl+C came, and the last
// run reported no error unless the options keep going.
bool GoesOn(const TConsoleOptions& options, const TConsoleSession& session) {
    return !session.Interrupted() && (options.KeepGoing || session.LastRun().Succeeded());
}

// Runs the files and texts in order, each only while the runs before go on.
void RunScripts(const TConsoleOptions& options, const std::vector<TScriptFile>& files,
                TConsoleSession& session) {
    for (const TScriptFile& file : files) {
        if (!GoesOn(options, session)) {
            return;
        }
        session.RunScript(file.Name, file.Text);
    }
    for (const std::string& text : options.Texts) {
        if (!GoesOn(options, session)) {
            return;
        }
        session.RunText(text);
    }
}

void RunInteractively(const TConsoleOptions& options, const TConsoleEnvironment& environment,
                      TConsoleSession& session) {
    std::unique_ptr<TLineReader> reader;
    if (environment.InputIsTerminal && environment.OpenLineEditor) {
        reader = environment.OpenLineEditor();
    }
    if (!reader) {
        reader = std::make_unique<TStreamLineReader>(environment.In);
    }
    if (environment.InputIsTerminal) {
        environment.Out << "vexscript " << ZENTARO_VERSION
                        << " (Ctrl+D leaves, Ctrl+C cancels a line or a run)\n";
    }
    session.ClearInterrupted();
    const TInterruptsIgnored betweenStatements;
    RunInteractive(session, *reader, environment.Out, !options.Quiet);
}

int Run(TConsoleOptions options, const TConsoleEnvironment& environment) {
    const bool interactive =
        options.Interactive || (!options.HasScripts() && environment.InputIsTerminal);
    if (!options.HasScripts() && !interactive) {
        options.Files.push_back(kStandardInput);
    }
    std::vector<TScriptFile> files;
    if (!ReadFiles(options.Files, environment.In, files, environment.Err)) {
        return UsageErrorStatus;
    }
    if (options.Check) {
        return RunCheck(options, files, environment);
    }
    // With --json, what the scripts print is kept for the JSON object.
    std::ostringstream printed;
    std::ostream& out = options.Json ? static_cast<std::ostream&>(printed) : environment.Out;
    TConsoleSession session(out, environment.Err, environment.LanguageTexts);
    session.Host().Services().Preferences.StopAtFirstError = !options.KeepGoing;
    std::vector<std::string>& scriptArguments = session.Host().ScriptArguments;
    scriptArguments = {ScriptName(options)};
    scriptArguments.insert(scriptArguments.end(), options.ScriptArguments.begin(),
                           options.ScriptArguments.end());
    RunScripts(options, files, session);
    if (interactive && !session.Interrupted()) {
        RunInteractively(options, environment, session);
        return 0;
    }
    if (options.Json) {
        PrintJson(session, printed.str(), environment.Out);
    } else if (!options.Texts.empty() && !options.Quiet && session.HasValueToShow()) {
        environment.Out << session.ShownValue() << '\n';
    }
    return session.Host().ExitStatus();
}

} // namespace

int RunConsole(const std::vector<std::string>& arguments, const TConsoleEnvironment& environment) {
    TConsoleOptions options;
    try {
        options = ParseConsoleOptions(arguments);
    } catch (const TUsageError& error) {
        environment.Err << "vexscript: " << error.Message << '\n' << "Try 'vexscript --help'.\n";
        return UsageErrorStatus;
    }
    if (options.Help) {
        environment.Out << ConsoleUsage;
        return 0;
    }
    if (options.Version) {
        environment.Out << "vexscript " << ZENTARO_VERSION << '\n';
        return 0;
    }
    if (options.Inspection != TInspection::None) {
        return RunInspection(options, environment.LanguageTexts, environment.Out, environment.Err);
    }
    return Run(std::move(options), environment);
}

} // namespace vex::host
