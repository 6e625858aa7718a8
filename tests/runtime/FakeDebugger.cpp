#include "tests/runtime/FakeDebugger.h"

#include "runtime/CodeListing.h"
#include "runtime/DebugControl.h"
#include "runtime/VexScript.h"
#include "runtime/NumberText.h"

namespace vex::test {

namespace {

// The selected part of the listing, found as the window finds it.
std::string Selection(const TLanguageInterpreter& context, const TCodeNode& node, bool extent) {
    const TPositionRecord* position = GetNodePosition(context, const_cast<TCodeNode*>(&node));
    if (!position) {
        return "?";
    }
    const TPositionRecord& record = *position;
    const std::string& text = TListing::Of(record)->Text;
    return text.substr(static_cast<std::size_t>(record.Start),
                       static_cast<std::size_t>(extent ? record.ExtentLength : record.HeadLength));
}

void SetLowBits(TLanguageInterpreter& context, std::uint8_t state) {
    context.Debug.DebugState = static_cast<std::uint8_t>((context.Debug.DebugState & dsSuppressed) | state);
}

} // namespace

void TFakeWindow::AttachRuntime(TLanguageInterpreter& context) {
    if (!Context) {
        Context = &context;
    }
    ++AttachCount;
}

void TFakeWindow::ShowNodeHead(const TListing&, const TCodeNode& node) {
    ListingShown = true;
    const std::string entry = "head " + Selection(*Context, node, false);
    // The pause loop shows the head again after every message that left the run frozen.
    if (m_log.empty() || m_log.back() != entry) {
        m_log.push_back(entry);
    }
}

void TFakeWindow::ShowNodeExtent(const TCodeNode& node) {
    ListingShown = true;
    m_log.push_back("extent " + Selection(*Context, node, true));
}

void TFakeWindow::ShowResult(double number, const TText& text) {
    m_log.push_back("result " + FormatNumber(number) + (text.empty() ? "" : " " + text.str()));
}

TDebuggerWindow* TFakeServices::CreateDebuggerWindow() {
    if (CanCreateWindow && !Window) {
        Window = std::make_unique<TFakeWindow>(Log);
    }
    return Window.get();
}

TBoxAnswer TFakeServices::AskWarning(const std::string& text, bool withCancel) {
    Questions.push_back(text + (withCancel ? " [Yes/No/Cancel]" : " [Yes/No]"));
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
    request->store(0);
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
        SetLowBits(context, dsRun);
        SetRunning(context, true);
        ReleaseFrozen();
        break;
    case TAction::StepIn:
        SetLowBits(context, dsStepInto);
        SetRunning(context, true);
        break;
    case TAction::StepOver:
        SetLowBits(context, dsStepOver);
        SetRunning(context, true);
        break;
    case TAction::Stop:
        if (FrozenPreference) {
            ShowFrozenMessage("Frozen for debug");
        }
        SetLowBits(context, dsStepInto);
        FreezeRun(context);
        break;
    case TAction::CancelYes:
        context.Debug.AbortTarget = 0;
        SetRunning(context, true);
        context.Debug.AbortRequested = true;
        if (Window) {
            Window->ClearListing();
        }
        break;
    case TAction::CancelNo:
        break;
    case TAction::Break:
        context.Debug.BreakRequest.fetch_add(1);
        break;
    }
}

} // namespace vex::test
