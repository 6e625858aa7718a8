// How the parser names a call: a piece "name(...)" is named from its first parenthesis only when
// the final ')' closes it; every other piece (operators between calls, unbalanced text) keeps
// the name of its final argument list, as its trees and messages show.

#include "tests/runtime/TestSupport.h"

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

} // namespace
} // namespace vex::test
