#include "EditLineReader.h"

#include <histedit.h>

#include <cstdio>
#include <iostream>

struct TEditLineReader::TState {
    EditLine* Editor = nullptr;
    History* Entries = nullptr;
    std::string Prompt;
    // Set by the key Ctrl+C while a line is read.
    bool Cancelled = false;
};

namespace {

constexpr int kHistorySize = 1000;

// libedit hands the reader's state, its client data, to the functions it calls.
TEditLineReader::TState& StateOf(EditLine* editor) {
    void* state = nullptr;
    el_get(editor, EL_CLIENTDATA, &state);
    return *static_cast<TEditLineReader::TState*>(state);
}

char* PromptOf(EditLine* editor) {
    return StateOf(editor).Prompt.data();
}

// Ctrl+C at the prompt is a key, not a signal (the terminal's signal keys are off while a line
// is edited), so it cannot be lost between two reads: it ends the read as dropped.
unsigned char CancelLine(EditLine* editor, int) {
    StateOf(editor).Cancelled = true;
    std::fputs("^C", stdout);
    return CC_EOF;
}

} // namespace

TEditLineReader::TEditLineReader()
    : m_state(std::make_unique<TState>()) {
    EditLine* editor = el_init("vexscript", stdin, stdout, stderr);
    m_state->Editor = editor;
    m_state->Entries = history_init();
    HistEvent event;
    history(m_state->Entries, &event, H_SETSIZE, kHistorySize);
    history(m_state->Entries, &event, H_SETUNIQUE, 1);
    el_set(editor, EL_CLIENTDATA, m_state.get());
    el_set(editor, EL_PROMPT, PromptOf);
    el_set(editor, EL_EDITOR, "emacs");
    el_set(editor, EL_HIST, history, m_state->Entries);
    // The wide call keeps the names as given (the narrow one copies them and never frees the
    // copies).
    el_wset(editor, EL_ADDFN, L"vexscript-cancel", L"Drop the line being typed", CancelLine);
    el_set(editor, EL_BIND, "^C", "vexscript-cancel", nullptr);
    el_set(editor, EL_SETTY, "-d", "-isig", nullptr);
    // The user's ~/.editrc, as every libedit program reads it.
    el_source(editor, nullptr);
}

TEditLineReader::~TEditLineReader() {
    el_end(m_state->Editor);
    history_end(m_state->Entries);
}

TEditLineReader::TResult TEditLineReader::ReadLine(const std::string& prompt, std::string& line) {
    std::cout.flush();
    m_state->Prompt = prompt;
    m_state->Cancelled = false;
    // The editor shows its prompt before it sets up the terminal for editing; a key typed
    // right after the prompt would meet the terminal's own line handling (Ctrl+C a signal that
    // also discards what was typed). So the terminal is set up first.
    el_set(m_state->Editor, EL_PREP_TERM, 1);
    int count = 0;
    const char* read = el_gets(m_state->Editor, &count);
    if (!read) {
        // Off the line the prompt stands on, after Ctrl+C and Ctrl+D alike.
        std::fputs("\n", stdout);
        std::fflush(stdout);
        return m_state->Cancelled ? TResult::Cancelled : TResult::End;
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
