// The texts the automation object composes run against the model: new, open, open as library
// and save.

#include "ModelFixture.h"

#include "host/model/ModelFile.h"

#include <filesystem>
#include <fstream>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

// The texts as the automation object composes them, with F the file name.
std::string OpenModelText(const std::string& f) {
    return "Do(DisplayWatches(0),tztfnc([new model]),WaitCursor,ProgressBarForOpen(1,[" + f +
           "]),ExecFile([" + f + "]),UpdateModelName([" + f +
           "]),ProgressBarForOpen(0),NormalCursor)";
}

std::string OpenLibraryText(const std::string& f) {
    return "Do(DisplayWatches(0),Library,WaitCursor,ProgressBarForOpen(1,[" + f + "]),ExecFile([" +
           f + "]),UpdateModelName([" + f + "]),ProgressBarForOpen(0),NormalCursor,TreeRefresh)";
}

const char* const kNewModelText = "tztfnc([new model])";
const char* const kSaveModelText = "kernelfnc([save model under same name])";

class AutomationTextsTest : public ModelFixture {
protected:
    void SetUp() override {
        m_path = (fs::temp_directory_path() /
                  ("vex-automation-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".vex"))
                     .string();
        Value("Do(DeclareGlobal([q],2), SetName(model,[shop]), q := CreateAtom(model,[Queue]),"
              "CreateAtom(q,[Part]), SetLabel(q,[count],2), SetHandler(q,[OnEvent],[c.count := 0]),"
              "CreateEvent(3,q))");
        SaveModelFile(Model(), m_path, "test");
    }
    void TearDown() override { fs::remove(m_path); }

    std::string m_path;
};

TEST_F(AutomationTextsTest, NewModelEmptiesTheModel) {
    EXPECT_EQ(Run(kNewModelText).Errors, "");
    EXPECT_EQ(Value("ChildCount(model)"), 0);
    EXPECT_EQ(Value("EventCount"), 0);
    EXPECT_EQ(Run("Name(model)").Text, "model");
}

TEST_F(AutomationTextsTest, OpenModelReadsTheFileWithProgressAndCursor) {
    Value("CreateAtom(model,[Leftover])");
    const TModelResult result = Run(OpenModelText(m_path));
    EXPECT_EQ(result.Errors, "");
    EXPECT_EQ(Value("ChildCount(model)"), 1); // the leftover went with "new model"
    EXPECT_EQ(Value("label([count],Child(model,1))"), 2);
    EXPECT_EQ(Value("EventCount"), 1);
    EXPECT_EQ(Run("Name(model)").Text, fs::path(m_path).stem().string());
    EXPECT_EQ(Run("ModelFileName").Text, m_path);
    EXPECT_FALSE(Services().Progress.IsActive());
    EXPECT_FALSE(Services().WaitCursorShown());
    EXPECT_FALSE(Services().Views.WatchesVisible());
}

TEST_F(AutomationTextsTest, OpenLibraryLoadsIntoTheLibraryAndKeepsTheModel) {
    Value(kNewModelText);
    Value("CreateAtom(model,[Mine])");
    const int refreshes = Services().TreeRefreshCount();
    EXPECT_EQ(Run(OpenLibraryText(m_path)).Errors, "");
    EXPECT_EQ(Run("Name(Child(model,1))").Text, "Mine");
    EXPECT_EQ(Value("ChildCount(AtomByName([Library],main))"), 1);
    EXPECT_EQ(Run("Name(Child(Child(AtomByName([Library],main),1),1))").Text, "Part");
    EXPECT_GT(Services().TreeRefreshCount(), refreshes);
    // The next file goes into the model again, and the model keeps its name and file: saving it
    // under the same name must not overwrite the library.
    EXPECT_FALSE(Services().LoadIntoLibrary);
    EXPECT_EQ(Run("Name(model)").Text, "model");
    EXPECT_EQ(Run("ModelFileName").Text, "");
}

TEST_F(AutomationTextsTest, SaveModelWritesUnderTheNameItWasOpenedWith) {
    Value(OpenModelText(m_path));
    Value("SetLabel(Child(model,1),[count],42)");
    EXPECT_EQ(Run(kSaveModelText).Errors, "");
    Value(OpenModelText(m_path));
    EXPECT_EQ(Value("label([count],Child(model,1))"), 42);
}

TEST_F(AutomationTextsTest, FileNameWithABracketFailsToCompileAndRunsNothing) {
    const TModelResult result = Run(OpenModelText("odd]name.vex"));
    EXPECT_NE(result.Errors, "");
    EXPECT_EQ(Value("ChildCount(model)"), 1); // "new model" never ran
}

} // namespace
} // namespace vex::host
