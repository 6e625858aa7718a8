// The standard words in a debug run: a plain run reads number constants and number variables in
// place, without evaluating them as nodes; a debug run must still take every node through the
// debugger, so that counting, timing and stepping see all of them.

#include "tests/host/ScriptFixture.h"
#include "tests/runtime/FakeDebugger.h"

#include "runtime/DebuggerInterface.h"

#include <gtest/gtest.h>

namespace vex::host {
namespace {

using namespace vex::counting;

// Entries of the counter: the kinds of leaves first (a number variable is kind 0).
constexpr int kNumberVariableEntry = vkNumber;
constexpr int kNumberConstantEntry = 6;

class DebugRunTest : public ScriptFixture {
protected:
    std::uint32_t CountOf(int entry) {
        const TWordList::TEntry* counted = performance().Counter.Entry(entry);
        return counted ? counted->Count : 0;
    }

    // Runs a text in a debug run that counts its nodes.
    void RunCounted(std::string_view source) {
        Context().Debug.Services = &m_services;
        SwitchDebugging(Context(), true);
        performance().CountingMode = cmCountCommands;
        performance().Counter.ResetCounter();
        const TScriptResult result = Run(source);
        EXPECT_EQ(result.Errors, "") << source;
        SwitchDebugging(Context(), false);
        Context().Debug.Services = nullptr;
    }

    TPerformance& performance() { return Context().Debug.Performance; }

    test::TFakeServices m_services{Context()};
};

TEST_F(DebugRunTest, NumbersReadInPlaceAreStillCountedAsNodes) {
    ASSERT_EQ(Run("DefineWord([Sq],[Arg(1)*Arg(1)],1,1,[The square.])").Errors, "");
    struct CountCase {
        const char* source;
        std::uint32_t constants;
        std::uint32_t variables;
    };
    const CountCase cases[] = {
        {"1+2<4", 3, 0},
        {"Do(LocalNum([x]),x:=3,x*x-1)", 2, 2},
        {"Do(LocalNum([x]),x:=3,Sq(x))", 3, 2},
    };
    for (const CountCase& row : cases) {
        m_services.Window.reset();
        RunCounted(row.source);
        ASSERT_TRUE(m_services.Window) << row.source;
        EXPECT_EQ(CountOf(kNumberConstantEntry), row.constants) << row.source;
        EXPECT_EQ(CountOf(kNumberVariableEntry), row.variables) << row.source;
    }
}

} // namespace
} // namespace vex::host
