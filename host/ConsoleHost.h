#pragma once

#include "runtime/LanguageInterpreter.h"

#include <functional>
#include <ostream>
#include <string>

namespace vex::host {

// The host a console program runs VexScript in: registers of its own, no progress display,
// English interface texts, and errors written to a stream.
class TConsoleHost : public THostInterface {
public:
    explicit TConsoleHost(std::ostream& errors);

    THostRegisters& Registers() override { return m_registers; }
    bool IsProgressActive() const override { return false; }
    void AdvanceProgress(std::string_view, std::int64_t) override {}
    std::string LanguageText(int) const override { return {}; }
    void ShowErrorBox(const std::string& message) override;
    void HandleException(const std::exception& error) override;

    // Number of errors written so far.
    int ErrorCount() const noexcept { return m_errorCount; }
    void WriteError(const std::string& message);

private:
    std::ostream& m_errors;
    THostRegisters m_registers;
    int m_errorCount = 0;
};

// A runtime context whose error messages go to its console host.
class TConsoleInterpreter : public TLanguageInterpreter {
public:
    // Creates the context, fills the registry with the standard words and publishes it as the
    // global context.
    explicit TConsoleInterpreter(TConsoleHost& host);
    void ReportError(const std::string& message) override;

private:
    TConsoleHost& m_host;
};

} // namespace vex::host
