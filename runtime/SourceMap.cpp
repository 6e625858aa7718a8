#include "runtime/SourceMap.h"

#include "runtime/CodeNode.h"

#include <algorithm>

namespace vex {

namespace {

bool IsWhitespace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// The end (exclusive) of the text constant whose '[' is at `open`: after its matching ']', or
// the end of the text when it is never closed.
std::size_t ConstantEnd(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '[') {
            ++depth;
        } else if (text[i] == ']' && --depth == 0) {
            return i + 1;
        }
    }
    return text.size();
}

} // namespace

// Follows the rules of RemoveWhitespaceAndComments step by step, keeping where each byte came
// from; a test holds the two to the same result.
std::vector<std::int32_t> PreparedSourceOffsets(std::string_view source) {
    std::vector<std::int32_t> offsets;
    offsets.reserve(source.size());
    std::size_t commentMark = 0;
    bool closingBraceAhead = true;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char ch = source[i];
        if (IsWhitespace(ch)) {
            continue;
        }
        if (ch == '[') {
            const std::size_t end = ConstantEnd(source, i);
            for (; i < end; ++i) {
                if (source[i] != '\n') {
                    offsets.push_back(static_cast<std::int32_t>(i));
                }
            }
            --i;
        } else if (ch == '{') {
            commentMark = offsets.size();
            const std::size_t close =
                closingBraceAhead ? source.find('}', i + 1) : std::string_view::npos;
            if (close == std::string_view::npos) {
                closingBraceAhead = false;
                continue;
            }
            offsets.resize(commentMark);
            i = close;
        } else if (ch == '}') {
            offsets.resize(commentMark);
        } else {
            offsets.push_back(static_cast<std::int32_t>(i));
        }
    }
    return offsets;
}

TSourceMap::TSourceMap(std::string_view compiled, const TSourceOrigin& origin)
    : m_compiled(compiled)
    , m_origin(origin) {}

std::size_t TSourceMap::Add(const TCodeNode& node, std::int32_t preparedOffset) {
    m_nodes.emplace_back(&node, preparedOffset);
    return m_nodes.size() - 1;
}

void TSourceMap::StartWithFirstArgument(std::size_t index) noexcept {
    if (m_nodes[index].second < 0 && index + 1 < m_nodes.size()) {
        m_nodes[index].second = m_nodes[index + 1].second;
    }
}

void TSourceMap::Finish() {
    std::sort(m_nodes.begin(), m_nodes.end());
}

std::int32_t TSourceMap::PreparedOffsetOf(const TCodeNode& node) const {
    const auto found = std::lower_bound(m_nodes.begin(), m_nodes.end(), &node,
                                        [](const std::pair<const TCodeNode*, std::int32_t>& entry,
                                           const TCodeNode* key) { return entry.first < key; });
    return found != m_nodes.end() && found->first == &node ? found->second : -1;
}

// The compiled text is the written one with its line feeds dropped (a text constant's content);
// every other byte stands where it stood.
std::size_t TSourceMap::WrittenOffset(std::int32_t preparedOffset) const {
    const std::vector<std::int32_t> offsets = PreparedSourceOffsets(m_compiled);
    std::size_t compiled = static_cast<std::size_t>(preparedOffset) < offsets.size()
                               ? static_cast<std::size_t>(offsets[preparedOffset])
                               : m_compiled.size();
    if (m_origin.Written.empty()) {
        return compiled;
    }
    const std::string_view written = m_origin.Written;
    std::size_t i = 0;
    for (; i < written.size(); ++i) {
        if (written[i] == '\n') {
            continue;
        }
        if (compiled-- == 0) {
            break;
        }
    }
    return i;
}

TSourcePlace TSourceMap::PlaceAtWritten(std::size_t writtenOffset) const {
    const std::string_view written = Written().substr(0, writtenOffset);
    const std::size_t lineFeeds =
        static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n'));
    TSourcePlace place;
    place.File = m_origin.File;
    place.Line = m_origin.Line + static_cast<int>(lineFeeds);
    const std::size_t lineStart = written.rfind('\n');
    place.Column = lineStart == std::string_view::npos
                       ? m_origin.Column + static_cast<int>(writtenOffset)
                       : static_cast<int>(writtenOffset - lineStart);
    return place;
}

TSourcePlace TSourceMap::PlaceOf(const TCodeNode& node) const {
    const std::int32_t prepared = PreparedOffsetOf(node);
    if (prepared < 0 || m_origin.Line <= 0) {
        return {};
    }
    return PlaceAtWritten(WrittenOffset(prepared));
}

bool TSourceMap::ConstantOrigin(const TCodeNode& constant, TSourceOrigin& origin) const {
    const std::int32_t prepared = PreparedOffsetOf(constant);
    if (prepared < 0 || !constant.IsTextConstant() || m_origin.Line <= 0) {
        return false;
    }
    const std::string_view written = Written();
    const std::size_t open = WrittenOffset(prepared);
    if (open >= written.size() || written[open] != '[') {
        return false;
    }
    const std::size_t end = ConstantEnd(written, open);
    const std::size_t contentEnd = end > open + 1 && written[end - 1] == ']' ? end - 1 : end;
    const std::string_view content = written.substr(open + 1, contentEnd - open - 1);
    const TSourcePlace start = PlaceAtWritten(open + 1);
    origin.File = start.File;
    origin.Line = start.Line;
    origin.Column = start.Column;
    origin.Written =
        content.find('\n') == std::string_view::npos ? std::string() : std::string(content);
    return true;
}

} // namespace vex
