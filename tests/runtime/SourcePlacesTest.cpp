// Every node of a tree compiled under a source origin names the line and column of its text in
// the file: written calls and leaves where they stand, a call made from an operator where its
// first operand stands; the text inside a text constant is placed where the constant stands.

#include "tests/runtime/TestSupport.h"

#include "runtime/CodeNode.h"
#include "runtime/CompiledCode.h"
#include "runtime/SourceMap.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vex::test {
namespace {

// The nodes of a tree in pre-order.
void Collect(const TCodeNode& node, std::vector<const TCodeNode*>& nodes) {
    nodes.push_back(&node);
    if (node.IsCall()) {
        const auto& call = static_cast<const TCallNode&>(node);
        for (int i = 1; i <= call.ArgCount; ++i) {
            Collect(*call.Arg(i), nodes);
        }
    }
}

class SourcePlacesTest : public ::testing::Test {
protected:
    // "line:column" of every node of `source` compiled as the text starting at `origin`, in
    // pre-order.
    std::vector<std::string> Places(std::string_view source, const TSourceOrigin& origin) {
        TCompiledCode* code = nullptr;
        {
            const TSourceOriginScope scope(context, origin);
            code = context.Compile(source);
        }
        std::vector<std::string> places;
        if (!code || !code->Root) {
            TLanguageInterpreter::ReleaseCode(code);
            return places;
        }
        std::vector<const TCodeNode*> nodes;
        Collect(*code->Root, nodes);
        for (const TCodeNode* node : nodes) {
            const TSourcePlace place = TLanguageInterpreter::PlaceOfNode(*code->Root, *node);
            places.push_back(place.Known() ? place.File + ":" + std::to_string(place.Line) + ":" +
                                                 std::to_string(place.Column)
                                           : "?");
        }
        TLanguageInterpreter::ReleaseCode(code);
        return places;
    }

    static TSourceOrigin At(int line, int column, std::string written = {}) {
        TSourceOrigin origin;
        origin.File = "f";
        origin.Line = line;
        origin.Column = column;
        origin.Written = std::move(written);
        return origin;
    }

    TFakeHost host;
    TTestContext context{host};
};

TEST_F(SourcePlacesTest, NodesNameTheirLineAndColumn) {
    struct TCase {
        const char* Name;
        std::string Source;
        TSourceOrigin Origin;
        std::vector<std::string> Places;
    } const cases[] = {
        {"calls and leaves over lines, a tab one column",
         "Do(1,\n  3 + 4 * 2,\n\tConcat(5, [a]))",
         At(10, 1),
         {"f:10:1", "f:10:4", "f:11:3", "f:11:3", "f:11:7", "f:11:7", "f:11:11", "f:12:2", "f:12:9",
          "f:12:12"}},
        {"a comment and parentheses",
         "{ note\n}Do( (1+2) , 3)",
         At(1, 1),
         {"f:2:2", "f:2:7", "f:2:7", "f:2:9", "f:2:14"}},
        {"a text starting inside its line", "Do(1, 2)", At(3, 21), {"f:3:21", "f:3:24", "f:3:27"}},
        // A word body written as a constant over lines: the compiled text has lost the line
        // feeds and its tab became a blank.
        {"a constant's content",
         "Do(1, 2 / 0)",
         At(4, 8, "Do(1,\n 2 /\t0)"),
         {"f:4:8", "f:4:11", "f:5:2", "f:5:2", "f:5:6"}},
        {"no line: no places", "Do(1)", At(0, 1), {"?", "?"}},
    };
    for (const TCase& row : cases) {
        EXPECT_EQ(Places(row.Source, row.Origin), row.Places) << row.Name;
    }
    EXPECT_TRUE(context.Errors.empty());
}

TEST_F(SourcePlacesTest, ATextConstantGivesWhereItsContentStands) {
    TCompiledCode* code = nullptr;
    const TSourceOrigin origin = At(7, 1);
    {
        const TSourceOriginScope scope(context, origin);
        code = context.Compile("Do(1,\n  [Do(\n\t2)])");
    }
    ASSERT_TRUE(code && code->Root);
    const auto& root = static_cast<const TCallNode&>(*code->Root);
    TSourceOrigin content;
    ASSERT_TRUE(SourceMapOf(root)->ConstantOrigin(*root.Arg(2), content));
    EXPECT_EQ(content.File, "f");
    EXPECT_EQ(content.Line, 8);
    EXPECT_EQ(content.Column, 4);
    EXPECT_EQ(content.Written, "Do(\n\t2)");
    EXPECT_FALSE(SourceMapOf(root)->ConstantOrigin(*root.Arg(1), content));
    TLanguageInterpreter::ReleaseCode(code);
}

// The offsets follow the whitespace and comment removal byte for byte, on texts made of the
// characters its rules act on.
TEST_F(SourcePlacesTest, PreparedOffsetsFollowTheWhitespaceAndCommentRemoval) {
    const std::string alphabet = "ab([])}{ \t\n\r,";
    std::mt19937 random(31);
    for (int round = 0; round < 5000; ++round) {
        std::string source;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            source += alphabet[random() % alphabet.size()];
        }
        const std::string prepared = RemoveWhitespaceAndComments(source);
        const std::vector<std::int32_t> offsets = PreparedSourceOffsets(source);
        ASSERT_EQ(offsets.size(), prepared.size()) << source;
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            const char written = source[static_cast<std::size_t>(offsets[i])];
            ASSERT_EQ(written == '\t' ? ' ' : written, prepared[i]) << source << " at " << i;
        }
    }
}

} // namespace
} // namespace vex::test
