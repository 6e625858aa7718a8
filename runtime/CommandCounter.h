#pragma once

// Performance measuring of debug runs: the tick counter, the simulation and animation time
// totals and the command counter, which counts how often each word and each kind of leaf node
// ran (and, with timed counting, the own time of each). The engine feeds them at every node of
// a debug run; the debugger window shows them.

#include <cstddef>
#include <cstdint>

namespace vex {

class TLanguageInterpreter;
struct TCodeNode;

namespace counting {

// Bits of TPerformance::CountingMode.
enum TCountingMode : std::uint8_t {
    cmProcessorTime = 1, // time the evaluations of simulation and animation runs
    cmCountCommands = 2, // count every node by word or kind
    cmTimedCounting = 4, // with both: count every node with its own time
};

// The processor's time-stamp counter in ticks of 128 cycles (a monotonic clock in nanoseconds
// divided by 128 where there is no such counter).
std::uint64_t ReadTickCounter() noexcept;
// True when the tick counter can be read and gives a nonzero value.
bool ProcessorTimeAvailable() noexcept;

// An unsigned 128-bit sum of ticks, so that totals never overflow.
struct TTicks128 {
    std::uint64_t Low = 0;
    std::uint64_t High = 0;

    // Adds ticks, carrying into the high half.
    void Add(std::uint64_t ticks) noexcept {
        Low += ticks;
        High += Low < ticks ? 1 : 0;
    }
    // True when nothing was added.
    bool IsZero() const noexcept { return (Low | High) == 0; }
    // The sum as a double, for percentages.
    double ToDouble() const noexcept {
        return static_cast<double>(High) * 18446744073709551616.0 + static_cast<double>(Low);
    }
};

// The command counter: one entry per kind of leaf node (entries 0 to 6) and per word (entry
// w + 6 for word number w) in one flat block, so that counting a node is one increment. The
// block grows only when a higher word number is counted than it has room for.
class TWordList {
public:
    // An entry without time; timed entries add the own time in ticks.
    struct TEntry {
        std::uint32_t Count = 0;
        void* Row = nullptr; // the window's list row showing the entry, or none
    };
    struct TTimedEntry : TEntry {
        // The own time in ticks.
        std::int64_t Time = 0;
    };

    // Room for the 1667 built-in words.
    TWordList();
    TWordList(const TWordList&) = delete;
    TWordList& operator=(const TWordList&) = delete;
    ~TWordList();

    // Binds the counter to `context`, whose word lists bound the growing, and makes room for
    // its words.
    void AttachCounter(const TLanguageInterpreter& context);
    // Makes room for `words` words in the current layout, keeping all entries.
    void GrowCounter(int words);
    // Counts entry `index` + 7 for index -7 to 0, word number `index` from 1 up. Words beyond
    // the context's word list, and indexes below -7, are not counted.
    void CountIndex(int index);
    // Counts a node by its word or kind.
    void CountNode(const TCodeNode& node);
    // Counts a node and adds its own time.
    void CountTimedNode(const TCodeNode& node, std::uint64_t ticks);
    // Switches the entries to the layout with (or without) time. Only while nothing is counted.
    void SetTimed(bool on);
    // Zeroes every entry and the totals.
    void ResetCounter() noexcept;

    // Entry `entry` (0 to Capacity() + 6), or none beyond the block.
    TEntry* Entry(int entry) noexcept;
    // The own time of entry `entry`; 0 without timed counting.
    std::int64_t EntryTime(int entry) noexcept;

    // The highest word number counted so far, and the highest the block has room for.
    std::uint16_t HighestWord() const noexcept { return m_highestWord; }
    std::uint16_t Capacity() const noexcept { return m_capacity; }
    // The nodes counted and, with timed counting, their own times together.
    std::uint64_t TotalCount() const noexcept { return m_totalCount; }
    const TTicks128& TotalTime() const noexcept { return m_totalTime; }
    // True in the layout with time.
    bool Timed() const noexcept { return m_timed; }
    // The size of the block of entries in bytes.
    std::size_t BlockSize() const noexcept { return m_blockSize; }

private:
    std::size_t EntrySize() const noexcept;
    // The entry a node or index counts under, or none.
    TEntry* EntryOfIndex(int index);
    TEntry* EntryOfNode(const TCodeNode& node);

    unsigned char* m_entries = nullptr;
    std::uint16_t m_highestWord = 0;
    std::uint16_t m_capacity = 0;
    std::uint64_t m_totalCount = 0;
    TTicks128 m_totalTime;
    bool m_timed = false;
    const TLanguageInterpreter* m_context = nullptr;
    std::size_t m_blockSize = 0;
};

// The counting state of debug runs: the context keeps it, the engine feeds it, the debugger
// window shows it.
struct TPerformance {
    // TCountingMode bits; read by the engine at every node of a debug run.
    std::uint8_t CountingMode = 0;
    // Ticks measured in runs of simulation (and not animation) origin, and of animation origin.
    TTicks128 SimulationTime;
    TTicks128 AnimationTime;
    // The counts (and own times) per word and kind of node.
    TWordList Counter;
    // Where the engine reads the time; tests put in a clock of their own.
    std::uint64_t (*TickSource)() noexcept = &ReadTickCounter;

    // The simulation share of both totals: -1 when nothing was measured.
    double TimeShare() const noexcept;
};

} // namespace counting
} // namespace vex
