#include "host/console/ConsoleSession.h"

#include "host/console/InterruptHandler.h"
#include "host/model/ModelFile.h"
#include "host/words/WordSupport.h"

#include "runtime/VexWords.h"

namespace vex::host {

namespace {

// The number of the word Do (host/words/ControlWords.cpp).
constexpr int kDoWord = 1;

// True when the value of a tree counts as a text even when it is empty: a text node, or a Do
// whose last argument is one.
bool CountsAsText(const TCodeNode& node) {
    if (IsTextNode(node)) {
        return true;
    }
    if (!node.IsCall() || node.WordNumber != kDoWord) {
        return false;
    }
    const auto& call = static_cast<const TCallNode&>(node);
    return call.ArgCount > 0 && CountsAsText(*call.Arg(call.ArgCount));
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
void TConsoleSession::RunScript(const std::string& name, std::string_view script) {
    const TInterruptHandler interrupts(m_context);
    m_errorsBeforeRun = m_host.ErrorCount();
    m_text.clear();
    m_isText = false;
    try {
        m_number = ExecuteScript(m_context, name, script, m_text);
    } catch (const std::exception& error) {
        m_host.HandleException(error);
        m_number = 0;
    }
    NoteInterruption(interrupts.Interrupted());
}

void TConsoleSession::RunText(std::string_view text) {
    const TInterruptHandler interrupts(m_context);
    m_errorsBeforeRun = m_host.ErrorCount();
    m_number = 0;
    m_text.clear();
    m_isText = false;
    TCompiledCode* code = nullptr;
    try {
        code = m_context.Compile(text);
        if (code) {
            m_isText = code->Root && CountsAsText(*code->Root);
            m_number = m_context.Evaluate(code, m_text);
        }
    } catch (const std::exception& error) {
        m_host.HandleException(error);
        m_number = 0;
    }
    TLanguageInterpreter::ReleaseCode(code);
    NoteInterruption(interrupts.Interrupted());
}

// Ctrl+C after the last node that a run evaluated (between the statements of a script, or after
// its last) ends it as well: the host hears of it as of any aborted run.
void TConsoleSession::NoteInterruption(bool interrupted) {
    if (interrupted && !m_host.Interrupted()) {
        m_host.HandleException(ERunAborted());
    }
}

std::string TConsoleSession::ShownValue() const {
    return m_isText || !m_text.empty() ? m_text.str() : FormatNumber(m_number);
}

} // namespace vex::host
