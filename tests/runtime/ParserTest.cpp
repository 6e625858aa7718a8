// How the parser names a call: a piece "name(...)" is named from its first parenthesis only when
// the final ')' closes it; every other piece (operators between calls, unbalanced text) keeps
// the name of its final argument list, as its trees and messages show.

#include "tests/runtime/TestSupport.h"

#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

struct TShapeCase {
    const char* source;
    const char* result; // the tree, or the messages of a failed compile joined by " | "
};

TEST(ParserTest, CallsAreNamedByTheListThatEndsThem) {
    TFakeHost host;
    TTestContext context(host);
    const TShapeCase cases[] = {
        {"Concat(1)+Concat(2)", "+(Concat(1),Concat(2))"},
        {"Do(1)-Do(2,3)", "-(Do(1),Do(2,3))"},
        {"(Do(1))*(Do(2))", "*(Do(1),Do(2))"},
        {"-(1,2)", "-(1,2)"},
        {"Do([)],1)", "Do([)],1)"},
        {"Do(1))", "Unknown word \"Do(1))\" in: Do(1))"},
        {"Do((1)", "Unknown word \"Do(\" in: Do((1)"},
        {"Do(]1,2)", "Unknown word \"Do(]1,2)\" in: Do(]1,2)"},
        {"Do(1,[2)", "Unknown word \"[2,\" in: Do(1,[2)"},
        {"Do(a,)", "Unknown word \"a\" in: Do(a,) | Unknown word \",\" in: Do(a,)"},
        {"Do(Concat([x]),Do(2)),3)",
         "Unknown word \"Do(Concat([x]),Do(2)),3)\" in: Do(Concat([x]),Do(2)),3)"},
        {"Do(1)Do(2)", "Unknown word \"Do(1)Do\" in: Do(1)Do(2)"},
    };
    for (const TShapeCase& row : cases) {
        context.Errors.clear();
        TCompiledCode* code = context.Compile(row.source);
        std::string result;
        if (code) {
            result = DumpTree(context, code->Root);
        }
        for (const std::string& error : context.Errors) {
            result += (result.empty() ? "" : " | ") + error;
        }
        EXPECT_EQ(result, row.result) << row.source;
        context.ReleaseCode(code);
    }
}

// Names that mix operator characters with others are nearly always operator pieces; a word may
// still have such a name, registered before the compile or while it runs, and is found however
// many such pieces the text holds.
TEST(ParserTest, WordsWhoseNamesMixOperatorsAreFoundInLongTexts) {
    TFakeHost host;
    TTestContext context(host);
    TWordAttributes attributes;
    attributes.MaxArgs = 1;
    ASSERT_EQ(context.RegisterUserWord("Add+One", "Various", attributes), rrAdded);
    std::string pieces;
    std::string piecesTree;
    for (int i = 0; i < 100; ++i) {
        pieces += "Count+Count,";
        piecesTree += "+(Count,Count),";
    }
    const std::string source =
        "Do(" + pieces + "Add+One(1),Define([a-b],[1],0,0,[help])," + pieces + "a-b,add+one)";
    TCompiledCode* code = context.Compile(source);
    ASSERT_NE(code, nullptr) << (context.Errors.empty() ? "" : context.Errors.front());
    EXPECT_EQ(DumpTree(context, code->Root), "Do(" + piecesTree +
                                                 "Add+One(1),Define([a-b],[1],0,0,[help])," +
                                                 piecesTree + "a-b,Add+One)");
    context.ReleaseCode(code);
}

} // namespace
} // namespace vex::test
