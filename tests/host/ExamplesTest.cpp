// The example scripts, each run as vexscript runs a file: every line a script writes must be the
// one it is expected to write, in order and to the last, and the script must report no error.
// A script's expected lines are its "{ expect: ... }" comments, or, for the demo that README.md
// shows, the output shown there under its command line, so that the two cannot part.

#include "host/ScriptSession.h"
#include "tests/host/ScriptFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

namespace vex::host {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = ZENTARO_SOURCE_DIR;

std::string ReadSource(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::string ExpectedByComments(const std::string& source) {
    static const std::regex expectation(R"(\{ expect: (.*?) \})");
    std::string expected;
    for (auto it = std::sregex_iterator(source.begin(), source.end(), expectation);
         it != std::sregex_iterator(); ++it) {
        expected += (*it)[1].str() + "\n";
    }
    return expected;
}

// The lines README.md shows after "$ build/bin/vexscript examples/NAME", up to the next command
// or the end of the block.
std::string ExpectedByReadme(const std::string& name) {
    std::istringstream readme(ReadSource(kSourceDir / "README.md"));
    const std::string command = "$ build/bin/vexscript examples/" + name;
    std::string expected;
    bool inOutput = false;
    for (std::string line; std::getline(readme, line);) {
        if (inOutput && (line.starts_with("$ ") || line.starts_with("```"))) {
            break;
        }
        if (inOutput) {
            expected += line + "\n";
        }
        inOutput = inOutput || line == command;
    }
    return expected;
}

std::vector<std::string> Examples() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kSourceDir / "examples")) {
        if (entry.path().extension() == ".vex") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ExamplesTest : public ScriptFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(ExamplesTest, WritesWhatItIsExpectedTo) {
    const std::string source = ReadSource(kSourceDir / "examples" / GetParam());
    ASSERT_FALSE(source.empty()) << GetParam();
    std::string expected = ExpectedByComments(source);
    if (expected.empty()) {
        expected = ExpectedByReadme(GetParam());
    }
    ASSERT_FALSE(expected.empty()) << GetParam() << " announces no output";
    const TRunResult result = TScriptSession(Context()).Run(GetParam(), source);
    EXPECT_TRUE(result.Errors.empty()) << result.Errors.front().Message;
    EXPECT_EQ(Trace(), expected);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ExamplesTest, ::testing::ValuesIn(Examples()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return fs::path(info.param).stem().string();
                         });

} // namespace
} // namespace vex::host
