// Every contained error leaves the context as the entry operation found it: the saved
// activations, the shared stack space, the parameter stack, the call depth and the run's state
// bytes. Each failing script runs through each entry, from a state that is not all zero.

#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace vex::test {
namespace {

struct TEntry {
    const char* Name;
    std::uint8_t DebugState;
    std::uint8_t RunOrigin;
    bool External;
};

const TEntry kEntries[] = {
    {"ExecuteText", dsOff, 0, false},
    {"ExecuteText on the debug path of a simulation run", dsRun, roSimulation, false},
    {"ExecuteExternal inside a run stepped into", dsStepInto, roAnimation, true},
};

struct TFailure {
    const char* Case;
    std::string Source;
};

std::string ManyLocals(int count) {
    std::string source = "LocalNumber([v0]";
    for (int i = 1; i < count; ++i) {
        source += ",[v" + std::to_string(i) + "]";
    }
    return source + ")";
}

const TFailure kFailures[] = {
    {"compile error", "Do(1,Nope)"},
    {"compile error while parsing a declaration", "Global([g],Fail([kind]))"},
    {"runtime error beside locals", "Do(LocalNumber([n]),n:=1,Fail([boom]))"},
    {"fault of the system classes", "Do(LocalText([t]),t:=[x],SystemFault)"},
    {"error in a body with locals", "Do(LocalText([t]),Bad)"},
    {"error in an argument read by the body", "Echo(Fail([argument]))"},
    {"error two calls down the arguments", "Echo(Echo(Fail([deep])))"},
    {"return signal at the top", "Do(Return(1),Fail)"},
    {"user words nested too deeply", "Do(LocalNumber([n]),Down)"},
    {"frame larger than the stack space", ManyLocals(600)},
};

class ErrorContainmentTest : public ::testing::Test {
protected:
    ErrorContainmentTest() {
        Define("Bad", "Do(LocalNumber([v]),v:=1,Fail([in body]))", 0, 0);
        Define("Echo", "Arg(1)", 1, 1);
        Define("Down", "0", 0, 0);
        Define("Down", "Do(Count,Down)", 0, 0);
    }

    void Define(const char* name, const char* body, int min, int max) {
        TWordAttributes attributes;
        attributes.CodeText = body;
        attributes.MinArgs = static_cast<std::uint8_t>(min);
        attributes.MaxArgs = static_cast<std::uint8_t>(max);
        ASSERT_GE(context.RegisterUserWord(name, "Various", attributes), 1) << name;
    }

    bool SomethingReported() const {
        return !context.Errors.empty() || !host.ErrorBoxes.empty() ||
               !host.HandledExceptions.empty();
    }

    TFakeHost host;
    TTestContext context{host};
};

TEST_F(ErrorContainmentTest, EveryEntryLeavesTheContextAsItFoundIt) {
    // An outer activation with a frame of its own is already running.
    Parts(context).Stack.FrameCount = 1;
    Parts(context).Stack.StackUsed = 16;
    for (const TEntry& entry : kEntries) {
        for (const TFailure& failure : kFailures) {
            Parts(context).Debug.DebugState = entry.DebugState;
            Parts(context).Debug.RunOrigin = entry.RunOrigin;
            context.Errors.clear();
            host.ErrorBoxes.clear();
            host.HandledExceptions.clear();
            const TStackBalance before = TStackBalance::Of(context);
            TText text;
            if (entry.External) {
                EXPECT_NO_THROW(context.ExecuteExternal(failure.Source, text));
            } else {
                EXPECT_NO_THROW(context.ExecuteText(failure.Source, text));
            }
            EXPECT_EQ(TStackBalance::Of(context).Describe(), before.Describe())
                << entry.Name << ": " << failure.Case;
            const bool returned = failure.Source.starts_with("Do(Return");
            EXPECT_EQ(SomethingReported(), !returned) << entry.Name << ": " << failure.Case;

            EXPECT_EQ(context.ExecuteText("Concat([still],[ fine])", text), 0);
            EXPECT_EQ(text.view(), "still fine") << entry.Name << ": after " << failure.Case;
        }
    }
}

// A host that stops at the first error: the error is reported, nothing after it runs, and the
// stop passes every containment up to the outermost run, which takes it and counts as failed. A
// run nested in another passes it on; one another program or the debugger started is a run of
// its own.
TEST_F(ErrorContainmentTest, TheFirstErrorEndsTheOutermostRun) {
    host.StopAtFirstError = true;
    for (const TFailure& failure : kFailures) {
        // The count of the failure alone; a Count after it must not add to it.
        CountCalls() = 0;
        context.Run(failure.Source);
        const int countedByTheFailure = CountCalls();
        const std::string source = "Do(" + failure.Source + ",Count)";
        context.Errors.clear();
        host.ErrorBoxes.clear();
        host.HandledExceptions.clear();
        CountCalls() = 0;
        const TStackBalance before = TStackBalance::Of(context);
        TRunResult result;
        EXPECT_NO_THROW(result = context.Run(source)) << failure.Case;
        EXPECT_EQ(TStackBalance::Of(context).Describe(), before.Describe()) << failure.Case;
        if (failure.Source.starts_with("Do(Return")) {
            continue;
        }
        EXPECT_TRUE(SomethingReported()) << failure.Case;
        EXPECT_EQ(CountCalls(), countedByTheFailure) << failure.Case;
        EXPECT_EQ(result.Status, TRunStatus::Error) << failure.Case;
    }

    Parts(context).Stack.FrameCount = 1;
    const TStackBalance nested = TStackBalance::Of(context);
    TText text;
    EXPECT_THROW(context.ExecuteText("Do(Bad,Count)", text), ERunStopped);
    EXPECT_THROW(context.ExecuteText("Do(1,Nope)", text), ERunStopped);
    EXPECT_EQ(TStackBalance::Of(context).Describe(), nested.Describe());
    EXPECT_NO_THROW(context.ExecuteExternal("Do(Bad,Count)", text));
    EXPECT_EQ(CountCalls(), 0);
    EXPECT_EQ(TStackBalance::Of(context).Describe(), nested.Describe());
}

// Without the stop, an error in a word's body is contained there and the code around it goes
// on, as before.
TEST_F(ErrorContainmentTest, WithoutTheStopTheCodeAroundTheErrorGoesOn) {
    CountCalls() = 0;
    const TRunResult result = context.Run("Do(Bad,Count)");
    EXPECT_EQ(result.Status, TRunStatus::Error);
    EXPECT_EQ(CountCalls(), 1);
}

} // namespace
} // namespace vex::test
