// The script editor with a large script: how long opening takes until the editor is ready to
// type in, what one keystroke in the middle costs (insert a character, follow the change,
// repaint the screen), and what painting one screenful costs, for scripts of 1,000 and 100,000
// lines. Prints a Markdown table; bench/run puts it into bench/results.md.
//
//     build-bench/bin/editor_bench [--repeat N]
//
// The editor runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, with the
// standard words and 1,000 global variables in its runtime, as the application has them. Times
// are medians of the CPU time of the thread in milliseconds: everything the editor does,
// painting included, runs on that thread, and on a shared machine wall-clock time mostly
// measures the other processes.

#include "editing/ApplicationServices.h"
#include "editing/ScriptEditor.h"
#include "editing/TextInfo.h"
#include "editing/VexScriptEditor.h"
#include "host/console/ConsoleHost.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <time.h>

namespace {

constexpr int kGlobals = 1000;

// Ten lines of a model script: a comment, declarations, a handler whose body spans lines,
// assignments with calls and a print with text constants; about 50 characters a line, so
// 100,000 lines make 5 MB.
std::string block(int k) {
    const auto var = [&](int offset) {
        return "var" + std::to_string((k * 7 + offset) % kGlobals);
    };
    const std::string n = std::to_string(k);
    std::string lines;
    lines += "{ part " + n +
             ": a customer arrives at the door of the bank and waits in line for a teller }\n";
    lines += "DeclareGlobal([" + var(1) + "], 0)\n";
    lines += "SetHandler(door, [OnEvent], [Do(\n";
    lines += "  LocalObj([customer]), customer := CreateAtom(c, [Customer]),\n";
    lines += "  SetLabel(customer, [arrived], SimTime + " + n + ".5),\n";
    lines += "  " + var(2) + " := Max(" + var(3) + ", 17.25) - Abs(" + var(4) + " / 7)\n";
    lines += ")])\n";
    lines += var(5) + " := " + var(6) + " * 1.5 + Max(" + var(7) + ", " + n + ".25) - 1\n";
    lines += "Print([total = ], " + var(8) + ", [ after ], SimTime, [ minutes of the day])\n";
    lines +=
        "If(" + var(9) + " > 100, ResetModel, RunModel(480 + " + n + " * 1.25), Str(SimTime))\n";
    return lines;
}

std::string script(int lines) {
    std::string text;
    for (int k = 0; k * 10 < lines; ++k)
        text += block(k);
    return text;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double threadMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Milliseconds of each of `count` runs of `step`.
std::vector<double> timed(int count, const std::function<void()>& step) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double start = threadMilliseconds();
        step();
        times.push_back(threadMilliseconds() - start);
    }
    return times;
}

void press(QWidget* widget, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QApplication::sendEvent(widget, &up);
}

struct TFigures {
    qint64 Bytes = 0;
    double Open = 0;
    double Middle = 0;
    double Start = 0;
    double End = 0;
    double Splices = 0;
    double Paint = 0;
    double PlainPaint = 0;
    double ControlKeystroke = 0;
    double ControlPaint = 0;
};

void placeCaret(QPlainTextEdit* editor, int line) {
    QTextCursor cursor(editor->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 12);
    editor->setTextCursor(cursor);
    editor->centerCursor();
    editor->setFocus();
    QApplication::processEvents();
}

// A key typed and taken back in turns where the caret is, with the repaint the screen needs;
// each is one measured keystroke.
double keystrokes(QPlainTextEdit* editor, int repeat) {
    bool typed = false;
    return median(timed(repeat, [&] {
        if (typed)
            press(editor, Qt::Key_Backspace, QString());
        else
            press(editor, Qt::Key_X, QStringLiteral("x"));
        typed = !typed;
        editor->viewport()->repaint();
    }));
}

// The part of a keystroke the two snapshots take: CurrentText and PreviousText each take the
// character in the middle of the whole text.
double splices(const TVexScriptEditor* editor, int repeat) {
    TTextInfo current;
    TTextInfo previous;
    current.Assign(editor->CurrentText().Text());
    previous.Assign(editor->CurrentText().Text());
    current.Reserve(current.Length() + 1);
    previous.Reserve(previous.Length() + 1);
    const int middle = current.Length() / 2;
    bool typed = false;
    return median(timed(repeat, [&] {
        for (TTextInfo* text : {&current, &previous})
            text->Replace(middle, typed ? 1 : 0, typed ? "" : "x");
        typed = !typed;
    }));
}

TFigures measure(int lines, int repeat, const QString& folder,
                 const TApplicationServices& services) {
    TFigures figures;
    const QString path = folder + QStringLiteral("/script-%1.vex").arg(lines);
    {
        std::ofstream file(path.toStdString(), std::ios::binary);
        file << script(lines);
    }
    figures.Bytes = QFileInfo(path).size();

    TScriptEditor panel(nullptr, true, 1, true);
    panel.SetServices(services);
    panel.resize(900, 700);
    panel.show();
    QApplication::processEvents();
    TVexScriptEditor* editor = panel.Editor();
    figures.Open = median(timed(std::max(3, repeat / 40), [&] {
        editor->LoadFromFile(path);
        editor->viewport()->repaint();
    }));

    // Inside a handler's body: line 3 of a block of ten.
    placeCaret(editor, lines / 2 + 3);
    figures.Middle = keystrokes(editor, repeat);
    figures.Paint = median(timed(repeat, [&] { editor->viewport()->repaint(); }));
    figures.Splices = splices(editor, repeat);
    placeCaret(editor, 3);
    figures.Start = keystrokes(editor, repeat);
    placeCaret(editor, lines - 7);
    figures.End = keystrokes(editor, repeat);
    editor->SetColoringOn(false);
    figures.PlainPaint = median(timed(repeat, [&] { editor->viewport()->repaint(); }));

    // The same text in the toolkit's own text control, which the editor builds on.
    QPlainTextEdit control;
    control.setLineWrapMode(QPlainTextEdit::NoWrap);
    control.setFont(editor->font());
    control.resize(editor->size());
    control.setPlainText(editor->toPlainText());
    control.show();
    placeCaret(&control, lines - 7);
    figures.ControlKeystroke = keystrokes(&control, repeat);
    figures.ControlPaint = median(timed(repeat, [&] { control.viewport()->repaint(); }));
    return figures;
}

void row(const char* what, double small, double large, const char* target) {
    std::printf("| %s | %.3f | %.3f | %s |\n", what, small, large, target);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int repeat = 400;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--repeat")
            repeat = std::max(10, std::atoi(argv[i + 1]));
    QApplication app(argc, argv);

    std::ostringstream trace;
    std::ostringstream errors;
    vex::host::TConsoleHost host(trace, errors);
    vex::host::TConsoleInterpreter context(host);
    std::string globals = "Do(DeclareGlobal([var0])";
    for (int i = 1; i < kGlobals; ++i)
        globals += ",DeclareGlobal([var" + std::to_string(i) + "])";
    vex::TText ignored;
    context.ExecuteText(globals + ")", ignored);

    TApplicationServices services;
    services.Context = &context;
    QTemporaryDir folder;
    const TFigures small = measure(1000, repeat, folder.path(), services);
    const TFigures large = measure(100000, repeat, folder.path(), services);

    std::printf(
        "| milliseconds (median) | 1,000 lines (%.2f MB) | 100,000 lines (%.2f MB) | target |\n",
        double(small.Bytes) / 1e6, double(large.Bytes) / 1e6);
    std::printf("|---|---|---|---|\n");
    row("open the file until ready to type (read, set the text, build every row, first paint)",
        small.Open, large.Open, "at most 1,000 at 100,000 lines");
    row("one keystroke in the middle: insert, follow the change, repaint", small.Middle,
        large.Middle, "at most 2");
    row("one keystroke at the start (the snapshots move all the text after it)", small.Start,
        large.Start, "");
    row("one keystroke at the end (the snapshots move almost nothing)", small.End, large.End, "");
    row("one keystroke at the end in the bare text control the editor builds on",
        small.ControlKeystroke, large.ControlKeystroke, "");
    row("the editor's own work: the keystroke at the end without the bare control's",
        small.End - small.ControlKeystroke, large.End - large.ControlKeystroke,
        "the same for both sizes");
    row("the two snapshots taking a character in the middle, alone (warm caches)", small.Splices,
        large.Splices, "grows with the file");
    row("paint one screenful", small.Paint, large.Paint, "at most 4");
    row("paint one screenful with colouring off", small.PlainPaint, large.PlainPaint, "");
    row("paint one screenful in the bare text control", small.ControlPaint, large.ControlPaint, "");
    return 0;
}
