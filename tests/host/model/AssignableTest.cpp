// Assignment to model values through AssignToCall, as ":=" uses it: labels, named attributes
// (also as bare names compiled for an atom) and stored entries of GUI instances.

#include "ModelFixture.h"

#include "host/model/Assignable.h"

#include "runtime/VexWords.h"

namespace vex::host {
namespace {

class AssignableTest : public ModelFixture {
protected:
    void SetUp() override {
        Value("Do(DeclareGlobal([q],2), DeclareGlobal([gone],2), DeclareGlobal([g],2),"
              "q := CreateAtom(model,[Queue]), SetAtt(q,[capacity],10),"
              "gone := CreateAtom(model,[Gone]), DestroyAtom(gone),"
              "g := CreateGUIInstance([Settings],[speed]))");
        m_queue = Model().AtomByName("Queue", Model().Root());
    }
    void TearDown() override { Context().ReleaseCode(m_code); }

    // Compiles a target (for the queue atom, or with the GUI instance current) and assigns to
    // it; gives whether AssignToCall took it.
    bool Assign(std::string_view target, double number, std::string_view text = {},
                bool forInstance = false) {
        Context().ReleaseCode(m_code);
        TExpression expression;
        if (forInstance) {
            const TGuiBinding binding{
                nullptr, &Model().GuiInstanceOf(static_cast<std::int32_t>(Value("g")), "test")};
            m_code = Context().Compile(target, nullptr, binding);
        } else {
            Context().CompileExpression(target, m_queue, expression);
            m_code = expression.Code;
        }
        EXPECT_NE(m_code, nullptr) << target;
        Registers().First = m_queue->Handle();
        const bool taken =
            AssignToCall(Context(), static_cast<TCallNode&>(*m_code->Root), number, TText(text));
        Registers().First = 0;
        return taken;
    }

    TAtom* m_queue = nullptr;
    TCompiledCode* m_code = nullptr;
};

TEST_F(AssignableTest, AssignsLabelsAttributesAndStoredEntries) {
    struct Case {
        const char* target;
        bool forInstance;
        double number;
        const char* text;
        const char* check; // a text that reads the value back
    };
    const Case cases[] = {
        {"c.count", false, 4, "", "label([count],q)"},
        {"label([title],q)", false, 0, "Main", "label([title],q)"},
        {"main.owner", false, 0, "bank", "main.owner"},
        {"capacity", false, 12, "", "Att(q,[capacity])"},
        {"NamedAtt(1,c)", false, 13, "", "Att(q,[capacity])"},
        {"speed", true, 5, "", "GUIInstance(g,GUIStore(1))"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Assign(c.target, c.number, c.text, c.forInstance)) << c.target;
        const TModelResult back = Run(c.check);
        EXPECT_EQ(back.Errors, "") << c.target;
        EXPECT_EQ(back.Number, c.number) << c.target;
        EXPECT_EQ(back.Text, c.text) << c.target;
    }
}

TEST_F(AssignableTest, OtherCallsAreNotTaken) {
    for (const char* target : {"Name(q)", "ChildCount(c)", "GUIInstance(g,1)"}) {
        EXPECT_FALSE(Assign(target, 1)) << target;
    }
}

TEST_F(AssignableTest, StaleOwnersAndMissingPositionsAreErrors) {
    struct Case {
        const char* target;
        const char* message;
    };
    const Case cases[] = {
        {"label([x],gone)", "label: the atom reference "},
        {"label([],c)", "bad argument #1 to \"label\": the name is empty"},
        {"NamedAtt(2,c)", "NamedAtt: the atom \"Queue\" has no named attribute 2"},
        {"NamedAtt(0,c)", "bad argument #1 to \"NamedAtt\": 0 is outside 1 to 2147483647"},
        {"NamedAtt(1,gone)", "NamedAtt: the atom reference "},
        {"GUIInstance(q,GUIStore(1))", "GUIInstance: the reference "},
        {"GUIInstance(g,GUIStore(2))",
         "GUIStore: the GUI instance \"Settings\" has no stored entry 2"},
        {"GUIInstance(g,GUIStore(1e10))",
         "bad argument #1 to \"GUIStore\": 10000000000 is outside 1 to 2147483647"},
    };
    for (const Case& c : cases) {
        try {
            Assign(c.target, 1);
            ADD_FAILURE() << c.target << " was assigned";
        } catch (const EVexError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << c.target << " gave: " << error.what();
        }
    }
}

} // namespace
} // namespace vex::host
