#pragma once

#include "host/WordHost.h"
#include "host/model/ModelServices.h"

#include "runtime/VexScript.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vex::host {

// Where a console host finds the interface text of a number (Windows-1252 bytes; empty when
// there is none, so that the runtime uses its English text).
using TLanguageTexts = std::function<std::string(int)>;

// The host a console program runs VexScript in: the model with its services (no windows
// attached), the interface texts it is given (English without), trace messages as lines on one
// stream and error messages as lines on another.
class TConsoleHost : public TModelHost, public TWordHost {
public:
    TConsoleHost(std::ostream& trace, std::ostream& errors, TLanguageTexts texts = {});

    std::string LanguageText(int number) const override {
        return m_texts ? m_texts(number) : std::string();
    }
    void ShowErrorBox(const std::string& message) override;
    void HandleException(const std::exception& error) override;
    void TraceMessage(std::string_view text, bool isError) override;

    // Writes an error message and keeps it.
    void WriteError(const std::string& message);
    // Every error message written so far, in order.
    const std::vector<std::string>& Errors() const noexcept { return m_errors; }
    int ErrorCount() const noexcept { return static_cast<int>(m_errors.size()); }
    // The exit status of a console program that ran in this host: 0 when no error message was
    // written, 1 when one was.
    int ExitStatus() const noexcept { return m_errors.empty() ? 0 : 1; }

private:
    TLanguageTexts m_texts;
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
