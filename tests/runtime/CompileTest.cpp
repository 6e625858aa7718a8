// Compiling VexScript into code trees: shapes, bindings, compile-time actions and messages.

#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/Parser.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class CompileTest : public ::testing::Test {
protected:
    // The dump of the compiled tree, or "failed" when the compile failed.
    std::string Tree(std::string_view source, const TCompiledCode* outer = nullptr,
                     const TGuiBinding& binding = {}) {
        TCompiledCode* code = context.Compile(source, outer, binding);
        if (!code) {
            return "failed";
        }
        std::string dump = DumpTree(context, code->Root);
        context.ReleaseCode(code);
        return dump;
    }

    TFakeHost host;
    TTestContext context{host};
};

struct TreeCase {
    const char* source;
    const char* tree;
};

TEST_F(CompileTest, TextCompilesToTheTreeItStandsFor) {
    context.DeclareVariable("x", vkNumber);
    context.DeclareVariable("name", vkText);
    const TreeCase cases[] = {
        {"", "0"},
        {"5", "5"},
        {"-2.5e1", "-25"},
        {"[5]", "[5]"},
        {"[a]+[b]", "[a]+[b]"}, // one text: from the first to the last character
        {"[ t e x t ]", "[ t e x t ]"},
        {"x", "g:x"},
        {"X", "g:x"},
        {"((x))", "g:x"},
        {"(x+1)", "+(g:x,1)"},
        {"Do( x , 2 )", "Do(g:x,2)"},
        {"x:=x+1*2", ":=(g:x,+(g:x,*(1,2)))"},
        {"a{comment}", "failed"},
        {"Do(Count,Count)", "Do(Count,Count)"},
        {"Concat[name]", "Concat(g:name)"},
        {"Concat(name,[a,b])", "Concat(g:name,[a,b])"},
        {"c.speed", "label([speed],c)"},
        {"C.Speed-1", "-(label([Speed],c),1)"},
        {"x=1&x=2", "failed"}, // & is no word of the test set
        {"DO(1)", "Do(1)"},
    };
    for (const TreeCase& row : cases) {
        EXPECT_EQ(Tree(row.source), row.tree) << "source: " << row.source;
    }
}

TEST_F(CompileTest, ParentLinksExactlyWhenDebuggingIsNotSuppressedAndNotInReleaseMode) {
    struct LinkCase {
        std::uint8_t debugState;
        bool releaseMode;
        bool links;
    };
    const LinkCase cases[] = {
        {dsOff, false, true},         {dsStepInto, false, true},
        {dsSuppressed, false, false}, {dsSuppressed | dsRun, false, false},
        {dsOff, true, false},
    };
    for (const LinkCase& row : cases) {
        Parts(context).Debug.DebugState = row.debugState;
        Parts(context).Debug.ReleaseMode = row.releaseMode;
        TCompiledCode* code = context.Compile("Do(1,+(2,3))");
        ASSERT_NE(code, nullptr);
        auto* root = static_cast<TCallNode*>(code->Root);
        EXPECT_EQ(root->HasParentLink(), row.links);
        auto* inner = static_cast<TCallNode*>(root->Arg(2));
        EXPECT_EQ(inner->HasParentLink(), row.links);
        if (row.links) {
            EXPECT_EQ(root->Parent(), nullptr);
            EXPECT_EQ(inner->Parent(), root);
            EXPECT_EQ(inner->Arg(1)->Parent(), inner);
        }
        EXPECT_EQ(Parts(context).Debug.DebugState, row.debugState)
            << "the compile restores the state";
        context.ReleaseCode(code);
    }
}

TEST_F(CompileTest, CompileErrorsAreComposedFromLanguageTextsWithTheSourceAtTheEnd) {
    struct ErrorCase {
        const char* source;
        std::vector<std::string> errors;
    };
    const ErrorCase cases[] = {
        {"Nope(1)", {"Unknown word \"Nope\" in: Nope(1)"}},
        {"Do(1,Nope)", {"Unknown word \"Nope\" in: Do(1,Nope)"}},
        {"Count(1)", {"The word \"Count\" was given 1 argument, expected 0 in: Count(1)"}},
        {"Return(1,2,3)",
         {"The word \"Return\" was given 3 arguments, expected 1 or more, 2 at most in: "
          "Return(1,2,3)"}},
        // Parsing goes on after an error: every error of the text is reported.
        {"Do(Count(1),Nope,+(1))",
         {"The word \"Count\" was given 1 argument, expected 0 in: Do(Count(1),Nope,+(1))",
          "Unknown word \"Nope\" in: Do(Count(1),Nope,+(1))",
          "The word \"+\" was given 1 argument, expected 2 in: Do(Count(1),Nope,+(1))"}},
        {"Do()", {"Unknown word \",\" in: Do()"}},
        {"-x", {"Unknown word \"-x\" in: -x"}},
        {"1+-x", {"Unknown word \",\" in: 1+-x", "Unknown word \"x\" in: 1+-x"}},
        // An unknown name is reported once however often the text uses it, in any case.
        {"Do(Nope(1),nope+Nope,Other,Nope)",
         {"Unknown word \"Nope\" in: Do(Nope(1),nope+Nope,Other,Nope)",
          "Unknown word \"Other\" in: Do(Nope(1),nope+Nope,Other,Nope)"}},
    };
    for (const ErrorCase& row : cases) {
        context.Errors.clear();
        EXPECT_EQ(Tree(row.source), "failed") << row.source;
        EXPECT_EQ(context.Errors, row.errors) << row.source;
    }
}

TEST_F(CompileTest, MessagesUseTheHostsLanguageTexts) {
    host.Texts = {{3009, "Mot inconnu"}, {3010, "dans"}};
    Tree("Nope");
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0], "Mot inconnu \"Nope\" dans Nope");
}

TEST_F(CompileTest, MoreThan255ArgumentsAreReportedAndDropped) {
    std::string source = "Do(";
    for (int i = 0; i < 256; ++i) {
        source += (i ? ",1" : "1");
    }
    source += ")";
    EXPECT_EQ(Tree(source), "failed");
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0].rfind("Too many arguments (more than 255) for \"Do\" in: Do(1,", 0),
              0u);
}

TEST_F(CompileTest, ArgumentSplittingKeepsTheFirstCharacterOfEachArgument) {
    TLanguageInterpreter& c = context;
    struct SplitCase {
        const char* text;
        std::vector<std::string> args;
    };
    const SplitCase cases[] = {
        {"Do(a,b)", {"a", "b"}},
        {"Do(a,,b)", {"a", ",b"}},
        {"Do()", {","}},
        {"Do", {}},
        {"Do(f(a,b),[x,y],c)", {"f(a,b)", "[x,y]", "c"}},
        {"Do([a(],b)", {"[a(]", "b"}},
        {"Concat[x]", {"x"}},
    };
    for (const SplitCase& row : cases) {
        std::string text = row.text;
        TUserExpression call;
        ParseCall(c, text, call);
        EXPECT_EQ(call.Args, row.args) << row.text;
        EXPECT_EQ(call.Count, static_cast<int>(row.args.size()));
    }
}

TEST_F(CompileTest, LocalsHideGlobalsAndExistOnlyAfterTheirDeclaringCall) {
    context.DeclareVariable("v", vkText);
    EXPECT_EQ(Tree("Do(LocalNumber([v]),v)"), "Do(LocalNumber([v])#v,l:v)");
    EXPECT_EQ(Tree("Do(v,LocalNumber([v]))"), "Do(g:v,LocalNumber([v])#v)");
    // A use before the declaration is no variable yet: it fails as no word.
    context.Errors.clear();
    EXPECT_EQ(Tree("Do(w,LocalNumber([w]))"), "failed");
    EXPECT_EQ(context.Errors.at(0), "Unknown word \"w\" in: Do(w,LocalNumber([w]))");
}

TEST_F(CompileTest, DeclarationWordsActWhileParsing) {
    EXPECT_EQ(Tree("Do(Global([g1],1),g1)"), "Do(Global([g1],1)#g1,g:g1)");
    EXPECT_EQ(FindVariable(Parts(context).GlobalVariables, "g1")->Kind, vkText);
    // A computed kind is clamped: outside 0 to 4 gives a number.
    EXPECT_EQ(Tree("Global2([g2],+(3,4))"), "Global2([g2],+(3,4))#g2");
    EXPECT_EQ(FindVariable(Parts(context).GlobalVariables, "g2")->Kind, vkNumber);
    EXPECT_EQ(Tree("Global2([g3],3.6)"), "Global2([g3],3.6)#g3");
    EXPECT_EQ(FindVariable(Parts(context).GlobalVariables, "g3")->Kind, vkEightByte);
    // A name that is no text constant is declared at run time.
    EXPECT_EQ(Tree("Global(Concat([g],[4]),0)"), "Global(Concat([g],[4]),0)#-");
    EXPECT_EQ(Tree("Do(LocalText([a],[b]),Local([k],2),a,b,k)"),
              "Do(LocalText([a],[b])#b,Local([k],2)#k,l:a,l:b,l:k)");
}

TEST_F(CompileTest, DeclarationErrors) {
    struct ErrorCase {
        const char* source;
        const char* error;
    };
    const ErrorCase cases[] = {
        {"LocalNumber(Concat([a]))", "Cannot create local variable with non-static name."},
        {"Local(x,1)", "Unknown word \"x\" in: Local(x,1)"},
        {"LocalNumber([1x])", "Incorrect variable name: '1x'."},
        {"LocalNumber([ok],[bad name],[fine])", "Incorrect variable name: 'bad name'."},
        {"Global([Do],0)",
         "Incorrect variable name: 'Do'. 'Do' is a word (so are c, i and a, the atoms of a "
         "handler); use another name, such as k, n or s."},
        {"LocalText([a-b])", "Incorrect variable name: 'a-b'."},
    };
    for (const ErrorCase& row : cases) {
        context.Errors.clear();
        EXPECT_EQ(Tree(row.source), "failed") << row.source;
        ASSERT_FALSE(context.Errors.empty()) << row.source;
        EXPECT_EQ(context.Errors[0], row.error) << row.source;
    }
}

TEST_F(CompileTest, PausedFrameCodeSeesTheOuterLocalsAndCannotDeclareNewOnes) {
    TCompiledCode* outer = context.Compile("LocalNumber([p])");
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(Tree("p", outer), "l:p");
    context.Errors.clear();
    EXPECT_EQ(Tree("Do(LocalNumber([q]),1)", outer), "failed");
    EXPECT_EQ(context.Errors, std::vector<std::string>{
                                  "Cannot create extra local variables on shared stack space."});
    EXPECT_EQ(Tree("Local([q],1)", outer), "failed");
    EXPECT_EQ(FindVariable(*outer->Variables, "q"), nullptr);
    context.ReleaseCode(outer);
}

TEST_F(CompileTest, DefinitionWordRegistersTheNameEarlySoLaterCallsCompile) {
    EXPECT_EQ(Tree("Do(Define([Twice],[*(Arg(1),2)],1,1,[help]),Twice(4))"),
              "Do(Define([Twice],[*(Arg(1),2)],1,1,[help]),Twice(4))");
    const int index = context.LookupWord("Twice");
    ASSERT_GE(index, kBuiltInWordCount);
    EXPECT_EQ(Parts(context).Registry.WordSyntax[index]->MinArgs, 1);
    EXPECT_EQ(Parts(context).Registry.WordSyntax[index]->Code.Code, nullptr)
        << "registered without a body";
    // Counts that are no number constants at 3 and 4 are taken from 5 and 6, if there.
    EXPECT_NE(Tree("Define([Late],[1],Count,Count,0,3,[x])"), "failed");
    EXPECT_EQ(Parts(context).Registry.WordSyntax[context.LookupWord("Late")]->MaxArgs, 3);
    // Four arguments are not enough to register early.
    EXPECT_EQ(Tree("Do(Define([Short],[1],0,0),Short)"), "failed");
}

class TObject : public TBindingObject {
public:
    std::int32_t Id() const override { return 12; }
    std::string Name() const override { return "Queue1"; }
    int NamedAttributeCount() const override { return 3; }
    std::string NamedAttributeName(int position) const override {
        return std::vector<std::string>{"speed", "Count", "size"}.at(position - 1);
    }
};

class TInstance : public TBindingInstance {
public:
    std::int32_t Reference() const override { return 42; }
    int StoredEntryCount() const override { return 2; }
    std::string StoredEntryName(int position) const override {
        return position == 1 ? "caption" : "size";
    }
};

TEST_F(CompileTest, BareNamesBindToTheCurrentObjectAndGuiInstance) {
    TObject object;
    TInstance instance;
    const TGuiBinding objectOnly{&object, nullptr};
    EXPECT_EQ(Tree("Do(SPEED,size)", nullptr, objectOnly), "Do(NamedAtt(1,c),NamedAtt(3,c))");
    EXPECT_TRUE(context.Errors.empty());
    // A name that is also a word is bound all the same, with a warning.
    EXPECT_EQ(Tree("count", nullptr, objectOnly), "NamedAtt(2,c)");
    EXPECT_EQ(context.Errors, std::vector<std::string>{
                                  "Object Queue1 (ID 12) Warning: the name \"count\" is also a "
                                  "word; the attribute is used."});
    // Stored entries of the GUI instance come first.
    const TGuiBinding both{&object, &instance};
    EXPECT_EQ(Tree("Do(size,caption,speed)", nullptr, both),
              "Do(GUIInstance(42,GUIStore(2)),GUIInstance(42,GUIStore(1)),NamedAtt(1,c))");
    // Only bare names bind.
    EXPECT_EQ(Tree("size(1)", nullptr, both), "failed");
}

TEST_F(CompileTest, ProtectedCodeIsUnwrappedOnlyWhenSwitchedOn) {
    // "Count" scrambled: each character c is the 6-digit group (2 * (c + 12))^2 - 17, last first.
    std::string scrambled;
    const std::string plain = "Count";
    for (auto it = plain.rbegin(); it != plain.rend(); ++it) {
        const int r = 2 * (static_cast<unsigned char>(*it) + 12);
        char group[8];
        std::snprintf(group, sizeof group, "%06d", r * r - 17);
        scrambled += group;
    }
    const std::string source = "protectedcode([a>.>b>.>" + scrambled + "])";
    EXPECT_EQ(Tree(source), "failed");
    Parts(context).ProtectedCode = true;
    EXPECT_EQ(Tree(source), "Count");
    Parts(context).ProtectedCode = false;
}

TEST_F(CompileTest, DeepNestingFailsWithAMessageInsteadOfExhaustingTheStack) {
    struct DepthCase {
        std::string source;
    };
    const std::string deepParentheses = std::string(200000, '(') + "1" + std::string(200000, ')');
    std::string deepCalls;
    for (int i = 0; i < 100000; ++i) {
        deepCalls += "Do(";
    }
    deepCalls += "1" + std::string(100000, ')');
    std::string shallowEnough;
    for (int i = 0; i < kMaxParseDepth - 1; ++i) {
        shallowEnough += "Do(";
    }
    shallowEnough += "1" + std::string(kMaxParseDepth - 1, ')');
    EXPECT_EQ(Tree(deepParentheses), "1") << "redundant parentheses are no nesting";
    context.Errors.clear();
    EXPECT_EQ(Tree(deepCalls), "failed");
    ASSERT_EQ(context.Errors.size(), 1u);
    EXPECT_EQ(context.Errors[0].rfind("Expression nested too deeply (more than 500 levels) in:", 0),
              0u);
    EXPECT_NE(Tree(shallowEnough), "failed");
}

TEST_F(CompileTest, CompileAdvancesTheFileReadProgressWhileAProgressDisplayIsActive) {
    Tree("Do( 1 )");
    EXPECT_TRUE(host.Progress.empty());
    host.ProgressActive = true;
    Tree("Do( 1 ){x}");
    ASSERT_EQ(host.Progress.size(), 1u);
    EXPECT_EQ(host.Progress[0].first, "t-FileRead");
    EXPECT_EQ(host.Progress[0].second, 5) << "the length of the prepared text";
}

} // namespace
} // namespace vex::test
