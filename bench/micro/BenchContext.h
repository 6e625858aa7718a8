#pragma once

// The context the micro benchmarks run in: the console host with the standard words, its
// output thrown away, and debugger services that never pause, so that a debug run can be
// measured with every counting mode.

#include "host/console/ConsoleHost.h"

#include "runtime/DebuggerInterface.h"

#include <memory>
#include <sstream>
#include <string_view>

namespace vex::bench {

// A debugger window that shows nothing and keeps the counting state the engine feeds.
class TSilentDebuggerWindow : public TDebuggerWindow {
public:
    void AttachRuntime(TLanguageInterpreter&) override {}
    void SetDebugMode(bool) override {}
    void ClearListing() override {}
    void ShowPause(const TPauseReport&) override {}
    void TickOriginBoxes(std::uint8_t) override {}
    void PressSwitchButton() override {}
    void ShowAndFocus() override {}
};

// Debugger services without GUI: the window above, no break watcher, every question answered
// with No.
class TSilentDebugServices : public TDebugServices {
public:
    TDebuggerWindow* DebuggerWindow() override { return &Window; }
    TDebuggerWindow* CreateDebuggerWindow() override { return &Window; }
    TBoxAnswer AskWarning(const std::string&, bool) override { return TBoxAnswer::No; }
    void HandleOneMessage() override {}
    void HandlePendingMessages() override {}
    bool IsTerminating() const override { return false; }
    bool HasBreakWatcher() const override { return true; }
    void StartBreakWatcher(std::atomic<std::uint32_t>*) override {}
    void StopBreakWatcher() override {}
    bool ShowFrozenMessages() const override { return false; }
    void ShowFrozenMessage(const std::string&) override {}
    void ReleaseFrozen() override {}

    TSilentDebuggerWindow Window;
};

// A context with the standard words. Errors and trace output are collected, not printed.
class TBenchContext {
public:
    TBenchContext();
    ~TBenchContext();

    host::TConsoleInterpreter& Context() { return *m_context; }
    // Compiles `source`; a compile error ends the benchmark program with its message.
    TCompiledCode* Compile(std::string_view source);
    // Runs `source` once (definitions, declarations); an error ends the benchmark program.
    void Run(std::string_view source);
    // Switches debug mode on with the silent services and the counting mode given.
    void DebugWithCounting(std::uint8_t countingMode);
    // Number of nodes one evaluation of `code` runs through EvaluateArgument and EvaluateRoot.
    std::uint64_t CountNodes(TCompiledCode* code);

private:
    [[noreturn]] void Fail(std::string_view what);

    std::ostringstream m_trace;
    std::ostringstream m_errors;
    host::TConsoleHost m_host;
    std::unique_ptr<host::TConsoleInterpreter> m_context;
    TSilentDebugServices m_services;
};

} // namespace vex::bench
