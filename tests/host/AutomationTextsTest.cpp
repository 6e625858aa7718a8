// The texts the automation object composes compile against the standard words and run: new
// model, open a model file, save it, open it as a library.

#include "tests/host/ScriptFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

std::string OpenModelText(const std::string& file) {
    return "Do(DisplayWatches(0),tztfnc([new model]),WaitCursor,ProgressBarForOpen(1,[" + file +
           "]),ExecFile([" + file + "]),UpdateModelName([" + file +
           "]),ProgressBarForOpen(0),NormalCursor)";
}

std::string OpenLibraryText(const std::string& file) {
    return "Do(DisplayWatches(0),Library,WaitCursor,ProgressBarForOpen(1,[" + file +
           "]),ExecFile([" + file + "]),UpdateModelName([" + file +
           "]),ProgressBarForOpen(0),NormalCursor,TreeRefresh)";
}

class AutomationTextsTest : public ScriptFixture {
protected:
    void SetUp() override {
        m_file = fs::temp_directory_path() /
                 (std::string("vexscript-automation-") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".vex");
        std::ofstream(m_file) << "Print([model file read])\n";
    }
    void TearDown() override { fs::remove(m_file); }

    fs::path m_file;
};

TEST_F(AutomationTextsTest, EveryComposedTextCompiles) {
    const std::string file = m_file.string();
    const std::string texts[] = {
        "tztfnc([new model])",
        "kernelfnc([save model under same name])",
        OpenModelText(file),
        OpenLibraryText(file),
    };
    for (const std::string& text : texts) {
        TCompiledCode* code = Context().Compile(text);
        EXPECT_NE(code, nullptr) << text;
        Context().ReleaseCode(code);
    }
}

TEST_F(AutomationTextsTest, OpenSaveAndReopenAModel) {
    const std::string file = m_file.string();
    const TScriptResult opened = Run(OpenModelText(file));
    EXPECT_EQ(opened.Errors, "");
    EXPECT_EQ(opened.Trace, "model file read\n");
    const TScriptResult saved = Run("kernelfnc([save model under same name])");
    EXPECT_EQ(saved.Errors, "");
    EXPECT_EQ(Run("tztfnc([new model])").Errors, "");
    const TScriptResult reopened = Run(OpenModelText(file));
    EXPECT_EQ(reopened.Errors, "");
    EXPECT_EQ(Run(OpenLibraryText(file)).Errors, "");
}

} // namespace
} // namespace vex::host
