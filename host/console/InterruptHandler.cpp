#include "host/console/InterruptHandler.h"

#include "runtime/VexScript.h"

namespace vex::host {

namespace {

// What the signal handler reaches: the context whose run it ends, and how
// many Ctrl+C came since the handler was installed.
TLanguageInterpreter* volatile g_context = nullptr;
volatile std::sig_atomic_t g_interrupts = 0;
struct sigaction g_previous {};

// Async-signal-safe: lock-free atomics (RequestAbort), a write of a sig_atomic_t, and signal()
// and raise().
void OnRunInterrupt(int) {
    if (g_interrupts == 0 && g_context) {
        g_interrupts = 1;
        g_context->RequestAbort();
        return;
    }
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
}

} // namespace

static_assert(std::atomic<std::uint32_t>::is_always_lock_free &&
                  std::atomic<bool>::is_always_lock_free,
              "RequestAbort must be safe in a signal handler");

TInterruptHandler::TInterruptHandler(TLanguageInterpreter& context) {
    g_interrupts = 0;
    g_context = &context;
    struct sigaction action {};
    action.sa_handler = OnRunInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_previous);
}

TInterruptHandler::~TInterruptHandler() {
    sigaction(SIGINT, &g_previous, nullptr);
    TLanguageInterpreter* const context = g_context;
    g_context = nullptr;
    if (context) {
        context->ClearAbortRequest();
    }
}

bool TInterruptHandler::Interrupted() const noexcept {
    return g_interrupts != 0;
}

TInterruptsIgnored::TInterruptsIgnored() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previous);
}

TInterruptsIgnored::~TInterruptsIgnored() {
    sigaction(SIGINT, &m_previous, nullptr);
}

} // namespace vex::host
