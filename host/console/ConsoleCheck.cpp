#include "host/console/ConsoleCheck.h"

#include "host/ScriptSession.h"
#include "host/console/ConsoleSession.h"
#include "host/console/JsonText.h"

#include "runtime/VexWords.h"

#include <sstream>

namespace vex::host {

namespace {

// The name a -e text goes by in the check's messages.
constexpr const char* kTextName = "-e";

struct TWarning {
    std::string File;
    int Line = 0;
    int Column = 0;
    std::string Message;
};

// Checks scripts in the session's context and gathers the warnings of the language's traps in
// every statement, blank ones included, as each is reached.
class TChecker {
public:
    TChecker(TConsoleSession& session, bool json, std::ostream& err)
        : m_session(session)
        , m_json(json)
        , m_err(err) {}

    // Checks a script statement by statement; false when a statement reported an error.
    bool CheckScript(const std::string& name, std::string_view script) {
        TScriptSession::TCheckObserver observer;
        observer.Statement = [&](const TStatement& statement) {
            for (const TSourceTrap& trap : FindSourceTraps(statement.Text)) {
                Warn({name, statement.Line + trap.Line - 1, trap.Column, trap.Message});
            }
        };
        // The code in a constant text: its first line goes on the text's own line.
        observer.Embedded = [&](const TStatement&, const TScriptSession::TEmbeddedCode& code) {
            for (const TSourceTrap& trap : FindSourceTraps(code.Text)) {
                const int column = trap.Line == 1 ? code.Column + trap.Column - 1 : trap.Column;
                Warn({name, code.Line + trap.Line - 1, column, trap.Message});
            }
        };
        return TScriptSession(m_session.Context())
            .Check(name, script, {}, observer)
            .Outcome.Succeeded();
    }

    const std::vector<TWarning>& Warnings() const noexcept { return m_warnings; }

private:
    void Warn(TWarning warning) {
        if (!m_json) {
            m_err << warning.File << ':' << warning.Line << ':' << warning.Column
                  << ": warning: " << warning.Message << '\n';
        }
        m_warnings.push_back(std::move(warning));
    }

    TConsoleSession& m_session;
    bool m_json;
    std::ostream& m_err;
    std::vector<TWarning> m_warnings;
};

void PrintJson(const TConsoleHost& host, const std::vector<TWarning>& warnings, std::ostream& out) {
    out << "{\"errors\": " << JsonErrors(host.Errors()) << ", \"warnings\": [";
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        const TWarning& warning = warnings[i];
        out << (i ? ", " : "") << "{\"file\": " << JsonString(warning.File)
            << ", \"line\": " << warning.Line << ", \"column\": " << warning.Column
            << ", \"message\": " << JsonString(warning.Message) << "}";
    }
    out << "]}\n";
}

} // namespace

int RunCheck(const TConsoleOptions& options, const std::vector<TScriptFile>& files,
             const TConsoleEnvironment& environment) {
    // With --json the error messages go only into the JSON object.
    std::ostringstream jsonErrors;
    std::ostream& err = options.Json ? static_cast<std::ostream&>(jsonErrors) : environment.Err;
    TConsoleSession session(environment.Out, err, environment.LanguageTexts);
    TChecker checker(session, options.Json, err);
    bool correct = true;
    for (const TScriptFile& file : files) {
        correct = checker.CheckScript(file.Name, file.Text) && correct;
    }
    for (const std::string& text : options.Texts) {
        correct = checker.CheckScript(kTextName, text) && correct;
    }
    if (options.Json) {
        PrintJson(session.Host(), checker.Warnings(), environment.Out);
    }
    return correct ? 0 : 1;
}

} // namespace vex::host
