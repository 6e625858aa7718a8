#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The two passes over the whole text, NUL at the end included, as the states are defined.
struct TFlatStates {
    std::vector<std::int32_t> TextState;
    std::vector<std::int32_t> ParenDepth;

    explicit TFlatStates(const std::string& text) {
        const std::size_t n = text.size();
        TextState.resize(n + 1);
        ParenDepth.resize(n + 1);
        bool comment = false;
        int depth = 0;
        for (std::size_t i = 0; i <= n; ++i) {
            const char ch = i < n ? text[i] : '\0';
            if (ch == '{' && depth <= 0)
                comment = true;
            if (ch == '[' && !comment)
                ++depth;
            TextState[i] = comment ? -1 : depth;
            if (ch == '}' && comment)
                comment = false;
            if (ch == ']' && depth > 0)
                --depth;
        }
        int parens = 0;
        for (std::size_t i = 0; i <= n; ++i) {
            const char ch = i < n ? text[i] : '\0';
            if (ch == ')')
                --parens;
            ParenDepth[i] = parens;
            if (ch == '(')
                ++parens;
        }
    }

    // Scans forward for the closing and backward for the opening parenthesis from q.
    std::optional<std::pair<int, int>> Enclosing(const std::string& text, int q) const {
        const int n = static_cast<int>(text.size());
        if (q <= 0 || q >= n)
            return std::nullopt;
        int depth = 1;
        int i = q;
        while (depth != 0 && i <= n) {
            if (TextState[std::size_t(i)] == 0)
                depth += text[std::size_t(i)] == '(' ? 1 : text[std::size_t(i)] == ')' ? -1 : 0;
            if (depth != 0)
                ++i;
        }
        if (depth != 0)
            return std::nullopt;
        depth = 1;
        int j = q - 1;
        do {
            if (TextState[std::size_t(j)] == 0)
                depth += text[std::size_t(j)] == ')' ? 1 : text[std::size_t(j)] == '(' ? -1 : 0;
            if (depth != 0)
                --j;
        } while (depth != 0 && j >= 0);
        if (depth != 0)
            return std::nullopt;
        return std::make_pair(j, i);
    }
};
