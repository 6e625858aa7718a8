// What a person sees of a run on the offscreen platform: the time from Stop to the run's end,
// how long the window waits between two turns of its event handling (and between two repaints)
// while a run goes, and what keeping the window alive costs a plain run.
//
//     build/bin/run_control_bench

#include "debugging/RunGuard.h"
#include "debugging/UserRun.h"
#include "runtime/VexScript.h"
#include "shell/ApplicationDebugServices.h"
#include "shell/ApplicationHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* kEndless = "Do(DeclareGlobal([n],0),While(1,n:=n+1))";
constexpr const char* kCounted =
    "Do(LocalNum([k],[s]),k:=1,s:=0,While(k<=2000000,Do(s:=s+(k*k%7),k:=k+1)),s)";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double largest(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

class TCountingWidget : public QWidget {
public:
    std::vector<double> PaintTimes;
    QElapsedTimer* Clock = nullptr;

protected:
    void paintEvent(QPaintEvent*) override { PaintTimes.push_back(Clock->nsecsElapsed() / 1e6); }
};

std::vector<double> gaps(const std::vector<double>& times) {
    std::vector<double> result;
    for (std::size_t i = 1; i < times.size(); ++i)
        result.push_back(times[i] - times[i - 1]);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TApplicationHost host;
    TApplicationInterpreter context(host);
    TApplicationDebugServices services(context, host.Services());
    vex::TText text;

    // Stop: from the person's command to the end of the run.
    std::vector<double> stops;
    for (int run = 0; run < 10; ++run) {
        QElapsedTimer clock;
        QTimer::singleShot(100, [&] {
            clock.start();
            services.StopRun();
        });
        const TRunGuard guard(context, TRunOwner::Person);
        TUserRun userRun(context, false);
        context.ExecuteText(kEndless, text);
        stops.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("stop to end of run: median %.2f ms, largest %.2f ms (10 runs)\n", median(stops),
                largest(stops));

    // The window during a run of two seconds: a timer that fires as often as it can, and a
    // widget it asks to repaint each time.
    TCountingWidget widget;
    QElapsedTimer clock;
    widget.Clock = &clock;
    widget.resize(200, 100);
    widget.show();
    std::vector<double> turns;
    QTimer turn;
    turn.setInterval(0);
    QObject::connect(&turn, &QTimer::timeout, [&] {
        turns.push_back(clock.nsecsElapsed() / 1e6);
        widget.update();
        if (clock.elapsed() > 2000)
            services.StopRun();
    });
    {
        const TRunGuard guard(context, TRunOwner::Person);
        TUserRun userRun(context, false);
        clock.start();
        turn.start();
        context.ExecuteText(kEndless, text);
        turn.stop();
    }
    std::printf("event handling during a run: %zu turns in 2 s, gap median %.1f ms, largest "
                "%.1f ms\n",
                turns.size(), median(gaps(turns)), largest(gaps(turns)));
    std::printf("repaints during a run: %zu in 2 s, gap median %.1f ms, largest %.1f ms\n",
                widget.PaintTimes.size(), median(gaps(widget.PaintTimes)),
                largest(gaps(widget.PaintTimes)));

    // A plain run of two million loop passes, with the window kept alive and without.
    for (bool served : {false, true}) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            if (served) {
                const TRunGuard guard(context, TRunOwner::Person);
                context.ExecuteText(kCounted, text);
            } else {
                context.ExecuteText(kCounted, text);
            }
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("plain loop of 2,000,000 passes %s: median %.1f ms\n",
                    served ? "with the window served" : "without serving", median(times));
    }
    return 0;
}
