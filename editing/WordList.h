#pragma once

#include "editing/EditorMessages.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TRuntimeLookup;

// The token rows the editor paints from: one row per line of the text plus a trailing empty
// one, each holding one token per non-blank character with the character's style class and its
// horizontal offset in the line. Rows are built from at most the first kRowCharacterLimit
// characters of a line; the text itself is never cut.
//
// The operations catch their own failures and report them: the list's to the message sink it was
// given (the editor's, EditorMessages.h), a single row's to the log; the editor goes on with what
// was built.

inline constexpr int kRowCharacterLimit = 4096;

// One character of a row. The colours are looked up from the class when painting, so a token
// keeps only the class.
struct TToken {
    // 0-based index of the character in its line.
    std::int32_t Position = 0;
    // Pixels from the line's origin to the character's left edge, in the editor's font.
    float Left = 0;
    std::uint8_t TokenClass = 0;
    char Text = 0;

    static constexpr int Length = 1;
    bool operator==(const TToken&) const = default;
};

// Remembers the class of each word seen while many rows are built at once, so that a name is
// looked up in the runtime only once per rebuild. Only valid while the runtime does not change.
class TWordClasses {
public:
    explicit TWordClasses(const TRuntimeLookup* runtime)
        : m_runtime(runtime) {}
    std::uint8_t Classify(std::string_view word);

private:
    struct THash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return std::hash<std::string_view>()(text);
        }
    };
    const TRuntimeLookup* m_runtime;
    std::unordered_map<std::string, std::uint8_t, THash, std::equal_to<>> m_classes;
};

class TRow {
public:
    // The token at index i, or none outside 0 .. count - 1.
    const TToken* GetToken(int index) const;
    int TokenCount() const noexcept { return static_cast<int>(m_tokens.size()); }
    const std::vector<TToken>& Tokens() const noexcept { return m_tokens; }
    void AddToken(const TToken& token);
    void DeleteAllTokens();

    // Rebuilds the row from a line (at most kRowCharacterLimit characters of it): each word gets
    // the class of ClassifyWord, every one of its characters a token of that class. `lefts`
    // holds the offset of each character (missing ones read as 0); `classes`, when given,
    // answers for the runtime.
    void Construct(std::string_view line, std::span<const float> lefts,
                   const TRuntimeLookup* runtime, TWordClasses* classes = nullptr);

    bool operator==(const TRow&) const = default;

private:
    std::vector<TToken> m_tokens;
};

// The editor's rows: row i belongs to line i of the text.
class TWordList {
public:
    // Failures of the list go to `messages` (the log when empty).
    explicit TWordList(TEditorMessageSink messages = {});

    int Count() const noexcept { return static_cast<int>(m_rows.size()); }
    // The row at index i, or none outside 0 .. count - 1.
    TRow* GetRow(int index) const;
    // A new empty row, or none when it could not be made.
    static std::unique_ptr<TRow> CreateRow();
    void AddRow(std::unique_ptr<TRow> row);
    // Inserts before index i; at or beyond the end it appends.
    void InsertRow(std::unique_ptr<TRow> row, int index);
    // Inserts `count` new empty rows before index i (appends at or beyond the end); false when
    // they could not be made, and then none is inserted.
    bool InsertRows(int index, int count);
    void DeleteRow(int index);
    // Deletes `count` rows from index i on; false when they are not all there, and then none is
    // deleted.
    bool DeleteRows(int index, int count);
    // Deletes every row; with `addEmptyRow` one new empty row remains.
    void ClearRows(bool addEmptyRow);

private:
    void report(const QString& text, bool isError) const;

    TEditorMessageSink m_messages;
    std::vector<std::unique_ptr<TRow>> m_rows;
};
