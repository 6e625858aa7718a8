#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vex::host {

// A pending event: at `Time`, the OnEvent handler of `Atom` runs with `Code` readable through
// EventCode and `Involved` in the second register. Atom references may be none (0).
struct TEvent {
    double Time = 0;
    std::int32_t Code = 0;
    std::int32_t Priority = 0;
    std::int32_t Atom = 0;
    std::int32_t Involved = 0;
    // Order of scheduling; breaks ties of time and priority.
    std::uint64_t Sequence = 0;
};

// The pending events in the order they will run: by time, then the higher priority first, then
// the order they were scheduled in.
//
// Scheduling and taking the next event cost the same whatever the number of events pending (a
// ladder of time buckets, as calendar queues have): the events due soonest wait in a small heap
// (`m_soon`); the later ones up to the end of the current rung lie unsorted in buckets of equal
// width; the rest lie unsorted above the rung. When the heap runs dry it takes the next bucket;
// when the buckets run dry, the events above become a new rung with about one bucket per two
// events. Each event is moved a few times at most, and sorted only in the small heap. The
// events outside the heap are kept in blocks of a fixed size with a list of free places, so a
// pending event costs 36 bytes and a run that keeps few events pending keeps its memory.
class TEventList {
public:
    TEventList();
    ~TEventList();
    TEventList(const TEventList&) = delete;
    TEventList& operator=(const TEventList&) = delete;

    struct TOrder {
        // True when `a` runs before `b`.
        bool operator()(const TEvent& a, const TEvent& b) const noexcept;
    };

    // Adds an event and gives its sequence number.
    std::uint64_t Schedule(double time, std::int32_t code, std::int32_t priority, std::int32_t atom,
                           std::int32_t involved);
    bool Empty() const noexcept { return m_count == 0; }
    std::size_t Count() const noexcept { return m_count; }
    // The event that runs next, or none.
    const TEvent* Next();
    // Takes the next event out of the list; the list must not be empty.
    TEvent TakeNext();
    // Drops every event whose atom `dropped` answers true for; gives how many were dropped.
    std::size_t RemoveEvents(const std::function<bool(std::int32_t atom)>& dropped);
    void Clear() noexcept;
    // The pending events in run order, for display and saving.
    std::vector<TEvent> Events() const;

private:
    static constexpr std::int32_t kNone = -1;
    // Places per block of the store: 32,768 events, 1 MiB of events and 128 KiB of links.
    static constexpr int kBlockBits = 15;
    static constexpr std::int32_t kBlockSize = 1 << kBlockBits;

    struct TBlock;
    TEvent& At(std::int32_t place) noexcept;
    std::int32_t& Link(std::int32_t place) noexcept;
    const TEvent& At(std::int32_t place) const noexcept;
    std::int32_t Link(std::int32_t place) const noexcept;
    std::int32_t Store(const TEvent& event);
    void Free(std::int32_t place) noexcept;

    void PushSoon(const TEvent& event);
    // The bucket of a time on the current rung (times at most m_rungLast).
    std::size_t BucketOf(double time) const noexcept;
    // Fills the heap from the next bucket, or from a new rung; false when nothing is pending.
    bool Refill();
    void BuildRung();
    void MoveToSoon(std::int32_t place);
    void ForEachList(const std::function<void(std::int32_t& head)>& visit);
    void ForEachListConst(const std::function<void(std::int32_t head)>& visit) const;

    // Store of the events outside the heap: blocks of events with their links, free places
    // linked from m_free.
    std::vector<std::unique_ptr<TBlock>> m_blocks;
    std::int32_t m_used = 0;
    std::int32_t m_free = kNone;

    // The events due soonest: a binary heap by TOrder (its front runs first). Every event in it
    // lies in a bucket at or below m_soonBucket of the rung.
    std::vector<TEvent> m_soon;
    // The rung: buckets of width m_width from m_rungStart, each an unsorted list; the times of
    // its events are at most m_rungLast; buckets up to m_soonBucket have been taken already.
    std::vector<std::int32_t> m_buckets;
    double m_rungStart = 0;
    double m_width = 0;
    double m_rungLast = 0;
    std::size_t m_soonBucket = 0;
    bool m_rungActive = false;
    // The events after the rung, unsorted, with their earliest and latest times.
    std::int32_t m_top = kNone;
    std::size_t m_topCount = 0;
    double m_topFirst = 0;
    double m_topLast = 0;

    std::size_t m_count = 0;
    std::uint64_t m_nextSequence = 1;
};

} // namespace vex::host
