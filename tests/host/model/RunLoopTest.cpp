// The run loop: events in time order (ties by priority, then scheduling order), handlers run
// with the handler kind, the simulation origin and the atom registers, all restored afterwards.

#include "ModelFixture.h"

#include "runtime/VexWords.h"

#include "host/model/ModelViews.h"

namespace vex::host {
namespace {

class RunLoopTest : public ModelFixture {};

TEST_F(RunLoopTest, EventsRunByTimeThenPriorityThenSchedulingOrder) {
    Value("Do(DeclareGlobal([log],1), log := [>], DeclareGlobal([q],2), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnEvent],[log := Concat(log, EventCode, [@], SimTime, [ ])]))");
    struct Event {
        const char* delay;
        int code;
        int priority;
    };
    const Event events[] = {
        {"5", 1, 0}, {"2", 2, 0}, {"5", 3, 9}, {"2", 4, 0}, {"5", 5, 0}, {"0", 6, -1},
    };
    for (const Event& event : events) {
        Value(std::string("CreateEvent(") + event.delay + ",q," + std::to_string(event.code) + "," +
              std::to_string(event.priority) + ")");
    }
    EXPECT_EQ(Value("RunModel(10)"), 6);
    EXPECT_EQ(Run("log").Text, ">6@0 2@2 4@2 3@5 1@5 5@5 ");
    EXPECT_EQ(Value("SimTime"), 10);
}

TEST_F(RunLoopTest, RunStopsAtTheEndTimeAndLeavesLaterEventsPending) {
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnEvent],[Do(SetLabel(c,[n],c.n + 1), CreateEvent(3, c))]), "
          "CreateEvent(0,q))");
    EXPECT_EQ(Value("RunModel(10)"), 4); // at 0, 3, 6 and 9
    EXPECT_EQ(Value("label([n],q)"), 4);
    EXPECT_EQ(Value("EventCount"), 1);
    EXPECT_EQ(Value("RunModel(12)"), 1);
    EXPECT_EQ(Value("SimTime"), 12);
    EXPECT_NE(Run("RunModel(11)").Errors, ""); // before the clock
}

// Records what the context shows while a handler calls TreeRefresh. The words that change atoms
// ask for a refresh as well, outside any handler (code kind none); those are not recorded.
class TRecordingTree : public TModelTree {
public:
    TRecordingTree(TLanguageInterpreter& context, THostRegisters& registers)
        : m_context(context)
        , m_registers(registers) {}
    void Refresh() override {
        if (m_context.CodeKind() == TCodeKind::None) {
            return;
        }
        Seen.push_back({HandlerKindOf(m_context.CodeKind()), m_context.RunOrigin(),
                        m_registers.First, m_registers.Second});
    }
    struct TState {
        int Marker;
        int Origin;
        std::int32_t First;
        std::int32_t Second;
    };
    std::vector<TState> Seen;

private:
    TLanguageInterpreter& m_context;
    THostRegisters& m_registers;
};

TEST_F(RunLoopTest, HandlersRunWithTheirKindAndTheSimulationOriginAndRestoreThem) {
    TRecordingTree tree(Context(), Registers());
    Services().Tree = &tree;
    Value(
        "Do(DeclareGlobal([box],2), DeclareGlobal([item],2), DeclareGlobal([proto],2),"
        "box := CreateAtom(model,[Box]), proto := CreateAtom(AtomByName([Library],main),[Item]))");
    struct Case {
        const char* kind;
        int marker;
    };
    const Case kinds[] = {{"OnEvent", 1},       {"OnEntry", 2},    {"OnEntered", 3},
                          {"OnExit", 4},        {"OnExited", 5},   {"OnCreation", 6},
                          {"OnDestruction", 7}, {"OnReset", 8},    {"OnUser", 9},
                          {"OnOcReady", 10},    {"OnIcReady", 11}, {"On2DDraw", 12},
                          {"On3DDraw", 13},     {"OnMessage", 14}, {"OnInit", 15}};
    for (const Case& kind : kinds) {
        Value(std::string("Do(SetHandler(box,[") + kind.kind +
              "],[TreeRefresh]),SetHandler(proto,[" + kind.kind + "],[TreeRefresh]))");
    }
    Registers() = {101, 102, 103};
    Context().SetCodeKind(TCodeKind::None);

    Value("Do(item := CreateAtom(model,[Item],proto), MoveAtom(item, box), CreateEvent(1, box, 7),"
          "RunModel(1), RunHandler(box,[OnUser],item), RunHandler(box,[OnMessage]),"
          "RunHandler(box,[OnOcReady]), RunHandler(box,[OnIcReady]), RunHandler(box,[On2DDraw]),"
          "RunHandler(box,[On3DDraw]), RunHandler(box,[OnInit]), ResetModel, DestroyAtom(item))");

    const std::int32_t box = static_cast<std::int32_t>(Value("box"));
    EXPECT_EQ(Model().AtomByName("Item", Model().Root()), nullptr); // destroyed at the end
    std::vector<int> markers;
    for (const auto& state : tree.Seen) {
        markers.push_back(state.Marker);
        EXPECT_EQ(state.Origin, roSimulation);
    }
    // Creation, the four of the move (from model to box), the event, the run handlers, the
    // resets of box and item (in tree order), the destruction.
    EXPECT_EQ(markers, (std::vector<int>{6, 5, 2, 3, 1, 9, 14, 10, 11, 12, 13, 15, 8, 8, 7}));
    EXPECT_EQ(tree.Seen[2].First, box); // OnEntry runs on the box ...
    EXPECT_NE(tree.Seen[2].Second, 0);  // ... with the item involved
    EXPECT_EQ(tree.Seen[4].First, box); // the event
    EXPECT_EQ(Context().CodeKind(), TCodeKind::None);
    EXPECT_EQ(Context().RunOrigin(), 0);
    EXPECT_EQ(Registers().First, 101);
    EXPECT_EQ(Registers().Second, 102);
    Services().Tree = nullptr;
}

// A model view that shows nothing.
class TQuietView : public TModelView {
public:
    void ShowFrozenMessage(const std::string&) override {}
    void ReleaseFrozen() override {}
    void SetWatchesVisible(bool) override {}
};

std::uint64_t s_now = 0;
std::uint64_t s_step = 0;
std::uint64_t SteppingClock() noexcept {
    return s_now += s_step;
}

// While the model runs, a frame is drawn after an event whenever the frame interval has passed:
// the drawing handlers of every atom of the model run, in tree order, with the animation origin.
// Without a view nothing is drawn.
TEST_F(RunLoopTest, FramesRunTheDrawingHandlersWithTheAnimationOrigin) {
    TRecordingTree tree(Context(), Registers());
    TQuietView view;
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]), DeclareGlobal([s],2),"
          "s := CreateAtom(q,[Shape]), SetHandler(s,[On3DDraw],[TreeRefresh]),"
          "SetHandler(q,[On2DDraw],[TreeRefresh]), SetHandler(q,[OnEvent],[1]))");
    struct Case {
        bool withView;
        std::uint64_t step; // milliseconds the clock moves per reading
        std::size_t frames;
    };
    const Case cases[] = {{false, 28, 0}, {true, 28, 10}, {true, 10, 4}, {true, 0, 1}};
    for (const Case& with : cases) {
        if (with.withView) {
            Services().Views.Add(view);
        }
        s_step = with.step;
        Services().Animation = TAnimationTick();
        Services().Animation.Views = &Services().Views;
        Services().Animation.Clock = SteppingClock;
        Value("Do(ResetModel, Repeat(10, CreateEvent(1, q)))");
        Services().Tree = &tree;
        tree.Seen.clear();
        EXPECT_EQ(Value("RunModel(100)"), 10);
        Services().Tree = nullptr;
        Services().Views.Remove(view);
        ASSERT_EQ(tree.Seen.size(), 2 * with.frames) << with.step;
        for (std::size_t seen = 0; seen < tree.Seen.size(); ++seen) {
            EXPECT_EQ(tree.Seen[seen].Marker, seen % 2 == 0 ? 12 : 13); // q first, then s
            EXPECT_EQ(tree.Seen[seen].Origin, roAnimation);
        }
        EXPECT_EQ(Context().RunOrigin(), 0);
    }
}

TEST_F(RunLoopTest, ErrorsInAHandlerAreReportedAndTheRunGoesOn) {
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnEvent],[Do(SetLabel(c,[n],c.n + 1), If(EventCode = 1, Child(c, 5)))]),"
          "CreateEvent(1,q,1), CreateEvent(2,q,2))");
    const TModelResult run = Run("RunModel(5)");
    EXPECT_EQ(run.Number, 2);
    EXPECT_NE(run.Errors.find("Child: the atom \"Q\" has no child 5"), std::string::npos)
        << run.Errors;
    EXPECT_EQ(Value("label([n],q)"), 2);
    EXPECT_EQ(Context().RunOrigin(), 0);
}

// A kind runs when its text is set, also after runs of the atom found none; an empty text, and
// emptying the model (whose atom keeps its handle), take the handler away again.
TEST_F(RunLoopTest, OnlyKindsWithATextRunAndSettingOrEmptyingChangesWhichDo) {
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]))");
    const struct {
        const char* source;
        double result;
    } steps[] = {
        {"RunHandler(q,[OnUser])", 0},
        {"Do(SetHandler(q,[OnEvent],[1]), RunHandler(q,[OnUser]))", 0},
        {"Do(SetHandler(q,[OnUser],[7]), RunHandler(q,[OnUser]))", 7},
        {"Do(SetHandler(q,[OnUser],[]), RunHandler(q,[OnUser]))", 0},
        {"Do(SetHandler(q,[OnUser],[8]), RunHandler(q,[OnUser]))", 8},
        {"Do(SetHandler(model,[OnUser],[9]), RunHandler(model,[OnUser]))", 9},
        {"Do(tztfnc([new model]), RunHandler(model,[OnUser]))", 0},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(Value(step.source), step.result) << step.source;
    }
}

// A handler that destroys its own atom keeps running on its compiled code (which the run holds)
// and then finds its atom gone.
TEST_F(RunLoopTest, HandlerThatDestroysItsOwnAtom) {
    Value("Do(DeclareGlobal([q],2), DeclareGlobal([after],0), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnEvent],[Do(DestroyAtom(c), after := AtomExists(c) + 10)]),"
          "CreateEvent(1,q), CreateEvent(2,q))");
    EXPECT_EQ(Value("RunModel(5)"), 1); // the second event went with the atom
    EXPECT_EQ(Value("after"), 10);
}

TEST_F(RunLoopTest, RunModelInsideAHandlerIsRefused) {
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnEvent],[RunModel(100)]), CreateEvent(1,q))");
    const TModelResult run = Run("RunModel(5)");
    EXPECT_NE(run.Errors.find("RunModel: the model is running already"), std::string::npos)
        << run.Errors;
    EXPECT_EQ(Value("SimTime"), 5);
}

// Endless nesting of handler runs is stopped like endless recursion of user words.
TEST_F(RunLoopTest, EndlesslyNestedHandlersStopWithStackOverflow) {
    Value("Do(DeclareGlobal([q],2), q := CreateAtom(model,[Q]),"
          "SetHandler(q,[OnUser],[RunHandler(c,[OnUser])]))");
    const TModelResult run = Run("RunHandler(q,[OnUser])");
    EXPECT_NE(run.Errors.find("Stack overflow"), std::string::npos) << run.Errors;
    EXPECT_EQ(vex::RunParts(Context()).Stack.CallDepth, 0);
    EXPECT_EQ(Context().CodeKind(), TCodeKind::None);
}

TEST_F(RunLoopTest, DeepTreesAreDestroyedWithoutRecursion) {
    std::int32_t mother = Model().Root();
    const std::int32_t top = Model().CreateAtom(mother, "top");
    mother = top;
    for (int depth = 0; depth < 200000; ++depth) {
        mother = Model().CreateAtom(mother, "nested");
    }
    Model().ScheduleEvent(1, 0, 0, mother, 0, "test");
    Model().DestroyAtom(top, "test");
    EXPECT_EQ(Model().AtomCount(), 3u);
    EXPECT_EQ(Model().Events().Count(), 0u);
    EXPECT_EQ(Model().FindAtom(mother), nullptr);
}

} // namespace
} // namespace vex::host
