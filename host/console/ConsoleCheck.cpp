#include "host/console/ConsoleCheck.h"

#include "host/console/ConsoleSession.h"
#include "host/console/JsonText.h"
#include "host/model/ModelFile.h"

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

// A DefineWord call whose arguments are all constants, as text that carries it out: the
// definition running would do.
bool ConstantDefinition(const TCodeNode& node, std::string& text) {
    if (!node.IsCall() || node.WordNumber != wnDefineWord) {
        return false;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    text = "DefineWord(";
    for (int i = 1; i <= call.ArgCount; ++i) {
        const TCodeNode& argument = *call.Arg(i);
        if (!argument.IsConstant()) {
            return false;
        }
        text += (i > 1 ? "," : "") +
                (argument.IsTextConstant()
                     ? TextConstant(static_cast<const TTextConstantNode&>(argument).Text.view())
                     : NumberConstant(static_cast<const TConstantNode&>(argument).Value));
    }
    text += ")";
    return true;
}

class TChecker {
public:
    TChecker(TConsoleSession& session, bool json, std::ostream& err)
        : m_session(session)
        , m_json(json)
        , m_err(err) {}

    // Checks a script statement by statement.
    void CheckScript(const std::string& name, std::string_view script) {
        for (const TStatement& statement : ScriptStatements(script)) {
            CheckStatement(name, statement);
        }
    }

    const std::vector<TWarning>& Warnings() const noexcept { return m_warnings; }

private:
    void CheckStatement(const std::string& name, const TStatement& statement) {
        for (const TSourceTrap& trap : FindSourceTraps(statement.Text)) {
            Warn({name, statement.Line + trap.Line - 1, trap.Column, trap.Message});
        }
        if (RemoveWhitespaceAndComments(statement.Text).empty()) {
            return;
        }
        TConsoleInterpreter& context = m_session.Context();
        const TRunPlaceScope place(m_session.Host().Services().Places, context, name,
                                   statement.Line);
        TCompiledCode* code = context.Compile(statement.Text);
        if (code && code->Root) {
            DefineConstantWords(*code->Root);
        }
        TLanguageInterpreter::ReleaseCode(code);
    }

    void DefineConstantWords(const TCodeNode& node) {
        std::string definition;
        if (ConstantDefinition(node, definition)) {
            TText ignored;
            m_session.Context().ExecuteText(definition, ignored);
        }
        if (node.IsCall()) {
            const auto& call = static_cast<const TCallNode&>(node);
            for (int i = 1; i <= call.ArgCount; ++i) {
                DefineConstantWords(*call.Arg(i));
            }
        }
    }

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
    for (const TScriptFile& file : files) {
        checker.CheckScript(file.Name, file.Text);
    }
    for (const std::string& text : options.Texts) {
        checker.CheckScript(kTextName, text);
    }
    if (options.Json) {
        PrintJson(session.Host(), checker.Warnings(), environment.Out);
    }
    return session.Host().ErrorCount() == 0 ? 0 : 1;
}

} // namespace vex::host
