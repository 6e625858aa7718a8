// The editor's tool windows on the offscreen platform: how long the word overview takes to
// re-filter its list for one keystroke, how long the code completion takes to offer the names
// for a one-letter prefix, and how long the syntax tree window takes for a long text. Run with
// `build-bench/bin/vex_toolwindow_bench`.

#include "editing/ApplicationServices.h"
#include "editing/CodeCompletion.h"
#include "editing/EditorSettings.h"
#include "editing/ScriptEditor.h"
#include "editing/TformCodeCompletion.h"
#include "editing/TformSyntax.h"
#include "editing/TformVexScriptOverview.h"
#include "editing/VexScriptEditor.h"
#include "host/console/ConsoleHost.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

namespace {

// The standard words and `userWords` more, in a context the windows are handed.
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

    vex::TLanguageInterpreter* Context() const { return &m_context; }

private:
    std::ostringstream m_output;
    vex::host::TConsoleHost m_host;
    mutable vex::host::TConsoleInterpreter m_context;
};

// One keystroke in the editor's prefix: the list filtered anew, with a one-letter prefix that
// many words share.
void OverviewPrefixFilter(benchmark::State& state) {
    const TBenchRegistry registry(static_cast<int>(state.range(0)));
    TformVexScriptOverview* overview = GetVexScriptOverview(registry.Context());
    overview->ShowOverview();
    for (auto _ : state) {
        overview->FilterWords(QStringLiteral("B"));
        overview->FilterWords(QStringLiteral("S"));
    }
    state.SetItemsProcessed(state.iterations() * 2);
    FinalizeVexScriptOverview();
}
BENCHMARK(OverviewPrefixFilter)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond);

void typeKey(QWidget* editor, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor, &release);
}

// The completion list for a one-letter prefix: the letter typed (the candidates collected and the
// list filled), then the list shown and painted when its delay is over (the editor's tick); the
// letter is taken back again outside the measurement. With the second argument 1 only the
// showing is measured. The prefix is "L" over the standard words alone and "B" with
// user-defined words "Bench0" ... more.
void CompletionOneLetter(benchmark::State& state) {
    const bool showingOnly = state.range(1) != 0;
    const TBenchRegistry registry(static_cast<int>(state.range(0)));
    const QString letter = state.range(0) > 0 ? QStringLiteral("B") : QStringLiteral("L");
    const TEditorSettings saved = SharedEditorSettings();
    SharedEditorSettings().CompletionMinLength = 1;
    SharedEditorSettings().CompletionDelay = 0;
    TApplicationServices services;
    services.Context = registry.Context();
    TScriptEditor panel(nullptr, true, 1, true);
    panel.SetServices(services);
    panel.resize(900, 700);
    panel.show();
    panel.activateWindow();
    QApplication::processEvents();
    TVexScriptEditor* editor = panel.Editor();
    editor->setFocus();
    editor->SetScriptText(QStringLiteral("Do(x := 1,\n  "));
    editor->moveCursor(QTextCursor::End);
    TCodeCompletion& completion = editor->Completion();
    TformCodeCompletion* list = completion.CompletionForm();
    int entries = 0;
    for (auto _ : state) {
        if (showingOnly)
            state.PauseTiming();
        typeKey(editor, Qt::Key(letter.at(0).unicode()), letter);
        if (showingOnly)
            state.ResumeTiming();
        completion.Tick();
        list->repaint();
        entries = list->EntryCount();
        state.PauseTiming();
        if (!completion.IsVisible())
            state.SkipWithError("the list did not show");
        typeKey(editor, Qt::Key_Backspace, QString());
        completion.Tick();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
    SharedEditorSettings() = saved;
}
BENCHMARK(CompletionOneLetter)
    ->Args({0, 0})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Unit(benchmark::kMillisecond);

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
        benchmark::DoNotOptimize(CheckSyntax(registry.Context(), text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SyntaxCheck)->Arg(100000)->Unit(benchmark::kMillisecond);

// The tree of a long text: every statement compiled, the first shown.
void SyntaxTree(benchmark::State& state) {
    const TBenchRegistry registry(0);
    const QString text = statements(static_cast<int>(state.range(0)));
    TformSyntax window(registry.Context());
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
