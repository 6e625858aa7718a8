// The code listing: layout over lines of 80 columns, the leaf texts, the position records that
// take over the link slots, and the listing's lifetime with its tree.

#include "tests/runtime/TestSupport.h"

#include "runtime/CodeListing.h"
#include "runtime/ContextParts.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class CodeListingTest : public ::testing::Test {
protected:
    ~CodeListingTest() override { context.ReleaseCode(code); }

    TListing* ListingOf(std::string_view source) {
        context.ReleaseCode(code);
        code = context.Compile(source);
        EXPECT_NE(code, nullptr) << source;
        return code ? GetListing(context, code->Root) : nullptr;
    }

    TFakeHost host;
    TTestContext context{host};
    TCompiledCode* code = nullptr;
};

TEST_F(CodeListingTest, Layouts) {
    const std::string fits(69, 'x');   // Concat([...]) is 79 wide: column 80 at depth 0
    const std::string over(70, 'x');   // 80 wide: would reach column 81
    const std::string nested(68, 'x'); // one deeper, one column less
    struct LayoutCase {
        std::string source;
        std::string listing;
    };
    const LayoutCase cases[] = {
        {"0", "0"},
        {"2.5", "2.5"},
        {"[abc]", "[abc]"},
        {"1+2", "+(1,2)"},
        {"Count", "Count"},
        {"Do(Count,Concat([a],[b]))", "Do(Count,Concat([a],[b]))"},
        {"Concat([" + fits + "])", "Concat([" + fits + "])"},
        {"Concat([" + over + "])", "Concat(\n [" + over + "]\n)"},
        // Depth counts: at depth 1, 78 wide still ends in column 80; the Do around does not fit.
        {"Do(Concat([" + nested + "]))", "Do(\n Concat([" + nested + "])\n)"},
        // A broken call breaks every call around it; a call without arguments is its name.
        {"Do(Concat([" + fits + "]),Count)", "Do(\n Concat(\n  [" + fits + "]\n ),\n Count\n)"},
    };
    for (const LayoutCase& row : cases) {
        TListing* listing = ListingOf(row.source);
        ASSERT_NE(listing, nullptr) << row.source;
        EXPECT_EQ(listing->Text, row.listing) << row.source;
        const TPositionRecord& root = listing->Records()[0];
        EXPECT_EQ(root.RootLink, &root);
        EXPECT_EQ(root.Start, 0);
        EXPECT_EQ(static_cast<std::size_t>(root.ExtentLength), row.listing.size()) << row.source;
    }
}

// Source preparation removes line breaks, so the texts are put into compiled trees directly.
TEST_F(CodeListingTest, TextsWithLineBreaks) {
    struct BreakCase {
        const char* source;
        const char* text;
        const char* listing;
    };
    const BreakCase cases[] = {
        {"[q]", "a\nb", "[a\r\nb]"},
        {"[q]", "", "[]"},
        // A line break inside a text breaks its call however short; lone CR and LF become CR LF.
        {"Concat([q])", "a\nb", "Concat(\n [a\r\nb]\n)"},
        {"Concat([q])", "a\rb\r\nc\n\r", "Concat(\n [a\r\nb\r\nc\r\n\r\n]\n)"},
    };
    for (const BreakCase& row : cases) {
        context.ReleaseCode(code);
        code = context.Compile(row.source);
        ASSERT_NE(code, nullptr);
        TCodeNode* leaf =
            code->Root->IsCall() ? static_cast<TCallNode*>(code->Root)->Arg(1) : code->Root;
        ASSERT_TRUE(leaf->IsTextConstant());
        static_cast<TTextConstantNode*>(leaf)->Text = TText(row.text);
        TListing* listing = GetListing(context, code->Root);
        ASSERT_NE(listing, nullptr);
        EXPECT_EQ(listing->Text, row.listing) << row.source;
    }
}

TEST_F(CodeListingTest, RecordsOfEveryNode) {
    TListing* listing = ListingOf("Do(1+2,Concat([ab]))");
    ASSERT_NE(listing, nullptr);
    ASSERT_EQ(listing->Text, "Do(+(1,2),Concat([ab]))");
    struct RecordCase {
        const char* node;
        std::int32_t start, head, extent;
    };
    // Pre-order: each argument's record followed by those of its subtree.
    const RecordCase expected[] = {
        {"Do", 0, 2, 23}, {"+", 3, 1, 6},        {"1", 5, 1, 1},
        {"2", 7, 1, 1},   {"Concat", 10, 6, 12}, {"[ab]", 17, 4, 4},
    };
    ASSERT_EQ(listing->RecordCount, 6);
    for (int i = 0; i < 6; ++i) {
        const TPositionRecord& record = listing->Records()[i];
        EXPECT_EQ(record.RootLink, &listing->Records()[0]) << expected[i].node;
        EXPECT_EQ(record.Start, expected[i].start) << expected[i].node;
        EXPECT_EQ(record.HeadLength, expected[i].head) << expected[i].node;
        EXPECT_EQ(record.ExtentLength, expected[i].extent) << expected[i].node;
    }
    // Every node finds its record through its link slot; the parent links are gone.
    auto& root = static_cast<TCallNode&>(*code->Root);
    TCodeNode* two = static_cast<TCallNode*>(root.Arg(1))->Arg(2);
    EXPECT_EQ(GetNodePosition(context, two), &listing->Records()[3]);
    EXPECT_EQ(two->Parent(), nullptr);
    EXPECT_TRUE(two->HasPositionRecord());
}

TEST_F(CodeListingTest, BuiltOnceAndFoundFromAnyNode) {
    code = context.Compile("Do(1+2,3)");
    ASSERT_NE(code, nullptr);
    auto& root = static_cast<TCallNode&>(*code->Root);
    TCodeNode* deep = static_cast<TCallNode*>(root.Arg(1))->Arg(1);
    TListing* fromDeep = GetListing(context, deep);
    ASSERT_NE(fromDeep, nullptr);
    EXPECT_EQ(GetListing(context, code->Root), fromDeep);
    EXPECT_EQ(GetListing(context, deep), fromDeep);
    EXPECT_EQ(fromDeep->Root, code->Root);
    // The serial names the listing for as long as the process runs: a listing built after this
    // one went, perhaps in the same memory, has another.
    const std::uint64_t serial = fromDeep->Serial;
    EXPECT_NE(serial, 0u);
    EXPECT_NE(ListingOf("Do(1+2,3)")->Serial, serial);
    EXPECT_EQ(GetListing(context, nullptr), nullptr);
    EXPECT_EQ(GetNodePosition(context, nullptr), nullptr);
}

TEST_F(CodeListingTest, NamesWithALeadingBlankLoseIt) {
    TVariable* var = context.DeclareVariable("gv", vkNumber);
    ASSERT_NE(var, nullptr);
    code = context.Compile("Do(Count,gv)");
    ASSERT_NE(code, nullptr);
    Parts(context).Registry.WordNames.SetString(twCount - 1, " x");
    var->Name = " v";
    TListing* listing = GetListing(context, code->Root);
    ASSERT_NE(listing, nullptr);
    EXPECT_EQ(listing->Text, "Do(x,v)");
    EXPECT_EQ(listing->Records()[1].HeadLength, 1);
    EXPECT_EQ(listing->Records()[2].Start, 5);
    Parts(context).Registry.WordNames.SetString(twCount - 1, "Count");
}

TEST_F(CodeListingTest, TreesWithoutParentLinksHaveNoListing) {
    Parts(context).Debug.ReleaseMode = true;
    code = context.Compile("1+2");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(GetListing(context, code->Root), nullptr);
    EXPECT_EQ(GetNodePosition(context, code->Root), nullptr);
}

TEST_F(CodeListingTest, ReleasedWithItsTree) {
    // The sanitizer build reports a listing left behind or a record read after its block went.
    for (const char* source : {"7", "Do(1,Concat([a],[b]),Count)"}) {
        code = context.Compile(source);
        ASSERT_NE(code, nullptr);
        ASSERT_NE(GetListing(context, code->Root), nullptr);
        context.ReleaseCode(code);
    }
}

} // namespace
} // namespace vex::test
