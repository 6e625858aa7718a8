// Inputs the fuzz targets in tests/fuzz found faults with, reduced to what shows the fault. Each
// row compiles and runs its script and names the first message it must report; every run must
// leave the context's balance as it found it.

#include "tests/runtime/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vex::test {
namespace {

using namespace std::string_view_literals;

struct TFindingRow {
    const char* Fault;
    std::string_view Source;
    std::string_view FirstError; // "" when the script must run without an error
};

const TFindingRow kFindings[] = {
    {"an unknown word in the kind of a global escaped the compile as an exception",
     "Global2([h],b2a,+:)=1", "The word \"Global2\" was given 3 arguments"},
    {"the kind of a global naming an unknown word was run while parsing", "Do(Global2([h],Nope),1)",
     "Unknown word \"Nope\" in: Do(Global2([h],Nope),1)"},
    {"an error in the kind of a global escaped the compile", "Global([g], Fail([bad kind]))",
     "Error in \"Global\":bad kind in: Global([g],Fail([bad kind]))"},
    {"an error in the kind of a computed local escaped the compile", "Do(Local([v],1/0),v)",
     "Error in \"Local\":division by zero in: Do(Local([v],1/0),v)"},
    {"with the fix, a Return in the kind of a global gives the kind and is no error",
     "Do(Global([r],Return(1)),r)", ""},
    {"a word body compiled at run time read its text local in the running code's frame",
     "Do(LocalNumber([n]),n:=5,Define([W],[Do(LocalText([t]),Local([q],t))],0,0))", ""},
    {"a body that failed to compile while a text compiled failed the text too",
     "Do(Global([g],Define([W],[Nope],0,0)),7)", "Unknown word \"Nope\" in: Nope"},
    {"a message was cut at a NUL byte", "Do(1,Fail([a\0b]))"sv, "Error in \"Do\":a\0b"sv},
};

TEST(FuzzFindingsTest, EachFoundInputReportsItsErrorAndKeepsTheBalance) {
    for (const TFindingRow& row : kFindings) {
        TFakeHost host;
        TTestContext context(host);
        TText text;
        EXPECT_NO_THROW(context.ExecuteText(row.Source, text)) << row.Fault;
        const std::string first = context.Errors.empty() ? "" : context.Errors.front();
        EXPECT_EQ(first.substr(0, row.FirstError.size()), row.FirstError) << row.Fault;
        EXPECT_EQ(first.empty(), row.FirstError.empty()) << row.Fault << ": " << first;
        EXPECT_EQ(StackImbalance(context), "") << row.Fault;
    }
}

} // namespace
} // namespace vex::test
