#include "editing/WordList.h"

#include "editing/LexicalRules.h"

#include <QtGlobal>

#include <algorithm>
#include <new>

namespace {

// The capacity a new row list starts with; it grows beyond as needed.
constexpr std::size_t kInitialRowCapacity = 4096;

// A row or token that memory could not hold: the row stays short, the log says why. Rows have
// no way to the editor's message sink; the list's own failures go there.
void logFailure(const char* message) {
    qWarning("editor: %s", message);
}

} // namespace

std::uint8_t TWordClasses::Classify(std::string_view word) {
    if (const auto found = m_classes.find(word); found != m_classes.end())
        return found->second;
    const std::uint8_t styleClass = ClassifyWord(word, m_runtime);
    m_classes.emplace(word, styleClass);
    return styleClass;
}

// [rows] ------------------------------------------------------------------------------------

const TToken* TRow::GetToken(int index) const {
    if (index < 0 || index >= TokenCount())
        return nullptr;
    return &m_tokens[static_cast<std::size_t>(index)];
}

void TRow::AddToken(const TToken& token) {
    try {
        m_tokens.push_back(token);
    } catch (const std::exception&) {
        logFailure("Could not add token");
    }
}

void TRow::DeleteAllTokens() {
    m_tokens.clear();
}

void TRow::Construct(std::string_view line, std::span<const float> lefts,
                     const TRuntimeLookup* runtime, TWordClasses* classes) {
    DeleteAllTokens();
    line = line.substr(0, std::min<std::size_t>(line.size(), kRowCharacterLimit));
    const int length = static_cast<int>(line.size());
    try {
        m_tokens.reserve(line.size());
        int i = 0;
        while (i < length) {
            while (i < length && IsBlank(line[static_cast<std::size_t>(i)]))
                ++i;
            if (i == length)
                break;
            int start = i;
            const std::string_view word = WordAt(i, line, start);
            const std::uint8_t styleClass =
                classes ? classes->Classify(word) : ClassifyWord(word, runtime);
            for (std::size_t k = 0; k < word.size(); ++k) {
                const auto position = static_cast<std::size_t>(i) + k;
                AddToken({static_cast<std::int32_t>(position),
                          position < lefts.size() ? lefts[position] : 0.0f, styleClass, word[k]});
            }
            i += static_cast<int>(word.size());
        }
    } catch (const std::exception&) {
        logFailure("exception in construct");
    }
}

// [row list] --------------------------------------------------------------------------------

void TWordList::report(const QString& text, bool isError) const {
    if (m_messages)
        m_messages(text, isError);
    else
        qWarning("editor: %s", qUtf8Printable(text));
}

TWordList::TWordList(TEditorMessageSink messages)
    : m_messages(std::move(messages)) {
    try {
        m_rows.reserve(kInitialRowCapacity);
    } catch (const std::exception&) {
        report(QStringLiteral("Exception in wordlist.init"), false);
    }
}

TRow* TWordList::GetRow(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return m_rows[static_cast<std::size_t>(index)].get();
}

std::unique_ptr<TRow> TWordList::CreateRow() {
    try {
        return std::make_unique<TRow>();
    } catch (const std::exception&) {
        logFailure("Exception in createrow");
        return nullptr;
    }
}

void TWordList::AddRow(std::unique_ptr<TRow> row) {
    try {
        m_rows.push_back(std::move(row));
    } catch (const std::exception&) {
        report(QStringLiteral("could not add row (addrow)"), false);
    }
}

void TWordList::InsertRow(std::unique_ptr<TRow> row, int index) {
    if (index >= Count()) {
        try {
            m_rows.push_back(std::move(row));
        } catch (const std::exception&) {
            report(QStringLiteral("could not add row (insertrow)"), false);
        }
        return;
    }
    try {
        m_rows.insert(m_rows.begin() + std::max(index, 0), std::move(row));
    } catch (const std::exception&) {
        report(QStringLiteral("could not insert row (insertrow)"), false);
    }
}

bool TWordList::InsertRows(int index, int count) {
    if (count <= 0)
        return true;
    try {
        std::vector<std::unique_ptr<TRow>> rows(static_cast<std::size_t>(count));
        for (auto& row : rows)
            row = std::make_unique<TRow>();
        const auto at = m_rows.begin() + std::clamp(index, 0, Count());
        m_rows.insert(at, std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
        return true;
    } catch (const std::exception&) {
        report(QStringLiteral("could not insert row (insertrow)"), false);
        return false;
    }
}

void TWordList::DeleteRow(int index) {
    if (!DeleteRows(index, 1))
        report(QStringLiteral("deleterow: index out of bounds"), true);
}

bool TWordList::DeleteRows(int index, int count) {
    if (index < 0 || count < 0 || index + count > Count())
        return false;
    const auto first = m_rows.begin() + index;
    m_rows.erase(first, first + count);
    return true;
}

void TWordList::ClearRows(bool addEmptyRow) {
    m_rows.clear();
    if (addEmptyRow)
        if (std::unique_ptr<TRow> row = CreateRow())
            AddRow(std::move(row));
}
