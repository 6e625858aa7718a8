#pragma once

// A runtime context for automation tests: the words the automation texts use, each recording its
// call, plus Do, + and FileText.

#include "runtime/VexScript.h"

#include <memory>
#include <string>
#include <vector>

// The calls the recording words saw, in order ("name(arg,...)"), and the errors reported.
std::vector<std::string>& recordedCalls();

class TRecordingHost : public vex::THostInterface {
public:
    vex::THostRegisters& Registers() override { return m_registers; }
    bool IsProgressActive() const override { return false; }
    void AdvanceProgress(std::string_view, std::int64_t) override {}
    std::string LanguageText(int) const override { return {}; }
    void ShowErrorBox(const std::string& message) override;
    void HandleException(const std::exception& error) override;

private:
    vex::THostRegisters m_registers;
};

class TRecordingContext : public vex::TLanguageInterpreter, public vex::TErrorSubscriber {
public:
    explicit TRecordingContext(vex::THostInterface& host)
        : TLanguageInterpreter(host) {
        SubscribeErrors(*this);
    }
    void ErrorReported(const vex::TRunError& error) override;
};

// A context with the recording words, or with no words at all.
std::unique_ptr<TRecordingContext> newRecordingContext(vex::THostInterface& host, bool withWords);
