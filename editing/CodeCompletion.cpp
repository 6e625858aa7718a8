#include "editing/CodeCompletion.h"

#include "editing/ApplicationServices.h"
#include "editing/LexicalRules.h"
#include "editing/RuntimeLookup.h"
#include "editing/TformCodeCompletion.h"
#include "editing/TformHelp.h"
#include "editing/VexScriptEditor.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "services/Clock.h"

#include <QKeyEvent>
#include <QTextBlock>

#include <algorithm>

// Sections: [trigger] [candidates] [taking an entry] [showing and hiding] [keys]

namespace {

bool isNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool isTab(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) &&
           !(event.modifiers() & Qt::ControlModifier);
}

bool isReturn(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

TCodeCompletion::TCodeCompletion(TVexScriptEditor& editor)
    : m_editor(editor)
    , m_form(std::make_unique<TformCodeCompletion>(editor)) {}

TCodeCompletion::~TCodeCompletion() = default;

// [trigger] -----------------------------------------------------------------------------------

void TCodeCompletion::TriggerCompletion() {
    const TWordBeforeCaret word = wordBeforeCaret();
    // An empty word (the caret at a line's start) never opens the list, whatever the settings;
    // nor does a change to a text the person cannot edit.
    if (m_editor.isReadOnly() || word.Word.empty() ||
        static_cast<int>(word.Word.size()) < m_editor.Settings().CompletionMinLength ||
        word.Start + static_cast<int>(word.Word.size()) != word.Column) {
        HideCompletion();
        return;
    }
    m_candidates.clear();
    if (m_suppressed || (!m_editor.Settings().CompleteInTexts && !caretOutsideTexts()))
        return;
    const int count = word.Representable ? CollectCandidates(word.Word) : 0;
    if (count == 0 || (count == 1 && vex::SameText(m_candidates.front(), word.Word))) {
        HideCompletion();
        return;
    }
    QStringList entries;
    entries.reserve(count);
    for (const std::string& name : m_candidates)
        entries << fromScriptText(name);
    m_form->SetEntries(entries);
    m_windowRect = editorRect();
    if (m_form->isVisible())
        placeListSoon();
    // The anchor is the caret the entries belong to; a caret that moves elsewhere hides them.
    m_anchor = m_editor.textCursor().selectionStart();
    m_due = ClockNow();
    if (!m_form->isVisible())
        m_due += std::chrono::milliseconds(std::max(0, SharedEditorSettings().CompletionDelay));
    m_pending = true;
}

// The word is found in the line's characters as the scripts' code page holds them; a character
// the code page has no place for stands there as "?", as in the editor's snapshots, and is noted.
TCodeCompletion::TWordBeforeCaret TCodeCompletion::wordBeforeCaret() const {
    const QTextCursor cursor = m_editor.textCursor();
    const QTextBlock block = m_editor.document()->findBlock(cursor.selectionStart());
    const int column = cursor.selectionStart() - block.position();
    const QString text = block.text();
    std::string bytes(static_cast<std::size_t>(text.size()), '?');
    std::vector<bool> foreign(bytes.size(), false);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (const std::optional<char> byte = toWindows1252(text[i]))
            bytes[std::size_t(i)] = *byte;
        else
            foreign[std::size_t(i)] = true;
    }
    TWordBeforeCaret result;
    result.Column = column;
    int start = 0;
    const std::string_view word = WordAt(column - 1, bytes, start);
    if (word.empty() || column < 1)
        return result;
    result.Word.assign(word);
    result.Start = start;
    result.Representable =
        std::none_of(foreign.begin() + start, foreign.begin() + start + qsizetype(word.size()),
                     [](bool f) { return f; });
    return result;
}

bool TCodeCompletion::caretOutsideTexts() const {
    return m_editor.TextStateAt(m_editor.BufferPosition(m_editor.textCursor().selectionStart())) ==
           0;
}

// [candidates] --------------------------------------------------------------------------------

int TCodeCompletion::CollectCandidates(std::string_view prefix) {
    m_candidates.clear();
    if (const TRuntimeLookup* runtime = m_editor.Services().RuntimeLookup())
        m_candidates = runtime->CompletionCandidates(prefix);
    return static_cast<int>(m_candidates.size());
}

// [taking an entry] ---------------------------------------------------------------------------

// The replacement is one edit of the document, so one undo step brings the typed letters back.
void TCodeCompletion::AcceptCompletion() {
    const QString entry = m_form->SelectedEntry();
    const TWordBeforeCaret word = wordBeforeCaret();
    if (entry.isEmpty() || word.Word.empty() || m_editor.isReadOnly())
        return;
    QTextCursor cursor = m_editor.textCursor();
    const int lineStart = m_editor.document()->findBlock(cursor.selectionStart()).position();
    cursor.setPosition(lineStart + word.Start);
    cursor.setPosition(lineStart + word.Start + static_cast<int>(word.Word.size()),
                       QTextCursor::KeepAnchor);
    cursor.insertText(entry);
    m_editor.setTextCursor(cursor);
}

// [showing and hiding] ------------------------------------------------------------------------

bool TCodeCompletion::IsActive() const {
    return m_pending || m_form->isVisible();
}

bool TCodeCompletion::IsVisible() const {
    return m_form->isVisible();
}

void TCodeCompletion::HideCompletion() {
    m_form->hide();
    m_pending = false;
    m_due = std::chrono::milliseconds(-1);
    m_anchor = -1;
}

void TCodeCompletion::SelectionChanged() {
    if (IsActive() && m_editor.textCursor().selectionStart() != m_anchor)
        HideCompletion();
}

void TCodeCompletion::Tick() {
    const QRect rect = editorRect();
    if (rect != m_windowRect || !m_editor.hasFocus()) {
        if (IsActive())
            HideCompletion();
        m_windowRect = rect;
    }
    if (m_pending && ClockNow() >= m_due)
        showList();
}

void TCodeCompletion::showList() {
    m_anchor = m_editor.textCursor().selectionStart();
    if (m_form->isVisible())
        return;
    placeList();
    m_form->show();
}

// The editor lays its text out only after it has followed a change, so a list refilled by a
// change is placed at the next turn of the event loop, when the caret stands where it is drawn.
void TCodeCompletion::placeListSoon() {
    if (m_placementPending)
        return;
    m_placementPending = true;
    QMetaObject::invokeMethod(
        m_form.get(),
        [this] {
            m_placementPending = false;
            if (m_form->isVisible())
                placeList();
        },
        Qt::QueuedConnection);
}

void TCodeCompletion::placeList() {
    m_windowRect = editorRect();
    m_form->PlaceAtCaret(caretRect());
}

QRect TCodeCompletion::editorRect() const {
    return {m_editor.mapToGlobal(QPoint(0, 0)), m_editor.size()};
}

// The caret's place on the screen: the rectangle of the character at the selection start.
QRect TCodeCompletion::caretRect() const {
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(cursor.selectionStart());
    const QRect rect = m_editor.cursorRect(cursor);
    return {m_editor.viewport()->mapToGlobal(rect.topLeft()), rect.size()};
}

// [keys] --------------------------------------------------------------------------------------

bool TCodeCompletion::WantsKey(const QKeyEvent& event) const {
    if (isTab(event))
        return IsActive();
    if (!IsVisible())
        return false;
    return isNavigationKey(event.key()) || isReturn(event) || event.key() == Qt::Key_F1;
}

bool TCodeCompletion::KeyDown(const QKeyEvent& event) {
    if (!WantsKey(event)) {
        if (IsActive() && (event.key() == Qt::Key_Escape || event.key() == Qt::Key_Left ||
                           event.key() == Qt::Key_Right || event.key() == Qt::Key_Alt))
            HideCompletion();
        return false;
    }
    const int last = m_form->EntryCount() - 1;
    const int row = m_form->SelectedRow();
    switch (event.key()) {
    case Qt::Key_Up:
        m_form->SelectRow(row <= 0 ? last : row - 1);
        return true;
    case Qt::Key_Down:
        m_form->SelectRow(row >= last ? 0 : row + 1);
        return true;
    case Qt::Key_PageUp:
        m_form->SelectRow(std::max(0, row - TformCodeCompletion::kVisibleRows));
        return true;
    case Qt::Key_PageDown:
        m_form->SelectRow(std::min(last, row + TformCodeCompletion::kVisibleRows));
        return true;
    case Qt::Key_Home:
        m_form->SelectRow(0);
        return true;
    case Qt::Key_End:
        m_form->SelectRow(last);
        return true;
    case Qt::Key_F1: {
        const QString topic = m_form->SelectedEntry();
        HideCompletion();
        ShowHelpTopic(topic);
        return true;
    }
    default:
        // Tab, Shift+Tab and Return.
        AcceptCompletion();
        HideCompletion();
        return true;
    }
}
