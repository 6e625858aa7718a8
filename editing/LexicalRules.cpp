#include "editing/LexicalRules.h"

#include "editing/RuntimeLookup.h"

#include <algorithm>
#include <array>

namespace {

constexpr char kEndOfLine[1] = {'\0'};

// One bit set per character of each set.
struct TCharacterSets {
    std::array<bool, 256> Separators{};
    std::array<bool, 256> Blanks{};
    std::array<bool, 256> Punctuation{};

    constexpr TCharacterSets() {
        for (const char c : std::string_view("\0\t\n\r ", 5))
            Blanks[static_cast<unsigned char>(c)] = Separators[static_cast<unsigned char>(c)] =
                true;
        for (const char c : std::string_view("()*+,-/:<=>[]{}"))
            Separators[static_cast<unsigned char>(c)] = true;
        for (const char c : std::string_view("(),.[]{}"))
            Punctuation[static_cast<unsigned char>(c)] = true;
    }
};

constexpr TCharacterSets kSets;

// The character at i, with the end of the line reading as NUL.
char CharacterAt(std::string_view line, int i) {
    return i < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(i)] : '\0';
}

} // namespace

bool IsSeparator(char c) noexcept {
    return kSets.Separators[static_cast<unsigned char>(c)];
}

bool IsBlank(char c) noexcept {
    return kSets.Blanks[static_cast<unsigned char>(c)];
}

bool IsPunctuation(char c) noexcept {
    return kSets.Punctuation[static_cast<unsigned char>(c)];
}

std::string_view WordAt(int position, std::string_view line, int& start) {
    const int length = static_cast<int>(line.size());
    if (position < 0 || length == 0 || position > length)
        return {};
    int p = position;
    if (CharacterAt(line, p) == '\r' && p > 1)
        --p;
    const char c = CharacterAt(line, p);
    if (IsSeparator(c)) {
        start = p;
        if (c == ':' && p < length - 1 && line[static_cast<std::size_t>(p + 1)] == '=')
            return line.substr(static_cast<std::size_t>(p), 2);
        if (c == '=' && p > 0 && line[static_cast<std::size_t>(p - 1)] == ':') {
            start = p - 1;
            return line.substr(static_cast<std::size_t>(p - 1), 2);
        }
        if (p == length)
            return {kEndOfLine, 1};
        return line.substr(static_cast<std::size_t>(p), 1);
    }
    int first = p;
    while (first > 0 && !IsSeparator(line[static_cast<std::size_t>(first - 1)]))
        --first;
    int end = p;
    while (end < length && !IsSeparator(line[static_cast<std::size_t>(end)]))
        ++end;
    start = first;
    return line.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));
}

bool IsNumber(std::string_view word) noexcept {
    if (word.empty() || word.front() == '.')
        return false;
    int points = 0;
    for (const char c : word) {
        if (c == '.')
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    return points <= 1;
}

std::uint8_t ClassifyWord(std::string_view word, const TRuntimeLookup* runtime) {
    if (IsNumber(word))
        return scNumber;
    const bool punctuation = word.size() == 1 && IsPunctuation(word.front());
    const std::uint8_t base = punctuation ? scPunctuation : scWord;
    if (!runtime)
        return base;
    if (runtime->IsGlobalVariable(word))
        return scGlobalVariable;
    if (runtime->IsListedWord(word))
        return scListedWord;
    return base;
}

TStyleEntry StyleOf(std::uint8_t styleClass, const TStyleTable& styles) noexcept {
    const std::size_t index = styleClass & 0x7F;
    return styles[index < styles.size() ? index : std::size_t(scWord)];
}

std::string RepeatText(std::string_view text, int count) {
    std::string result;
    if (count <= 0)
        return result;
    result.reserve(text.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        result += text;
    return result;
}

int CountLineBreaks(std::string_view text, int first, int last) noexcept {
    const int begin = std::max(first, 0);
    const int end = std::min(last + 1, static_cast<int>(text.size()));
    if (begin >= end)
        return 0;
    return static_cast<int>(std::count(text.begin() + begin, text.begin() + end, '\r'));
}
