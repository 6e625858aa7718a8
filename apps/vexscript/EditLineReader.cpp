#include "EditLineReader.h"

#include <histedit.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

constexpr int kHistorySize = 1000;

volatile std::sig_atomic_t g_interrupted = 0;

void OnPromptInterrupt(int) {
    g_interrupted = 1;
}

// While a line is read, Ctrl+C interrupts the read (no restart), so that el_gets returns.
class TPromptInterrupts {
public:
    TPromptInterrupts() {
        g_interrupted = 0;
        struct sigaction action {};
        action.sa_handler = OnPromptInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~TPromptInterrupts() { sigaction(SIGINT, &m_previous, nullptr); }
    TPromptInterrupts(const TPromptInterrupts&) = delete;
    TPromptInterrupts& operator=(const TPromptInterrupts&) = delete;

private:
    struct sigaction m_previous {};
};

} // namespace

struct TEditLineReader::TState {
    EditLine* Editor = nullptr;
    History* Entries = nullptr;
    std::string Prompt;
};

namespace {

// libedit asks for the prompt through a function; the reader keeps it in the state it hands
// over as client data.
char* PromptOf(EditLine* editor) {
    void* state = nullptr;
    el_get(editor, EL_CLIENTDATA, &state);
    return static_cast<TEditLineReader::TState*>(state)->Prompt.data();
}

} // namespace

TEditLineReader::TEditLineReader()
    : m_state(std::make_unique<TState>()) {
    m_state->Editor = el_init("vexscript", stdin, stdout, stderr);
    m_state->Entries = history_init();
    HistEvent event;
    history(m_state->Entries, &event, H_SETSIZE, kHistorySize);
    history(m_state->Entries, &event, H_SETUNIQUE, 1);
    el_set(m_state->Editor, EL_CLIENTDATA, m_state.get());
    el_set(m_state->Editor, EL_PROMPT, PromptOf);
    el_set(m_state->Editor, EL_EDITOR, "emacs");
    el_set(m_state->Editor, EL_HIST, history, m_state->Entries);
    // The user's ~/.editrc, as every libedit program reads it.
    el_source(m_state->Editor, nullptr);
}

TEditLineReader::~TEditLineReader() {
    el_end(m_state->Editor);
    history_end(m_state->Entries);
}

TEditLineReader::TResult TEditLineReader::ReadLine(const std::string& prompt, std::string& line) {
    std::cout.flush();
    m_state->Prompt = prompt;
    const TPromptInterrupts interrupts;
    int count = 0;
    const char* read = el_gets(m_state->Editor, &count);
    if (!read) {
        // Off the line the prompt stands on, after "^C" or Ctrl+D alike.
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return g_interrupted ? TResult::Cancelled : TResult::End;
    }
    line.assign(read, static_cast<std::size_t>(count));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return TResult::Line;
}

void TEditLineReader::AddHistory(const std::string& entry) {
    HistEvent event;
    history(m_state->Entries, &event, H_ENTER, entry.c_str());
}
