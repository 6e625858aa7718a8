#include "runtime/CommandCounter.h"
#include "runtime/ContextParts.h"

#include "runtime/CodeNode.h"
#include "runtime/Variables.h"
#include "runtime/VexScript.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__x86_64__) || defined(_M_X64)
#include <x86intrin.h>
#define VEX_HAS_TSC 1
#endif

namespace vex::counting {

namespace {

constexpr int kKindEntries = 7;

} // namespace

std::uint64_t ReadTickCounter() noexcept {
#ifdef VEX_HAS_TSC
    return __rdtsc() >> 7;
#else
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
               std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) >>
           7;
#endif
}

bool ProcessorTimeAvailable() noexcept {
    return ReadTickCounter() != 0;
}

double TPerformance::TimeShare() const noexcept {
    if (SimulationTime.IsZero() && AnimationTime.IsZero()) {
        return -1;
    }
    if (AnimationTime.IsZero()) {
        return 1;
    }
    if (SimulationTime.IsZero()) {
        return 0;
    }
    const double simulation = SimulationTime.ToDouble();
    return simulation / (simulation + AnimationTime.ToDouble());
}

TWordList::TWordList() {
    GrowCounter(kBuiltInWordCount);
}

TWordList::~TWordList() {
    std::free(m_entries);
}

std::size_t TWordList::EntrySize() const noexcept {
    return m_timed ? sizeof(TTimedEntry) : sizeof(TEntry);
}

void TWordList::AttachCounter(const TLanguageInterpreter& context) {
    m_context = &context;
    GrowCounter(std::max(Parts(context).Registry.Count(), kBuiltInWordCount));
}

void TWordList::GrowCounter(int words) {
    words = std::clamp(words, 0, 0xFFFF - kKindEntries);
    const std::size_t needed = static_cast<std::size_t>(words + kKindEntries) * EntrySize();
    if (m_blockSize >= needed) {
        return;
    }
    auto* grown = static_cast<unsigned char*>(std::realloc(m_entries, needed));
    if (!grown) {
        throw std::bad_alloc();
    }
    std::memset(grown + m_blockSize, 0, needed - m_blockSize);
    m_entries = grown;
    m_blockSize = needed;
    m_capacity = static_cast<std::uint16_t>(words);
}

TWordList::TEntry* TWordList::Entry(int entry) noexcept {
    if (entry < 0 || static_cast<std::size_t>(entry + 1) * EntrySize() > m_blockSize) {
        return nullptr;
    }
    return reinterpret_cast<TEntry*>(m_entries + static_cast<std::size_t>(entry) * EntrySize());
}

std::int64_t TWordList::EntryTime(int entry) noexcept {
    TEntry* found = m_timed ? Entry(entry) : nullptr;
    return found ? static_cast<TTimedEntry*>(found)->Time : 0;
}

TWordList::TEntry* TWordList::EntryOfIndex(int index) {
    if (index < -kKindEntries) {
        return nullptr;
    }
    if (index <= 0) {
        return Entry(index + kKindEntries);
    }
    if (index > m_highestWord) {
        if (index > m_capacity) {
            if (!m_context ||
                static_cast<int>(Parts(*m_context).Registry.WordSyntax.size()) < index) {
                return nullptr;
            }
            GrowCounter(static_cast<int>(Parts(*m_context).Registry.WordSyntax.capacity()));
            if (index > m_capacity) {
                return nullptr;
            }
        }
        m_highestWord = static_cast<std::uint16_t>(index);
    }
    return Entry(index + kKindEntries - 1);
}

TWordList::TEntry* TWordList::EntryOfNode(const TCodeNode& node) {
    if (node.IsCall()) {
        return EntryOfIndex(node.WordNumber);
    }
    if (node.IsNumberConstant()) {
        return EntryOfIndex(-1);
    }
    if (node.IsTextConstant()) {
        return EntryOfIndex(-2);
    }
    const TVariable* var = static_cast<const TVariableNode&>(node).Var;
    return EntryOfIndex((var ? var->Kind : 0) - kKindEntries);
}

void TWordList::CountIndex(int index) {
    if (TEntry* entry = EntryOfIndex(index)) {
        ++entry->Count;
        ++m_totalCount;
    }
}

void TWordList::CountNode(const TCodeNode& node) {
    if (TEntry* entry = EntryOfNode(node)) {
        ++entry->Count;
        ++m_totalCount;
    }
}

void TWordList::CountTimedNode(const TCodeNode& node, std::uint64_t ticks) {
    TEntry* entry = EntryOfNode(node);
    if (!entry) {
        return;
    }
    ++entry->Count;
    ++m_totalCount;
    if (m_timed) {
        static_cast<TTimedEntry*>(entry)->Time += static_cast<std::int64_t>(ticks);
        m_totalTime.Add(ticks);
    }
}

void TWordList::SetTimed(bool on) {
    if (on == m_timed) {
        return;
    }
    m_timed = on;
    if (on) {
        // The same number of words in the larger layout; the counts are all 0 here.
        const int words = m_capacity;
        m_capacity = 0;
        GrowCounter(words);
        ResetCounter();
    }
}

void TWordList::ResetCounter() noexcept {
    m_totalCount = 0;
    m_totalTime = {};
    if (m_entries) {
        std::memset(m_entries, 0, m_blockSize);
    }
}

} // namespace vex::counting
