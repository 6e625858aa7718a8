#include "host/ConsoleRunner.h"

#include "host/ConsoleHost.h"
#include "host/StandardWords.h"
#include "runtime/NumberText.h"

#include "Version.h"

#include <fstream>
#include <sstream>

namespace vex::host {

namespace {

constexpr const char* kUsage =
    "Usage: vexscript [options] [FILE...]\n"
    "Runs VexScript files and texts and prints what each computed.\n"
    "\n"
    "  -e TEXT      run TEXT (may be given several times)\n"
    "  -q, --quiet  do not print the results, only what the scripts print themselves\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Each result is printed as its number, followed by its text when it has one.\n"
    "Exit status: 0 success, 1 a script reported an error, 2 usage or file error.\n";

struct TJob {
    bool IsFile;
    std::string Value;
};

bool ReadFile(const std::string& path, std::string& contents) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    contents = buffer.str();
    return !file.bad();
}

void PrintResult(std::ostream& out, double number, const TText& text) {
    out << FormatNumber(number);
    if (!text.empty()) {
        out << ' ' << text.view();
    }
    out << '\n';
}

} // namespace

int RunConsole(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<TJob> jobs;
    bool quiet = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return 0;
        }
        if (argument == "--version") {
            out << "vexscript " << ZENTARO_VERSION << '\n';
            return 0;
        }
        if (argument == "-q" || argument == "--quiet") {
            quiet = true;
        } else if (argument == "-e") {
            if (i + 1 >= arguments.size()) {
                err << "vexscript: -e needs a text\n" << kUsage;
                return 2;
            }
            jobs.push_back({false, arguments[++i]});
        } else if (argument.size() > 1 && argument[0] == '-') {
            err << "vexscript: unknown option " << argument << '\n' << kUsage;
            return 2;
        } else {
            jobs.push_back({true, argument});
        }
    }
    if (jobs.empty()) {
        err << "vexscript: nothing to run\n" << kUsage;
        return 2;
    }
    TConsoleHost host(err);
    TConsoleInterpreter context(host);
    SetScriptOutput(out);
    int status = 0;
    for (const TJob& job : jobs) {
        std::string source = job.Value;
        if (job.IsFile && !ReadFile(job.Value, source)) {
            err << "vexscript: cannot read " << job.Value << '\n';
            status = 2;
            continue;
        }
        const int errorsBefore = host.ErrorCount();
        TText text;
        const double number = context.ExecuteText(source, text);
        if (!quiet) {
            PrintResult(out, number, text);
        }
        if (host.ErrorCount() != errorsBefore && status == 0) {
            status = 1;
        }
    }
    return status;
}

} // namespace vex::host
