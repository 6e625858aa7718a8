// The editor's tool windows on the offscreen platform: how long the word overview takes to
// re-filter its list for one keystroke, and how long the syntax tree window takes for a long
// text. Run with `build-bench/bin/vex_toolwindow_bench`.

#include "editing/TformSyntax.h"
#include "editing/TformVexScriptOverview.h"
#include "host/console/ConsoleHost.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// The standard words and `userWords` more, in a context published as the global one.
class TBenchRegistry {
public:
    explicit TBenchRegistry(int userWords)
        : m_host(m_output, m_output)
        , m_context(m_host) {
        m_context.AddCategory("Bench");
        vex::TWordAttributes attributes;
        attributes.CodeText = "1";
        for (int i = 0; i < userWords; ++i)
            m_context.RegisterUserWord("Bench" + std::to_string(i), "Bench", attributes);
    }

private:
    std::ostringstream m_output;
    vex::host::TConsoleHost m_host;
    vex::host::TConsoleInterpreter m_context;
};

// One keystroke in the editor's prefix: the list filtered anew, with a one-letter prefix that
// many words share.
void OverviewPrefixFilter(benchmark::State& state) {
    const TBenchRegistry registry(static_cast<int>(state.range(0)));
    TformVexScriptOverview* overview = GetVexScriptOverview();
    overview->ShowOverview();
    for (auto _ : state) {
        overview->FilterWords(QStringLiteral("B"));
        overview->FilterWords(QStringLiteral("S"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    FinalizeVexScriptOverview();
}
BENCHMARK(OverviewPrefixFilter)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond);

QString statements(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("Do(%1+1, Concat([a], %1));\n").arg(i);
    return text;
}

// The editor's syntax check of a long text: every statement compiled, nothing shown.
void SyntaxCheck(benchmark::State& state) {
    const TBenchRegistry registry(0);
    const QString text = statements(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckSyntax(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SyntaxCheck)->Arg(100000)->Unit(benchmark::kMillisecond);

// The tree of a long text: every statement compiled, the first shown.
void SyntaxTree(benchmark::State& state) {
    const TBenchRegistry registry(0);
    const QString text = statements(static_cast<int>(state.range(0)));
    TformSyntax window;
    for (auto _ : state)
        benchmark::DoNotOptimize(window.ShowSyntaxTree(text, true));
    window.close();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SyntaxTree)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The windows store their placement when they go: not into the user's settings.
    qputenv("ZENTARO_REGISTRY_FILE", "/dev/null/none.reg");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
