#include "runtime/NodeArena.h"

#include "runtime/CodeNode.h"
#include "runtime/SourceMap.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace vex {

namespace {

// Blocks after the first double in size up to this one; a larger request gets a block of its
// own size.
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;
// The first block of a text of a few characters: room for two nodes with their link slots.
constexpr std::size_t kSmallestBlock = 64;
// Bytes of block per byte of source for the first block: a statement of the model files takes
// six to eight bytes of nodes per character.
constexpr std::size_t kFirstBlockPerSourceByte = 6;

TTextConstantNode*& TextChainOf(TTextConstantNode* node) noexcept {
    return *reinterpret_cast<TTextConstantNode**>(reinterpret_cast<char*>(node) +
                                                  sizeof(TTextConstantNode));
}

} // namespace

// Every block starts with the link to the block allocated before it.
struct TNodeArena::TBlock {
    TBlock* Previous = nullptr;
};

// The first block continues with the arena's header; the first allocation follows it.
struct TNodeArena::THeader {
    TBlock First;
    TBlock* Newest = nullptr;
    TTextConstantNode* NewestText = nullptr;
    TSourceMap* Sources = nullptr;
};

void* TNodeArena::AllocateInNewBlock(std::size_t size) {
    static_assert(sizeof(THeader) % kAlignment == 0 && sizeof(TBlock) % kAlignment == 0);
    const std::size_t head = m_header ? sizeof(TBlock) : sizeof(THeader);
    std::size_t capacity = 0;
    if (!m_header) {
        capacity = std::clamp(m_sizeHint * kFirstBlockPerSourceByte, kSmallestBlock, kLargestBlock);
    } else {
        capacity = std::min(m_lastBlockSize * 2, kLargestBlock);
    }
    capacity = std::max(capacity, size);
    char* memory = static_cast<char*>(std::calloc(1, head + capacity));
    if (!memory) {
        throw std::bad_alloc();
    }
    if (!m_header) {
        m_header = new (memory) THeader();
        m_header->Newest = &m_header->First;
    } else {
        auto* block = new (memory) TBlock();
        block->Previous = m_header->Newest;
        m_header->Newest = block;
    }
    m_lastBlockSize = capacity;
    m_next = memory + head + size;
    m_end = memory + head + capacity;
    return memory + head;
}

void TNodeArena::ChainText(TTextConstantNode* node) noexcept {
    TextChainOf(node) = m_header->NewestText;
    m_header->NewestText = node;
}

bool TNodeArena::IsFirstAllocation(const void* memory) const noexcept {
    return m_header && memory == m_header + 1;
}

void TNodeArena::Clear() noexcept {
    Release(m_header);
    HandOver();
}

void TNodeArena::HandOver() noexcept {
    m_header = nullptr;
    m_next = m_end = nullptr;
    m_lastBlockSize = 0;
}

void TNodeArena::ReleaseTreeMemory(void* firstAllocation) noexcept {
    Release(static_cast<THeader*>(firstAllocation) - 1);
}

TSourceMap*& TNodeArena::SourceMapOf(void* firstAllocation) noexcept {
    return (static_cast<THeader*>(firstAllocation) - 1)->Sources;
}

void TNodeArena::Release(THeader* header) noexcept {
    if (!header) {
        return;
    }
    delete header->Sources;
    for (TTextConstantNode* text = header->NewestText; text;) {
        TTextConstantNode* next = TextChainOf(text);
        text->~TTextConstantNode();
        text = next;
    }
    for (TBlock* block = header->Newest; block;) {
        TBlock* previous = block->Previous;
        std::free(block);
        block = previous;
    }
}

} // namespace vex
