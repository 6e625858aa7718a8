#include "runtime/Text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace vex {

namespace {

void checkTextSize(std::size_t size) {
    if (size > kMaxTextSize) {
        throw std::length_error("Text too long (more than 256 MiB)");
    }
}

} // namespace

TText::Block* TText::allocate(std::size_t capacity) {
    void* memory = std::malloc(offsetof(Block, Bytes) + capacity + 1);
    if (!memory) {
        throw std::bad_alloc();
    }
    Block* block = static_cast<Block*>(memory);
    new (&block->Owners) std::atomic<int>(1);
    block->Size = 0;
    block->Capacity = capacity;
    block->Bytes[0] = '\0';
    return block;
}

void TText::releaseShared(Block* block) noexcept {
    if (block->Owners.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block->Owners.~atomic();
        std::free(block);
    }
}

TText::TText(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    checkTextSize(bytes.size());
    m_block = allocate(bytes.size());
    std::memcpy(m_block->Bytes, bytes.data(), bytes.size());
    m_block->Bytes[bytes.size()] = '\0';
    m_block->Size = bytes.size();
}

// Appending to a text with a single owner grows the buffer geometrically, so that a script
// that builds a text piece by piece runs in linear time.
TText& TText::append(std::string_view bytes) {
    if (bytes.empty()) {
        return *this;
    }
    const std::size_t oldSize = size();
    checkTextSize(bytes.size() > kMaxTextSize ? bytes.size() : oldSize + bytes.size());
    const std::size_t newSize = oldSize + bytes.size();
    const bool soleOwner =
        hasBuffer(m_block) && m_block->Owners.load(std::memory_order_acquire) == 1;
    if (soleOwner && newSize <= m_block->Capacity) {
        // The source may lie inside our own buffer; memmove keeps that safe.
        std::memmove(m_block->Bytes + oldSize, bytes.data(), bytes.size());
    } else {
        const std::size_t capacity =
            soleOwner ? std::max(newSize, std::min(oldSize * 2, kMaxTextSize)) : newSize;
        Block* grown = allocate(capacity);
        std::memcpy(grown->Bytes, data(), oldSize);
        // Copied before the old buffer goes: the source may lie inside it.
        std::memcpy(grown->Bytes + oldSize, bytes.data(), bytes.size());
        release(m_block);
        m_block = grown;
    }
    m_block->Size = newSize;
    m_block->Bytes[newSize] = '\0';
    return *this;
}

void TText::reserve(std::size_t size) {
    checkTextSize(size);
    const std::size_t oldSize = this->size();
    const bool soleOwner =
        hasBuffer(m_block) && m_block->Owners.load(std::memory_order_acquire) == 1;
    if (size == 0 || (soleOwner && size <= m_block->Capacity)) {
        return;
    }
    const std::size_t capacity = std::max(size, std::min(oldSize * 2, kMaxTextSize));
    Block* grown = allocate(capacity);
    std::memcpy(grown->Bytes, data(), oldSize + 1);
    grown->Size = oldSize;
    release(m_block);
    m_block = grown;
}

int TText::shareCount() const noexcept {
    return hasBuffer(m_block) ? m_block->Owners.load(std::memory_order_relaxed) : 0;
}

TText operator+(const TText& a, std::string_view b) {
    TText result(a);
    result.append(b);
    return result;
}

namespace {

unsigned char FoldAscii(unsigned char c) noexcept {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

} // namespace

int CompareText(std::string_view a, std::string_view b) noexcept {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int ca = FoldAscii(static_cast<unsigned char>(a[i]));
        const int cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca - cb;
        }
    }
    return (a.size() < b.size()) ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace vex
