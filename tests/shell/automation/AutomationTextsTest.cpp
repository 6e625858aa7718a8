// The automation object's operations run the texts it composes against the standard words and a
// real model: new model, open a model file, open it as a library, save it.

#include "shell/automation/ZTApp.h"
#include "tests/host/model/ModelFixture.h"

#include "editing/ApplicationServices.h"
#include "host/model/ModelFile.h"

#include <QApplication>

#include <filesystem>

#include <unistd.h>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

class AutomationTextsTest : public ModelFixture {
protected:
    void SetUp() override {
        m_services.Context = &Context();
        m_directory = fs::temp_directory_path() / ("vex-automation-" + std::to_string(::getpid()));
        fs::create_directories(m_directory);
        m_path = (m_directory / "shop.vex").string();
        Value("Do(DeclareGlobal([q],2), SetName(model,[shop]), q := CreateAtom(model,[Queue]),"
              "CreateAtom(q,[Part]), SetLabel(q,[count],2), SetHandler(q,[OnEvent],[c.count := 0]),"
              "CreateEvent(3,q))");
        SaveModelFile(Model(), m_path, "test");
    }
    void TearDown() override { fs::remove_all(m_directory); }

    // Opens a file through the automation object; the number of the run, or -1 when nothing ran.
    double Open(const std::string& path, bool library = false) {
        TAutomationValue result;
        const QString file = QString::fromStdString(path);
        const TAutomationStatus status =
            library ? m_app.OpenLibrary(file, result) : m_app.OpenModel(file, result);
        EXPECT_TRUE(status.ok) << status.message.toStdString();
        return result.kind == TAutomationValue::Kind::Integer ? result.integer : result.number;
    }

    fs::path m_directory;
    std::string m_path;
    TApplicationServices m_services;
    TZTApp m_app{m_services};
};

TEST_F(AutomationTextsTest, NewModelEmptiesTheModel) {
    EXPECT_TRUE(m_app.NewModel().ok);
    EXPECT_EQ(Value("ChildCount(model)"), 0);
    EXPECT_EQ(Value("EventCount"), 0);
    EXPECT_EQ(Run("Name(model)").Text, "model");
}

TEST_F(AutomationTextsTest, OpenModelReadsTheFileWithProgressAndCursor) {
    Value("CreateAtom(model,[Leftover])");
    Open(m_path);
    EXPECT_EQ(Value("ChildCount(model)"), 1); // the leftover went with "new model"
    EXPECT_EQ(Value("label([count],Child(model,1))"), 2);
    EXPECT_EQ(Value("EventCount"), 1);
    EXPECT_EQ(Run("Name(model)").Text, "shop");
    EXPECT_EQ(Run("ModelFileName").Text, m_path);
    EXPECT_FALSE(Services().Progress.IsActive());
    EXPECT_FALSE(Services().WaitCursorShown());
    EXPECT_FALSE(Services().Views.WatchesVisible());
}

TEST_F(AutomationTextsTest, OpenLibraryLoadsIntoTheLibraryAndKeepsTheModel) {
    EXPECT_TRUE(m_app.NewModel().ok);
    Value("CreateAtom(model,[Mine])");
    const int refreshes = Services().TreeRefreshCount();
    Open(m_path, true);
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
    Open(m_path);
    Value("SetLabel(Child(model,1),[count],42)");
    EXPECT_TRUE(m_app.SaveModel().ok);
    Open(m_path);
    EXPECT_EQ(Value("label([count],Child(model,1))"), 42);
}

// A file name is one text constant in the composed text: brackets in it neither break the text
// nor add words to it, and the file opens like any other.
TEST_F(AutomationTextsTest, FileNamesWithBracketsOpenUnchanged) {
    for (const char* name : {"odd]name.vex", "x]),NormalCursor,Do([.vex", "[a].vex"}) {
        const std::string path = (m_directory / name).string();
        fs::copy_file(m_path, path);
        EXPECT_TRUE(m_app.NewModel().ok);
        Open(path);
        EXPECT_EQ(Run("ModelFileName").Text, path) << name;
        EXPECT_EQ(Value("label([count],Child(model,1))"), 2) << name;
        EXPECT_FALSE(Services().WaitCursorShown()) << name;
    }
}

} // namespace
} // namespace vex::host

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
