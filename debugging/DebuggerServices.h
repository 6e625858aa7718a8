#pragma once

#include "debugging/RunGuard.h"
#include "runtime/DebuggerInterface.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <memory>

class TApplicationServices;
class TBreakThread;
class TDebuggerForm;
class TDebuggerModel;
class TRunTicker;

// The application's side of debugging for one runtime context: the debugger window, the warning
// boxes the runtime asks, the message pump of its pause loops, the break watcher slot and the
// frozen messages of the model views. The services install themselves as the context's
// Debug.Services while they live.
//
// The pause loops pump Qt's event loop: while a run waits in the debugger, buttons, keys, timers,
// the trace windows and repainting all work. Deferred deletes do not run inside a pump, so
// nothing here relies on them. The services tell how far the run is held (IsPaused, HoldsRun),
// so that what would start a nested run there can refuse.
//
// While a run the application started goes (TRunGuard), the services keep the windows alive: a
// ticker thread (TRunTicker) asks the run every few hundredths of a second to serve them, and
// ServeRun handles what waits, for a bounded time, between two nodes. The commands that would
// start another run ask RunGoes and refuse; the person's Stop (StopRun) ends the person's run.
//
// While a run goes or debugging is on, the break watcher (TBreakThread) catches Ctrl+Break
// system-wide on the X server and asks the running evaluation for a break (the runtime answers it
// between nodes); it ends a little after the last run when debugging is off, so that a burst of
// short runs does not connect to the X server for each.
// Where the application does not run on X (Wayland, offscreen) the trace window says once that
// the system-wide key is not available. Either way Ctrl+Break pressed in any of the application's
// windows asks the running evaluation for a break; outside a run it does nothing.
//
// The model views and the preference that shows the frozen message on them belong to the host;
// the shell derives from this class to reach them. Here there are no views and the preference
// is off.
class TDebuggerServices : public QObject, public vex::TDebugServices {
    Q_OBJECT

public:
    // `model`: what the panes read of the host's model (none: nothing can be read); it must
    // outlive the services.
    explicit TDebuggerServices(vex::TLanguageInterpreter& context,
                               const TDebuggerModel* model = nullptr, QObject* parent = nullptr);
    // Destroys the window and leaves the context without services.
    ~TDebuggerServices() override;

    vex::TDebuggerWindow* DebuggerWindow() override;
    vex::TDebuggerWindow* CreateDebuggerWindow() override;
    vex::TBoxAnswer AskWarning(const std::string& text, bool withCancel) override;
    void HandleOneMessage() override;
    void HandlePendingMessages() override;
    // True once the toolkit's application is closing down.
    bool IsTerminating() const override;
    bool HasBreakWatcher() const override { return m_breakRequest != nullptr; }
    // Starts the watcher thread on the X server the application runs on.
    void StartBreakWatcher(std::atomic<std::uint32_t>* request) override;
    // Ends the watcher thread and waits for it.
    void StopBreakWatcher() override;
    // True while a watcher thread catches Ctrl+Break system-wide.
    bool WatchesSystemWide() const;
    bool ShowFrozenMessages() const override { return false; }
    void ShowFrozenMessage(const std::string&) override {}
    void ReleaseFrozen() override {}
    // Between two nodes of a run: handles what waits, for at most kServeMilliseconds, then
    // tells the views (served). Nothing when it is already serving.
    void ServeRun() override;
    static constexpr int kServeMilliseconds = 15;

    // The runs the application starts (TRunGuard); the outermost decides.
    void EnterRun(TRunOwner owner);
    void LeaveRun();
    // True while a run the application started goes, paused or not.
    bool RunGoes() const noexcept { return m_runDepth > 0; }
    // Who started the outermost run that goes.
    TRunOwner RunOwner() const noexcept { return m_runOwner; }
    // The person's Stop: a plain run of the person ends at its next node; a debugged one pauses
    // there (as Ctrl+Break does), and one that waits in the debugger ends. Nothing for a
    // client's run or when no run goes.
    void StopRun();
    // How often a run was served, for tests and diagnostics.
    int ServedCount() const noexcept { return m_served; }

    vex::TLanguageInterpreter& Context() const noexcept { return m_context; }
    // The application's services (set by the application before the window is made): the
    // window's editor panels are handed them, and the debugger's questions are asked through
    // their message boxes; without them, services over Context alone.
    const TApplicationServices* ApplicationServices = nullptr;
    const TApplicationServices& EditorServices();
    const TDebuggerModel* Model() const noexcept { return m_model; }
    // The window, or none while it has not been created.
    TDebuggerForm* Window() const;
    // The window, created and attached to the context when missing.
    TDebuggerForm* EnsureWindow();
    // Creates the window when missing, shows it and gives it the focus.
    void ShowWindow();

    // True while a pause loop waits for the person: the run stands at a node, its paused frame
    // is the activation it stands in. A run released from the pause (Run, a step, Cancel) no
    // longer counts, though the loop ends only after the message that released it.
    bool IsPaused() const noexcept {
        return m_pauseDepth > 0 && !vex::DebugControlOf(m_context).Running;
    }
    // True while the debugger's pump runs inside a run: a pause, or the messages handled between
    // two nodes of a stepped run.
    bool HoldsRun() const noexcept { return m_pumpDepth > 0; }
    // Ends the run the debugger holds, as Cancel answered Yes does, without asking; nothing when
    // no run is held.
    void CancelRun();
    // Counts the runs the person ended: Cancel, Yes to stopping an interrupted run, No to
    // debugging it. A caller that runs statement after statement stops when it changes.
    std::uint64_t EndedRuns() const noexcept { return m_endedRuns; }
    void NoteEndedRun() noexcept { ++m_endedRuns; }

signals:
    // The outermost run began (true) or ended (false).
    void runStateChanged(bool running);
    // A run handled what waited between two of its nodes.
    void served();

protected:
    // Ctrl+Break in the application's windows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    vex::TLanguageInterpreter& m_context;
    const TDebuggerModel* m_model;
    QPointer<TDebuggerForm> m_window;
    // Declared after m_context and gone after the window: EditorServices without the
    // application's.
    std::unique_ptr<TApplicationServices> m_ownEditorServices;
    std::atomic<std::uint32_t>* m_breakRequest = nullptr;
    std::unique_ptr<TBreakThread> m_breakThread;
    // The trace window said that Ctrl+Break works only in the application's windows.
    bool m_toldNoSystemBreakKey = false;
    int m_pauseDepth = 0;
    int m_pumpDepth = 0;
    std::uint64_t m_endedRuns = 0;
    int m_runDepth = 0;
    TRunOwner m_runOwner = TRunOwner::Person;
    bool m_serving = false;
    int m_served = 0;
    std::unique_ptr<TRunTicker> m_ticker;
    // Ends the break watcher a while after the last run, when debugging is off.
    QTimer m_watcherIdle;
};

// The services of a context, when they are the application's; none otherwise.
TDebuggerServices* DebuggerServicesOf(vex::TLanguageInterpreter& context);
