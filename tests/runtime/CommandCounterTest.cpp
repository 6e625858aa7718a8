// Counting and timing of debug runs: which entry each node counts under, own times that exclude
// nested timed nodes, the simulation and animation totals, and the counter's growth.

#include "tests/runtime/FakeDebugger.h"
#include "tests/runtime/TestSupport.h"

#include "runtime/CommandCounter.h"
#include "runtime/ContextParts.h"
#include "runtime/DebugControl.h"
#include "runtime/Engine.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

using namespace vex::counting;

// A clock that only moves when the word w502(n) moves it by n ticks.
std::uint64_t& FakeNow() {
    static std::uint64_t now = 1000;
    return now;
}

std::uint64_t ReadFakeClock() noexcept {
    return FakeNow();
}

constexpr int kTickWord = 502;

double wordTick(int, TCallNode& node, TText& text, TLanguageInterpreter& context) {
    const double ticks = EvaluateArg(context, node, 1, text);
    FakeNow() += static_cast<std::uint64_t>(ticks);
    return ticks;
}

// Entries: the seven kinds first, then word w at w + 6.
int WordEntry(int wordNumber) {
    return wordNumber + 6;
}
constexpr int kNumberConstantEntry = 6;
constexpr int kTextConstantEntry = 5;

class CommandCounterTest : public ::testing::Test {
protected:
    CommandCounterTest() {
        Parts(context).Registry.WordTable[kTickWord] = wordTick;
        Parts(context).Debug.Services = &services;
        Parts(context).Debug.RunOrigin = roSimulation;
        SwitchDebugging(context, true);
        performance().TickSource = &ReadFakeClock;
    }

    TPerformance& performance() { return Parts(context).Debug.Performance; }
    TWordList& counter() { return performance().Counter; }

    double Execute(std::string_view source) {
        TText text;
        return context.ExecuteText(source, text);
    }

    TFakeHost host;
    TTestContext context{host};
    TFakeServices services{context};
};

TEST_F(CommandCounterTest, CountingNodesByWordAndKind) {
    performance().CountingMode = cmCountCommands;
    TVariable* text = context.DeclareVariable("tv", vkText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Execute("Do(1+2,[a],tv,Count,Count)"), 2);
    struct EntryCase {
        const char* what;
        int entry;
        std::uint32_t count;
    };
    const EntryCase cases[] = {
        {"Do", WordEntry(twDo), 1},
        {"+", WordEntry(twAdd), 1},
        {"Count", WordEntry(twCount), 2},
        {"number constants", kNumberConstantEntry, 2},
        {"text constants", kTextConstantEntry, 1},
        {"text variables", vkText, 1},
    };
    for (const EntryCase& row : cases) {
        ASSERT_NE(counter().Entry(row.entry), nullptr) << row.what;
        EXPECT_EQ(counter().Entry(row.entry)->Count, row.count) << row.what;
    }
    EXPECT_EQ(counter().TotalCount(), 8u);
    EXPECT_TRUE(performance().SimulationTime.IsZero()) << "counting alone times nothing";
    EXPECT_EQ(services.UnexpectedPauses, 0) << "Run state: counted, never paused";
}

TEST_F(CommandCounterTest, TimedCountingGivesOwnTimes) {
    performance().CountingMode = cmProcessorTime | cmCountCommands | cmTimedCounting;
    counter().SetTimed(true);
    // + takes no time of its own: all of it is spent in the two timed calls inside it.
    EXPECT_EQ(Execute("w502(5)+w502(7)"), 12);
    EXPECT_EQ(counter().EntryTime(WordEntry(kTickWord)), 12);
    EXPECT_EQ(counter().Entry(WordEntry(kTickWord))->Count, 2u);
    EXPECT_EQ(counter().EntryTime(WordEntry(twAdd)), 0);
    EXPECT_EQ(counter().EntryTime(kNumberConstantEntry), 0);
    EXPECT_EQ(counter().TotalTime().Low, 12u);
    EXPECT_EQ(counter().TotalCount(), 5u);
    EXPECT_EQ(performance().SimulationTime.Low, 12u);
    EXPECT_TRUE(performance().AnimationTime.IsZero());
    EXPECT_EQ(Parts(context).Debug.TimingSlot, nullptr);
}

TEST_F(CommandCounterTest, ProcessorTimeGoesToTheTotalOfTheRunOrigin) {
    performance().CountingMode = cmProcessorTime;
    struct OriginCase {
        std::uint8_t origin;
        std::uint64_t simulation;
        std::uint64_t animation;
    };
    // Totals add the own time of every timed node: here only w502 has any.
    const OriginCase cases[] = {
        {roSimulation, 3, 0},   {roAnimation, 3, 3}, {roSimulation | roAnimation, 3, 6},
        {roInterruption, 3, 6}, {roExternal, 3, 6},
    };
    for (const OriginCase& row : cases) {
        Parts(context).Debug.RunOrigin = row.origin;
        Execute("Do(w502(3))");
        EXPECT_EQ(performance().SimulationTime.Low, row.simulation) << int(row.origin);
        EXPECT_EQ(performance().AnimationTime.Low, row.animation) << int(row.origin);
    }
    EXPECT_EQ(counter().TotalCount(), 0u);
    EXPECT_DOUBLE_EQ(performance().TimeShare(), 1.0 / 3);
}

TEST_F(CommandCounterTest, AnExceptionRestoresTheTimingChain) {
    performance().CountingMode = cmProcessorTime;
    context.Errors.clear();
    EXPECT_EQ(Execute("Do(w502(4),Fail([x]),w502(100))"), 0);
    EXPECT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(Parts(context).Debug.TimingSlot, nullptr);
    EXPECT_EQ(performance().SimulationTime.Low, 4u) << "the failed root adds nothing";
    // The next run is timed from a clean chain.
    EXPECT_EQ(Execute("w502(2)+0"), 2);
    EXPECT_EQ(performance().SimulationTime.Low, 6u);
}

TEST_F(CommandCounterTest, NoWindowNoCounting) {
    performance().CountingMode = cmCountCommands;
    services.CanCreateWindow = false;
    auto window = std::move(services.Window);
    EXPECT_EQ(Execute("1+2"), 3);
    EXPECT_EQ(Parts(context).Debug.Performance.Counter.TotalCount(), 0u);
}

TEST_F(CommandCounterTest, GrowingKeepsEarlierCounts) {
    TWordList list;
    EXPECT_EQ(list.Capacity(), kBuiltInWordCount);
    list.CountIndex(twAdd);
    list.CountIndex(kBuiltInWordCount + 5);
    EXPECT_EQ(list.TotalCount(), 1u) << "a word beyond the block and without a context";
    list.AttachCounter(context);
    for (const char* name : {"U1", "U2", "U3"}) {
        TWordAttributes attributes;
        attributes.CodeText = "1";
        ASSERT_GE(context.RegisterUserWord(name, "Various", attributes), 1);
    }
    const int highest = context.LookupWord("U3");
    ASSERT_GT(highest, list.Capacity());
    list.CountIndex(highest);
    EXPECT_GE(list.Capacity(), highest);
    EXPECT_EQ(list.Entry(WordEntry(twAdd))->Count, 1u);
    EXPECT_EQ(list.Entry(WordEntry(highest))->Count, 1u);
    EXPECT_EQ(list.HighestWord(), highest);
    list.CountIndex(-8);
    list.CountIndex(highest + 1000);
    EXPECT_EQ(list.TotalCount(), 2u);

    const std::size_t untimed = list.BlockSize();
    list.ResetCounter();
    list.SetTimed(true);
    EXPECT_GT(list.BlockSize(), untimed);
    EXPECT_EQ(list.Entry(WordEntry(twAdd))->Count, 0u);
}

TEST_F(CommandCounterTest, TicksSumWithoutOverflow) {
    TTicks128 total;
    total.Add(~std::uint64_t{0});
    total.Add(2);
    EXPECT_EQ(total.High, 1u);
    EXPECT_EQ(total.Low, 1u);
    EXPECT_TRUE(ProcessorTimeAvailable());
}

} // namespace
} // namespace vex::test
