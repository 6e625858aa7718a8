// The standard words in a debug run: a plain run reads number constants and number variables in
// place, without evaluating them as nodes; a debug run must still take every node through the
// debugger, so that counting, timing and stepping see all of them.

#include "tests/host/ScriptFixture.h"
#include "tests/runtime/FakeDebugger.h"

#include "runtime/DebuggerInterface.h"
#include "runtime/VexWords.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <regex>
#include <string>

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
        vex::DebugControlOf(Context()).Services = &m_services;
        SwitchDebugging(Context(), true);
        performance().CountingMode = cmCountCommands;
        performance().Counter.ResetCounter();
        const TScriptResult result = Run(source);
        EXPECT_EQ(result.Errors, "") << source;
        SwitchDebugging(Context(), false);
        vex::DebugControlOf(Context()).Services = nullptr;
    }

    TPerformance& performance() { return vex::DebugControlOf(Context()).Performance; }

    // Runs a text in a debug run that counts its nodes and gives what it gave.
    TScriptResult RunDebugged(std::string_view source) {
        vex::DebugControlOf(Context()).Services = &m_services;
        SwitchDebugging(Context(), true);
        performance().CountingMode = cmCountCommands;
        const TScriptResult result = Run(source);
        SwitchDebugging(Context(), false);
        vex::DebugControlOf(Context()).Services = nullptr;
        return result;
    }

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

// Random programs of numbers, texts, locals, a global, a label, loops, user-defined words that
// read their arguments in the caller's frame, early returns and errors: the plain path's fast ways
// (numbers and text constants read in place, arguments read from the caller's frame, appends in
// place) must give what the debug path, which takes every node through the debugger, gives.
class ProgramGenerator {
public:
    explicit ProgramGenerator(unsigned seed)
        : m_random(seed) {}

    std::string Program() {
        // The label and the global keep their values from run to run: both are set first.
        std::string body = "Do(LocalNum([x],[y]),LocalText([s]),SetLabel(model,[n]," + Small() +
                           "),g:=" + Small() + ",x:=" + Number(2) + ",s:=" + Text(2);
        const int statements = Pick(2, 6);
        for (int k = 0; k < statements; ++k) {
            body += "," + Statement();
        }
        return body + "," + (Pick(0, 1) ? Number(3) : Text(3)) + ")";
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string Small() { return std::to_string(Pick(0, 9)); }

    std::string Statement() {
        switch (Pick(0, 6)) {
        case 0:
            return "x:=" + Number(3);
        case 6:
            return "model.n := model.n + " + Number(2);
        case 1:
            return "y:=" + Number(3);
        case 2:
            return "s:=Concat(s," + Text(2) + ")";
        case 3:
            return "Do(y:=0,While(y<" + Small() + ",Do(y:=y+1,x:=x+" + Number(2) + ")))";
        case 4:
            return "Inc(x)";
        default:
            return "g:=g+" + Number(2);
        }
    }

    std::string Number(int depth) {
        if (depth <= 0) {
            const char* leaves[] = {
                "x", "y", "g", "2.5", "-3", "0", "model.n", "label([n],model)", "1e300"};
            return Pick(0, 1) ? Small() : leaves[Pick(0, 8)];
        }
        const int d = depth - 1;
        switch (Pick(0, 18)) {
        case 0:
            return "(" + Number(d) + "+" + Number(d) + ")";
        case 1:
            return "(" + Number(d) + "-" + Number(d) + ")";
        case 2:
            return "(" + Number(d) + "*" + Number(d) + ")";
        case 3:
            return "(" + Number(d) + "/" + Divisor(d) + ")";
        case 4:
            return "(" + Number(d) + "%" + Divisor(d) + ")";
        case 5:
            return "(" + Number(d) + "<" + Number(d) + ")";
        case 6:
            return "(" + Number(d) + "=" + Number(d) + ")";
        case 7:
            return "Max(" + Number(d) + "," + Number(d) + ")";
        case 8:
            return "Div(" + Number(d) + "," + Divisor(d) + ")";
        case 9:
            return "If(" + Number(d) + "," + Number(d) + "," + Number(d) + ")";
        case 10:
            return "Twice(" + Number(d) + ")";
        case 11:
            return "Sum(Min(" + Number(d) + ",6)," + Number(d) + ")";
        case 12:
            return "Length(" + Text(d) + ")";
        case 13:
            return Pick(0, 3) ? "Val(Str(" + Number(d) + "))" : "Val(" + Text(d) + ")";
        case 14:
            return Pick(0, 3) ? "Sqrt(Abs(" + Number(d) + "))" : "Sqrt(" + Number(d) + ")";
        case 15:
            return Pick(0, 15) ? "(x:=" + Number(d) + ")" : "Error([boom])";
        case 16:
            return Pick(0, 3) ? "Abs(" + Number(d) + ")" : "Return(" + Number(d) + ")";
        case 17:
            return "Mad(" + Number(d) + "," + (Pick(0, 3) ? Number(d) : Text(d)) + "," + Number(d) +
                   ")";
        default:
            return "Both(" + Number(d) + "," + Text(d) + ")";
        }
    }

    // Mostly a divisor that is not 0; now and then any number, so that division by zero occurs.
    std::string Divisor(int depth) {
        return Pick(0, 5) ? "(Abs(" + Number(depth) + ")+0.5)" : Number(depth);
    }

    std::string Text(int depth) {
        if (depth <= 0) {
            const char* leaves[] = {"[ab]", "[]", "[12]", "s", "[x y]"};
            return leaves[Pick(0, 4)];
        }
        const int d = depth - 1;
        switch (Pick(0, 5)) {
        case 0:
            return "Concat(" + Text(d) + "," + Number(d) + ")";
        case 5:
            return "Keep(" + Text(d) + "," + (Pick(0, 1) ? Number(d) : Text(d)) + ")";
        case 1:
            return "Str(" + Number(d) + ")";
        case 2:
            return "Upper(" + Text(d) + ")";
        case 3:
            return "If(" + Number(d) + "," + Text(d) + "," + Text(d) + ")";
        default:
            return "SubText(" + Text(d) + "," + std::to_string(Pick(1, 4)) + "," + Small() + ")";
        }
    }

    std::mt19937 m_random;
};

bool SameNumber(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

TEST_F(DebugRunTest, PlainAndDebugRunsAgreeOnGeneratedPrograms) {
    const char* words[] = {
        "DeclareGlobal([g],0)",
        "DefineWord([Twice],[Arg(1)*2+ArgCount],1,2,[Twice its argument.])",
        "DefineWord([Sum],[Do(LocalNum([t]),t:=Arg(1),If(t<1,Arg(2),Arg(2)+Sum(t-1,Arg(2))))],2,2,"
        "[Adds the second argument once more than the first says.])",
        "DefineWord([Both],[Concat(Arg(2),Arg(1))],2,2,[Its arguments joined.])",
        "DefineWord([Mad],[Arg(1)+Arg(2)*Arg(3)-(Arg(1)-2)],3,3,[Arithmetic on its arguments.])",
        "DefineWord([Keep],[Do(LocalText([s]),LocalNum([k]),s:=Arg(1),k:=Arg(2),g:=Arg(2),"
        "Concat(s,k))],2,2,[Its arguments kept in locals and a global, then joined.])",
    };
    for (const char* word : words) {
        ASSERT_EQ(Run(word).Errors, "") << word;
    }
    int failing = 0;
    for (unsigned seed = 1; seed <= 1500; ++seed) {
        const std::string program = ProgramGenerator(seed).Program();
        const TScriptResult plain = Run(program);
        const TScriptResult debugged = RunDebugged(program);
        failing += plain.Errors.empty() ? 0 : 1;
        EXPECT_TRUE(SameNumber(plain.Number, debugged.Number))
            << program << "\n"
            << plain.Number << " / " << debugged.Number;
        EXPECT_EQ(plain.Text, debugged.Text) << program;
        EXPECT_EQ(plain.Errors, debugged.Errors) << program;
        EXPECT_EQ(plain.Trace, debugged.Trace) << program;
    }
    // The programs reach the error paths too, not only the quiet ones.
    EXPECT_GT(failing, 100);
    EXPECT_LT(failing, 1400);
}

// The model words read `c` from the register in place and `:=` assigns to a label without the
// general assignment; a debug run evaluates every node. Both give the same values, texts and
// errors, also for a name that is computed or empty and for `c` outside a handler or after its
// atom was destroyed. The programs set the labels they read, so both runs start alike; the
// atoms made for the destroyed cases get new handles and IDs, so the errors are compared
// without numbers.
TEST_F(DebugRunTest, LabelsAndTheAtomOfTheRunningHandlerAgreeInPlainAndDebugRuns) {
    ASSERT_EQ(
        Run("Do(DeclareGlobal([q],2), DeclareGlobal([d],2), q := CreateAtom(model,[Q]))").Errors,
        "");
    const struct {
        const char* program;
        bool fails;
        double number;
    } cases[] = {
        {"Do(SetLabel(q,[n],1), SetHandler(q,[OnUser],[Do(c.n := c.n + 1,"
         "c.t := Concat([x], c.n), label([n],c) * 10 + ChildCount(c))]), RunHandler(q,[OnUser]))",
         false, 20},
        {"Do(SetLabel(q,[t],[a]), SetHandler(q,[OnUser],[c.t := Concat(c.t, 7)]),"
         "RunHandler(q,[OnUser]))",
         false, 0},
        {"Do(SetHandler(q,[OnUser],[Do(label(Concat([m],1),c) := 3, label([],c) := 1)]),"
         "RunHandler(q,[OnUser]))",
         true, 0},
        {"c.n := 1", true, 0},
        {"label([n],c)", true, 0},
        {"Do(d := CreateAtom(model,[D]), SetHandler(d,[OnUser],[Do(DestroyAtom(c), c.n := 1)]),"
         "RunHandler(d,[OnUser]))",
         true, 0},
        {"Do(d := CreateAtom(model,[D]), SetHandler(d,[OnUser],[Do(DestroyAtom(c), c.n)]),"
         "RunHandler(d,[OnUser]))",
         true, 0},
    };
    const std::regex number("[0-9]+");
    for (const auto& c : cases) {
        const TScriptResult plain = Run(c.program);
        const TScriptResult debugged = RunDebugged(c.program);
        EXPECT_EQ(plain.Errors.empty(), !c.fails) << c.program << ": " << plain.Errors;
        EXPECT_EQ(plain.Number, c.number) << c.program;
        EXPECT_TRUE(SameNumber(plain.Number, debugged.Number)) << c.program;
        EXPECT_EQ(plain.Text, debugged.Text) << c.program;
        EXPECT_EQ(std::regex_replace(plain.Errors, number, "#"),
                  std::regex_replace(debugged.Errors, number, "#"))
            << c.program;
    }
    EXPECT_EQ(Run("label([n],q)").Number, 2);
    EXPECT_EQ(Run("label([t],q)").Text, "a7");
    EXPECT_EQ(Run("label([m1],q)").Number, 3);
}

} // namespace
} // namespace vex::host
