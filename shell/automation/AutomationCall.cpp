#include "shell/automation/AutomationCall.h"

#include "debugging/TraceWindows.h"
#include "editing/ApplicationServices.h"
#include "runtime/VexScript.h"
#include "shell/ShellTexts.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

enum class TStop {
    None,
    Abort,
    TimeLimit
};

} // namespace

// A running call as other threads see it: whose it is, the context's debug control to ask for
// the abort, its deadline, and whether it has been asked to stop.
struct TAutomationCall::TWatch {
    const void* Caller;
    vex::TLanguageInterpreter* Context;
    std::optional<TClock::time_point> Deadline;
    std::chrono::milliseconds Limit;
    TStop Stop = TStop::None;
};

namespace {

// The calls running on the GUI thread, innermost last, and the thread that ends a call whose
// time limit has passed. Everything here is guarded by one mutex, so that an abort is asked for
// only while its call is still registered, and a request that came too late is withdrawn when
// the call ends.
class TWatchdog {
public:
    ~TWatchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void push(TAutomationCall::TWatch* call) {
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back(call);
            if (call->Deadline && !m_thread.joinable())
                m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_all();
    }

    void pop(TAutomationCall::TWatch* call) {
        {
            std::lock_guard lock(m_mutex);
            m_calls.erase(std::remove(m_calls.begin(), m_calls.end(), call), m_calls.end());
            if (call->Stop != TStop::None)
                call->Context->ClearAbortRequest();
        }
        m_wake.notify_all();
    }

    bool abort(const void* caller) {
        std::lock_guard lock(m_mutex);
        if (m_calls.empty() || (caller && m_calls.back()->Caller != caller))
            return false;
        stop(*m_calls.back(), TStop::Abort);
        return true;
    }

    TStop stopOf(const TAutomationCall::TWatch* call) {
        std::lock_guard lock(m_mutex);
        return call->Stop;
    }

private:
    static void stop(TAutomationCall::TWatch& call, TStop why) {
        if (call.Stop != TStop::None)
            return;
        call.Stop = why;
        call.Context->RequestAbort();
    }

    // Sleeps until the innermost call's deadline or a change of the calls.
    void run() {
        std::unique_lock lock(m_mutex);
        while (!m_quit) {
            TAutomationCall::TWatch* call = m_calls.empty() ? nullptr : m_calls.back();
            if (!call || !call->Deadline || call->Stop != TStop::None) {
                m_wake.wait(lock);
            } else if (TClock::now() >= *call->Deadline) {
                stop(*call, TStop::TimeLimit);
            } else {
                m_wake.wait_until(lock, *call->Deadline);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<TAutomationCall::TWatch*> m_calls;
    std::thread m_thread;
    bool m_quit = false;
};

TWatchdog& watchdog() {
    static TWatchdog instance;
    return instance;
}

// The answer of a box nobody sees: its default button, else the one Escape would give.
QMessageBox::StandardButton unattendedAnswer(const TMessageBoxRequest& request) {
    if (request.DefaultButton != QMessageBox::NoButton)
        return request.DefaultButton;
    for (QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::No})
        if (request.Buttons.testFlag(button))
            return button;
    return QMessageBox::Ok;
}

} // namespace

// A nested call takes the boxes from the call around it and gives them back at its end.
TAutomationCall::TAutomationCall(const void* caller, TApplicationServices& services,
                                 std::chrono::milliseconds limit)
    : m_services(services)
    , m_watch(new TWatch{caller, services.Context, std::nullopt, limit}) {
    if (limit.count() > 0)
        m_watch->Deadline = TClock::now() + limit;
    m_outerPresenter =
        std::exchange(m_services.MessageBoxes, [this](const TMessageBoxRequest& request) {
            fail(request.Text);
            return unattendedAnswer(request);
        });
    watchdog().push(m_watch);
}

TAutomationCall::~TAutomationCall() {
    watchdog().pop(m_watch);
    m_services.MessageBoxes = std::move(m_outerPresenter);
    delete m_watch;
}

bool TAutomationCall::abort(const void* caller) {
    return watchdog().abort(caller);
}

void TAutomationCall::CheckRun(const vex::TRunResult& result) {
    if (result.Aborted())
        fail(stopMessage());
}

// Every failure goes to the error window, where the person sees it; the first is the call's.
void TAutomationCall::fail(const QString& message) {
    TraceMessage(message, true);
    if (m_failure.isEmpty())
        m_failure = message;
}

QString TAutomationCall::stopMessage() const {
    if (watchdog().stopOf(m_watch) == TStop::TimeLimit)
        return ShellText(stCallTimedOut).arg(m_watch->Limit.count());
    return ShellText(stCallAborted);
}
