// The example scripts: each line a script writes must be the one its "{ expect: ... }" comments
// announce, in order, and the script must report no error.

#include "tests/host/ScriptFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

namespace vex::host {
namespace {

std::string ReadExample(const std::string& name) {
    std::ifstream file(std::string(ZENTARO_SOURCE_DIR "/examples/") + name, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::string ExpectedOutput(const std::string& source) {
    static const std::regex expectation(R"(\{ expect: (.*?) \})");
    std::string expected;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), expectation);
         it != std::sregex_iterator(); ++it) {
        expected += (*it)[1].str() + "\n";
    }
    return expected;
}

class ExamplesTest : public ScriptFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExamplesTest, WritesWhatItsCommentsExpect) {
    const std::string source = ReadExample(GetParam());
    ASSERT_FALSE(source.empty()) << GetParam();
    const std::string expected = ExpectedOutput(source);
    ASSERT_FALSE(expected.empty()) << GetParam();
    const TScriptResult result = Run(source);
    EXPECT_EQ(result.Errors, "");
    EXPECT_EQ(result.Trace, expected);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ExamplesTest,
                         ::testing::Values("recursion.vex", "texts.vex", "random.vex", "labels.vex",
                                           "files.vex"));

} // namespace
} // namespace vex::host
