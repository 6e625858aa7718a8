#pragma once

#include "host/WordHost.h"
#include "host/model/ModelServices.h"

#include "runtime/LanguageInterpreter.h"

#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// The host a console program runs VexScript in: the model with its services (no windows
// attached), English interface texts, trace messages as lines on one stream and error messages
// as lines on another.
class TConsoleHost : public TModelHost, public TWordHost {
public:
    TConsoleHost(std::ostream& trace, std::ostream& errors);

    std::string LanguageText(int) const override { return {}; }
    void ShowErrorBox(const std::string& message) override;
    void HandleException(const std::exception& error) override;
    void TraceMessage(std::string_view text, bool isError) override;

    // Writes an error message and keeps it.
    void WriteError(const std::string& message);
    // Every error message written so far, in order.
    const std::vector<std::string>& Errors() const noexcept { return m_errors; }
    int ErrorCount() const noexcept { return static_cast<int>(m_errors.size()); }

private:
    std::ostream& m_traceStream;
    std::ostream& m_errorStream;
    std::vector<std::string> m_errors;
};

// A runtime context whose error messages go to its console host.
class TConsoleInterpreter : public TLanguageInterpreter {
public:
    // Creates the context, fills the registry with the standard words and publishes it as the
    // global context (until it is destroyed).
    explicit TConsoleInterpreter(TConsoleHost& host);
    void ReportError(const std::string& message) override;

private:
    TConsoleHost& m_host;
};

} // namespace vex::host
