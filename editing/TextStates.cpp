#include "editing/TextStates.h"

#include <algorithm>

void TTextStates::Reset() {
    const auto count = static_cast<std::size_t>(std::max(m_lines.LineCount(), 0));
    m_starts.assign(count, {});
    m_summaries.assign(count, {});
    m_breaks.clear();
    for (std::size_t line = 0; line < count; ++line) {
        summarize(static_cast<int>(line));
        if (line + 1 < count)
            m_starts[line + 1] = after(static_cast<int>(line));
    }
    m_validThrough = static_cast<int>(count) - 1;
}

void TTextStates::Replace(int first, int removed, int added) {
    const int count = static_cast<int>(m_starts.size());
    first = std::clamp(first, 0, count);
    removed = std::clamp(removed, 0, count - first);
    // The first line keeps its start (only the lines before it decide that); the others are new.
    const int kept = std::min({removed, added, 1});
    const auto at = static_cast<std::ptrdiff_t>(first + kept);
    m_starts.erase(m_starts.begin() + at, m_starts.begin() + first + removed);
    m_summaries.erase(m_summaries.begin() + at, m_summaries.begin() + first + removed);
    m_starts.insert(m_starts.begin() + at, std::size_t(added - kept), TLexicalState{});
    m_summaries.insert(m_summaries.begin() + at, std::size_t(added - kept), TSummary{});

    const auto firstAfter = std::upper_bound(m_breaks.begin(), m_breaks.end(), first + removed - 1);
    std::vector<int> after(firstAfter, m_breaks.end());
    m_breaks.erase(std::lower_bound(m_breaks.begin(), m_breaks.end(), first), m_breaks.end());
    for (int line = first; line < first + added; ++line) {
        m_summaries[std::size_t(line)].Dirty = true;
        m_breaks.push_back(line);
    }
    for (const int line : after)
        m_breaks.push_back(line + added - removed);
    m_validThrough =
        std::min(m_validThrough, std::min(first, static_cast<int>(m_starts.size()) - 1));
}

TLexicalState TTextStates::StartOf(int line) {
    const int count = static_cast<int>(m_starts.size());
    if (count == 0)
        return {};
    if (line < count) {
        bringUpTo(std::max(line, 0));
        return m_starts[std::size_t(std::max(line, 0))];
    }
    bringUpTo(count - 1);
    if (m_summaries[std::size_t(count - 1)].Dirty)
        summarize(count - 1);
    return after(count - 1);
}

TLexicalState TTextStates::StateAt(TTextPoint point) {
    TLexicalState state = StartOf(point.Line);
    if (point.Line < 0 || point.Line >= m_lines.LineCount())
        return state;
    const std::string_view text = m_lines.LineText(point.Line);
    const std::size_t end = std::min<std::size_t>(std::max(point.Column, 0), text.size());
    std::int32_t textState = 0;
    std::int32_t parenDepth = 0;
    for (std::size_t i = 0; i < end; ++i)
        ApplyCharacter(state, text[i], textState, parenDepth);
    return state;
}

void TTextStates::LineStates(int line, int count, std::int32_t* textState,
                             std::int32_t* parenDepth) {
    TLexicalState state = StartOf(line);
    const std::string_view text =
        line >= 0 && line < m_lines.LineCount() ? m_lines.LineText(line) : std::string_view();
    for (int i = 0; i < count; ++i) {
        const char c = std::size_t(i) < text.size() ? text[std::size_t(i)] : '\0';
        ApplyCharacter(state, c, textState[i], parenDepth[i]);
    }
}

// The forward half finds the ")" that closes the open level, the backward half the "(" that
// opened it. When no parenthesis is open before the point the backward half cannot succeed, and
// the scan is not made: at the top level of a long text that saves reading all of it.
bool TTextStates::EnclosingParens(TTextPoint point, TTextPoint& open, TTextPoint& close) {
    const int count = m_lines.LineCount();
    if (point.Line < 0 || point.Line >= count || StateAt(point).OpenParens == 0)
        return false;
    TTextPoint foundClose;
    int depth = 1;
    for (int line = point.Line; line < count && depth != 0; ++line) {
        const std::vector<std::int32_t>& states = textStatesOf(line);
        const std::string_view text = m_lines.LineText(line);
        for (int column = line == point.Line ? point.Column : 0;
             column < static_cast<int>(text.size()); ++column) {
            if (states[std::size_t(column)] != 0)
                continue;
            const char c = text[std::size_t(column)];
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            if (depth == 0) {
                foundClose = {line, column};
                break;
            }
        }
    }
    if (depth != 0)
        return false;
    depth = 1;
    for (int line = point.Line; line >= 0; --line) {
        const std::vector<std::int32_t>& states = textStatesOf(line);
        const std::string_view text = m_lines.LineText(line);
        int column = static_cast<int>(text.size()) - 1;
        if (line == point.Line)
            column = std::min(point.Column, static_cast<int>(text.size())) - 1;
        for (; column >= 0; --column) {
            if (states[std::size_t(column)] != 0)
                continue;
            const char c = text[std::size_t(column)];
            depth += c == ')' ? 1 : c == '(' ? -1 : 0;
            if (depth == 0) {
                open = {line, column};
                close = foundClose;
                return true;
            }
        }
    }
    return false;
}

// Walks the starts forward from the last one known. Where a start comes out as it was, the
// starts after it are still right up to the next line after which they may not follow (an
// edited line, or where an earlier walk stopped after changing a start), so the walk jumps there.
void TTextStates::bringUpTo(int line) {
    const int last = static_cast<int>(m_starts.size()) - 1;
    line = std::min(line, last);
    while (m_validThrough < line) {
        const int k = m_validThrough;
        const TSummary& summary = m_summaries[std::size_t(k)];
        const TLexicalState& start = m_starts[std::size_t(k)];
        if (summary.Dirty || summary.KeyComment != start.Comment ||
            summary.KeyTextDepth != start.TextDepth)
            summarize(k);
        removeBreak(k);
        const TLexicalState next = after(k);
        const bool unchanged = next == m_starts[std::size_t(k + 1)];
        m_starts[std::size_t(k + 1)] = next;
        m_validThrough = k + 1;
        if (unchanged) {
            const auto mark = std::lower_bound(m_breaks.begin(), m_breaks.end(), k + 1);
            m_validThrough = mark == m_breaks.end() ? last : std::max(*mark, k + 1);
        } else if (m_validThrough == line && line < last) {
            addBreak(line);
        }
    }
}

void TTextStates::summarize(int line) {
    const TLexicalState& start = m_starts[std::size_t(line)];
    TSummary summary;
    summary.Dirty = false;
    summary.KeyComment = start.Comment;
    summary.KeyTextDepth = start.TextDepth;
    // Parentheses and open levels counted from zero give the shift; the floor is what a line
    // entered with no open level leaves at least.
    TLexicalState state{start.Comment, start.TextDepth, 0, 0};
    std::int32_t shift = 0;
    std::int32_t textState = 0;
    std::int32_t parenDepth = 0;
    for (const char c : m_lines.LineText(line)) {
        ApplyCharacter(state, c, textState, parenDepth);
        if (textState == 0)
            shift += c == '(' ? 1 : c == ')' ? -1 : 0;
    }
    summary.EndComment = state.Comment;
    summary.EndTextDepth = state.TextDepth;
    summary.ParenNet = state.ParenDepth;
    summary.OpenShift = shift;
    summary.OpenFloor = state.OpenParens;
    m_summaries[std::size_t(line)] = summary;
}

TLexicalState TTextStates::after(int line) const {
    const TLexicalState& start = m_starts[std::size_t(line)];
    const TSummary& summary = m_summaries[std::size_t(line)];
    return {summary.EndComment, summary.EndTextDepth, start.ParenDepth + summary.ParenNet,
            std::max(start.OpenParens + summary.OpenShift, summary.OpenFloor)};
}

void TTextStates::addBreak(int line) {
    const auto at = std::lower_bound(m_breaks.begin(), m_breaks.end(), line);
    if (at == m_breaks.end() || *at != line)
        m_breaks.insert(at, line);
}

void TTextStates::removeBreak(int line) {
    const auto found = std::lower_bound(m_breaks.begin(), m_breaks.end(), line);
    if (found != m_breaks.end() && *found == line)
        m_breaks.erase(found);
}

const std::vector<std::int32_t>& TTextStates::textStatesOf(int line) {
    const auto length = static_cast<int>(m_lines.LineText(line).size());
    m_scratchStates.resize(std::size_t(length));
    m_scratchDepths.resize(std::size_t(length));
    LineStates(line, length, m_scratchStates.data(), m_scratchDepths.data());
    return m_scratchStates;
}
