// The cost per node of the debug path against plain mode: a debug run without counting, with
// command counting, and with timed counting (every node counted with its own time). Each
// benchmark reports nodes per second, so the difference of the inverse rates is the overhead
// per node.

#include "bench/micro/BenchContext.h"

#include <benchmark/benchmark.h>

namespace vex::bench {
namespace {

constexpr std::string_view kLoop =
    "Do(LocalNum([k],[s]),k:=0,s:=0,While(k<1000,Do(s:=s+k*2,k:=k+1)),s)";

void RunLoop(benchmark::State& state, std::uint8_t countingMode, bool debug) {
    TBenchContext bench;
    TCompiledCode* code = bench.Compile(kLoop);
    const std::uint64_t nodes = bench.CountNodes(code);
    if (debug) {
        bench.DebugWithCounting(countingMode);
    }
    TLanguageInterpreter& context = bench.Context();
    TText text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(context.Evaluate(code, text));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * nodes));
    state.counters["nodes"] = static_cast<double>(nodes);
    context.ReleaseCode(code);
}

void PlainMode(benchmark::State& state) {
    RunLoop(state, 0, false);
}
BENCHMARK(PlainMode);

void DebugRunWithoutCounting(benchmark::State& state) {
    RunLoop(state, 0, true);
}
BENCHMARK(DebugRunWithoutCounting);

void DebugRunCounting(benchmark::State& state) {
    RunLoop(state, counting::cmCountCommands, true);
}
BENCHMARK(DebugRunCounting);

void DebugRunTimedCounting(benchmark::State& state) {
    RunLoop(state, counting::cmCountCommands | counting::cmTimedCounting, true);
}
BENCHMARK(DebugRunTimedCounting);

} // namespace
} // namespace vex::bench
