#pragma once

// The code listing the debugger shows: one text written from a code tree (every call as its
// name and a parenthesised argument list, broken over lines where it would not fit into 80
// columns), with a position record per node. The records take over the nodes' link slots, so a
// node finds its position in constant time; the parent links are gone from then on.

#include "runtime/CodeNode.h"

#include <cstdint>
#include <string>

namespace vex {

class TLanguageInterpreter;

// Where a node's text lies in its listing.
struct TPositionRecord {
    // The listing's first record (the root's); the root's record points to itself. Records of
    // one listing share this link.
    TPositionRecord* RootLink = nullptr;
    // 0-based offset of the node's text in the listing text.
    std::int32_t Start = 0;
    // The word name of a call; the whole text of a constant or variable.
    std::int32_t HeadLength = 0;
    // The node's whole text, through the closing parenthesis of a call.
    std::int32_t ExtentLength = 0;
};

// A listing: one block holding the root, the text and a record per node in pre-order. It belongs
// to the tree and is released with the tree's root.
struct TListing {
    // The tree's root, the listing text and the number of position records (one per node).
    TCodeNode* Root = nullptr;
    std::string Text;
    std::int32_t RecordCount = 0;
    // Tells this listing from every other one built by the process, also from one built later at
    // the same address: a debugger that remembers which listing it shows keeps the serial, never
    // a pointer that the tree's release would leave dangling.
    std::uint64_t Serial = 0;

    // The position records, in pre-order of the nodes.
    TPositionRecord* Records() noexcept { return reinterpret_cast<TPositionRecord*>(this + 1); }
    const TPositionRecord* Records() const noexcept {
        return reinterpret_cast<const TPositionRecord*>(this + 1);
    }
    // The listing a record belongs to.
    static TListing* Of(const TPositionRecord& record) noexcept {
        return reinterpret_cast<TListing*>(record.RootLink) - 1;
    }
};

// Widest line of a listing: a call whose one-line text plus its depth would reach column 81 is
// broken over lines.
inline constexpr int kListingColumns = 80;

// The listing of the tree that holds `node`, built on first use. None for none and for nodes
// compiled without parent links. Word names come from `context`.
TListing* GetListing(const TLanguageInterpreter& context, TCodeNode* node);
// The node's position record, building the listing if needed; none when there is no listing.
TPositionRecord* GetNodePosition(const TLanguageInterpreter& context, TCodeNode* node);
// Frees a listing block and its text (the tree's release does this at a listed root).
void ReleaseListing(TListing* listing) noexcept;

} // namespace vex
