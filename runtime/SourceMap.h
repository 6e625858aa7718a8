#pragma once

// The places of a tree's nodes in their file, kept beside the tree: the compiler fills a side
// table from node to offset while it builds the tree, and the tree's root owns the table. The
// nodes themselves carry nothing, so a run pays nothing for it; a place is worked out when it
// is asked for (an error's report, a debugger's breakpoint).

#include "runtime/SourcePlace.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vex {

struct TCodeNode;

class TSourceMap {
public:
    // `compiled` is the text given to the compiler, `origin` where it lies in its file.
    TSourceMap(std::string_view compiled, const TSourceOrigin& origin);

    // Records that the text of `node` starts at `preparedOffset` in the prepared text (the
    // compiled text without its whitespace and comments), -1 when that is not known yet; gives
    // the record's index. The compiler records a node before its arguments.
    std::size_t Add(const TCodeNode& node, std::int32_t preparedOffset);
    // A call whose start was not known when it was recorded (one the compiler made from an
    // operator) starts where its first argument, recorded right after it, does.
    void StartWithFirstArgument(std::size_t index) noexcept;
    // Makes the table ready for lookups; the compiler calls it once the tree is built.
    void Finish();

    // The place of a node of the tree; unknown for a node the table does not hold.
    TSourcePlace PlaceOf(const TCodeNode& node) const;
    // Where the content of the text constant `constant` lies in the file. False for a node the
    // table does not hold or one that is no text constant.
    bool ConstantOrigin(const TCodeNode& constant, TSourceOrigin& origin) const;

private:
    std::int32_t PreparedOffsetOf(const TCodeNode& node) const;
    // The offset in the written text of an offset in the prepared text.
    std::size_t WrittenOffset(std::int32_t preparedOffset) const;
    TSourcePlace PlaceAtWritten(std::size_t writtenOffset) const;
    std::string_view Written() const noexcept {
        return m_origin.Written.empty() ? std::string_view(m_compiled) : m_origin.Written;
    }

    std::string m_compiled;
    TSourceOrigin m_origin;
    // Node and prepared offset, sorted by node once finished.
    std::vector<std::pair<const TCodeNode*, std::int32_t>> m_nodes;
};

// For each byte of RemoveWhitespaceAndComments(source), the offset in `source` it came from.
std::vector<std::int32_t> PreparedSourceOffsets(std::string_view source);

// The table of the tree whose root is `root`, or none; the root owns it once attached, and it
// goes with the tree.
TSourceMap* SourceMapOf(const TCodeNode& root) noexcept;
void AttachSourceMap(TCodeNode& root, TSourceMap* map) noexcept;

} // namespace vex
