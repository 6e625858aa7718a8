// A console context for running VexScript texts in tests, with its trace output and error
// messages captured.

#pragma once

#include "host/console/ConsoleHost.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vex::host {

struct TScriptResult {
    double Number = 0;
    std::string Text;
    std::string Trace;
    std::string Errors;
};

class ScriptFixture : public ::testing::Test {
protected:
    // Runs a text in the fixture's one context (globals and user words carry over) and returns
    // its value with what it wrote.
    TScriptResult Run(std::string_view source) {
        m_trace.str("");
        m_errors.str("");
        TText text;
        TScriptResult result;
        result.Number = m_context.ExecuteText(source, text);
        result.Text = text.str();
        result.Trace = m_trace.str();
        result.Errors = m_errors.str();
        return result;
    }

    TLanguageInterpreter& Context() { return m_context; }
    // Everything written to the trace since the last Run.
    std::string Trace() const { return m_trace.str(); }

private:
    std::ostringstream m_trace;
    std::ostringstream m_errors;
    TConsoleHost m_host{m_trace, m_errors};
    TConsoleInterpreter m_context{m_host};
};

} // namespace vex::host
