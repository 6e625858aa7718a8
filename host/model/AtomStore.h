#pragma once

#include <cstddef>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ZENTARO_ATOM_STORE_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTARO_ATOM_STORE_POISONS 1
#endif
#endif
#ifdef ZENTARO_ATOM_STORE_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace vex::host {

// Room for the atoms of one model, taken from blocks of a fixed size instead of one heap
// allocation per atom: a model of a million atoms makes a few hundred allocations, and an atom
// carries no allocator header. Freed room goes to a list that the next atom takes first. The
// blocks are aligned to their size, so that room given back finds its store from its address
// alone. The store must outlive the atoms in it; it releases its blocks when it goes.
class TAtomStore {
public:
    // The size and alignment of one atom.
    TAtomStore(std::size_t roomSize, std::size_t roomAlignment) noexcept;
    TAtomStore(const TAtomStore&) = delete;
    TAtomStore& operator=(const TAtomStore&) = delete;
    ~TAtomStore();

    // Room for one atom. Throws std::bad_alloc when no block can be had.
    void* Take() {
        if (m_free) {
            TFreeRoom* room = m_free;
            Unpoison(room);
            m_free = room->Next;
            return room;
        }
        if (m_next == m_end) {
            AddBlock();
        }
        void* room = m_next;
        m_next += m_roomSize;
        return room;
    }
    // Gives room taken from some store back to that store.
    static void Give(void* room) noexcept;

    static constexpr std::size_t kBlockSize = 1024 * 1024;

private:
    struct TFreeRoom {
        TFreeRoom* Next;
    };
    // The start of every block: the store it belongs to.
    struct TBlockHead {
        TAtomStore* Store;
    };

    void AddBlock();
    // Under the address sanitizer, freed room is poisoned, so that a use of a destroyed atom is
    // reported as it would be for heap memory.
    void Poison(void* room) const noexcept {
#ifdef ZENTARO_ATOM_STORE_POISONS
        ASAN_POISON_MEMORY_REGION(room, m_roomSize);
#else
        (void)room;
#endif
    }
    void Unpoison(void* room) const noexcept {
#ifdef ZENTARO_ATOM_STORE_POISONS
        ASAN_UNPOISON_MEMORY_REGION(room, m_roomSize);
#else
        (void)room;
#endif
    }

    std::size_t m_roomSize;
    std::size_t m_roomAlignment;
    TFreeRoom* m_free = nullptr;
    char* m_next = nullptr;
    char* m_end = nullptr;
    std::vector<void*> m_blocks;
};

} // namespace vex::host
