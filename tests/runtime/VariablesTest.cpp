// Variable sets: declaration, lookup, name rules, frame layout and resetting.

#include "runtime/ContextParts.h"
#include "tests/runtime/TestSupport.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class VariablesTest : public ::testing::Test {
protected:
    TFakeHost host;
    TTestContext context{host};
};

TEST_F(VariablesTest, DeclaringAgainInAnyCaseReturnsTheFirstRecord) {
    TVariable* first = context.DeclareVariable("Count1", vkText);
    TVariable* second = context.DeclareVariable("count1", vkNumber);
    EXPECT_EQ(first, second);
    EXPECT_EQ(second->Kind, vkText);
    EXPECT_EQ(VariableCount(Parts(context).GlobalVariables), 1);
    EXPECT_EQ(FindVariableIndex(Parts(context).GlobalVariables, "COUNT1"), 0);
    EXPECT_EQ(FindVariableIndex(Parts(context).GlobalVariables, "Count2"), -1);
}

TEST_F(VariablesTest, NameRules) {
    struct NameCase {
        const char* name;
        bool valid;
    };
    const NameCase cases[] = {
        {"x", true},   {"_a1", true}, {"$x", true}, // the first character is only digit-checked
        {"", false},   {"1x", false}, {"a b", false},    {"a-b", false},       {"a.b", false},
        {"Do", false}, {"do", false}, {"Concat2", true}, {"\xe9t\xe9", false},
    };
    for (const NameCase& row : cases) {
        EXPECT_EQ(IsValidVariableName(context, row.name), row.valid) << row.name;
    }
    EXPECT_EQ(context.DeclareVariable("1x", vkNumber), nullptr);
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Incorrect variable name: '1x'."});
}

TEST_F(VariablesTest, LocalsGetConsecutiveOffsetsOfPointerSizedOrEightByteSlots) {
    TVariables locals;
    const std::uint8_t kinds[] = {vkText, vkNumber, vkReference, vkInterface, vkEightByte, 9};
    const std::uintptr_t offsets[] = {0, 8, 16, 24, 32, 40};
    for (int i = 0; i < 6; ++i) {
        TVariable* var = AddVariable(locals, "v" + std::to_string(i), kinds[i], nullptr, true);
        EXPECT_TRUE(var->Local);
        EXPECT_EQ(var->Storage, offsets[i]) << "kind " << int(kinds[i]);
    }
    EXPECT_EQ(locals.FrameSize, 40) << "an unknown kind takes no bytes";
}

TEST_F(VariablesTest, ResettingEmptiesEveryKindAndReleasesWhatItHeld) {
    class TThing : public TInterface {};
    TInterface* thing = new TThing;
    TInitialValue initial;
    initial.Number = 2.5;
    initial.Text = TText("shared");
    initial.Reference = 7;
    initial.Interface = thing;
    TVariable* vars[5];
    for (std::uint8_t kind = 0; kind <= 4; ++kind) {
        vars[kind] = AddVariable(Parts(context).GlobalVariables, "k" + std::to_string(kind), kind,
                                 &initial, false);
    }
    EXPECT_EQ(initial.Text.shareCount(), 2) << "a text is shared, not copied";
    EXPECT_EQ(thing->ReferenceCount(), 2);
    TText text;
    EXPECT_EQ(ReadVariable(context, vkNumber, VariableAddress(context, *vars[0]), text), 2.5);
    ReadVariable(context, vkText, VariableAddress(context, *vars[1]), text);
    EXPECT_EQ(text.view(), "shared");
    text.clear();
    ReadVariable(context, vkInterface, VariableAddress(context, *vars[3]), text);
    EXPECT_EQ(Parts(context).InterfaceRegister.get(), thing);
    for (TVariable* var : vars) {
        ResetVariable(context, *var);
        EXPECT_EQ(ReadVariable(context, var->Kind, VariableAddress(context, *var), text), 0);
        EXPECT_TRUE(text.empty());
    }
    EXPECT_EQ(initial.Text.shareCount(), 1);
    EXPECT_EQ(thing->ReferenceCount(), 1) << "the register was cleared too";
    thing->Release();
}

} // namespace
} // namespace vex::test
