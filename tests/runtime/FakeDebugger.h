#pragma once

// A scripted debugger for runtime tests: a window that writes what it is asked to show into a
// log, and services whose message pump performs queued button presses the way the real window's
// buttons do. No GUI is involved.

#include "runtime/CommandCounter.h"
#include "runtime/DebuggerInterface.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vex::test {

// The buttons and events a queued message stands for.
enum class TAction {
    Run,       // release the run; nothing pauses any more
    StepIn,    // release to the next node
    StepOver,  // release; the node runs without inner pauses
    Stop,      // freeze; the next node that can pause does
    CancelYes, // Cancel, confirmed: the run ends when the pause loop does
    CancelNo,  // Cancel, not confirmed: nothing changes
    Break,     // the break watcher registers the break keys
};

class TFakeWindow : public TDebuggerWindow {
public:
    explicit TFakeWindow(std::vector<std::string>& log)
        : m_log(log) {}

    void AttachRuntime(TLanguageInterpreter& context) override;
    void SetDebugMode(bool on) override { DebugMode = on; }
    void ClearListing() override { ListingShown = false; }
    // Logs the head of a node before it, its extent after it, and its result.
    void ShowPause(const TPauseReport& report) override;
    void TickOriginBoxes(std::uint8_t origins) override { TickedOrigins = origins; }
    void PressSwitchButton() override { SwitchDown = true; }
    void ShowAndFocus() override { Shown = true; }

    TLanguageInterpreter* Context = nullptr;
    int AttachCount = 0;
    bool DebugMode = false;
    bool ListingShown = false;
    bool SwitchDown = false;
    bool Shown = false;
    std::uint8_t TickedOrigins = 0;
    // The report of the last pause before a node.
    std::int32_t PausedNestingLevel = -1;
    TCodeKind PausedCodeKind = TCodeKind::None;
    std::string PausedWordName;

private:
    std::vector<std::string>& m_log;
};

class TFakeServices : public TDebugServices {
public:
    explicit TFakeServices(TLanguageInterpreter& context)
        : m_context(context) {}

    TDebuggerWindow* DebuggerWindow() override { return Window.get(); }
    TDebuggerWindow* CreateDebuggerWindow() override;
    TBoxAnswer AskWarning(const std::string& text, bool withCancel) override;
    void HandleOneMessage() override;
    void HandlePendingMessages() override;
    bool IsTerminating() const override { return Terminating; }
    bool HasBreakWatcher() const override { return WatchedRequest != nullptr; }
    void StartBreakWatcher(std::atomic<std::uint32_t>* request) override;
    void StopBreakWatcher() override { WatchedRequest = nullptr; }
    bool ShowFrozenMessages() const override { return FrozenPreference; }
    void ShowFrozenMessage(const std::string& message) override {
        Log.push_back("views: " + message);
    }
    void ReleaseFrozen() override { ++Releases; }
    void ServeRun() override {
        ++Serves;
        if (OnServe) {
            OnServe();
        }
    }

    // Performs one action as the window's button (or the watcher) would.
    void Perform(TAction action);

    // Runs before each press of a pause loop (what else the GUI does during a pause).
    std::function<void()> OnMessage;
    // Runs when the run serves the application between two nodes.
    std::function<void()> OnServe;
    int Serves = 0;
    // Runs while a warning box waits for its answer.
    std::function<void()> OnQuestion;
    // Presses, one per message the runtime waits for while paused.
    std::deque<TAction> Presses;
    // Messages waiting while the run goes; handled by the next HandlePendingMessages.
    std::deque<TAction> Pending;
    // Answers to the warning boxes, in order; a box without a queued answer gets No.
    std::deque<TBoxAnswer> Answers;
    std::vector<std::string> Questions;
    std::vector<std::string> Log;
    std::unique_ptr<TFakeWindow> Window;
    bool CanCreateWindow = true;
    bool Terminating = false;
    bool FrozenPreference = false;
    int Releases = 0;
    // Pauses that found no press queued (the fake then presses Run so that the test ends).
    int UnexpectedPauses = 0;
    std::atomic<std::uint32_t>* WatchedRequest = nullptr;

private:
    TLanguageInterpreter& m_context;
};

} // namespace vex::test
