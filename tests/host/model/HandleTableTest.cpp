// Handles of model objects: live handles find their object, stale and made-up ones find nothing.

#include "host/model/HandleTable.h"

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

} // namespace
} // namespace vex::host
