// The standard words through VexScript text: each row is a text and the number and text it
// gives, or the error it reports.

#include "tests/host/ScriptFixture.h"

#include "host/StandardWords.h"
#include "runtime/VexWords.h"

#include <gtest/gtest.h>

#include <span>

namespace vex::host {
namespace {

struct TValueCase {
    const char* Source;
    double Number;
    const char* Text;
};

class StandardWordsTest : public ScriptFixture {
protected:
    void ExpectValues(std::span<const TValueCase> cases) {
        for (const TValueCase& row : cases) {
            const TScriptResult result = Run(row.Source);
            EXPECT_EQ(result.Errors, "") << row.Source;
            EXPECT_DOUBLE_EQ(result.Number, row.Number) << row.Source;
            EXPECT_EQ(result.Text, row.Text) << row.Source;
        }
    }
};

TEST_F(StandardWordsTest, OperatorsOnNumbersAndTexts) {
    const TValueCase cases[] = {
        {"1+2*3", 7, ""},
        {"10-4-3", 3, ""},
        {"2*3/4", 1.5, ""},
        {"2^10", 1024, ""},
        {"-7%3", -1, ""},
        {"7%-3", 1, ""},
        {"7.5%2", 1.5, ""},
        {"-7.5%2", -1.5, ""},
        {"100000000000000000%7", 5, ""},
        {"(1+2)*3", 9, ""},
        {"[n=]+5", 0, "n=5"},
        {"1.5+[x]", 0, "1.5x"},
        {"[12]*2", 24, ""},
        {"[5]=5", 1, ""},
        // A piece from "[" to a final "]" is one text constant, so texts on both sides of an
        // operator need parentheses.
        {"[abc]=[abc]", 0, "abc]=[abc"},
        {"([abc])=([abc])", 1, ""},
        {"([abc])=([ABC])", 0, ""},
        {"([abc])<([abd])", 1, ""},
        {"([b])>([abc])", 1, ""},
        {"2<10", 1, ""},
        {"([2])<([10])", 0, ""},
        {"Do(LocalText([e]),e=[])", 1, ""},
        {"Do(LocalText([e]),e=0)", 0, ""},
        {"Do(LocalText([e]),e+[x])", 0, "x"},
        {"3<>3", 0, ""},
        {"3>=3", 1, ""},
        {"2<=1", 0, ""},
        {"(1>0)&(2>3)", 0, ""},
        {"(1>0)|(2>3)", 1, ""},
        {"[x]&1", 1, ""},
        {"Not(0)", 1, ""},
        {"Not([])", 1, ""},
        {"Xor(1,1)", 0, ""},
        {"0&Error([never evaluated])", 0, ""},
        {"1|Error([never evaluated])", 1, ""},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, MathematicalFunctions) {
    const TValueCase cases[] = {
        {"Abs(-2.5)", 2.5, ""},
        {"Sign(-3)", -1, ""},
        {"Sqrt(16)", 4, ""},
        {"Exp(0)", 1, ""},
        {"Ln(Exp(2))", 2, ""},
        {"Log10(1000)", 3, ""},
        {"Cos(0)", 1, ""},
        {"Round(ArcTan2(1,1)*4,10)", 3.1415926536, ""},
        {"Floor(-2.5)", -3, ""},
        {"Ceil(2.1)", 3, ""},
        {"Trunc(-2.7)", -2, ""},
        {"Frac(2.75)", 0.75, ""},
        {"Round(2.5)", 3, ""},
        {"Round(-2.5)", -3, ""},
        {"Round(2.345,2)", 2.35, ""},
        {"Round(1234,-2)", 1200, ""},
        {"Min(3,1,2)", 1, ""},
        {"Max(3,1,2)", 3, ""},
        {"Div(-7,2)", -4, ""},
        {"Mod(-7,3)", 2, ""},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, TextFunctions) {
    const TValueCase cases[] = {
        {"Concat([a],1,[b],2.5)", 0, "a1b2.5"},
        {"Length([abc])", 3, ""},
        {"Length(12.5)", 4, ""},
        {"SubText([abcdef],2,3)", 0, "bcd"},
        {"SubText([abcdef],5)", 0, "ef"},
        {"SubText([abc],9)", 0, ""},
        {"Left([abcdef],2)", 0, "ab"},
        {"Right([abcdef],2)", 0, "ef"},
        {"Right([ab],5)", 0, "ab"},
        {"Find([a,b,c],[,])", 2, ""},
        {"Find([a,b,c],[,],3)", 4, ""},
        {"Find([abc],[x])", 0, ""},
        {"Upper([ab\xe9z])", 0, "AB\xc9Z"},
        {"Lower([AB\xc9Z])", 0, "ab\xe9z"},
        {"Trim([  a b  ])", 0, "a b"},
        {"TrimLeft([  a ])", 0, "a "},
        {"TrimRight([ a  ])", 0, " a"},
        {"Replace([a-b-c],[-],[+])", 0, "a+b+c"},
        {"Replace([aaa],[a],[aa])", 0, "aaaaaa"},
        {"Str(1.5)", 0, "1.5"},
        {"Str(Pi,2)", 0, "3.14"},
        {"Str(2,3)", 0, "2.000"},
        {"Str(-0.001,2)", 0, "0.00"},
        {"Val([ 12.5 ])", 12.5, ""},
        {"Val([abc],-1)", -1, ""},
        {"IsNumber([1e3])", 1, ""},
        {"IsNumber([1x])", 0, ""},
        {"Chr(65)", 0, "A"},
        {"Ord([A])", 65, ""},
        {"RepeatText([ab],3)", 0, "ababab"},
        {"Field([a;b;c],[;],2)", 0, "b"},
        {"Field([a;b;c],[;],4)", 0, ""},
        {"FieldCount([a;;c],[;])", 3, ""},
        {"Length(Concat([a],NewLine,Tab))", 3, ""},
    };
    ExpectValues(cases);
}

// A text variable assigned its own Concat grows in place; the result must be that of joining a
// copy: later pieces see the old value, a piece's own assignment is overruled, other owners of
// the old text keep it, and the assignment gives the joined text.
TEST_F(StandardWordsTest, AppendingToTheVariableItselfKeepsTheValuesOfACopy) {
    const TValueCase cases[] = {
        {"Do(LocalText([t]),t:=Concat(t,[a]),t:=Concat(t,[b],t),t)", 0, "aba"},
        {"Do(LocalText([t]),t:=[a],t:=Concat(t,Do(t:=[x],[y])),t)", 0, "ay"},
        {"Do(LocalText([t],[u]),t:=[a],u:=t,t:=Concat(t,[b]),Concat(t,[-],u))", 0, "ab-a"},
        {"Do(LocalText([t]),LocalNum([k]),While(k<5,Do(t:=Concat(t,k),k:=k+1)),t)", 0, "01234"},
        {"Do(LocalText([t]),t:=[a],Concat(t:=Concat(t,[b]),[!],t))", 0, "ab!ab"},
        {"Do(LocalText([t]),t:=[a],t:=Concat(t),t)", 0, "a"},
        {"Do(Global([h],1),h:=[x],h:=Concat(h,[y],h),h)", 0, "xyx"},
        {"Do(LocalText([t]),t:=[a],t:=Concat(t,1,2,3,4,5,6,7,8,9),t)", 0, "a123456789"},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, ControlFlowAndLoopCounters) {
    const TValueCase cases[] = {
        {"Do(1,2,[three])", 0, "three"},
        {"If(1,[yes],[no])", 0, "yes"},
        {"If(0,[yes],[no])", 0, "no"},
        {"If(0,[yes])", 0, ""},
        {"If([text],1,2)", 1, ""},
        {"Do(LocalNum([k]),While(k<5,k:=k+1))", 5, ""},
        {"Do(LocalNum([n]),Repeat(4,n:=n+2),n)", 8, ""},
        {"Do(LocalNum([k],[s]),For(k,1,10,s:=s+k),s)", 55, ""},
        {"Do(LocalNum([k],[s]),For(k,10,1,s:=s+k,-3),s)", 22, ""},
        {"Do(LocalNum([k]),For(k,1,0,Error([never])),k)", 1, ""},
        {"Do(LocalNum([k]),For(k,1,100,If(k=7,Break)),k)", 7, ""},
        {"Do(LocalNum([k]),While(1,If(k>2,Break,k:=k+1)),k)", 3, ""},
        {"Choose(2,[a],[b],[c])", 0, "b"},
        {"Do(Return(5,[early]),Error([not reached]))", 5, "early"},
        {"Do(Return([kept]),1)", 0, "kept"},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, VariablesAndAssignment) {
    const TValueCase cases[] = {
        {"Do(DeclareGlobal([g],0),g:=4,g*g)", 16, ""},
        {"Do(DeclareGlobal([s],1),s:=42,s)", 0, "42"},
        {"Do(LocalNum([n]),n:=[7],n+1)", 8, ""},
        {"Do(LocalText([t]),t:=[a],t:=t+[b],t)", 0, "ab"},
        {"Do(LocalNum([k]),Inc(k),Inc(k,5),Dec(k,2))", 4, ""},
        {"Do(Local([x],1),x:=[computed kind],x)", 0, "computed kind"},
        {"Do(Global([h],1),h:=[global text],h)", 0, "global text"},
        {"Do(DeclareGlobal(Concat([dyn],1),0),Eval([dyn1:=3]),Eval([dyn1]))", 3, ""},
        {"Do(LocalObj([o]),o:=12,o)", 12, ""},
        {"Do(LocalIntf([f]),f:=0,f)", 0, ""},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, DeclarationWordsHoldTheirNumbers) {
    const struct {
        int Number;
        const char* Name;
    } cases[] = {
        {75, "DefineWord"},  {908, "DeclareGlobal"}, {1343, "Local"},    {1344, "Global"},
        {1410, "LocalText"}, {1411, "LocalNum"},     {1412, "LocalObj"}, {1413, "LocalIntf"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(Context().WordName(row.Number), row.Name);
    }
    const TValueCase declarations[] = {
        {"Do(DeclareGlobal([n908],1),n908:=[t],n908)", 0, "t"},
        {"Do(Global([n1344],0),n1344:=2,n1344)", 2, ""},
        {"Do(Local([n1343],1),n1343:=3,n1343)", 0, "3"},
        {"Do(LocalText([n1410]),n1410:=4,n1410)", 0, "4"},
        {"Do(LocalNum([n1411]),n1411:=[5],n1411)", 5, ""},
        {"Do(LocalObj([n1412]),n1412:=6,n1412)", 6, ""},
    };
    ExpectValues(declarations);
}

TEST_F(StandardWordsTest, UserWordsWithParametersAndRecursion) {
    const TValueCase cases[] = {
        // With more than four arguments the name is registered while the text compiles, so
        // the body and the rest of the text can call it.
        {"Do(DefineWord([Twice],[Arg(1)*2],1,1,[]),Twice(21))", 42, ""},
        {"Do(DefineWord([Fact],[If(Arg(1)<2,1,Arg(1)*Fact(Arg(1)-1))],1,1,[]),Fact(10))", 3628800,
         ""},
        {"Do(DefineWord([Fib],[If(Arg(1)<2,Arg(1),Fib(Arg(1)-1)+Fib(Arg(1)-2))],1,1,[]),"
         "Fib(15))",
         610, ""},
        {"Do(DefineWord([Count],[ArgCount],0,5,[]),Count(1,2,3))", 3, ""},
        {"Do(DefineWord([Greet],[Concat([hello ],Arg(1))],1,1,[help],[Greet([x])]),Greet([you]))",
         0, "hello you"},
        // Arguments are evaluated in the caller's locals, each time Arg reads them.
        {"Do(LocalNum([k]),DefineWord([Twice2],[Arg(1)+Arg(1)],1,1,[]),Twice2(k:=k+1))", 3, ""},
        {"Do(DefineWord([Early],[Do(Return(1),2)],0,0,[]),Early+10)", 11, ""},
        // A body's locals are its own, one set per call.
        {"Do(DefineWord([Sum],[Do(LocalNum([s],[k]),For(k,1,Arg(1),s:=s+k),s)],1,1,[]),"
         "Sum(4)+Sum(3))",
         16, ""},
        {"Do(DefineWord([Long],[Arg(1)],[Long form.],[Long(1)],1,1,[Various],[tests],1),"
         "Long([ok]))",
         0, "ok"},
        {"Do(DefineWord([Gone],[1],0,0,[]),ForgetWord([Gone]),IsWord([Gone]))", 0, ""},
        {"IsWord([Do])+IsWord([Reserved999])", 1, ""},
        {"Eval([Concat(1,2)])", 0, "12"},
    };
    ExpectValues(cases);
}

TEST_F(StandardWordsTest, DefinitionRegistersEarlyForCallsLaterInTheText) {
    const TScriptResult defined = Run("DefineWord([Later],[Arg(1)+1],1,1)");
    EXPECT_EQ(defined.Errors, "");
    EXPECT_EQ(Run("Later(1)").Number, 2);
    // Replacing the body keeps the number, so code compiled earlier calls the new body.
    EXPECT_EQ(Run("DefineWord([Later],[Arg(1)+100],1,1)").Number, 2);
    EXPECT_EQ(Run("Later(1)").Number, 101);
}

// A definition that fails leaves no word behind that only its early registration made; a word
// defined before keeps its body. Until its definition has run, calling a word is an error.
TEST_F(StandardWordsTest, AFailedDefinitionLeavesNoWord) {
    const struct {
        const char* Source;
        double Number;
        const char* Errors;
    } cases[] = {
        {"Do(DefineWord([Broken],[Nope(1)],1,1,[]),IsWord([Broken]))", 0,
         "Unknown word \"Nope\" in: Nope(1)\n"},
        {"IsWord([Broken])", 0, ""},
        {"Do(DefineWord([Narrow],[1],3,1,[]),1)", 0,
         "Error in \"DefineWord\":DefineWord: the fewest arguments exceed the most\n"},
        {"IsWord([Narrow])", 0, ""},
        {"Do(DefineWord([Kept],[Arg(1)*2],1,1,[]),DefineWord([Kept],[Nope],1,1,[]),Kept(4))", 8,
         "Unknown word \"Nope\" in: Nope\n"},
        {"Do(If(0,DefineWord([NotYet],[1],0,0,[])),IsWord([NotYet]))", 0, ""},
        {"Do(If(0,DefineWord([NotYet2],[1],0,0,[])),NotYet2)", 0,
         "Error in \"NotYet2\":the word \"NotYet2\" has no body: its definition has not run, or it "
         "failed\n"},
        {"Do(DefineWord([Failing],[Nope],0,0,[]),Failing)", 0,
         "Unknown word \"Nope\" in: Nope\nError in \"Failing\":the word \"Failing\" has no body: "
         "its "
         "definition has not run, or it failed\n"},
    };
    for (const auto& row : cases) {
        const TScriptResult result = Run(row.Source);
        EXPECT_EQ(result.Number, row.Number) << row.Source;
        EXPECT_EQ(result.Errors, row.Errors) << row.Source;
    }
}

TEST_F(StandardWordsTest, TraceWordsWriteLines) {
    const TScriptResult result = Run("Do(Print([n = ],4,[!]),Trace([warn],1),Trace(5))");
    EXPECT_EQ(result.Trace, "n = 4!\nwarn\n5\n");
    EXPECT_EQ(result.Errors, "");
}

struct TErrorCase {
    const char* Source;
    const char* Error;
};

// The report names the word that failed, not the one the text starts with; an error that names
// no call (a Break outside a loop, a variable that cannot take the value) names the root's word.
TEST_F(StandardWordsTest, ErrorsNameTheWordAndTheArgument) {
    const TErrorCase cases[] = {
        {"Do(1/0)", "Error in \"/\":bad argument #2 to \"/\": division by zero\n"},
        {"Do([abc]*2)",
         "Error in \"*\":bad argument #1 to \"*\": a number is needed, not the text \"abc\"\n"},
        {"Do(Sqrt(-1))",
         "Error in \"Sqrt\":bad argument #1 to \"Sqrt\": -1 is outside the domain\n"},
        {"Do(Ln(0))", "Error in \"Ln\":bad argument #1 to \"Ln\": 0 is outside the domain\n"},
        {"Do(10^400)", "Error in \"^\":^: 10 and 400 give no finite number\n"},
        {"Do(Val([x1]))", "Error in \"Val\":bad argument #1 to \"Val\": \"x1\" is no number\n"},
        {"Do(Chr(0))", "Error in \"Chr\":bad argument #1 to \"Chr\": 0 is outside 1 to 255\n"},
        {"Do(Choose(4,1,2))",
         "Error in \"Choose\":bad argument #1 to \"Choose\": 4 is outside 1 to 2\n"},
        {"Do(Break)", "Error in \"Do\":Break outside a loop\n"},
        {"Do(Error([queue empty]))", "Error in \"Error\":queue empty\n"},
        {"Do(3:=4)", "Error in \":=\":bad argument #1 to \":=\": a variable, a label or an "
                     "attribute is needed\n"},
        {"Do(LocalNum([n]),n:=[abc])",
         "Error in \"Do\":the number variable \"n\" cannot take the text \"abc\"\n"},
        {"Do(LocalNum([n]),For(n,1,2,n,0))",
         "Error in \"For\":bad argument #5 to \"For\": the step must be a nonzero number\n"},
        {"Do(LocalText([t]),Inc(t))",
         "Error in \"Inc\":bad argument #1 to \"Inc\": a number variable is needed\n"},
        {"Do(Reserved999)",
         "Error in \"Reserved999\":word number 999 is reserved: no word has it yet\n"},
        {"Do(DeclareGlobal(Concat([1],[x])))", "Error in \"DeclareGlobal\":bad argument #1 to "
                                               "\"DeclareGlobal\": \"1x\" is no valid variable "
                                               "name\n"},
        {"Do(DefineWord([Bad],[1],3,1))",
         "Error in \"DefineWord\":DefineWord: the fewest arguments "
         "exceed the most\n"},
    };
    for (const TErrorCase& row : cases) {
        const TScriptResult result = Run(row.Source);
        EXPECT_EQ(result.Errors, row.Error) << row.Source;
        EXPECT_EQ(result.Number, 0) << row.Source;
    }
}

// A Break inside a user word's body does not leave a loop around the call.
TEST_F(StandardWordsTest, BreakDoesNotCrossAUserWordCall) {
    const TScriptResult result =
        Run("Do(DefineWord([Stop],[Break],0,0,[]),LocalNum([k]),While(k<3,Do(k:=k+1,Stop)),k)");
    EXPECT_EQ(result.Number, 3);
    EXPECT_EQ(result.Errors, "word \"Stop\": Error in \"Break\":Break outside a loop\n"
                             "word \"Stop\": Error in \"Break\":Break outside a loop\n"
                             "word \"Stop\": Error in \"Break\":Break outside a loop\n");
}

TEST_F(StandardWordsTest, ReservedNumbersAreUnlisted) {
    int listed = 0;
    for (int number = 1; number <= kBuiltInWordCount; ++number) {
        const TSyntax* syntax = Context().WordSyntaxOf(number);
        ASSERT_NE(syntax, nullptr) << number;
        const bool reserved = Context().WordName(number) == "Reserved" + std::to_string(number);
        EXPECT_EQ(syntax->Listed == 0, reserved) << number;
        listed += syntax->Listed != 0;
    }
    EXPECT_EQ(listed, RealWordCount());
}

} // namespace
} // namespace vex::host
