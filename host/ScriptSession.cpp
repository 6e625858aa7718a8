#include "host/ScriptSession.h"

#include "host/ScriptCodePage.h"
#include "host/TextFiles.h"
#include "host/model/ModelServices.h"
#include "host/model/RunPlaces.h"

#include "runtime/VexWords.h"

#include <algorithm>

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
        if (statement.IsBroken()) {
            statement.Unclosed.Line += firstLine - 1;
            statement.Unclosed.NextLine += statement.Unclosed.NextLine ? firstLine - 1 : 0;
        }
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

// The numbers of the words a check compiles constant texts of (host/words/).
constexpr int kEvalWord = 222;
constexpr int kSetAttWord = 620;
constexpr int kSetHandlerWord = 622;
constexpr int kLoadAttWord = 636;
constexpr int kLoadHandlerWord = 638;

// The argument of a call that holds code a word compiles, or 0: the code of a handler, the body
// of a user-defined word, the text Eval runs.
int CodeArgument(const TCodeNode& node) {
    switch (node.WordNumber) {
    case kSetHandlerWord:
    case kLoadHandlerWord:
        return node.ArgCount == 3 ? 3 : 0;
    case wnDefineWord:
        return node.ArgCount >= 2 ? 2 : 0;
    case kEvalWord:
        return node.ArgCount == 1 ? 1 : 0;
    default:
        return 0;
    }
}

// A text constant of a statement as written: the offset of its first character (after the '[')
// and its text.
struct TWrittenConstant {
    std::size_t Offset;
    std::string_view Text;
};

// The outermost text constants of a statement as written, outside comments.
std::vector<TWrittenConstant> WrittenConstants(std::string_view text) {
    std::vector<TWrittenConstant> constants;
    int braces = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (braces > 0 || ch == '{') {
            braces += ch == '{' ? 1 : ch == '}' ? -1 : 0;
            continue;
        }
        if (ch != '[') {
            continue;
        }
        int depth = 0;
        std::size_t close = i;
        for (; close < text.size(); ++close) {
            depth += text[close] == '[' ? 1 : text[close] == ']' ? -1 : 0;
            if (depth == 0) {
                break;
            }
        }
        if (close == text.size()) {
            break;
        }
        constants.push_back({i + 1, text.substr(i + 1, close - i - 1)});
        i = close;
    }
    return constants;
}

// True when a constant as written is the text the parser made of it: tabs become blanks, line
// feeds go.
bool ReadsAs(std::string_view written, std::string_view text) {
    std::size_t k = 0;
    for (const char ch : written) {
        if (ch == '\n') {
            continue;
        }
        if (k == text.size() || text[k] != (ch == '\t' ? ' ' : ch)) {
            return false;
        }
        ++k;
    }
    return k == text.size();
}

// The calls of a tree whose code argument is a text constant, and the calls that give an
// attribute a constant name, in the order of the text.
void CollectCodeCalls(const TCodeNode& node, std::vector<const TCallNode*>& calls) {
    if (!node.IsCall()) {
        return;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    const int argument = CodeArgument(call);
    const bool namesAttribute = (call.WordNumber == kSetAttWord && call.ArgCount == 3) ||
                                (call.WordNumber == kLoadAttWord && call.ArgCount == 4);
    if ((argument && call.Arg(argument)->IsTextConstant()) ||
        (namesAttribute && call.Arg(2)->IsTextConstant())) {
        calls.push_back(&call);
    }
    for (int i = 1; i <= call.ArgCount; ++i) {
        CollectCodeCalls(*call.Arg(i), calls);
    }
}

const TText& ConstantText(const TCodeNode& node) {
    return static_cast<const TTextConstantNode&>(node).Text;
}

// An atom as a check knows it: every attribute the script names by a constant may be its own.
class TCheckedAtom : public TBindingObject {
public:
    explicit TCheckedAtom(const std::vector<std::string>& names)
        : m_names(names) {}
    std::int32_t Id() const override { return 0; }
    std::string Name() const override { return "(checked)"; }
    int NamedAttributeCount() const override { return static_cast<int>(m_names.size()); }
    std::string NamedAttributeName(int position) const override {
        return m_names[static_cast<std::size_t>(position - 1)];
    }

private:
    const std::vector<std::string>& m_names;
};

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
            if (statement.IsBroken()) {
                // Its text is not what the person meant: nothing of it runs, and it is an error
                // like a compile error, which ends a run that stops at the first error.
                m_context.ReportError(statement.UnclosedMessage());
            } else {
                const TStatementCode code(Compile(name, statement));
                if (code.Code()) {
                    text.clear();
                    result = m_context.Evaluate(code.Code(), text);
                }
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
    m_attributeNames.clear();
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
    if (statement.IsBroken()) {
        m_context.ReportError(statement.UnclosedMessage());
        if (observer.Compiled) {
            observer.Compiled(statement, nullptr);
        }
        return;
    }
    const TStatementCode code(Compile(name, statement, binding));
    const TCodeNode* root = code.Code() ? code.Code()->Root : nullptr;
    if (code.Code()) {
        ++result.Compiled;
    }
    if (observer.Compiled) {
        observer.Compiled(statement, root);
    }
    if (root) {
        CheckEmbeddedCode(name, statement, *root, observer);
    }
}

// Each constant text is found where it is written, so that its traps and errors are placed at
// their lines and columns; one that cannot be found (a comment the statement leaves open) is
// placed at the statement.
void TScriptSession::CheckEmbeddedCode(const std::string& name, const TStatement& statement,
                                       const TCodeNode& root, const TCheckObserver& observer) {
    std::vector<const TCallNode*> calls;
    CollectCodeCalls(root, calls);
    if (calls.empty()) {
        return;
    }
    const std::vector<TWrittenConstant> written = WrittenConstants(statement.Text);
    std::size_t searchFrom = 0;
    for (const TCallNode* call : calls) {
        const int argument = CodeArgument(*call);
        if (!argument || !call->Arg(argument)->IsTextConstant()) {
            // A name that is also a word stays the word: the atoms a handler may run for are
            // not known, and most have no attribute of that name.
            const std::string attribute = ConstantText(*call->Arg(2)).str();
            if (m_context.WordIndexOf(attribute) < 0 &&
                std::find(m_attributeNames.begin(), m_attributeNames.end(), attribute) ==
                    m_attributeNames.end()) {
                m_attributeNames.push_back(attribute);
            }
            continue;
        }
        const std::string_view text = ConstantText(*call->Arg(argument)).view();
        TEmbeddedCode code{text, statement.Line, 0};
        for (std::size_t k = searchFrom; k < written.size(); ++k) {
            if (ReadsAs(written[k].Text, text)) {
                const std::string_view before =
                    std::string_view(statement.Text).substr(0, written[k].Offset);
                const std::size_t lineStart = before.rfind('\n');
                code.Text = written[k].Text;
                code.Line += static_cast<int>(std::count(before.begin(), before.end(), '\n'));
                code.Column = static_cast<int>(lineStart == std::string_view::npos
                                                   ? written[k].Offset + 1
                                                   : written[k].Offset - lineStart);
                searchFrom = k + 1;
                break;
            }
        }
        if (observer.Embedded && code.Column > 0) {
            observer.Embedded(statement, code);
        }
        const TRunPlaceScope place(ModelServicesOf(m_context).Places, m_context, name, code.Line,
                                   code.Column);
        std::string definition;
        if (ConstantDefinition(*call, definition)) {
            // Carried out, so that later statements may call the word; its body compiles then.
            TText ignored;
            m_context.ExecuteText(definition, ignored);
        } else if (call->WordNumber != wnDefineWord) {
            const TCheckedAtom atom(m_attributeNames);
            const bool handler = call->WordNumber != kEvalWord;
            const TStatementCode compiled(m_context.Compile(
                text, nullptr, handler ? TGuiBinding{&atom, nullptr} : TGuiBinding{}));
        }
    }
}

} // namespace vex::host
