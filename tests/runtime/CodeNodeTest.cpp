// Code trees in their arena: a tree of many blocks keeps every node and text, a call's argument
// array sits after it with the declaration entry only where a declaration put one, and a tree
// is released whole from its root, also when the parse gave up half way (the sanitizer run
// checks that nothing leaks and nothing is freed twice).

#include "tests/runtime/TestSupport.h"

#include "runtime/CodeListing.h"
#include "runtime/ContextParts.h"
#include "runtime/Parser.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class CodeNodeTest : public ::testing::Test {
protected:
    TFakeHost host;
    TTestContext context{host};
};

// Far more nodes than the first block holds, with texts longer than a text keeps inline.
TEST_F(CodeNodeTest, LargeTreeKeepsEveryNodeAndTextAcrossBlocks) {
    std::string source = "Do(";
    std::string expected = "Do(";
    for (int i = 0; i < 250; ++i) {
        const std::string text = "a text constant of some length, number " + std::to_string(i);
        const std::string item = "Concat([" + text + "],Do(" + std::to_string(i) + ",Count))";
        source += (i ? "," : "") + item;
        expected += (i ? "," : "") + item;
    }
    source += ")";
    expected += ")";
    for (const bool release : {false, true}) {
        Parts(context).Debug.ReleaseMode = release; // without and with link slots
        TCompiledCode* code = context.Compile(source);
        ASSERT_NE(code, nullptr);
        EXPECT_EQ(DumpTree(context, code->Root), expected);
        if (!release) {
            ASSERT_NE(GetListing(context, code->Root), nullptr);
        }
        context.ReleaseCode(code);
    }
}

TEST_F(CodeNodeTest, DeclarationEntryOnlyWhereADeclarationPutIt) {
    TCompiledCode* code = context.Compile("Do(Global([g],0),Global(Concat([h]),0),Concat([x]))");
    ASSERT_NE(code, nullptr);
    const auto* root = static_cast<const TCallNode*>(code->Root);
    const auto* declared = static_cast<const TCallNode*>(root->Arg(1));
    const auto* computed = static_cast<const TCallNode*>(root->Arg(2));
    const auto* plain = static_cast<const TCallNode*>(root->Arg(3));
    EXPECT_FALSE(root->HasDeclaredEntry());
    ASSERT_TRUE(declared->HasDeclaredEntry());
    ASSERT_NE(declared->DeclaredVariable(), nullptr);
    EXPECT_EQ(declared->DeclaredVariable()->Name, "g");
    EXPECT_TRUE(computed->HasDeclaredEntry()); // a name known only when run: the entry is none
    EXPECT_EQ(computed->DeclaredVariable(), nullptr);
    EXPECT_FALSE(plain->HasDeclaredEntry());
    EXPECT_EQ(plain->DeclaredVariable(), nullptr);
    context.ReleaseCode(code);
}

TEST_F(CodeNodeTest, OnlyTheRootReleasesTheTree) {
    TCompiledCode* code = context.Compile("Concat([one],Concat([two],[three]))");
    ASSERT_NE(code, nullptr);
    auto* root = static_cast<TCallNode*>(code->Root);
    ReleaseNode(root->Arg(2)); // part of the tree: left alone
    EXPECT_EQ(DumpTree(context, code->Root), "Concat([one],Concat([two],[three]))");
    context.ReleaseCode(code);
}

// Texts and calls built before the nesting limit ended the parse go with it.
TEST_F(CodeNodeTest, TreeAbandonedAtTheNestingLimitIsReleased) {
    std::string source;
    for (int i = 0; i <= kMaxParseDepth; ++i) {
        source += "Concat([level " + std::to_string(i) + "],";
    }
    source += "[end]" + std::string(kMaxParseDepth + 1, ')');
    TCompiledCode* code = context.Compile(source);
    EXPECT_EQ(code, nullptr);
    EXPECT_FALSE(context.Errors.empty());
}

} // namespace
} // namespace vex::test
