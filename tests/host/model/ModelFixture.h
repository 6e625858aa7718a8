// A runtime context whose host carries a model, with the standard and model words registered and
// every error message captured.

#pragma once

#include "host/StandardWords.h"
#include "host/model/ModelServices.h"

#include "runtime/VexScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex::host {

class TTestModelHost : public TModelHost {
public:
    std::string LanguageText(int) const override { return {}; }
    void ShowErrorBox(const std::string& message) override { Errors.push_back(message); }
    void HandleException(const std::exception& error) override {
        if (*error.what()) {
            Errors.push_back(error.what());
        }
    }
    std::vector<std::string> Errors;
};

class TTestModelContext : public TLanguageInterpreter, public TErrorSubscriber {
public:
    explicit TTestModelContext(TTestModelHost& host)
        : TLanguageInterpreter(host)
        , m_host(host) {
        SubscribeErrors(*this);
        RegisterStandardWords(*this);
    }
    void ErrorReported(const TRunError& error) override { m_host.Errors.push_back(error.Message); }

private:
    TTestModelHost& m_host;
};

struct TModelResult {
    double Number = 0;
    std::string Text;
    // The error messages of the run, joined by line feeds.
    std::string Errors;
};

class ModelFixture : public ::testing::Test {
protected:
    // Runs a text in the fixture's context; globals, user words and the model carry over.
    TModelResult Run(std::string_view source) {
        m_host.Errors.clear();
        TText text;
        TModelResult result;
        result.Number = m_context.ExecuteText(source, text);
        result.Text = text.str();
        for (const std::string& error : m_host.Errors) {
            result.Errors += (result.Errors.empty() ? "" : "\n") + error;
        }
        return result;
    }
    // Runs a text that must not report an error and gives its number.
    double Value(std::string_view source) {
        const TModelResult result = Run(source);
        EXPECT_EQ(result.Errors, "") << source;
        return result.Number;
    }

    TModelServices& Services() { return m_host.Services(); }
    TModel& Model() { return m_host.Services().Model; }
    TLanguageInterpreter& Context() { return m_context; }
    THostRegisters& Registers() { return m_host.Registers(); }

private:
    TTestModelHost m_host;
    TTestModelContext m_context{m_host};
};

} // namespace vex::host
