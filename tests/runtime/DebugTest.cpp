// Debug runs driven by a scripted debugger: pauses, steps, Run, Stop, Cancel, break requests,
// and the balance of activations and stacks after every way a debug run can end.

#include "tests/runtime/FakeDebugger.h"
#include "tests/runtime/TestSupport.h"

#include "runtime/CodeListing.h"
#include "runtime/ContextParts.h"
#include "runtime/DebugControl.h"
#include "runtime/Engine.h"
#include "runtime/Exceptions.h"
#include "runtime/LanguageTexts.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

// Test words put on unlisted word numbers: w500 handles the GUI messages waiting, as a word
// that keeps the GUI alive during a long run does; w501 is the break keys pressed.
constexpr int kw500Word = 500;
constexpr int kBreakWord = 501;

double wordw500(int, TCallNode&, TText&, TLanguageInterpreter& context) {
    Parts(context).Debug.Services->HandlePendingMessages();
    return 0;
}

double wordBreak(int, TCallNode&, TText&, TLanguageInterpreter& context) {
    Parts(context).Debug.BreakRequest.fetch_add(1);
    return 0;
}

// w502: another thread asks the run to end, as an automation client's abort does.
constexpr int kAbortWord = 502;
double wordAbort(int, TCallNode&, TText&, TLanguageInterpreter& context) {
    Parts(context).Debug.RequestAbort();
    return 0;
}

// w503([text]): runs a text through ExecuteText, a run nested in the one that calls it.
constexpr int kNestedRunWord = 503;
double wordNestedRun(int, TCallNode& node, TText&, TLanguageInterpreter& context) {
    TText source;
    EvaluateArg(context, node, 1, source);
    TText ignored;
    return context.ExecuteText(source.view(), ignored);
}

std::string Joined(const std::vector<std::string>& items) {
    std::string result;
    for (const std::string& item : items) {
        result += (result.empty() ? "" : " | ") + item;
    }
    return result;
}

class DebugTest : public ::testing::Test {
protected:
    DebugTest() {
        Parts(context).Registry.WordTable[kw500Word] = wordw500;
        Parts(context).Registry.WordTable[kBreakWord] = wordBreak;
        Parts(context).Registry.WordTable[kAbortWord] = wordAbort;
        Parts(context).Registry.WordTable[kNestedRunWord] = wordNestedRun;
        Parts(context).Debug.Services = &services;
        Parts(context).Debug.RunOrigin = roSimulation;
        Parts(context).Debug.DebugOrigins = roSimulation;
        Define("Foo", "Arg(1)*2", 1, 1);
        Define("Bad", "Concat(Fail([inner]))", 1, 1);
        CountCalls() = 0;
    }

    void Define(const char* name, const char* body, int min, int max) {
        TWordAttributes attributes;
        attributes.CodeText = body;
        attributes.MinArgs = static_cast<std::uint8_t>(min);
        attributes.MaxArgs = static_cast<std::uint8_t>(max);
        ASSERT_GE(context.RegisterUserWord(name, "Various", attributes), 1) << name;
    }

    double Execute(std::string_view source) {
        text = TText();
        return context.ExecuteText(source, text);
    }

    // Debug mode on and the run frozen in step mode, as after the window's Stop.
    void StartStepping() {
        SwitchDebugging(context, true);
        services.Perform(TAction::Stop);
        services.Log.clear();
    }

    TFakeHost host;
    TTestContext context{host};
    TFakeServices services{context};
    TText text;
};

TEST_F(DebugTest, SteppingThroughARun) {
    using enum TAction;
    struct StepCase {
        const char* source;
        std::vector<TAction> presses;
        double result;
        const char* log;
    };
    const StepCase cases[] = {
        // Step In pauses at every node before and, for a call, once more at its whole text.
        {"1+2",
         {StepIn, StepIn, StepIn, StepIn},
         3,
         "head + | StepIn | head 1 | StepIn | result 1 | head 2 | StepIn | result 2 | "
         "extent +(1,2) | StepIn | result 3"},
        // Into a user-defined word: its body's listing, and the argument in the caller's.
        {"Foo(3)",
         {StepIn, StepIn, StepIn, StepIn, StepIn, StepIn, StepIn, StepIn, StepIn},
         6,
         "head Foo | StepIn | head * | StepIn | head Arg | StepIn | head 1 | StepIn | "
         "result 1 | head 3 | StepIn | result 3 | extent Arg(1) | StepIn | result 3 | head 2 | "
         "StepIn | result 2 | extent *(Arg(1),2) | StepIn | result 6 | extent Foo(3) | StepIn | "
         "result 6"},
        // Step Over runs the whole call without inner pauses and shows its result at once.
        {"Foo(3)+1",
         {StepIn, StepOver, StepIn, StepIn},
         7,
         "head + | StepIn | head Foo | StepOver | result 6 | head 1 | StepIn | result 1 | "
         "extent +(Foo(3),1) | StepIn | result 7"},
        // Run: nothing pauses any more; the result of the node paused at is still shown.
        {"1+2", {Run}, 3, "head + | Run | result 3"},
        // Cancel confirmed ends the whole run silently.
        {"1+2", {StepIn, CancelYes}, 0, "head + | StepIn | head 1 | CancelYes"},
        // Cancel not confirmed leaves the pause as it was.
        {"1+2", {CancelNo, Run}, 3, "head + | CancelNo | head + | Run | result 3"},
        // Cancel inside a user-defined word's body ends only that call; the caller pauses on.
        {"Foo(3)+1",
         {StepIn, StepIn, CancelYes, StepIn, StepIn, StepIn},
         1,
         "head + | StepIn | head Foo | StepIn | head * | CancelYes | extent Foo(3) | StepIn | "
         "result 0 | head 1 | StepIn | result 1 | extent +(Foo(3),1) | StepIn | result 1"},
    };
    for (const StepCase& row : cases) {
        StartStepping();
        services.Presses.assign(row.presses.begin(), row.presses.end());
        EXPECT_EQ(Execute(row.source), row.result) << row.source;
        EXPECT_EQ(Joined(services.Log), row.log) << row.source;
        EXPECT_TRUE(services.Presses.empty()) << row.source;
        EXPECT_EQ(services.UnexpectedPauses, 0) << row.source;
        EXPECT_FALSE(Parts(context).Debug.AbortRequested) << row.source;
        EXPECT_EQ(Parts(context).Debug.AbortTarget, TAbortTarget::WholeRun()) << row.source;
        EXPECT_EQ(StackImbalance(context), "") << row.source;
    }
}

TEST_F(DebugTest, StopWhileRunningPausesAtTheNextNode) {
    SwitchDebugging(context, true);
    services.Pending = {TAction::Stop};
    services.Presses = {TAction::StepIn, TAction::Run};
    EXPECT_EQ(Execute("Do(w500,5,6)"), 6);
    EXPECT_EQ(Joined(services.Log),
              "Stop | extent w500 | StepIn | result 0 | head 5 | Run | result 5");
    EXPECT_EQ(services.UnexpectedPauses, 0);
    EXPECT_EQ(StackImbalance(context), "") << "Stop";
}

TEST_F(DebugTest, PausingFreezesAndReleasesTheModelViews) {
    services.FrozenPreference = true;
    StartStepping();
    services.Presses = {TAction::Run};
    EXPECT_EQ(Execute("7"), 7);
    EXPECT_EQ(Joined(services.Log), "head 7 | Run | result 7");
    SwitchDebugging(context, true);
    services.Log.clear();
    services.Pending = {TAction::Stop};
    services.Presses = {TAction::Run};
    Execute("Do(w500,1)");
    EXPECT_EQ(services.Log.front(), "Stop");
    EXPECT_EQ(services.Log[1], "views: Frozen for debug");
    EXPECT_GT(services.Releases, 0);
    EXPECT_FALSE(Parts(context).Debug.Running)
        << "after a shown result the run stays frozen for the next pause";
}

TEST_F(DebugTest, BreakRequests) {
    struct BreakCase {
        const char* name;
        bool debugging;
        std::uint8_t runOrigin;
        std::vector<TBoxAnswer> answers;
        double result;
        int countCalls;
        const char* questions; // "" none, "stop" AskStop, "debug" AskDebug
        const char* log;
    };
    using enum TBoxAnswer;
    const BreakCase cases[] = {
        {"plain, go on", false, roSimulation, {No}, 1, 1, "stop", ""},
        {"plain, stop", false, roSimulation, {Yes}, 0, 0, "stop", ""},
        {"debugged origin pauses without asking",
         true,
         roSimulation,
         {},
         1,
         1,
         "",
         "head Count | Run | result 1"},
        {"other origin, debug it",
         true,
         roAnimation,
         {Yes},
         1,
         1,
         "debug",
         "head Count | Run | result 1"},
        {"other origin, stop", true, roAnimation, {No}, 0, 0, "debug", ""},
        {"other origin, go on", true, roAnimation, {Cancel}, 1, 1, "debug", ""},
        // In a debug run a stop at a node that can pause turns into step mode.
        {"external origin asks to stop",
         true,
         roExternal,
         {Yes},
         0,
         0,
         "stop",
         "extent Do(w501,Count) | Run | result 0"},
    };
    const std::string askStop = context.LanguageText(ltAskStop) + "\r" +
                                context.LanguageText(ltAskStopQuestion) + " [Yes/No]";
    const std::string askDebug = context.LanguageText(ltAskDebug) + "\r" +
                                 context.LanguageText(ltAskDebugYesNo) + "\r" +
                                 context.LanguageText(ltAskDebugCancel) + " [Yes/No/Cancel]";
    for (const BreakCase& row : cases) {
        SwitchDebugging(context, row.debugging);
        Parts(context).Debug.DebugOrigins = roSimulation;
        Parts(context).Debug.RunOrigin = row.runOrigin;
        CountCalls() = 0;
        services.Log.clear();
        services.Questions.clear();
        services.Answers.assign(row.answers.begin(), row.answers.end());
        services.Presses = {TAction::Run};
        EXPECT_EQ(Execute("Do(w501,Count)"), row.result) << row.name;
        EXPECT_EQ(CountCalls(), row.countCalls) << row.name;
        const std::string question = std::string(row.questions) == "stop"    ? askStop
                                     : std::string(row.questions) == "debug" ? askDebug
                                                                             : "";
        EXPECT_EQ(Joined(services.Questions), question) << row.name;
        EXPECT_EQ(Joined(services.Log), row.log) << row.name;
        EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u) << row.name;
        EXPECT_EQ(StackImbalance(context), "") << row.name;
    }
    EXPECT_EQ(Parts(context).Debug.DebugOrigins, roSimulation | roExternal)
        << "stepping through a run of another origin adds that origin";
    EXPECT_EQ(services.Window->TickedOrigins, roSimulation | roExternal);
}

// An abort request ends the whole run at its next node without a question, also through
// user-defined words (which turn the debugger's stop into step mode).
TEST_F(DebugTest, AnAbortRequestEndsTheRunWithoutAsking) {
    Define("Deep", "Do(Count,w502,Count)", 0, 0);
    const char* const sources[] = {"Do(Count,w502,Count)", "Do(Deep,Count)",
                                   "Global([g],Do(Count,w502,Count))"};
    for (bool debugging : {false, true}) {
        SwitchDebugging(context, debugging);
        services.Presses = {TAction::Run};
        for (const char* source : sources) {
            CountCalls() = 0;
            host.HandledExceptions.clear();
            services.Questions.clear();
            services.Answers = {TBoxAnswer::No, TBoxAnswer::Cancel};
            EXPECT_EQ(Execute(source), 0) << source;
            EXPECT_EQ(CountCalls(), 1) << source << ": nothing after the request ran";
            EXPECT_TRUE(services.Questions.empty()) << source;
            EXPECT_EQ(host.HandledExceptions, std::vector<std::string>{""}) << source;
            EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u) << source;
            EXPECT_EQ(StackImbalance(context), "") << source;
        }
    }
    // A nested run hands the abort to the host's handler and returns, but the run around it
    // ends at its next node as well.
    CountCalls() = 0;
    host.HandledExceptions.clear();
    EXPECT_EQ(Execute("Do(Count,w503([Do(w502,Count)]),Count)"), 0);
    EXPECT_EQ(CountCalls(), 1);
    EXPECT_EQ(host.HandledExceptions, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u);
    EXPECT_EQ(StackImbalance(context), "") << "nested run";
    // Break requests pending beside it ask nothing either.
    CountCalls() = 0;
    services.Questions.clear();
    Parts(context).Debug.BreakRequest = 3;
    Parts(context).Debug.RequestAbort();
    EXPECT_EQ(Execute("Do(Count,Count)"), 0);
    EXPECT_EQ(CountCalls(), 0);
    EXPECT_TRUE(services.Questions.empty());
    // A request that comes after the last node of its run ends that run all the same, and not
    // the next one.
    host.HandledExceptions.clear();
    EXPECT_EQ(Execute("Do(Count,w502)"), 0);
    EXPECT_EQ(host.HandledExceptions, std::vector<std::string>{""});
    CountCalls() = 0;
    EXPECT_EQ(Execute("Do(Count,Count)"), 2);
}

// The abort request is apart from the break requests: dropping it leaves break requests without
// it alone, and one that comes while a break request is being answered is not lost with it.
TEST_F(DebugTest, AnAbortRequestIsKeptApartFromBreakRequests) {
    Parts(context).Debug.BreakRequest = 2;
    Parts(context).Debug.ClearAbortRequest();
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 2u) << "no abort pending: the breaks stay";
    Parts(context).Debug.BreakRequest = 0;

    // The person is asked whether to stop and says no; meanwhile an automation client aborts.
    services.OnQuestion = [&] { Parts(context).Debug.RequestAbort(); };
    services.Answers = {TBoxAnswer::No};
    host.HandledExceptions.clear();
    EXPECT_EQ(Execute("Do(w501,Count,Count)"), 0);
    EXPECT_EQ(services.Questions.size(), 1u);
    EXPECT_EQ(CountCalls(), 1) << "the node asked at goes on; the abort ends the run at the next";
    EXPECT_EQ(host.HandledExceptions, std::vector<std::string>{""});
    EXPECT_FALSE(Parts(context).Debug.AbortRequestPending());
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u);
    EXPECT_EQ(StackImbalance(context), "") << "abort during a question";
}

// w504: the application's ticker asks the run to serve it.
constexpr int kServiceWord = 504;
double wordService(int, TCallNode&, TText&, TLanguageInterpreter& context) {
    Parts(context).Debug.RequestService();
    return 0;
}

// A service request is served at the next node, in a plain and a debug run, and asks nothing;
// what the application does while it is served (a press, an abort) is answered at that node.
TEST_F(DebugTest, AServiceRequestIsServedAtTheNextNode) {
    Parts(context).Registry.WordTable[kServiceWord] = wordService;
    struct ServeCase {
        const char* name;
        std::function<void()> whileServed;
        double result;
        int countCalls;
        std::size_t questions;
    };
    const ServeCase cases[] = {
        {"nothing else", {}, 2, 2, 0},
        {"a press asks", [&] { Parts(context).Debug.BreakRequest.fetch_add(1); }, 2, 2, 1},
        {"an abort ends the run", [&] { Parts(context).Debug.RequestAbort(); }, 0, 0, 0},
    };
    for (bool debugging : {false, true}) {
        SwitchDebugging(context, debugging);
        Parts(context).Debug.RunOrigin = roExternal;
        for (const ServeCase& row : cases) {
            const std::string name = std::string(row.name) + (debugging ? ", debugged" : "");
            services.Serves = 0;
            services.OnServe = row.whileServed;
            services.Questions.clear();
            services.Answers = {TBoxAnswer::No};
            CountCalls() = 0;
            EXPECT_EQ(Execute("Do(w504,Count,Count)"), row.result) << name;
            EXPECT_EQ(services.Serves, 1) << name;
            EXPECT_EQ(CountCalls(), row.countCalls) << name;
            EXPECT_EQ(services.Questions.size(), row.questions) << name;
            EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u) << name;
            EXPECT_EQ(StackImbalance(context), "") << name;
        }
    }
    services.OnServe = {};
}

// A press belongs to the run it came in: one left when the run ends, or made during a pause,
// stops or pauses nothing after it.
TEST_F(DebugTest, APressOutlivesNeitherItsRunNorAPause) {
    services.Answers = {TBoxAnswer::Yes};
    Execute("Do(Count,w501)");
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u) << "left at the run's end";
    CountCalls() = 0;
    EXPECT_EQ(Execute("Do(Count,Count)"), 2);
    EXPECT_TRUE(services.Questions.empty());

    StartStepping();
    services.Presses = {TAction::Break, TAction::Run};
    CountCalls() = 0;
    EXPECT_EQ(Execute("Do(Count,Count)"), 2);
    EXPECT_EQ(Joined(services.Log), "head Do | Break | head Do | Run | result 2")
        << "the press during the pause pauses no later node";
    EXPECT_EQ(services.UnexpectedPauses, 0);
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u);
}

TEST_F(DebugTest, BreakRequestsArrivingTogetherAreAnsweredOnce) {
    for (bool debugging : {false, true}) {
        SwitchDebugging(context, debugging);
        Parts(context).Debug.RunOrigin = roExternal;
        services.Questions.clear();
        services.Answers = {TBoxAnswer::No};
        CountCalls() = 0;
        Parts(context).Debug.BreakRequest = 5;
        EXPECT_EQ(Execute("Do(Count,Count)"), 2);
        EXPECT_EQ(services.Questions.size(), 1u);
        EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u);
    }
}

TEST_F(DebugTest, ErrorsAreContainedPerCompiledCode) {
    struct ContainCase {
        const char* source;
        double result;
        const char* error;
    };
    const ContainCase cases[] = {
        // A built-in word's error ends the whole root, named after the root's word.
        {"Do(1,Fail([boom]),5)", 0, "Error in \"Do\":boom"},
        // A user-defined word's error ends only its call, named after its body's root word.
        {"Do(1,Bad(1),5)", 5, "Error in \"Concat\":inner"},
    };
    for (bool stepping : {false, true}) {
        for (const ContainCase& row : cases) {
            SwitchDebugging(context, true);
            if (stepping) {
                StartStepping();
                services.Presses = {TAction::StepOver, TAction::StepOver, TAction::StepOver,
                                    TAction::StepOver, TAction::StepOver, TAction::StepOver};
            }
            context.Errors.clear();
            EXPECT_EQ(Execute(row.source), row.result) << row.source;
            EXPECT_EQ(context.Errors, std::vector<std::string>{row.error}) << row.source;
            EXPECT_EQ(StackImbalance(context), "") << row.source;
            services.Presses.clear();
        }
    }
}

// Step mode entered inside a user-defined word's body pauses in the body's activation, where the
// Immediate page's code then runs.
TEST_F(DebugTest, StepModeRemembersThePausedActivation) {
    Define("Brk", "Do(LocalNumber([k]),k:=9,w501,k)", 0, 0);
    SwitchDebugging(context, true);
    Parts(context).Debug.RunOrigin = roAnimation;
    services.Answers = {TBoxAnswer::Yes};
    std::string pausedIn;
    double seenFromPause = 0;
    services.OnMessage = [&] {
        const TListing* listing = Parts(context).Debug.PausedFrame
                                      ? GetListing(context, Parts(context).Debug.PausedFrame->Root)
                                      : nullptr;
        pausedIn = listing ? listing->Text : "";
        TText immediate;
        seenFromPause = context.ExecuteInPausedFrame("k+1", immediate);
    };
    services.Presses = {TAction::Run};
    EXPECT_EQ(Execute("Brk+1"), 10);
    EXPECT_EQ(pausedIn, "Do(LocalNumber([k]),:=(k,9),w501,k)");
    EXPECT_EQ(seenFromPause, 10);
    EXPECT_EQ(Joined(services.Log), "head k | Run | result 9");
    EXPECT_EQ(StackImbalance(context), "") << "paused activation";

    // The body's frame was given back when the call ended: the paused frame is forgotten, and
    // text for it is refused instead of reading the frame.
    EXPECT_EQ(Parts(context).Debug.PausedFrame, nullptr);
    TText immediate;
    EXPECT_EQ(context.ExecuteInPausedFrame("k+1", immediate), 0);
    EXPECT_EQ(context.Errors.back(), "Cannot execute in the paused frame: no run is paused.");
}

// Stepping on out of the body in which step mode began, the next pause remembers the caller's
// activation, so the Immediate page keeps working.
TEST_F(DebugTest, APauseAfterThePausedActivationEndedRemembersItsOwn) {
    Define("Brk", "Do(LocalNumber([k]),k:=9,w501,k)", 0, 0);
    SwitchDebugging(context, true);
    Parts(context).Debug.RunOrigin = roAnimation;
    services.Answers = {TBoxAnswer::Yes};
    std::vector<std::string> seen;
    services.OnMessage = [&] {
        TText immediate;
        context.Errors.clear();
        const double value = context.ExecuteInPausedFrame("k", immediate);
        const std::string shown = immediate.empty() ? FormatNumber(value) : immediate.str();
        seen.push_back(context.Errors.empty() ? shown : context.Errors.front());
    };
    services.Presses = {TAction::StepIn, TAction::StepIn, TAction::StepIn, TAction::Run};
    Execute("Do(LocalText([k]),k:=[m],Brk,k)");
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), "9") << "in the body";
    EXPECT_EQ(seen.back(), "m") << "in the caller, after the body ended";
    EXPECT_EQ(StackImbalance(context), "") << "pause after the paused activation ended";
}

// A run the host starts stepping pauses in its own activation: text typed at a pause reads and
// changes the paused code's locals, and the paused frame is forgotten when the pause ends.
TEST_F(DebugTest, APauseRunsTypedTextInThePausedActivation) {
    SwitchDebugging(context, true);
    Parts(context).Debug.DebugState = dsStepInto;
    double seen = -1;
    services.OnMessage = [&] {
        if (services.Log.back() == "head k" && seen < 0) {
            TText immediate;
            seen = context.ExecuteInPausedFrame("k:=k+10", immediate);
        }
    };
    services.Presses.assign(12, TAction::StepIn);
    services.Presses.push_back(TAction::Run);
    EXPECT_EQ(Execute("Do(LocalNumber([k]),k:=4,k*2)"), 28);
    EXPECT_EQ(seen, 14);
    EXPECT_EQ(Parts(context).Debug.PausedFrame, nullptr);
    EXPECT_EQ(StackImbalance(context), "") << "typed text at a pause";
}

// Every pause reports where the run stands: in a user-defined word's body the code kind, the
// word's name and the deeper nesting; the window reads none of it from the context.
TEST_F(DebugTest, APauseReportsTheCodeKindAndTheNesting) {
    StartStepping();
    struct TSeen {
        std::string head;
        TCodeKind kind;
        std::string word;
        std::int32_t level;
    };
    std::vector<TSeen> seen;
    services.OnMessage = [&] {
        const TFakeWindow& window = *services.Window;
        seen.push_back({services.Log.back(), window.PausedCodeKind, window.PausedWordName,
                        window.PausedNestingLevel});
    };
    services.Presses = {TAction::StepIn, TAction::StepIn, TAction::Run};
    EXPECT_EQ(Execute("Foo(3)"), 6);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].head, "head Foo");
    EXPECT_EQ(seen[0].kind, TCodeKind::None);
    EXPECT_EQ(seen[0].word, "");
    EXPECT_EQ(seen[1].head, "head *");
    EXPECT_EQ(seen[1].kind, TCodeKind::UserWordBody);
    EXPECT_EQ(seen[1].word, "Foo");
    EXPECT_GT(seen[1].level, seen[0].level);
    EXPECT_EQ(StackImbalance(context), "") << "reports";
}

// A Cancel that no pause takes up (pressed while a run goes on without pausing, or while
// debugging goes off) is dropped when the outermost run ends, so it cannot end the next run at
// its first pause.
TEST_F(DebugTest, ACancelNoPauseTookUpIsDropped) {
    SwitchDebugging(context, true);
    services.Pending = {TAction::CancelYes};
    EXPECT_EQ(Execute("Do(1,w500,5)"), 5);
    EXPECT_FALSE(Parts(context).Debug.AbortRequested);
    StartStepping();
    services.Presses.assign(4, TAction::StepIn);
    EXPECT_EQ(Execute("-(8,1)"), 7) << "the next run is not cancelled";
    EXPECT_EQ(services.UnexpectedPauses, 0);

    Parts(context).Debug.AbortRequested = true;
    Parts(context).Debug.AbortTarget = TAbortTarget::StopAsked();
    SwitchDebugging(context, false);
    EXPECT_FALSE(Parts(context).Debug.AbortRequested);
    EXPECT_EQ(Parts(context).Debug.AbortTarget, TAbortTarget::WholeRun());
    EXPECT_EQ(StackImbalance(context), "") << "dropped cancel";
}

TEST_F(DebugTest, WithoutServicesADebugRunNeverPauses) {
    Parts(context).Debug.Services = nullptr;
    SwitchDebugging(context, true);
    Parts(context).Debug.DebugState = dsStepInto;
    EXPECT_EQ(Execute("Foo(3)+1"), 7);
    EXPECT_EQ(StackImbalance(context), "") << "no services";
    // A break request then stops the run: there is nobody to ask.
    Parts(context).Debug.BreakRequest = 1;
    EXPECT_EQ(Execute("Do(Count,Count)"), 0);
    EXPECT_EQ(CountCalls(), 0);
    EXPECT_EQ(StackImbalance(context), "") << "no services, break";
}

TEST_F(DebugTest, WithoutAWindowADebugRunNeverPauses) {
    services.CanCreateWindow = false;
    StartStepping();
    EXPECT_EQ(Execute("Foo(3)+1"), 7);
    EXPECT_EQ(services.UnexpectedPauses, 0);
    EXPECT_TRUE(Parts(context).Debug.Running);
    EXPECT_EQ(StackImbalance(context), "") << "no window";
}

TEST_F(DebugTest, SwitchingDebugModeOnAndOff) {
    SwitchDebugging(context, true);
    ASSERT_NE(services.Window, nullptr);
    EXPECT_EQ(services.Window->Context, &context);
    EXPECT_TRUE(services.Window->DebugMode);
    EXPECT_EQ(services.WatchedRequest, &Parts(context).Debug.BreakRequest);
    EXPECT_EQ(Parts(context).Debug.DebugState, dsRun);
    Parts(context).Debug.DebugState = dsSuppressed | dsStepOver;
    Parts(context).Debug.Running = false;
    Parts(context).Debug.BreakRequest = 3;
    SwitchDebugging(context, false);
    EXPECT_EQ(Parts(context).Debug.DebugState, dsSuppressed) << "bit 7 is kept";
    EXPECT_TRUE(Parts(context).Debug.Running);
    EXPECT_EQ(Parts(context).Debug.BreakRequest.load(), 0u);
    EXPECT_EQ(services.WatchedRequest, nullptr);
    EXPECT_FALSE(services.Window->DebugMode);
    SwitchDebugging(context, true);
    EXPECT_EQ(Parts(context).Debug.DebugState, dsSuppressed | dsRun);
    EXPECT_EQ(services.Window->AttachCount, 1) << "the window is created and attached once";
}

TEST_F(DebugTest, TerminatingApplicationNeverPauses) {
    StartStepping();
    services.Terminating = true;
    EXPECT_EQ(Execute("1+2"), 3);
    EXPECT_EQ(services.UnexpectedPauses, 0);
    EXPECT_TRUE(Parts(context).Debug.Running) << "the run is released after each result";
}

} // namespace
} // namespace vex::test
