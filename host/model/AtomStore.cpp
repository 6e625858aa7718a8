#include "host/model/AtomStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace vex::host {

namespace {

constexpr std::size_t RoundUp(std::size_t size, std::size_t to) {
    return (size + to - 1) / to * to;
}

} // namespace

TAtomStore::TAtomStore(std::size_t roomSize, std::size_t roomAlignment) noexcept
    : m_roomSize(RoundUp(std::max(roomSize, sizeof(TFreeRoom)), roomAlignment))
    , m_roomAlignment(std::max(roomAlignment, alignof(TFreeRoom))) {}

TAtomStore::~TAtomStore() {
    for (TFreeRoom* room = m_free; room;) {
        Unpoison(room);
        room = room->Next;
    }
    for (void* block : m_blocks) {
        std::free(block);
    }
}

void TAtomStore::AddBlock() {
    m_blocks.reserve(m_blocks.size() + 1);
    void* block = std::aligned_alloc(kBlockSize, kBlockSize);
    if (!block) {
        throw std::bad_alloc();
    }
    m_blocks.push_back(block);
    static_cast<TBlockHead*>(block)->Store = this;
    const std::size_t head = RoundUp(sizeof(TBlockHead), m_roomAlignment);
    m_next = static_cast<char*>(block) + head;
    m_end = m_next + (kBlockSize - head) / m_roomSize * m_roomSize;
}

void TAtomStore::Give(void* room) noexcept {
    if (!room) {
        return;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(room);
    TAtomStore* store = reinterpret_cast<TBlockHead*>(address & ~(kBlockSize - 1))->Store;
    auto* freed = static_cast<TFreeRoom*>(room);
    freed->Next = store->m_free;
    store->m_free = freed;
    store->Poison(freed);
}

} // namespace vex::host
