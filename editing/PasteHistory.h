#pragma once

#include <QString>
#include <QStringList>

// The paste history: the texts copied in any editor of the process, most recent first, at most
// kMaxEntries of them. A copy in one editor is offered by every other (Ctrl+Shift+V, and
// Ctrl+Shift+1 to Ctrl+Shift+9 for the first nine entries). It lives until the process ends.
class TPasteHistory {
public:
    static constexpr int kMaxEntries = 10;

    // Puts the text first unless the history holds it already (then it keeps its place); the
    // oldest entry goes when there are more than kMaxEntries. An empty text is not kept.
    void Add(const QString& text);
    bool Contains(const QString& text) const { return m_entries.contains(text); }
    int Count() const noexcept { return int(m_entries.size()); }
    // Entry `index` (0 is the most recent); empty outside the history.
    QString Entry(int index) const { return m_entries.value(index); }
    const QStringList& Entries() const noexcept { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    QStringList m_entries;
};

// The process's history, made on first use.
TPasteHistory& PasteHistory();
