#include "host/ScriptSession.h"

#include "host/ScriptCodePage.h"
#include "host/TextFiles.h"
#include "host/model/ModelServices.h"
#include "host/model/RunPlaces.h"

#include "runtime/VexWords.h"

namespace vex::host {

namespace {

// Reading a script ends the reading of a model file in it, whichever way the reading ends: the
// word Library asked for one read only, and the file's atom numbers mean nothing after it.
class TScriptRead {
public:
    explicit TScriptRead(TModelServices& services)
        : m_services(services) {
        services.LastReadWasLibrary = services.LoadIntoLibrary;
    }
    TScriptRead(const TScriptRead&) = delete;
    TScriptRead& operator=(const TScriptRead&) = delete;
    ~TScriptRead() {
        m_services.LoadIntoLibrary = false;
        m_services.FileAtoms.clear();
    }

private:
    TModelServices& m_services;
};

// The compiled code of one statement, released when it goes, also when an exception passes.
class TStatementCode {
public:
    explicit TStatementCode(TCompiledCode* code) noexcept
        : m_code(code) {}
    TStatementCode(const TStatementCode&) = delete;
    TStatementCode& operator=(const TStatementCode&) = delete;
    ~TStatementCode() { TLanguageInterpreter::ReleaseCode(m_code); }

    TCompiledCode* Code() const noexcept { return m_code; }

private:
    TCompiledCode* m_code;
};

// The statements of a script whose first line is `firstLine` of its file.
std::vector<TStatement> StatementsFrom(std::string_view script, int firstLine) {
    std::vector<TStatement> statements = ScriptStatements(script);
    for (TStatement& statement : statements) {
        statement.Line += firstLine - 1;
    }
    return statements;
}

// True when a statement holds nothing but whitespace and comments. Without a '}' in it this
// follows from its characters alone (a '{' with no '}' after it is dropped, anything else but
// whitespace is code), which spares most statements a prepared copy; with one, the comment rules
// of RemoveWhitespaceAndComments decide.
bool IsBlank(const TStatement& statement) {
    const std::string_view text = statement.Text;
    if (text.find('}') != std::string_view::npos) {
        return RemoveWhitespaceAndComments(text).empty();
    }
    return text.find_first_not_of(" \t\r\n{") == std::string_view::npos;
}

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

} // namespace

TScriptSession::TScriptSession(TLanguageInterpreter& context)
    : m_context(context) {}

// A statement starts at the beginning of its line; its tree keeps the places of its nodes.
TCompiledCode* TScriptSession::Compile(const std::string& name, const TStatement& statement,
                                       const TGuiBinding& binding) {
    TSourceOrigin origin;
    origin.File = name;
    origin.Line = statement.Line;
    const TSourceOriginScope originScope(m_context, origin);
    return m_context.Compile(statement.Text, nullptr, binding);
}

double TScriptSession::ExecuteStatements(const std::string& name, std::string_view script,
                                         TText& text, int firstLine) {
    TModelServices& services = ModelServicesOf(m_context);
    const TScriptRead read(services);
    double result = 0;
    text.clear();
    m_stopped = false;
    for (const TStatement& statement : StatementsFrom(script, firstLine)) {
        if (IsBlank(statement)) {
            continue;
        }
        TRunResult statementRun;
        {
            const TRunRecording recording(m_context, statementRun);
            const TRunPlaceScope place(services.Places, m_context, name, statement.Line);
            const TStatementCode code(Compile(name, statement));
            if (code.Code()) {
                text.clear();
                result = m_context.Evaluate(code.Code(), text);
            }
        }
        // A runtime error has stopped the run already; an error that ended nothing (a compile
        // error, a word definition that failed) stops it after its statement.
        if (!statementRun.Succeeded() && m_context.Host().StopsAtFirstError()) {
            throw ERunStopped();
        }
        if (m_stop && m_stop()) {
            m_stopped = true;
            break;
        }
    }
    return result;
}

double TScriptSession::ExecuteFile(const std::string& path, TText& text) {
    std::string content;
    TFileFailure failure;
    if (!ReadWholeFile(ScriptToUtf8(path), content, failure)) {
        const TScriptRead read(ModelServicesOf(m_context));
        throw EVexError("ExecFile: cannot read the file \"" + path + "\": " + failure.Cause);
    }
    return ExecuteStatements(path, content, text);
}

TRunResult TScriptSession::Run(const std::string& name, std::string_view script, int firstLine) {
    TRunResult result;
    TText text;
    {
        const TRunRecording recording(m_context, result);
        try {
            result.Number = ExecuteStatements(name, script, text, firstLine);
        } catch (const std::exception& error) {
            m_context.HandleRunException(error);
            result.Number = 0;
        }
        if (m_stopped) {
            result.Status = TRunStatus::Aborted;
        }
    }
    result.Text.assign(text.data(), text.size());
    return result;
}

TCheckResult TScriptSession::Check(const std::string& name, std::string_view script,
                                   const TGuiBinding& binding, const TCheckObserver& observer,
                                   int firstLine) {
    TCheckResult result;
    const TRunRecording recording(m_context, result.Outcome);
    try {
        for (const TStatement& statement : StatementsFrom(script, firstLine)) {
            CheckStatement(name, statement, binding, observer, result);
        }
    } catch (const std::exception& error) {
        m_context.HandleRunException(error);
    }
    return result;
}

void TScriptSession::CheckStatement(const std::string& name, const TStatement& statement,
                                    const TGuiBinding& binding, const TCheckObserver& observer,
                                    TCheckResult& result) {
    if (observer.Statement) {
        observer.Statement(statement);
    }
    if (IsBlank(statement)) {
        return;
    }
    const TRunPlaceScope place(ModelServicesOf(m_context).Places, m_context, name, statement.Line);
    const TStatementCode code(Compile(name, statement, binding));
    const TCodeNode* root = code.Code() ? code.Code()->Root : nullptr;
    if (code.Code()) {
        ++result.Compiled;
    }
    if (observer.Compiled) {
        observer.Compiled(statement, root);
    }
    if (root) {
        DefineConstantWords(*root);
    }
}

void TScriptSession::DefineConstantWords(const TCodeNode& node) {
    std::string definition;
    if (ConstantDefinition(node, definition)) {
        TText ignored;
        m_context.ExecuteText(definition, ignored);
    }
    if (node.IsCall()) {
        const auto& call = static_cast<const TCallNode&>(node);
        for (int i = 1; i <= call.ArgCount; ++i) {
            DefineConstantWords(*call.Arg(i));
        }
    }
}

} // namespace vex::host
