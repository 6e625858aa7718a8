// The model words through VexScript: atoms, labels, named attributes and bound names, GUI
// instances, and the errors of stale references.

#include "ModelFixture.h"

#include "runtime/VexWords.h"

#include "host/model/HandlerKinds.h"

#include <cctype>
#include <span>

namespace vex::host {
namespace {

class ModelWordsTest : public ModelFixture {
protected:
    void SetUp() override {
        Value("Do(DeclareGlobal([q],2), DeclareGlobal([s],2), DeclareGlobal([gone],2),"
              "q := CreateAtom(model,[Queue]), s := CreateAtom(q,[Server]),"
              "gone := CreateAtom(model,[Gone]), DestroyAtom(gone),"
              "SetAtt(q,[capacity],10), SetAtt(q,[title],[Main queue]), SetLabel(q,[count],3))");
    }

    struct ErrorCase {
        const char* source;
        const char* message;
    };
    // Runs each source and expects its errors to hold the message.
    void ExpectErrors(std::span<const ErrorCase> cases) {
        for (const ErrorCase& c : cases) {
            const TModelResult result = Run(c.source);
            EXPECT_NE(result.Errors.find(c.message), std::string::npos)
                << c.source << " gave: " << result.Errors;
        }
    }
};

// Every kind is found by its name in any case; names that differ in one place or in length are
// no kind.
TEST(HandlerKindsTest, NamesAreFoundIgnoringCaseAndNearMissesAreNot) {
    for (int kind = 1; kind <= kHandlerKindCount; ++kind) {
        std::string name(HandlerKindName(kind));
        EXPECT_EQ(HandlerKindByName(name), kind) << name;
        for (char& c : name) {
            c = static_cast<char>(c ^ (std::isalpha(static_cast<unsigned char>(c)) ? 0x20 : 0));
        }
        EXPECT_EQ(HandlerKindByName(name), kind) << name;
    }
    for (const char* miss : {"", "On", "OnUse", "OnUsers", "OnUsr", "OnEvenX", "OnXvent", "0nEvent",
                             "On4DDraw", "OnEntry ", "OnEvant", "OnExot"}) {
        EXPECT_EQ(HandlerKindByName(miss), 0) << miss;
    }
}

TEST_F(ModelWordsTest, Values) {
    struct Case {
        const char* source;
        double number;
        const char* text;
    };
    const Case cases[] = {
        {"Name(q)", 0, "Queue"},
        {"Name(Mother(s))", 0, "Queue"},
        {"ChildCount(q)", 1, ""},
        {"Name(Child(q,1))", 0, "Server"},
        {"AtomExists(q)", 1, ""},
        {"AtomExists(gone)", 0, ""},
        {"AtomExists(12.5)", 0, ""},
        {"Name(AtomByName([server]))", 0, "Server"},
        {"AtomByName([nobody])", 0, ""},
        {"AtomById(AtomId(s)) = s", 1, ""},
        {"label([count],q)", 3, ""},
        {"label([none],q)", 0, ""},
        {"Do(SetLabel(q,[greeting],[hi]), label([greeting],q))", 0, "hi"},
        {"Att(q,[title])", 0, "Main queue"},
        {"NamedAtt(1,q)", 10, ""},
        {"Do(SetAtt(q,[capacity],12), NamedAtt(1,q))", 12, ""},
        {"Do(SetLabel(main,[owner],[bank]), main.owner)", 0, "bank"},
        {"Do(SetLabel(model,[runs],2), Model.runs * 10)", 20, ""},
        {"Name(model)", 0, "model"},
        {"Mother(main)", 0, ""},
        {"Do(SetName(s,[Teller]), Name(s))", 0, "Teller"},
    };
    for (const Case& c : cases) {
        const TModelResult result = Run(c.source);
        EXPECT_EQ(result.Errors, "") << c.source;
        EXPECT_EQ(result.Number, c.number) << c.source;
        EXPECT_EQ(result.Text, c.text) << c.source;
    }
}

// Every use of a destroyed atom's reference fails with a message naming the word; nothing reads
// freed memory (the sanitizer build checks that).
TEST_F(ModelWordsTest, StaleReferencesGiveClearErrors) {
    struct Case {
        const char* source;
        const char* message;
    };
    const std::string stale = " is stale or invalid (its atom was destroyed or never existed)";
    const Case cases[] = {
        {"Name(gone)", "Name: the atom reference "},
        {"label([count],gone)", "label: the atom reference "},
        {"NamedAtt(1,gone)", "NamedAtt: the atom reference "},
        {"CreateAtom(gone,[x])", "CreateAtom: the atom reference "},
        {"CreateEvent(1,gone)", "CreateEvent: the atom reference "},
        {"MoveAtom(s,gone)", "MoveAtom: the atom reference "},
        {"DestroyAtom(gone)", "DestroyAtom: the atom reference "},
        {"SetHandler(gone,[OnEvent],[1])", "SetHandler: the atom reference "},
        {"Name(0)", "Name: no atom given (the reference is 0)"},
        {"Name(123456)", "Name: the atom reference 123456 is stale"},
    };
    for (const Case& c : cases) {
        const TModelResult result = Run(c.source);
        EXPECT_NE(result.Errors.find(c.message), std::string::npos)
            << c.source << " gave: " << result.Errors;
        EXPECT_EQ(result.Number, 0) << c.source;
    }
    EXPECT_NE(Run("Name(gone)").Errors.find(stale), std::string::npos);
}

// The model words convert their arguments as every word does: a text that reads as a number is
// that number, a number given for a text is its number format; any other text where a number is
// needed, and a fraction where a whole number is, is an error naming the word and the argument,
// never a 0 that runs nothing.
TEST_F(ModelWordsTest, ArgumentsConvertAsEveryWordsDo) {
    const struct {
        const char* source;
        double number;
        const char* text;
    } values[] = {
        {"Name(Child(q,[1]))", 0, "Server"},
        {"Do(CreateEvent([2.5],q,[4]), EventCount)", 1, ""},
        {"Do(SetHandler(q,[9],[5]), RunHandler(q,[OnUser]))", 5, ""},
        {"Name(Child(q,0.1*30 - 2))", 0, "Server"}, // what arithmetic leaves of 1 is 1
        {"Do(SetName(s,7), Name(s))", 0, "7"},
        // A label keeps the text it is given; a word that needs a number reads it as one.
        {"Do(SetLabel(q,[n],[12]), Concat(label([n],q), [/], label([n],q) * 2))", 0, "12/24"},
    };
    for (const auto& row : values) {
        const TModelResult result = Run(row.source);
        EXPECT_EQ(result.Errors, "") << row.source;
        EXPECT_EQ(result.Number, row.number) << row.source;
        EXPECT_EQ(result.Text, row.text) << row.source;
    }
    const ErrorCase errors[] = {
        {"RunModel([soon])",
         "bad argument #1 to \"RunModel\": a number is needed, not the text \"soon\""},
        {"CreateEvent([],q)",
         "bad argument #1 to \"CreateEvent\": a number is needed, not the text \"\""},
        {"Name([q])", "bad argument #1 to \"Name\": a number is needed, not the text \"q\""},
        {"Child(q,0.5)", "bad argument #2 to \"Child\": 0.5 is no whole number"},
        {"CreateEvent(1,q,1.5)", "bad argument #3 to \"CreateEvent\": 1.5 is no whole number"},
    };
    ExpectErrors(errors);
    EXPECT_EQ(Value("EventCount"), 1); // only the event given whole arguments
}

TEST_F(ModelWordsTest, MistakesInModelWordsAreErrorsNamingTheWord) {
    const ErrorCase cases[] = {
        {"DestroyAtom(model)", "DestroyAtom: the atom \"model\" cannot be destroyed"},
        {"MoveAtom(q,s)", "MoveAtom: an atom cannot be moved into itself or its own subtree"},
        // The word's name is looked up only when the model raises the error.
        {"MoveAtom(q,0)", "MoveAtom: no atom given (the reference is 0)"},
        {"DestroyAtom(0)", "DestroyAtom: no atom given (the reference is 0)"},
        {"CreateEvent(1,0)", "CreateEvent: no atom given (the reference is 0)"},
        {"Name(0)", "Name: no atom given (the reference is 0)"},
        {"Child(q,2)", "Child: the atom \"Queue\" has no child 2"},
        {"NamedAtt(3,q)", "NamedAtt: the atom \"Queue\" has no named attribute 3"},
        {"Att(q,[speed])", "Att: the atom \"Queue\" has no named attribute \"speed\""},
        {"SetHandler(q,[OnSomething],[1])",
         "bad argument #2 to \"SetHandler\": \"OnSomething\" is no handler kind"},
        {"SetHandler(q,1.5,[1])", "bad argument #2 to \"SetHandler\": 1.5 is no handler kind"},
        {"SetLabel(q,[],1)", "bad argument #2 to \"SetLabel\": the name is empty"},
        {"SetAtt(q,5,1)", "bad argument #2 to \"SetAtt\": a name is needed, not the number 5"},
        {"CreateEvent(-1,q)",
         "bad argument #1 to \"CreateEvent\": the delay must be a number of 0 or more, not -1"},
        {"tztfnc([old model])",
         "bad argument #1 to \"tztfnc\": \"old model\" is no function of this word"},
        {"GUIStore(1)", "GUIStore: no GUI instance is current"},
        {"GUIInstance(q,1)", "GUIInstance: the reference "},
    };
    ExpectErrors(cases);
}

// A count, position, handler kind, event code or priority outside its range is the range error
// of every word's integer arguments, not a stand-in value that fails later or quietly schedules.
TEST_F(ModelWordsTest, OutOfRangeIntegersAreRangeErrors) {
    Value("Do(DeclareGlobal([g],2), g := CreateGUIInstance([Settings],[speed]))");
    const ErrorCase cases[] = {
        {"Child(q,0)", "bad argument #2 to \"Child\": 0 is outside 1 to 2147483647"},
        {"Child(q,1e10)", "bad argument #2 to \"Child\": 10000000000 is outside 1 to 2147483647"},
        {"Child(q,FileNumber([nan]))",
         "bad argument #2 to \"Child\": NAN is outside 1 to 2147483647"},
        {"NamedAtt(-1,q)", "bad argument #1 to \"NamedAtt\": -1 is outside 1 to 2147483647"},
        {"NamedAtt(1e10,q) := 1",
         "bad argument #1 to \"NamedAtt\": 10000000000 is outside 1 to 2147483647"},
        {"GUIInstance(g,GUIStore(-1))",
         "bad argument #1 to \"GUIStore\": -1 is outside 1 to 2147483647"},
        {"SetHandler(q,16,[1])", "bad argument #2 to \"SetHandler\": 16 is outside 1 to 15"},
        {"RunHandler(q,1e300)", "bad argument #2 to \"RunHandler\": 1E300 is outside 1 to 15"},
        {"CreateEvent(1,q,3e9)",
         "bad argument #3 to \"CreateEvent\": 3000000000 is outside -2147483648 to 2147483647"},
        {"CreateEvent(1,q,0,-3e9)",
         "bad argument #4 to \"CreateEvent\": -3000000000 is outside -2147483648 to 2147483647"},
        {"Do(ModelFile(1,[m],0), LoadAtt(-1,[x],1,[]))",
         "bad argument #1 to \"LoadAtt\": -1 is outside 0 to 2147483647"},
        {"Do(ModelFile(1,[m],0), LoadEvent(1,0,0,1e10,-1))",
         "bad argument #4 to \"LoadEvent\": 10000000000 is outside -2147483648 to 2147483647"},
    };
    ExpectErrors(cases);
    EXPECT_EQ(Value("EventCount"), 0); // no event was scheduled with a stand-in code or atom
}

// Code compiled for an atom sees its named attributes as bare names (NamedAtt(n,c)) and its
// labels through the dot notation.
TEST_F(ModelWordsTest, BoundNamesAndLabelsInAnAtomsCode) {
    Value("SetHandler(q,[OnUser],[Concat(title, [/], capacity, [/], c.count)])");
    const TModelResult result = Run("RunHandler(q,[OnUser])");
    EXPECT_EQ(result.Errors, "");
    EXPECT_EQ(result.Text, "Main queue/10/3");

    // The same text outside the atom does not know the names.
    EXPECT_NE(Run("capacity").Errors, "");

    // The compiled tree holds NamedAtt at the fixed number.
    TAtom& queue = *Model().AtomByName("Queue", Model().Root());
    TExpression expression;
    Context().CompileExpression("title", &queue, expression);
    ASSERT_NE(expression.Code, nullptr);
    EXPECT_EQ(expression.Code->Root->WordNumber, 648);
    Context().ReleaseCode(expression.Code);
}

// ":=" assigns through the same bindings: bare attribute names and labels in an atom's code,
// stored entries in a GUI instance's code.
TEST_F(ModelWordsTest, AssignmentInAnAtomsAndAGuiInstancesCode) {
    Value("SetHandler(q,[OnUser],[Do(capacity := capacity + 1, c.count := c.count * 2,"
          "main.calls := main.calls + 1)])");
    EXPECT_EQ(Run("RunHandler(q,[OnUser])").Errors, "");
    EXPECT_EQ(Value("Att(q,[capacity])"), 11);
    EXPECT_EQ(Value("label([count],q)"), 6);
    EXPECT_EQ(Value("main.calls"), 1);

    Value("Do(DeclareGlobal([g],2), g := CreateGUIInstance([Settings],[speed]))");
    EXPECT_EQ(Value("GUIExecute(g,[Do(speed := 4, speed := speed * 2)])"), 8);
    EXPECT_EQ(Value("GUIInstance(g,GUIStore(1))"), 8);
    EXPECT_NE(Run("label([x],gone) := 1").Errors.find("label: the atom reference "),
              std::string::npos);
}

// A name that becomes an attribute after the handler compiled makes it compile again.
TEST_F(ModelWordsTest, NewAttributeRecompilesTheHandlers) {
    const TModelResult set = Run("SetHandler(s,[OnUser],[speed * 2])");
    EXPECT_EQ(set.Number, 0); // no such name yet: the text does not compile
    EXPECT_NE(set.Errors.find("speed"), std::string::npos);
    Value("SetAtt(s,[speed],4)");
    EXPECT_EQ(Value("RunHandler(s,[OnUser])"), 8);
}

TEST_F(ModelWordsTest, GuiInstanceStoredEntries) {
    Value("Do(DeclareGlobal([g],2), g := CreateGUIInstance([Settings],[speed],[mode]))");
    TGuiInstance& instance = Model().GuiInstanceOf(static_cast<std::int32_t>(Value("g")), "test");
    *instance.Entries.At(1) = {3, {}};
    *instance.Entries.At(2) = {0, TText("fast")};
    EXPECT_EQ(Value("GUIInstance(g,GUIStore(1))"), 3);
    EXPECT_EQ(Run("GUIInstance(g,GUIStore(2))").Text, "fast");
    EXPECT_EQ(Run("GUIExecute(g,[Concat(mode,speed * 2)])").Text, "fast6");

    TCompiledCode* code = Context().Compile("speed", nullptr, TGuiBinding{nullptr, &instance});
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->Root->WordNumber, 869);
    Context().ReleaseCode(code);

    EXPECT_NE(Run("GUIExecute(g,[GUIStore(3)])").Errors.find("has no stored entry 3"),
              std::string::npos);
    Value("DestroyGUIInstance(g)");
    EXPECT_NE(Run("GUIInstance(g,GUIStore(1))").Errors.find("is stale or invalid"),
              std::string::npos);
}

} // namespace
} // namespace vex::host
