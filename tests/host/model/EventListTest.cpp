// The pending events: whatever the mix of times, priorities, scheduling while running and
// dropping, events come out in the order a sorted list gives, and the atoms' index by ID finds
// what was put in.

#include "host/model/EventList.h"
#include "host/model/IdIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <unordered_map>

namespace vex::host {
namespace {

using TReference = std::set<TEvent, TEventList::TOrder>;

void ExpectSameOrder(const TEventList& list, const TReference& reference) {
    const std::vector<TEvent> events = list.Events();
    ASSERT_EQ(events.size(), reference.size());
    std::size_t i = 0;
    for (const TEvent& expected : reference) {
        EXPECT_EQ(events[i++].Sequence, expected.Sequence);
    }
}

// Times from a few shapes: spread out, many at one time, clustered near the clock, far away.
double DrawTime(std::mt19937& random, double clock, int shape) {
    switch (shape) {
    case 0:
        return clock + std::uniform_real_distribution<double>(0, 100)(random);
    case 1:
        return clock + std::uniform_int_distribution<int>(0, 3)(random);
    case 2:
        return clock + std::exponential_distribution<double>(4)(random);
    default:
        return clock + 1e6 * std::uniform_real_distribution<double>(0, 1)(random);
    }
}

TEST(EventListTest, RunsInTheOrderOfASortedListThroughSchedulingTakingAndDropping) {
    for (int shape = 0; shape < 4; ++shape) {
        std::mt19937 random(static_cast<unsigned>(shape) + 1);
        TEventList list;
        TReference reference;
        double clock = 0;
        for (int step = 0; step < 20000; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 99)(random);
            if (action < 55 || reference.empty()) {
                const double time = DrawTime(random, clock, shape);
                const int priority = std::uniform_int_distribution<int>(-1, 1)(random);
                const int atom = std::uniform_int_distribution<int>(0, 50)(random);
                const std::uint64_t sequence = list.Schedule(time, step, priority, atom, 0);
                reference.insert({time, step, priority, atom, 0, sequence});
            } else if (action < 99) {
                ASSERT_EQ(list.Next()->Sequence, reference.begin()->Sequence);
                const TEvent event = list.TakeNext();
                EXPECT_EQ(event.Sequence, reference.begin()->Sequence);
                EXPECT_EQ(event.Code, reference.begin()->Code);
                clock = event.Time;
                reference.erase(reference.begin());
            } else {
                const int atom = std::uniform_int_distribution<int>(1, 50)(random);
                const std::size_t dropped =
                    list.RemoveEvents([atom](std::int32_t a) { return a == atom; });
                EXPECT_EQ(dropped, std::erase_if(reference, [atom](const TEvent& e) {
                              return e.Atom == atom;
                          }));
            }
            ASSERT_EQ(list.Count(), reference.size());
        }
        ExpectSameOrder(list, reference);
        while (!reference.empty()) {
            ASSERT_EQ(list.TakeNext().Sequence, reference.begin()->Sequence) << shape;
            reference.erase(reference.begin());
        }
        EXPECT_EQ(list.Next(), nullptr);
        EXPECT_TRUE(list.Empty());
    }
}

TEST(EventListTest, ClearedListTakesNewEventsFromScratch) {
    TEventList list;
    for (int k = 0; k < 1000; ++k) {
        list.Schedule(1000 - k, k, 0, 1, 0);
    }
    EXPECT_EQ(list.TakeNext().Code, 999);
    list.Clear();
    EXPECT_EQ(list.Next(), nullptr);
    list.Schedule(5, 1, 0, 1, 0);
    list.Schedule(2, 2, 0, 1, 0);
    EXPECT_EQ(list.TakeNext().Code, 2);
    EXPECT_EQ(list.TakeNext().Code, 1);
    EXPECT_TRUE(list.Empty());
}

TEST(IdIndexTest, FindsWhatWasSetThroughAddingAndErasing) {
    std::mt19937 random(3);
    TIdIndex index;
    std::unordered_map<std::uint32_t, std::int32_t> reference;
    std::vector<std::uint32_t> used;
    for (int step = 0; step < 50000; ++step) {
        auto id = std::uniform_int_distribution<std::uint32_t>(1, 3000)(random);
        // A quarter far apart, as IDs read from files may be; the others near each other.
        if (random() % 4 == 0) {
            id *= 1000003u;
        }
        used.push_back(id);
        if (random() % 3 == 0) {
            index.Erase(id);
            reference.erase(id);
        } else {
            index.Set(id, step + 1);
            reference[id] = step + 1;
        }
    }
    EXPECT_EQ(index.Size(), reference.size());
    used.push_back(0);
    used.push_back(3001);
    for (std::uint32_t id : used) {
        const auto found = reference.find(id);
        EXPECT_EQ(index.Find(id), found == reference.end() ? 0 : found->second) << id;
    }
}

} // namespace
} // namespace vex::host
