// Texts and string lists: sharing, appending and case-insensitive order.

#include "runtime/Text.h"
#include "runtime/SimpleStringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vex {
namespace {

TEST(TextTest, CopiesShareAndAppendingNeverChangesAnotherOwner) {
    TText a("abc");
    TText b = a;
    EXPECT_EQ(a.shareCount(), 2);
    EXPECT_EQ(a.data(), b.data());
    b += "d";
    EXPECT_EQ(a.view(), "abc");
    EXPECT_EQ(b.view(), "abcd");
    EXPECT_EQ(a.shareCount(), 1);
    b += b.view(); // appending a text to itself
    EXPECT_EQ(b.view(), "abcdabcd");
    TText empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_STREQ(empty.data(), "");
    EXPECT_TRUE(TText("").empty()) << "the empty text holds no buffer";
    EXPECT_EQ(TText(std::string_view("a\0b", 3)).size(), 3u);
}

TEST(TextTest, AppendingToASoleOwnerGrowsInPlace) {
    TText text;
    const char* before = nullptr;
    int moves = 0;
    for (int i = 0; i < 10000; ++i) {
        text += "x";
        if (text.data() != before) {
            ++moves;
            before = text.data();
        }
    }
    EXPECT_EQ(text.size(), 10000u);
    EXPECT_LT(moves, 20) << "geometric growth";
}

TEST(TextTest, ReservingMakesRoomForAppendsWithoutTouchingOtherOwners) {
    TText a("abc");
    TText b = a;
    b.reserve(100);
    EXPECT_NE(b.data(), a.data());
    EXPECT_EQ(a.shareCount(), 1);
    const char* room = b.data();
    for (int i = 0; i < 97; ++i) {
        b += "x";
    }
    EXPECT_EQ(b.data(), room);
    EXPECT_EQ(b.size(), 100u);
    EXPECT_EQ(a.view(), "abc");
    EXPECT_THROW(b.reserve(kMaxTextSize + 1), std::length_error);
    EXPECT_EQ(b.size(), 100u);
    TText empty;
    empty.reserve(0);
    EXPECT_TRUE(empty.empty());
}

TEST(SimpleStringListTest, OrderIgnoresAsciiCaseOnly) {
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_LT(CompareText("Z", "_"), 0) << "letters fold to upper case: 'Z' < '_'";
    EXPECT_NE(CompareText("\xe9", "\xc9"), 0) << "bytes above 127 do not fold";
    EXPECT_TRUE(SameText("Do", "dO"));

    TSimpleStringList sorted(true);
    for (const char* s : {"beta", "Alpha", "gamma", "ALPHA"}) {
        sorted.Add(s, sorted.Count());
    }
    ASSERT_EQ(sorted.Count(), 3) << "duplicates are ignored";
    EXPECT_EQ(sorted[0], "Alpha");
    EXPECT_EQ(sorted.IndexOf("GAMMA"), 2);
    int index = 0;
    EXPECT_FALSE(sorted.Find("c", index));
    EXPECT_EQ(index, 2);

    TSimpleStringList unsorted;
    unsorted.Add("b");
    unsorted.Add("A");
    EXPECT_EQ(unsorted.IndexOf("a"), 1);
    unsorted.Sort();
    EXPECT_EQ(unsorted[0], "A");
    EXPECT_EQ(unsorted.IndexOf("B"), 1);
}

TEST(SimpleStringListTest, SortGivesCompareTextOrderAndKeepsEqualsInPlace) {
    const std::vector<std::string> texts = {"b", "_x", "Zeta", "abc", "ABC", "ab",   "\xe9t\xe9",
                                            "E", "",   "zeta", "a b", "Ab",  "\xc9", "[",
                                            "a", "z",  "Abc",  "b2",  "B1"};
    TSimpleStringList list;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        list.Add(texts[i], static_cast<std::intptr_t>(i));
    }
    list.Sort();
    std::vector<std::size_t> expected(texts.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = i;
    }
    std::stable_sort(expected.begin(), expected.end(), [&texts](std::size_t a, std::size_t b) {
        return CompareText(texts[a], texts[b]) < 0;
    });
    ASSERT_EQ(list.Count(), static_cast<int>(texts.size()));
    for (int k = 0; k < list.Count(); ++k) {
        EXPECT_EQ(list.Object(k), static_cast<std::intptr_t>(expected[static_cast<std::size_t>(k)]))
            << "at " << k << ": " << list[k];
        EXPECT_EQ(list[k], texts[static_cast<std::size_t>(list.Object(k))]);
    }
}

} // namespace
} // namespace vex
