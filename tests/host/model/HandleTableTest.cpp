// Handles of model objects: live handles find their object, stale and made-up ones find nothing.

#include "host/model/HandleTable.h"
#include "host/model/AtomStore.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace vex::host {
namespace {

TEST(HandleTableTest, RemovedHandlesGoStaleAndReusedSlotsGetNewHandles) {
    THandleTable table;
    const std::int32_t first = table.Add(std::make_unique<TModelObject>());
    const std::int32_t second = table.Add(std::make_unique<TModelObject>());
    ASSERT_NE(first, second);
    EXPECT_GT(first, 0);
    EXPECT_EQ(table.Find(first)->Handle(), first);

    ASSERT_NE(table.Remove(first), nullptr);
    EXPECT_EQ(table.Find(first), nullptr);
    EXPECT_EQ(table.Remove(first), nullptr);

    const std::int32_t reused = table.Add(std::make_unique<TModelObject>());
    EXPECT_NE(reused, first);
    EXPECT_EQ(table.Find(first), nullptr);
    EXPECT_NE(table.Find(reused), nullptr);
    EXPECT_NE(table.Find(second), nullptr);
    EXPECT_EQ(table.Count(), 2u);
}

TEST(HandleTableTest, NumbersThatNeverWereHandlesFindNothing) {
    THandleTable table;
    const std::int32_t live = table.Add(std::make_unique<TModelObject>());
    for (const std::int32_t number : {0, -1, -live, live + 1, live ^ (1 << 20), 1, 2147483647}) {
        EXPECT_EQ(table.Find(number), nullptr) << number;
    }
}

// A freed slot is reused only after the slots freed before it, so a stale handle stays stale
// across many creations and destructions.
TEST(HandleTableTest, StaleHandleStaysStaleThroughChurn) {
    THandleTable table;
    std::vector<std::int32_t> handles;
    for (int i = 0; i < 100; ++i) {
        handles.push_back(table.Add(std::make_unique<TModelObject>()));
    }
    const std::int32_t stale = handles.front();
    for (int round = 0; round < 5000; ++round) {
        table.Remove(handles[static_cast<std::size_t>(round % 100)]);
        handles[static_cast<std::size_t>(round % 100)] =
            table.Add(std::make_unique<TModelObject>());
        ASSERT_EQ(table.Find(stale), nullptr) << round;
    }
}

// Atoms' room: rooms never overlap, also across blocks, and room given back returns to the store
// it came from (found by its address alone) even while two stores take turns.
TEST(AtomStoreTest, RoomsDoNotOverlapAndGoBackToTheirOwnStore) {
    constexpr std::size_t kSize = 40;
    TAtomStore first(kSize, 8);
    TAtomStore second(kSize, 8);
    const std::size_t count = 2 * TAtomStore::kBlockSize / kSize + 10;
    std::vector<void*> fromFirst;
    std::vector<void*> fromSecond;
    for (std::size_t i = 0; i < count; ++i) {
        fromFirst.push_back(first.Take());
        fromSecond.push_back(second.Take());
    }
    std::vector<char*> all;
    for (void* room : fromFirst) {
        all.push_back(static_cast<char*>(room));
    }
    for (void* room : fromSecond) {
        all.push_back(static_cast<char*>(room));
    }
    std::sort(all.begin(), all.end());
    for (std::size_t i = 0; i < all.size(); ++i) {
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(all[i]) % 8, 0u);
        if (i > 0) {
            ASSERT_GE(all[i] - all[i - 1], static_cast<std::ptrdiff_t>(kSize));
        }
    }

    TAtomStore::Give(fromFirst[count - 5]);
    TAtomStore::Give(fromSecond[3]);
    TAtomStore::Give(fromFirst[7]);
    EXPECT_EQ(second.Take(), fromSecond[3]);
    EXPECT_EQ(first.Take(), fromFirst[7]);
    EXPECT_EQ(first.Take(), fromFirst[count - 5]);
}

} // namespace
} // namespace vex::host
