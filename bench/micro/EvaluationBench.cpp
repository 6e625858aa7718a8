// Node evaluation: constants, variable reads, operator calls and a user-defined word call with
// three parameters, each through EvaluateArgument as word implementations evaluate arguments.

#include "bench/micro/BenchContext.h"

#include "runtime/VexWords.h"

#include <benchmark/benchmark.h>

namespace vex::bench {
namespace {

void EvaluateRepeatedly(benchmark::State& state, TBenchContext& bench, std::string_view source) {
    TCompiledCode* code = bench.Compile(source);
    TLanguageInterpreter& context = bench.Context();
    TText text;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateArgument(context, *code->Root, text));
    }
    context.ReleaseCode(code);
}

void NumberConstant(benchmark::State& state) {
    TBenchContext bench;
    EvaluateRepeatedly(state, bench, "12.5");
}
BENCHMARK(NumberConstant);

void TextConstant(benchmark::State& state) {
    TBenchContext bench;
    EvaluateRepeatedly(state, bench, "[twelve]");
}
BENCHMARK(TextConstant);

void NumberVariable(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=3)");
    EvaluateRepeatedly(state, bench, "x");
}
BENCHMARK(NumberVariable);

void TextVariable(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([t],1),t:=[some text])");
    EvaluateRepeatedly(state, bench, "t");
}
BENCHMARK(TextVariable);

// One call node with two leaves.
void AddOperator(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=3)");
    EvaluateRepeatedly(state, bench, "x+1");
}
BENCHMARK(AddOperator);

void RemainderOperator(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=12345)");
    EvaluateRepeatedly(state, bench, "x%7");
}
BENCHMARK(RemainderOperator);

void LessOperator(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=3)");
    EvaluateRepeatedly(state, bench, "x<5");
}
BENCHMARK(LessOperator);

void AssignSum(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=3)");
    EvaluateRepeatedly(state, bench, "x:=x+1");
}
BENCHMARK(AssignSum);

// A call of a user-defined word: a fresh activation, the call frame, three lazy arguments read
// through Arg and an operator tree over them.
void UserWordThreeParameters(benchmark::State& state) {
    TBenchContext bench;
    bench.Run("Do(DeclareGlobal([x]),x:=3,"
              "DefineWord([Mad],[Arg(1)+Arg(2)*Arg(3)],3,3,[a+b*c.]))");
    EvaluateRepeatedly(state, bench, "Mad(x,2,3)");
}
BENCHMARK(UserWordThreeParameters);

// The same word with its parameters copied into locals first.
void UserWordWithLocals(benchmark::State& state) {
    TBenchContext bench;
    bench.Run(
        "Do(DeclareGlobal([x]),x:=3,DefineWord([Mad],"
        "[Do(LocalNum([p1],[p2],[p3]),p1:=Arg(1),p2:=Arg(2),p3:=Arg(3),p1+p2*p3)],3,3,[a+b*c.]))");
    EvaluateRepeatedly(state, bench, "Mad(x,2,3)");
}
BENCHMARK(UserWordWithLocals);

} // namespace
} // namespace vex::bench
