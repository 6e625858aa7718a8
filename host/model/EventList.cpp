#include "host/model/EventList.h"

#include <algorithm>
#include <cmath>

namespace vex::host {

namespace {

// Rungs of fewer events go to the heap at once; a bucket then holds about two events.
constexpr std::size_t kSmallRung = 16;
constexpr std::size_t kEventsPerBucket = 2;

// The heap's order: std::push_heap keeps the greatest in front, so "greater" is "runs later".
struct TRunsLater {
    bool operator()(const TEvent& a, const TEvent& b) const noexcept {
        return TEventList::TOrder()(b, a);
    }
};

} // namespace

struct TEventList::TBlock {
    TEvent Events[kBlockSize];
    std::int32_t Links[kBlockSize];
};

bool TEventList::TOrder::operator()(const TEvent& a, const TEvent& b) const noexcept {
    if (a.Time != b.Time) {
        return a.Time < b.Time;
    }
    if (a.Priority != b.Priority) {
        return a.Priority > b.Priority;
    }
    return a.Sequence < b.Sequence;
}

TEventList::TEventList() = default;
TEventList::~TEventList() = default;

// [store] -------------------------------------------------------------------------------------

TEvent& TEventList::At(std::int32_t place) noexcept {
    return m_blocks[static_cast<std::size_t>(place >> kBlockBits)]
        ->Events[place & (kBlockSize - 1)];
}

const TEvent& TEventList::At(std::int32_t place) const noexcept {
    return m_blocks[static_cast<std::size_t>(place >> kBlockBits)]
        ->Events[place & (kBlockSize - 1)];
}

std::int32_t& TEventList::Link(std::int32_t place) noexcept {
    return m_blocks[static_cast<std::size_t>(place >> kBlockBits)]->Links[place & (kBlockSize - 1)];
}

std::int32_t TEventList::Link(std::int32_t place) const noexcept {
    return m_blocks[static_cast<std::size_t>(place >> kBlockBits)]->Links[place & (kBlockSize - 1)];
}

std::int32_t TEventList::Store(const TEvent& event) {
    std::int32_t place = m_free;
    if (place != kNone) {
        m_free = Link(place);
    } else {
        if (static_cast<std::size_t>(m_used) == m_blocks.size() * kBlockSize) {
            m_blocks.push_back(std::make_unique<TBlock>());
        }
        place = m_used++;
    }
    At(place) = event;
    return place;
}

void TEventList::Free(std::int32_t place) noexcept {
    Link(place) = m_free;
    m_free = place;
}

// [schedule and take] -------------------------------------------------------------------------

void TEventList::PushSoon(const TEvent& event) {
    m_soon.push_back(event);
    std::push_heap(m_soon.begin(), m_soon.end(), TRunsLater());
}

// Monotone in the time, so that every event of a bucket runs before every event of a later one;
// times before the rung's start fall into the first bucket.
std::size_t TEventList::BucketOf(double time) const noexcept {
    if (m_buckets.empty()) {
        return 0;
    }
    const double last = static_cast<double>(m_buckets.size() - 1);
    const double bucket = std::min((time - m_rungStart) / m_width, last);
    return bucket > 0 ? static_cast<std::size_t>(bucket) : 0;
}

std::uint64_t TEventList::Schedule(double time, std::int32_t code, std::int32_t priority,
                                   std::int32_t atom, std::int32_t involved) {
    const TEvent event{time, code, priority, atom, involved, m_nextSequence};
    if (m_rungActive && time <= m_rungLast) {
        const std::size_t bucket = BucketOf(time);
        if (m_buckets.empty() || bucket <= m_soonBucket) {
            PushSoon(event);
        } else {
            const std::int32_t place = Store(event);
            Link(place) = m_buckets[bucket];
            m_buckets[bucket] = place;
        }
    } else {
        const std::int32_t place = Store(event);
        Link(place) = m_top;
        m_top = place;
        m_topFirst = m_topCount == 0 ? time : std::min(m_topFirst, time);
        m_topLast = m_topCount == 0 ? time : std::max(m_topLast, time);
        ++m_topCount;
    }
    ++m_count;
    return m_nextSequence++;
}

const TEvent* TEventList::Next() {
    if (m_soon.empty() && !Refill()) {
        return nullptr;
    }
    return &m_soon.front();
}

TEvent TEventList::TakeNext() {
    Next();
    std::pop_heap(m_soon.begin(), m_soon.end(), TRunsLater());
    const TEvent event = m_soon.back();
    m_soon.pop_back();
    --m_count;
    return event;
}

// Moves the events of a list into the heap, which is empty, and frees their places.
void TEventList::MoveToSoon(std::int32_t place) {
    while (place != kNone) {
        m_soon.push_back(At(place));
        const std::int32_t next = Link(place);
        Free(place);
        place = next;
    }
    std::make_heap(m_soon.begin(), m_soon.end(), TRunsLater());
}

// Takes the next bucket of the rung that holds events into the heap; once the rung is used up,
// makes a rung of the events above it.
bool TEventList::Refill() {
    if (m_rungActive) {
        for (std::size_t bucket = m_soonBucket + 1; bucket < m_buckets.size(); ++bucket) {
            std::int32_t place = m_buckets[bucket];
            if (place == kNone) {
                continue;
            }
            m_buckets[bucket] = kNone;
            m_soonBucket = bucket;
            MoveToSoon(place);
            return true;
        }
        m_rungActive = false;
    }
    if (m_topCount == 0) {
        return false;
    }
    BuildRung();
    return true;
}

// The events above the old rung become the new one: about two events a bucket over their range
// of times, or the heap at once when they are few or all at one time. The first bucket that
// holds events goes to the heap.
void TEventList::BuildRung() {
    const std::size_t count = m_topCount;
    std::int32_t place = m_top;
    m_top = kNone;
    m_topCount = 0;
    m_rungActive = true;
    m_rungStart = m_topFirst;
    m_rungLast = m_topLast;
    m_soonBucket = 0;
    m_buckets.clear();
    const std::size_t buckets = count / kEventsPerBucket;
    m_width = (m_rungLast - m_rungStart) / static_cast<double>(buckets);
    if (count <= kSmallRung || !(m_width > 0) || !std::isfinite(m_width)) {
        MoveToSoon(place);
        return;
    }
    m_buckets.assign(buckets, kNone);
    while (place != kNone) {
        const std::int32_t next = Link(place);
        const std::size_t bucket = BucketOf(At(place).Time);
        Link(place) = m_buckets[bucket];
        m_buckets[bucket] = place;
        place = next;
    }
    // Bucket 0 holds the earliest event; Refill takes it from "just before" it.
    m_soonBucket = static_cast<std::size_t>(-1);
    Refill();
}

// [the rest] ----------------------------------------------------------------------------------

void TEventList::ForEachList(const std::function<void(std::int32_t& head)>& visit) {
    for (std::int32_t& head : m_buckets) {
        visit(head);
    }
    visit(m_top);
}

void TEventList::ForEachListConst(const std::function<void(std::int32_t head)>& visit) const {
    for (std::int32_t head : m_buckets) {
        visit(head);
    }
    visit(m_top);
}

std::size_t TEventList::RemoveEvents(const std::function<bool(std::int32_t atom)>& dropped) {
    std::size_t removed = std::erase_if(m_soon, [&](const TEvent& e) { return dropped(e.Atom); });
    std::make_heap(m_soon.begin(), m_soon.end(), TRunsLater());
    std::size_t removedFromTop = 0;
    ForEachList([&](std::int32_t& head) {
        const bool isTop = &head == &m_top;
        std::int32_t* link = &head;
        while (*link != kNone) {
            const std::int32_t place = *link;
            if (dropped(At(place).Atom)) {
                *link = Link(place);
                Free(place);
                ++removed;
                removedFromTop += isTop ? 1 : 0;
            } else {
                link = &Link(place);
            }
        }
    });
    // The earliest and latest times of the events above the rung stay as bounds.
    m_topCount -= removedFromTop;
    m_count -= removed;
    return removed;
}

void TEventList::Clear() noexcept {
    m_blocks.clear();
    m_used = 0;
    m_free = kNone;
    m_soon.clear();
    m_buckets.clear();
    m_rungActive = false;
    m_soonBucket = 0;
    m_top = kNone;
    m_topCount = 0;
    m_count = 0;
}

std::vector<TEvent> TEventList::Events() const {
    std::vector<TEvent> events(m_soon.begin(), m_soon.end());
    events.reserve(m_count);
    ForEachListConst([&](std::int32_t place) {
        for (; place != kNone; place = Link(place)) {
            events.push_back(At(place));
        }
    });
    std::sort(events.begin(), events.end(), TOrder());
    return events;
}

} // namespace vex::host
