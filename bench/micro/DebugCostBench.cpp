// Whole programs in a debug run without counting against plain mode: the loop and the recursive
// Fibonacci of bench/programs, smaller so that one iteration takes a few milliseconds. The ratio
// of the two times is what debugging costs a run the person only watches.

#include "bench/micro/BenchContext.h"

#include <benchmark/benchmark.h>

namespace vex::bench {
namespace {

constexpr std::string_view kLoop =
    "Do(LocalNum([k],[s]),k:=1,s:=0,While(k<=100000,Do(s:=s+(k*k%7),k:=k+1)),s)";
constexpr std::string_view kFib = "Fib(18)";
constexpr std::string_view kFibWord =
    "DefineWord([Fib],[Do(LocalNum([n]),n:=Arg(1),If(n<2,n,Fib(n-1)+Fib(n-2)))],1,1,[])";

void RunProgram(benchmark::State& state, std::string_view program, bool debug) {
    TBenchContext bench;
    bench.Run(kFibWord);
    TCompiledCode* code = bench.Compile(program);
    if (debug) {
        bench.DebugWithCounting(0);
    }
    TLanguageInterpreter& context = bench.Context();
    TText text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(context.Evaluate(code, text));
    }
    context.ReleaseCode(code);
}

void LoopPlain(benchmark::State& state) {
    RunProgram(state, kLoop, false);
}
BENCHMARK(LoopPlain)->Unit(benchmark::kMillisecond);

void LoopDebugged(benchmark::State& state) {
    RunProgram(state, kLoop, true);
}
BENCHMARK(LoopDebugged)->Unit(benchmark::kMillisecond);

void FibPlain(benchmark::State& state) {
    RunProgram(state, kFib, false);
}
BENCHMARK(FibPlain)->Unit(benchmark::kMillisecond);

void FibDebugged(benchmark::State& state) {
    RunProgram(state, kFib, true);
}
BENCHMARK(FibDebugged)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vex::bench
