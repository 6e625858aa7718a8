#pragma once

#include <QRect>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;
class TformCodeCompletion;
class TVexScriptEditor;

// Code completion for one editor. After every change the editor asks it to look at the word
// that ends at the caret (TriggerCompletion); when that word is long enough and stands outside
// comments and text constants, the names of listed words and global variables that begin with
// it are collected from the runtime (the editor's services) and, after the shared settings' delay,
// shown in the editor's completion list (TformCodeCompletion) at the caret. While the list is
// visible the editor hands it the keys first (KeyDown):
//
//     Up, Down           previous and next entry, wrapping around
//     Page Up, Page Down 12 entries up or down, stopping at the first or last
//     Home, End          first and last entry
//     Tab, Return        replace the word by the selected entry, then hide (Tab also while the
//                        list waits for its delay)
//     F1                 the help page of the selected entry
//     Escape, Left, Right, Alt   hide (also a list still waiting for its delay); the key then
//                        does what it does in the editor
//
// Taking an entry replaces the word as one undoable step. The list hides when the caret moves
// away from where the completion left it, when the editor loses the focus or moves on the
// screen, and whenever a change leaves no word to complete; hiding never moves the focus.
// Undo and redo (the editor's commands) never open the list: they run with SetSuppressCompletion.
//
// Life cycle: hidden -> pending (a trigger found candidates) -> visible (a housekeeping tick at
// the due time) -> hidden. A trigger while the list is visible refills it without a delay.
class TCodeCompletion {
public:
    explicit TCodeCompletion(TVexScriptEditor& editor);
    ~TCodeCompletion();
    TCodeCompletion(const TCodeCompletion&) = delete;
    TCodeCompletion& operator=(const TCodeCompletion&) = delete;

    // Looks at the word before the caret after a change: hides, or fills the list and makes it
    // due (now when it is visible, after CompletionDelay otherwise).
    void TriggerCompletion();
    // Fills Candidates with the names that begin with `prefix`; their number. None without a
    // runtime.
    int CollectCandidates(std::string_view prefix);
    // Replaces the word before the caret by the selected entry; the caret goes after it.
    void AcceptCompletion();
    // List invisible, nothing pending; the focus stays where it is.
    void HideCompletion();

    // The editor's key press, before the editor acts on it; true when the completion consumed
    // it.
    bool KeyDown(const QKeyEvent& event);
    // True for a key that KeyDown would consume: such a key goes to the editor even when a
    // shortcut of the window claims it.
    bool WantsKey(const QKeyEvent& event) const;
    // The editor's selection changed: a caret that moved away from the completion's place hides
    // it.
    void SelectionChanged();
    // The editor's housekeeping tick: hides when the editor lost the focus or moved, shows the
    // list when it is due.
    void Tick();

    // The list is visible, or waits to be shown.
    bool IsActive() const;
    bool IsVisible() const;
    // The names collected at the latest trigger, in the scripts' code page.
    const std::vector<std::string>& Candidates() const noexcept { return m_candidates; }
    // The caret position the completion belongs to; -1 while hidden.
    int CompletionAnchor() const noexcept { return m_anchor; }
    // While set (undo and redo run), changes do not trigger the completion.
    bool SuppressCompletion() const noexcept { return m_suppressed; }
    void SetSuppressCompletion(bool on) noexcept { m_suppressed = on; }
    TformCodeCompletion* CompletionForm() const noexcept { return m_form.get(); }

private:
    // The word that ends at the caret, and where it starts on the caret's line.
    struct TWordBeforeCaret {
        std::string Word;
        int Start = 0;
        // The caret's column; the word ends there when Start + its length equals it.
        int Column = 0;
        // False when a character of the word has no place in the scripts' code page; such a
        // word begins no name.
        bool Representable = true;
    };

    TWordBeforeCaret wordBeforeCaret() const;
    bool caretOutsideTexts() const;
    QRect editorRect() const;
    QRect caretRect() const;
    void showList();
    void placeList();
    void placeListSoon();

    TVexScriptEditor& m_editor;
    std::unique_ptr<TformCodeCompletion> m_form;
    std::vector<std::string> m_candidates;
    bool m_pending = false;
    std::chrono::milliseconds m_due{-1};
    int m_anchor = -1;
    bool m_suppressed = false;
    // The editor's place on the screen as the latest tick or placement saw it.
    QRect m_windowRect;
    bool m_placementPending = false;
};
