#include "host/console/ConsoleSession.h"

#include "host/ScriptSession.h"
#include "host/console/InterruptHandler.h"
#include "host/words/WordSupport.h"

#include "runtime/VexWords.h"

namespace vex::host {

namespace {

// The numbers of the words Do, Print and Trace (host/words/ControlWords.cpp, TraceWords.cpp).
constexpr int kDoWord = 1;
constexpr int kPrintWord = 300;
constexpr int kTraceWord = 301;

// The last argument of a Do, the node whose value a Do gives; the node itself otherwise.
const TCodeNode& ValueNode(const TCodeNode& node) {
    if (!node.IsCall() || node.WordNumber != kDoWord) {
        return node;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    return call.ArgCount > 0 ? ValueNode(*call.Arg(call.ArgCount)) : node;
}

// True when the value of a tree is what a word that writes or declares gives back: a number that
// tells nothing, so the runner shows none (`Print(1+2)` shows the 3 it writes, not a 0 after).
bool GivesNoValue(const TCodeNode& node) {
    const TCodeNode& value = ValueNode(node);
    if (!value.IsCall()) {
        return false;
    }
    switch (value.WordNumber) {
    case kPrintWord:
    case kTraceWord:
    case wnDeclareGlobal:
    case wnGlobal:
    case wnLocal:
    case wnLocalText:
    case wnLocalNum:
    case wnLocalObj:
    case wnLocalIntf:
        return true;
    default:
        return false;
    }
}

// True when the value of a tree counts as a text even when it is empty: a text node, or a Do
// whose last argument is one.
bool CountsAsText(const TCodeNode& node) {
    return IsTextNode(ValueNode(node));
}

} // namespace

TConsoleSession::TConsoleSession(std::ostream& out, std::ostream& err, TLanguageTexts texts)
    : m_host(out, err, std::move(texts))
    , m_context(m_host) {}

void TConsoleSession::ClearInterrupted() noexcept {
    m_host.ClearInterrupted();
}

// An exception that leaves a run (the abort of Ctrl+C, a stack signal) goes to the host's
// exception handler, as the runtime's entry operations hand it over.
const TRunResult& TConsoleSession::RunScript(const std::string& name, std::string_view script) {
    const TInterruptHandler interrupts(m_context);
    m_isText = false;
    m_hasValue = true;
    m_last = TScriptSession(m_context).Run(name, script);
    NoteInterruption(interrupts.Interrupted());
    return m_last;
}

const TRunResult& TConsoleSession::RunText(std::string_view text) {
    const TInterruptHandler interrupts(m_context);
    m_last = TRunResult();
    m_isText = false;
    m_hasValue = true;
    TText value;
    {
        const TRunRecording recording(m_context, m_last);
        TCompiledCode* code = nullptr;
        try {
            code = m_context.Compile(text);
            if (code) {
                m_isText = code->Root && CountsAsText(*code->Root);
                m_hasValue = !code->Root || !GivesNoValue(*code->Root);
                m_last.Number = m_context.Evaluate(code, value);
                m_isText = m_isText || value.IsText();
            }
        } catch (const std::exception& error) {
            m_context.HandleRunException(error);
            m_last.Number = 0;
        }
        TLanguageInterpreter::ReleaseCode(code);
    }
    m_last.Text.assign(value.data(), value.size());
    NoteInterruption(interrupts.Interrupted());
    return m_last;
}

// Ctrl+C after the last node that a run evaluated (between the statements of a script, or after
// its last) ends it as well: the host hears of it as of any aborted run.
void TConsoleSession::NoteInterruption(bool interrupted) {
    if (interrupted && !m_host.Interrupted()) {
        m_last.Status = TRunStatus::Aborted;
        m_host.HandleException(ERunAborted());
    }
}

std::string TConsoleSession::ShownValue() const {
    return m_isText || !m_last.Text.empty() ? m_last.Text : FormatNumber(m_last.Number);
}

} // namespace vex::host
