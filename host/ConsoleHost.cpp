#include "host/ConsoleHost.h"

#include "host/StandardWords.h"

namespace vex::host {

TConsoleHost::TConsoleHost(std::ostream& errors)
    : m_errors(errors) {}

void TConsoleHost::WriteError(const std::string& message) {
    ++m_errorCount;
    m_errors << message << '\n';
    m_errors.flush();
}

void TConsoleHost::ShowErrorBox(const std::string& message) {
    WriteError(message);
}

void TConsoleHost::HandleException(const std::exception& error) {
    const std::string message = error.what();
    if (!message.empty()) {
        WriteError(message);
    }
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
