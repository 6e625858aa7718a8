#include "editing/PasteHistory.h"

void TPasteHistory::Add(const QString& text) {
    if (text.isEmpty() || Contains(text))
        return;
    m_entries.prepend(text);
    while (m_entries.size() > kMaxEntries)
        m_entries.removeLast();
}

TPasteHistory& PasteHistory() {
    static TPasteHistory history;
    return history;
}
