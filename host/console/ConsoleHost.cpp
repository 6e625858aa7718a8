#include "host/console/ConsoleHost.h"

#include "host/StandardWords.h"

namespace vex::host {

TConsoleHost::TConsoleHost(std::ostream& trace, std::ostream& errors, TLanguageTexts texts)
    : m_texts(std::move(texts))
    , m_traceStream(trace)
    , m_errorStream(errors) {}

void TConsoleHost::WriteError(const std::string& message) {
    m_errors.push_back(message);
    m_errorStream << PrintableMessage(message) << '\n';
    m_errorStream.flush();
}

void TConsoleHost::ShowErrorBox(const std::string& message) {
    WriteError(message);
}

void TConsoleHost::HandleException(const std::exception& error) {
    const std::string message = ErrorMessage(error);
    if (!message.empty()) {
        WriteError(message);
    }
}

void TConsoleHost::TraceMessage(std::string_view text, bool) {
    m_traceStream << text << '\n';
    m_traceStream.flush();
}

TConsoleInterpreter::TConsoleInterpreter(TConsoleHost& host)
    : TLanguageInterpreter(host)
    , m_host(host) {
    RegisterStandardWords(*this);
    GlobalContext = this;
}

void TConsoleInterpreter::ReportError(const std::string& message) {
    m_host.WriteError(message);
}

} // namespace vex::host
