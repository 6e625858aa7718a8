#pragma once

#include <cstddef>
#include <cstdint>

namespace vex {

struct TTextConstantNode;
class TSourceMap;

// The memory of one code tree. Nodes and their argument arrays are carved out of a chain of
// zero-filled blocks and released together with the tree, so building a tree costs a handful of
// allocations instead of two per node. The first block starts with the arena's header, followed
// directly by the first allocation, which the parser makes for the tree's root: the root finds
// its arena at a fixed distance in front of it. Text constants own reference-counted texts; the
// arena chains them and destroys their texts before it frees the blocks.
class TNodeArena {
public:
    // `sizeHint` (the length of the source text) sizes the first block.
    explicit TNodeArena(std::size_t sizeHint) noexcept
        : m_sizeHint(sizeHint) {}
    ~TNodeArena() { Clear(); }
    TNodeArena(const TNodeArena&) = delete;
    TNodeArena& operator=(const TNodeArena&) = delete;

    // Zero-filled memory of `size` bytes, aligned for any node. Throws std::bad_alloc.
    void* Allocate(std::size_t size) {
        size = (size + kAlignment - 1) & ~(kAlignment - 1);
        if (size <= static_cast<std::size_t>(m_end - m_next)) {
            void* memory = m_next;
            m_next += size;
            return memory;
        }
        return AllocateInNewBlock(size);
    }

    // Bytes a text constant needs after its node for the chain (see ChainText).
    static constexpr std::size_t kTextChainSize = sizeof(void*);
    // Chains a text constant whose allocation has kTextChainSize bytes after the node, so that
    // its text is destroyed with the arena.
    void ChainText(TTextConstantNode* node) noexcept;

    // True when `memory` is the first allocation since the arena was made or cleared.
    bool IsFirstAllocation(const void* memory) const noexcept;
    // Releases everything allocated so far; the next allocation is the first again.
    void Clear() noexcept;
    // Hands the blocks over to the tree whose root is the first allocation: from now on
    // ReleaseTreeMemory frees them. The arena is empty afterwards.
    void HandOver() noexcept;

    // Destroys the texts, the places of the nodes and the blocks of the tree whose first
    // allocation (the root's) starts at `firstAllocation`.
    static void ReleaseTreeMemory(void* firstAllocation) noexcept;
    // The places of the nodes of that tree (SourceMap.h), kept in the arena's header; the tree
    // owns them.
    static TSourceMap*& SourceMapOf(void* firstAllocation) noexcept;

private:
    // Every node type is aligned to at most 8 bytes (checked where the nodes are made).
    static constexpr std::size_t kAlignment = 8;
    struct TBlock;
    struct THeader;

    void* AllocateInNewBlock(std::size_t size);
    static void Release(THeader* header) noexcept;

    THeader* m_header = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::size_t m_sizeHint = 0;
    std::size_t m_lastBlockSize = 0;
};

} // namespace vex
