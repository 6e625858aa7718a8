#include "tests/runtime/FakeDebugger.h"

#include "runtime/CodeListing.h"
#include "runtime/ContextParts.h"
#include "runtime/DebugControl.h"
#include "runtime/NumberText.h"
#include "runtime/VexScript.h"

namespace vex::test {

namespace {

// The selected part of the listing, as the report gives it.
std::string Selection(const TPauseReport& report, bool extent) {
    if (!report.Position || !report.Listing) {
        return "?";
    }
    const TPositionRecord& record = *report.Position;
    return report.Listing->Text.substr(
        static_cast<std::size_t>(record.Start),
        static_cast<std::size_t>(extent ? record.ExtentLength : record.HeadLength));
}

} // namespace

void TFakeWindow::AttachRuntime(TLanguageInterpreter& context) {
    if (!Context) {
        Context = &context;
    }
    ++AttachCount;
}

void TFakeWindow::ShowPause(const TPauseReport& report) {
    switch (report.Point) {
    case TPausePoint::BeforeNode: {
        ListingShown = true;
        PausedNestingLevel = report.NestingLevel;
        PausedCodeKind = report.CodeKind;
        PausedWordName = report.WordName;
        const std::string entry = "head " + Selection(report, false);
        // The pause loop reports the pause again after every message that left the run frozen.
        if (!report.Repeated || m_log.empty() || m_log.back() != entry) {
            m_log.push_back(entry);
        }
        break;
    }
    case TPausePoint::AfterNode:
        ListingShown = true;
        m_log.push_back("extent " + Selection(report, true));
        break;
    case TPausePoint::Result:
        m_log.push_back("result " + FormatNumber(report.Number) +
                        (report.Text->empty() ? "" : " " + report.Text->str()));
        break;
    case TPausePoint::Now:
        break;
    }
}

TDebuggerWindow* TFakeServices::CreateDebuggerWindow() {
    if (CanCreateWindow && !Window) {
        Window = std::make_unique<TFakeWindow>(Log);
    }
    return Window.get();
}

TBoxAnswer TFakeServices::AskWarning(const std::string& text, bool withCancel) {
    Questions.push_back(text + (withCancel ? " [Yes/No/Cancel]" : " [Yes/No]"));
    if (OnQuestion) {
        OnQuestion();
    }
    if (Answers.empty()) {
        return TBoxAnswer::No;
    }
    const TBoxAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void TFakeServices::HandleOneMessage() {
    if (OnMessage) {
        OnMessage();
    }
    if (Presses.empty()) {
        ++UnexpectedPauses;
        Perform(TAction::Run);
        return;
    }
    const TAction action = Presses.front();
    Presses.pop_front();
    Perform(action);
}

void TFakeServices::HandlePendingMessages() {
    while (!Pending.empty()) {
        const TAction action = Pending.front();
        Pending.pop_front();
        Perform(action);
    }
}

void TFakeServices::StartBreakWatcher(std::atomic<std::uint32_t>* request) {
    WatchedRequest = request;
}

void TFakeServices::Perform(TAction action) {
    static const char* const names[] = {"Run",       "StepIn",   "StepOver", "Stop",
                                        "CancelYes", "CancelNo", "Break"};
    Log.push_back(names[static_cast<int>(action)]);
    TLanguageInterpreter& context = m_context;
    switch (action) {
    case TAction::Run:
        if (Window) {
            Window->ClearListing();
        }
        Parts(context).Debug.SetDebugMode(dsRun);
        SetRunning(context, true);
        ReleaseFrozen();
        break;
    case TAction::StepIn:
        Parts(context).Debug.SetDebugMode(dsStepInto);
        SetRunning(context, true);
        break;
    case TAction::StepOver:
        Parts(context).Debug.SetDebugMode(dsStepOver);
        SetRunning(context, true);
        break;
    case TAction::Stop:
        if (FrozenPreference) {
            ShowFrozenMessage("Frozen for debug");
        }
        Parts(context).Debug.SetDebugMode(dsStepInto);
        FreezeRun(context);
        break;
    case TAction::CancelYes:
        Parts(context).Debug.AbortTarget = TAbortTarget::WholeRun();
        SetRunning(context, true);
        Parts(context).Debug.AbortRequested = true;
        if (Window) {
            Window->ClearListing();
        }
        break;
    case TAction::CancelNo:
        break;
    case TAction::Break:
        Parts(context).Debug.BreakRequest.fetch_add(1);
        break;
    }
}

} // namespace vex::test
