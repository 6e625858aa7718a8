// Compiling a statement of 100 characters, and writing the code listing of a tree of 1,000
// nodes.

#include "bench/micro/BenchContext.h"

#include "runtime/DebuggerInterface.h"

#include <benchmark/benchmark.h>

#include <string>

namespace vex::bench {
namespace {

// 100 characters: an assignment, arithmetic, comparisons, a condition and word calls.
constexpr std::string_view kStatement = "If((speed>=12.5)&(load<limit),speed:=speed*1.25+Min(load,"
                                        "7)-Abs(count/4),speed:=Sqrt(load+10)+2.755)";
static_assert(kStatement.size() == 100);

void CompileStatement(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([speed]),DeclareGlobal([load]),DeclareGlobal([limit]),"
              "DeclareGlobal([count]))");
    TLanguageInterpreter& context = bench.Context();
    TCompiledCode* checked = bench.Compile(kStatement); // ends the program on a compile error
    context.ReleaseCode(checked);
    for (auto _ : state) {
        TCompiledCode* code = context.Compile(kStatement);
        benchmark::DoNotOptimize(code);
        context.ReleaseCode(code);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kStatement.size()));
}
BENCHMARK(CompileStatement);

// A tree of 1,000 nodes: a Do over 110 statements of 9 nodes each ("x:=x*2+Max(y,3)") and 9
// variable reads.
std::string ThousandNodeSource() {
    std::string source = "Do(";
    for (int i = 0; i < 110; ++i) {
        source += "x:=x*2+Max(y," + std::to_string(i) + "),";
    }
    return source + "y,y,y,y,y,y,y,y,y)";
}

int CountNodes(const TCodeNode* node) {
    if (!node->IsCall()) {
        return 1;
    }
    const auto* call = static_cast<const TCallNode*>(node);
    int count = 1;
    for (int i = 1; i <= call->ArgCount; ++i) {
        count += CountNodes(call->Arg(i));
    }
    return count;
}

void ListThousandNodes(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),DeclareGlobal([y]))");
    TLanguageInterpreter& context = bench.Context();
    const std::string source = ThousandNodeSource();
    int nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TCompiledCode* code = context.Compile(source);
        nodes = CountNodes(code->Root);
        state.ResumeTiming();
        benchmark::DoNotOptimize(GetListing(context, code->Root));
        state.PauseTiming();
        context.ReleaseCode(code);
        state.ResumeTiming();
    }
    state.counters["nodes"] = nodes;
}
BENCHMARK(ListThousandNodes);

} // namespace
} // namespace vex::bench
