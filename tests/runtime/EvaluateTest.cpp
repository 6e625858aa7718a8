// Evaluating compiled code: values, activations and frames, the entry operations and errors.

#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/Exceptions.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class EvaluateTest : public ::testing::Test {
protected:
    double Run(std::string_view source) {
        text = TText();
        return context.ExecuteText(source, text);
    }

    void Define(const char* name, const char* body, int min, int max) {
        TWordAttributes attributes;
        attributes.CodeText = body;
        attributes.MinArgs = static_cast<std::uint8_t>(min);
        attributes.MaxArgs = static_cast<std::uint8_t>(max);
        ASSERT_GE(context.RegisterUserWord(name, "Various", attributes), 1) << name;
    }

    TFakeHost host;
    TTestContext context{host};
    TText text;
};

TEST_F(EvaluateTest, ValuesOfConstantsVariablesAndCalls) {
    struct ValueCase {
        const char* source;
        double number;
        const char* text;
    };
    const ValueCase cases[] = {
        {"", 0, "kept"},
        {"42", 42, "kept"},
        {"[abc]", 0, "abc"},
        {"1+2*3", 7, ""},
        {"(1+2)*3", 9, ""},
        {"10-4-3", 3, ""},
        {"Concat([a],[b])", 0, "ab"},
        {"Do(LocalText([t]),:=(t,[x]),Concat(t,t))", 0, "xx"},
        {"Do(LocalNumber([n]),n:=5,n*n)", 25, ""},
    };
    for (const ValueCase& row : cases) {
        text = TText("kept");
        EXPECT_EQ(context.ExecuteText(row.source, text), row.number) << row.source;
        EXPECT_EQ(text.view(), row.text) << row.source;
        EXPECT_EQ(StackImbalance(context), "");
    }
}

TEST_F(EvaluateTest, FramesTakeStackSpaceOnlyWhileTheCodeRuns) {
    TCompiledCode* code = context.Compile("Do(LocalText([t]),LocalNumber([n]),n:=n+1,t:=[x],n)");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->Variables->FrameSize, 16);
    // Every run starts with its locals empty.
    EXPECT_EQ(context.Evaluate(code, text), 1);
    EXPECT_EQ(context.Evaluate(code, text), 1);
    EXPECT_EQ(StackImbalance(context), "");
    EXPECT_EQ(std::count(Parts(context).Stack.StackBase, Parts(context).Stack.StackBase + 16, 0),
              16)
        << "the frame is left zeroed, its text released";
    context.ReleaseCode(code);
    EXPECT_EQ(context.Evaluate(nullptr, text), 0);
}

TEST_F(EvaluateTest, AFrameThatDoesNotFitRaisesStackOverflowAndChangesNothing) {
    TTestContext small{host, 16};
    TCompiledCode* code = small.Compile("Do(LocalNumber([a],[b],[d]),a)");
    ASSERT_NE(code, nullptr);
    EXPECT_THROW(small.Evaluate(code, text), EVexStackOverflow);
    EXPECT_EQ(Parts(small).Stack.FrameCount, 0);
    EXPECT_EQ(Parts(small).Stack.StackUsed, 0);
    EXPECT_EQ(Parts(small).Stack.Code, nullptr);
    // Through an entry operation it goes to the host's exception handler.
    host.HandledExceptions.clear();
    EXPECT_EQ(small.ExecuteText("Do(LocalNumber([a],[b],[d]),5)", text), 0);
    EXPECT_EQ(host.HandledExceptions, std::vector<std::string>{"Stack overflow"});
    small.ReleaseCode(code);
}

TEST_F(EvaluateTest, ErrorsAreContainedAtTheRootOfEachCompiledCode) {
    Define("Foo", "Do(Fail([inner]),Count)", 1, 1);
    CountCalls() = 0;
    // A built-in word fails: the message names the root word and the whole root gives 0.
    EXPECT_EQ(Run("Do(1,Fail([boom]),Count)"), 0);
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Error in \"Do\":boom"});
    EXPECT_EQ(CountCalls(), 0);
    // A user-defined word fails: the message names the root of its body, and the caller goes on.
    context.Errors.clear();
    EXPECT_EQ(Run("Do(1,Foo(1),Count)"), 1);
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Error in \"Do\":inner"});
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(EvaluateTest, ErrorsOfTheHiddenGroupAndSystemFaultsAreReportedTheirOwnWay) {
    EXPECT_EQ(Run("GroupFail"), 0);
    EXPECT_EQ(context.Errors, std::vector<std::string>{
                                  "Error in \"GroupFail\": the operation could not be completed."});
    context.Errors.clear();
    EXPECT_EQ(Run("Do(SystemFault)"), 0);
    EXPECT_TRUE(context.Errors.empty());
    EXPECT_EQ(host.ErrorBoxes, std::vector<std::string>{"Error in \"Do\":access violation"});
}

TEST_F(EvaluateTest, ReturnEndsTheCurrentCompiledCodeWithItsValue) {
    Define("Five", "Do(Return(5,[x]),Fail)", 0, 0);
    EXPECT_EQ(Run("Do(Return(3,[r]),Fail)"), 3);
    EXPECT_EQ(text.view(), "r");
    EXPECT_EQ(Run("Concat(Five,[ and on])"), 0);
    EXPECT_EQ(text.view(), "x and on");
    EXPECT_EQ(Run("Five+1"), 6);
    EXPECT_TRUE(context.Errors.empty());
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(EvaluateTest, UserWordsGetAFreshFrameEachCallAndReadTheirArguments) {
    Define("Square", "Do(LocalNumber([v]),v:=Arg(1),v*v)", 1, 1);
    Define("Fact", "0", 1, 1); // registered first, so that its body can call it
    Define("Fact",
           "Do(LocalNumber([n]),n:=Arg(1),"
           "While(<(1,n),Return(*(n,Fact(-(n,1))))),1)",
           1, 1);
    Define("Keep", "Do(LocalText([t]),Concat(t,Arg(1)),t:=Arg(1))", 1, 1);
    EXPECT_EQ(Run("Square(Square(3))"), 81);
    EXPECT_EQ(Run("Fact(6)"), 720);
    Run("Keep([a])");
    EXPECT_EQ(text.view(), "a");
    // The local text set by the previous call is empty again.
    EXPECT_EQ(Run("Concat(Keep([b]))"), 0);
    EXPECT_EQ(text.view(), "b");
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(EvaluateTest, AWordRedefinedInsideItsOwnBodyFinishesTheOldBody) {
    Define("Again", "0", 0, 0);
    Define("Again", "Do(Define([Again],[Concat([new])],0,0),Concat([old ],[body]))", 0, 0);
    CountCalls() = 0;
    EXPECT_EQ(Run("Concat(Again,[ then ],Again)"), 0);
    EXPECT_EQ(text.view(), "old body then new");
    EXPECT_TRUE(context.Errors.empty());
    EXPECT_TRUE(Parts(context).Registry.RetiredSyntax.empty()) << "released with its last call";
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(EvaluateTest, EndlessRecursionEndsWithStackOverflowInsteadOfACrash) {
    Define("Forever", "[placeholder]", 0, 0);
    Define("Forever", "Do(Forever,1)", 0, 0);
    EXPECT_EQ(Run("Do(Forever,7)"), 7);
    ASSERT_FALSE(context.Errors.empty());
    EXPECT_EQ(context.Errors.back(), "Error in \"Do\":Stack overflow");
    EXPECT_EQ(StackImbalance(context), "");
}

TEST_F(EvaluateTest, ExternalRunsSuppressDebuggingAndRestoreWhatTheyChange) {
    struct ExternalCase {
        std::uint8_t origin;
        std::uint8_t debugState;
        bool registersRestored;
    };
    const ExternalCase cases[] = {
        {roSimulation, dsRun, true},  // nested in a debuggable run
        {roSimulation, dsOff, false}, // no debugger
        {0, dsStepInto, false},       // no run in progress
        {roAnimation, dsRun | dsSuppressed, false},
    };
    const TVariable* ref = context.DeclareVariable("obj", vkReference);
    *reinterpret_cast<std::int32_t*>(ref->Storage) = 99;
    for (const ExternalCase& row : cases) {
        Parts(context).Debug.RunOrigin = row.origin;
        Parts(context).Debug.DebugState = row.debugState;
        host.RegisterSet = {1, 2, 3};
        std::uint8_t seenOrigin = 0;
        std::uint8_t seenState = 0;
        context.ExecuteExternal("obj", text);
        seenOrigin = Parts(context).Debug.RunOrigin;
        seenState = Parts(context).Debug.DebugState;
        EXPECT_EQ(seenOrigin, row.origin);
        EXPECT_EQ(seenState, row.debugState);
        EXPECT_EQ(host.RegisterSet.Third, row.registersRestored ? 3 : 99);
    }
}

TEST_F(EvaluateTest, PausedFrameCodeReadsTheLocalsOfThePausedActivation) {
    TCompiledCode* code = context.Compile("Do(LocalNumber([p]),p:=4,p)");
    ASSERT_NE(code, nullptr);
    // Simulate a pause inside the code: its frame is taken and the activation saved.
    Parts(context).Debug.PausedActivation = *code;
    Parts(context).Debug.PausedActivation.FrameBase = Parts(context).Stack.StackBase;
    Parts(context).Debug.PausedActivation.FrameSize = 8;
    Parts(context).Debug.PausedFrame = &Parts(context).Debug.PausedActivation;
    Parts(context).Stack.StackUsed = 8;
    *reinterpret_cast<double*>(Parts(context).Stack.StackBase) = 4;
    EXPECT_EQ(context.ExecuteInPausedFrame("p*10", text), 40);
    EXPECT_EQ(Parts(context).Stack.StackUsed, 8) << "no frame of its own";
    EXPECT_EQ(*reinterpret_cast<double*>(Parts(context).Stack.StackBase), 4);
    EXPECT_EQ(context.ExecuteInPausedFrame("Do(LocalNumber([q]),1)", text), 0);
    EXPECT_EQ(context.Errors.back(), "Cannot create extra local variables on shared stack space.");
    EXPECT_EQ(Parts(context).Debug.DebugState, dsOff);
    Parts(context).Debug.PausedFrame = nullptr;
    Parts(context).Stack.StackUsed = 0;
    context.ReleaseCode(code);

    context.Errors.clear();
    EXPECT_EQ(context.ExecuteInPausedFrame("1+1", text), 0);
    EXPECT_EQ(context.Errors,
              std::vector<std::string>{"Cannot execute in the paused frame: no run is paused."});
}

TEST_F(EvaluateTest, CompileExpressionKeepsTextAndCodeInStep) {
    TExpression expression;
    context.CompileExpression("1+1", nullptr, expression);
    ASSERT_NE(expression.Code, nullptr);
    EXPECT_EQ(context.Evaluate(expression.Code, text), 2);
    EXPECT_TRUE(expression.Code->Root->HasParentLink());
    Parts(context).Debug.ReleaseMode = true;
    context.CompileExpression("Nope", nullptr, expression);
    EXPECT_EQ(expression.Text.view(), "Nope");
    EXPECT_EQ(expression.Code, nullptr);
    context.CompileExpression("2", nullptr, expression);
    EXPECT_FALSE(expression.Code->Root->HasParentLink());
    context.CompileExpression("", nullptr, expression);
    EXPECT_EQ(expression.Code, nullptr);
    EXPECT_EQ(Parts(context).Debug.DebugState, dsOff);
}

TEST_F(EvaluateTest, ReadingReferencesAndInterfacesFillsTheRegisters) {
    class TThing : public TInterface {};
    TInterface* thing = new TThing;
    TInitialValue initial;
    initial.Interface = thing;
    AddVariable(Parts(context).GlobalVariables, "thing", vkInterface, &initial, false);
    thing->Release(); // the variable holds the only reference now
    initial.Reference = 5;
    AddVariable(Parts(context).GlobalVariables, "ref", vkReference, &initial, false);
    EXPECT_EQ(Run("ref"), 5);
    EXPECT_EQ(host.RegisterSet.Third, 5);
    TCompiledCode* code = context.Compile("thing");
    EXPECT_EQ(context.Evaluate(code, text), thing->Handle());
    EXPECT_EQ(Parts(context).InterfaceRegister.get(), thing);
    EXPECT_EQ(thing->ReferenceCount(), 2);
    context.Evaluate(code, text); // every evaluation starts with the register cleared
    EXPECT_EQ(thing->ReferenceCount(), 2);
    context.ReleaseCode(code);
}

} // namespace
} // namespace vex::test
