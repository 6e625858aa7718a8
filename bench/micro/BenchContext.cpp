#include "bench/micro/BenchContext.h"

#include "runtime/DebuggerInterface.h"

#include <cstdio>
#include <cstdlib>

namespace vex::bench {

TBenchContext::TBenchContext()
    : m_host(m_trace, m_errors)
    , m_context(std::make_unique<host::TConsoleInterpreter>(m_host)) {
    vex::DebugControlOf(*m_context).Services = &m_services;
}

TBenchContext::~TBenchContext() {
    if (vex::DebugControlOf(*m_context).DebugStatePositive()) {
        SwitchDebugging(*m_context, false);
    }
}

void TBenchContext::Fail(std::string_view what) {
    std::fprintf(stderr, "benchmark setup failed: %.*s\n%s\n", static_cast<int>(what.size()),
                 what.data(), m_errors.str().c_str());
    std::exit(1);
}

TCompiledCode* TBenchContext::Compile(std::string_view source) {
    TCompiledCode* code = m_context->Compile(source);
    if (!code || m_host.ErrorCount() != 0) {
        Fail(source);
    }
    return code;
}

void TBenchContext::Run(std::string_view source) {
    TText ignored;
    m_context->ExecuteText(source, ignored);
    if (m_host.ErrorCount() != 0) {
        Fail(source);
    }
}

void TBenchContext::DebugWithCounting(std::uint8_t countingMode) {
    counting::TPerformance& performance = vex::DebugControlOf(*m_context).Performance;
    performance.Counter.SetTimed((countingMode & counting::cmTimedCounting) != 0);
    performance.CountingMode = countingMode;
    SwitchDebugging(*m_context, true);
}

std::uint64_t TBenchContext::CountNodes(TCompiledCode* code) {
    const std::uint8_t savedState = vex::DebugControlOf(*m_context).DebugState;
    counting::TPerformance& performance = vex::DebugControlOf(*m_context).Performance;
    const std::uint8_t savedMode = performance.CountingMode;
    const bool savedTimed = performance.Counter.Timed();
    performance.Counter.SetTimed(false);
    performance.Counter.ResetCounter();
    performance.CountingMode = counting::cmCountCommands;
    vex::DebugControlOf(*m_context).DebugState = dsRun;
    TText ignored;
    m_context->Evaluate(code, ignored);
    const std::uint64_t nodes = performance.Counter.TotalCount();
    vex::DebugControlOf(*m_context).DebugState = savedState;
    performance.Counter.SetTimed(savedTimed);
    performance.CountingMode = savedMode;
    return nodes;
}

} // namespace vex::bench
