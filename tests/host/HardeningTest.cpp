// Inputs that crashed the process, hung it or reported a failure as success, one row for each way
// into a class of fault, with the first error each must now report and the value it gives. Each
// row runs in a context of its own with the standard words, file words in a scratch directory
// ("$" in a source); every run must leave the context's balance as it found it. The sanitizer
// build runs the table too.

#include "host/console/ConsoleHost.h"
#include "tests/runtime/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

using namespace std::string_view_literals;

// A deep nesting ends at the count of levels or at the bound on the native stack, whichever
// comes first; which one, and so which nested run meets it (whether a word's name wraps the
// message, and what the outer runs give), depends on the sizes of the frames, which the build
// type, the sanitizers and the compiler decide. Such rows are held to the overflow and the
// balance only.

struct TFinding {
    const char* Fault;
    std::string_view Source;
    std::string_view FirstError; // the start of the first message; "" when there must be none
    const char* Shown;           // the value as vexscript prints it (its text, else its number)
};

const TFinding kFindings[] = {
    // A word that chooses a quicker implementation for a call when it is compiled read the
    // arguments it expects from a call that had fewer (the call fails to compile, but its node is
    // built all the same).
    {"an assignment without its two arguments", "Do(1,:=)",
     "The word \":=\" was given 0 arguments, expected 2", "0"},
    // Recursion that does not pass through a user-defined word.
    // (A text run by Eval goes through ExecuteText, which hands the stack signal to the host.)
    {"a text evaluated by Eval runs itself", "Do(DeclareGlobal([s],1),s:=[Eval(s)],Eval(s))",
     "Stack overflow", "0"},
    {"a declaration's kind runs the text that declares it, compile inside compile",
     "Do(DeclareGlobal([s],1),s:=[Global([g],Eval(s))],Eval(s))", "Stack overflow", "1"},
    {"the body of a word defined at run time defines it again while it compiles",
     "Do(DeclareGlobal([s],1),s:=[DefineWord([W],[Global([g],Eval(s))],[],[],0,0,[Various])],"
     "Eval(s))",
     "Error in \"DefineWord\":Stack overflow", "2"},
    {"GUI instance code runs itself",
     "Do(DeclareGlobal([g],2),g:=CreateGUIInstance([x]),DeclareGlobal([s],1),"
     "s:=[GUIExecute(g,s)],GUIExecute(g,s))",
     "Error in \"GUIExecute\":Stack overflow", "0"},
    {"a handler runs itself",
     "Do(SetHandler(model,[OnUser],[RunHandler(c,[OnUser])]),RunHandler(model,[OnUser]))",
     "Error in \"RunHandler\":Stack overflow", "0"},
    {"a file executes itself",
     "Do(WriteTextFile([$/self.vex],[ExecFile([$/self.vex])]),ExecFile([$/self.vex]))",
     "Error in \"ExecFile\":Stack overflow", "0"},

    // A declaration's kind evaluated while its text compiles reads the text's own locals.
    {"a text local of the compiled text was read in the running code's frame",
     "Do(LocalNum([n]),n:=5,Eval([Do(LocalText([t]),Local([q],t))]))", "", "1"},
    {"a number local of the compiled text read the running code's number",
     "Do(LocalNum([n]),n:=3,Eval([Do(LocalNum([t]),Local([q],t),q:=7,q)]))", "", "7"},
    {"a word body compiled at run time read the caller's frame",
     "Do(LocalNum([n]),n:=1,DefineWord([W],[Do(LocalText([t]),Local([q],t),q)],[],[],0,0,"
     "[Various]),W)",
     "", "0"},
    {"a local of the compiled text assigned while it compiles",
     "Eval([Do(LocalNum([t]),Global([g],t:=2))])",
     "Error in \"Global\":the local variable \"t\" is not in reach here in: "
     "Do(LocalNum([t]),Global([g],t:=2))",
     "0"},

    // A compile nested in another leaves the outer one's state alone.
    {"a failed nested compile failed the outer text", "Do(DeclareGlobal([g],Eval([Bar])),7)",
     "Unknown word \"Bar\" in: Bar", "7"},
    {"a word body that fails to compile while a text compiles",
     "Do(Global([g],DefineWord([W],[Bar],0,0)),7)", "Unknown word \"Bar\" in: Bar", "7"},

    // Loops that cannot advance.
    {"a For step too small to change the counter", "Do(LocalNum([k]),For(k,1e20,1e20+1e6,0,1))",
     "Error in \"For\":For: the step 1 does not change the counter k at 1E20", "0"},
    {"an event that schedules itself at once",
     "Do(SetHandler(model,[OnEvent],[CreateEvent(0,c)]),CreateEvent(0,model),RunModel(10))",
     "Error in \"Do\":RunModel: the clock does not advance: more than 1000000 events in a row "
     "at the time 0",
     "0"},
    {"an event delay too small to change the clock",
     "Do(SetHandler(model,[OnEvent],[CreateEvent(1,c)]),CreateEvent(1e20,model),RunModel(2e20))",
     "Error in \"Do\":RunModel: the clock does not advance", "0"},

    // Numbers that do not fit.
    {"a reference variable took a number beyond 32 bits (undefined conversion)",
     "Do(LocalObj([o]),o:=1e300,o)",
     "Error in \"Do\":the reference variable \"o\" cannot take 1E300: a reference is a whole "
     "number from -2147483648 to 2147483647",
     "0"},
    {"a reference variable took a text as 0", "Do(DeclareGlobal([r],2),r:=[abc],r)",
     "Error in \"Do\":the reference variable \"r\" cannot take the text \"abc\"", "0"},
    {"an integer quotient was infinite", "Div(1e300,1e-300)",
     "Error in \"Div\":Div: 1E300 and 1E-300 give no finite number", "0"},
    {"a modulus was infinite", "Mod(1e300,1e-300)",
     "Error in \"Mod\":Mod: 1E300 and 1E-300 give no finite number", "0"},
    {"a random number between bounds whose distance overflows", "Uniform(-1e308,1e308)",
     "Error in \"Uniform\":Uniform: -1E308 and 1E308 give no finite number", "0"},
    {"a counter incremented beyond the largest number",
     "Do(LocalNum([k]),Inc(k,1e308),Inc(k,1e308))",
     "Error in \"Inc\":Inc: 1E308 and 1E308 give no finite number", "0"},

    // Reads and texts built from a count that had no bound ("$/huge" holds 257 MiB, "$/pipe" is
    // a named pipe nobody writes to).
    {"a file larger than the longest text was read whole", "Do(ReadTextFile([$/huge]))",
     "Error in \"ReadTextFile\":ReadTextFile: cannot read \"$/huge\": it is larger than 256 MiB, "
     "the "
     "longest text",
     "0"},
    {"a line count read the whole file", "FileLineCount([$/huge])", "", "1"},
    {"a line read the whole file", "Do(ReadFileLine([$/huge],1))",
     "Error in \"ReadFileLine\":ReadFileLine: cannot read \"$/huge\": line 1 is longer than 256 "
     "MiB, the "
     "longest text",
     "0"},
    {"an endless file", "Do(FileLineCount([/dev/zero]))",
     "Error in \"FileLineCount\":FileLineCount: cannot read \"/dev/zero\": it is no regular file",
     "0"},
    {"a pipe without a writer blocked", "Do(ReadTextFile([$/pipe]))",
     "Error in \"ReadTextFile\":ReadTextFile: cannot read \"$/pipe\": it is no regular file", "0"},
    {"a file executed whole", "Do(ExecFile([$/huge]))",
     "Error in \"Do\":ExecFile: cannot read the file \"$/huge\": it is larger than 256 MiB", "0"},
    {"a repeated text was built before its size was checked", "Do(RepeatText([ab],2e8))",
     "Error in \"RepeatText\":RepeatText: the text would be longer than 256 MiB, the longest text",
     "0"},
    {"a replacement grew the text beyond the longest", "Do(Replace(RepeatText([a],2e8),[a],[bb]))",
     "Error in \"Replace\":Replace: the text would be longer than 256 MiB, the longest text", "0"},
    {"a printed line grew beyond the longest text",
     "Do(LocalText([t]),t:=RepeatText([a],2e8),Print(t,t))",
     "Error in \"Do\":Text too long (more than 256 MiB)", "0"},

    // Error messages keep every byte of the texts they quote.
    {"a message was cut at a NUL byte", "Do(1,Error([a\0b]))"sv, "Error in \"Error\":a\0b"sv, "0"},
    {"a message of a declaration's kind was cut at a NUL byte", "Global([g],Error([a\0b]))"sv,
     "Error in \"Global\":a\0b in: Global([g],Error([a\0b]))"sv, "0"},
};

class HardeningTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("vexscript-hardening-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "huge").close();
        fs::resize_file(m_dir / "huge", std::uintmax_t{257} << 20); // sparse: no disk taken
        ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string InScratch(std::string_view text) const {
        std::string source(text);
        for (std::size_t at = source.find('$'); at != std::string::npos; at = source.find('$')) {
            source.replace(at, 1, m_dir.string());
        }
        return source;
    }

    fs::path m_dir;
};

TEST_F(HardeningTest, EachFindingReportsItsErrorAndKeepsTheBalance) {
    for (const TFinding& row : kFindings) {
        std::ostringstream trace;
        std::ostringstream errors;
        TConsoleHost host(trace, errors);
        TConsoleInterpreter context(host);
        TText text;
        double number = 0;
        EXPECT_NO_THROW(number = context.ExecuteText(InScratch(row.Source), text)) << row.Fault;
        const std::string first = host.Errors().empty() ? "" : host.Errors().front().Message;
        const std::string expected = InScratch(row.FirstError);
        if (expected.ends_with("Stack overflow")) {
            EXPECT_TRUE(first.ends_with("Stack overflow")) << row.Fault << ": " << first;
        } else {
            EXPECT_EQ(first.substr(0, expected.size()), expected) << row.Fault;
            EXPECT_EQ(first.empty(), expected.empty()) << row.Fault << ": " << first;
            EXPECT_EQ(text.empty() ? FormatNumber(number) : text.str(), row.Shown) << row.Fault;
        }
        EXPECT_EQ(vex::test::StackImbalance(context), "") << row.Fault;
    }
}

TEST_F(HardeningTest, ControlBytesOfAMessageArePrintedEscaped) {
    std::ostringstream trace;
    std::ostringstream errors;
    TConsoleHost host(trace, errors);
    TConsoleInterpreter context(host);
    TText text;
    context.ExecuteText("Do(1,Error([a\0b\x1bz]))"sv, text);
    EXPECT_EQ(errors.str(), "Error in \"Error\":a\\x00b\\x1Bz\n");
    ASSERT_EQ(host.Errors().size(), 1u);
    EXPECT_EQ(host.Errors()[0].Message, "Error in \"Error\":a\0b\x1bz"sv)
        << "kept whole for --json";
}

} // namespace
} // namespace vex::host
