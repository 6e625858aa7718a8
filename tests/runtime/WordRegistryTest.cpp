// The word registry: lookups, user-defined words and their return codes.

#include "tests/runtime/TestSupport.h"

#include "runtime/ContextParts.h"
#include "runtime/WordRegistry.h"

#include <gtest/gtest.h>

namespace vex::test {
namespace {

class WordRegistryTest : public ::testing::Test {
protected:
    int Register(std::string_view name, std::string_view category = "Various",
                 std::string body = "", bool silent = false) {
        TWordAttributes attributes;
        attributes.CodeText = std::move(body);
        attributes.Silent = silent;
        return context.RegisterUserWord(name, category, attributes);
    }

    TFakeHost host;
    TTestContext context{host};
};

TEST_F(WordRegistryTest, LookupIgnoresAsciiCaseAndTrimsOnlyWhereAsked) {
    EXPECT_EQ(context.LookupWord("DO"), 0);
    EXPECT_EQ(context.LookupWord(" \t do\r\n"), 0);
    EXPECT_EQ(context.WordIndexOf(" do"), -1);
    EXPECT_EQ(context.WordIndexOf("concat"), twConcat - 1);
    EXPECT_EQ(context.LookupWord("nothing"), -1);
    EXPECT_EQ(context.WordName(twNamedAtt), "NamedAtt");
}

TEST_F(WordRegistryTest, ReturnCodesAndMessages) {
    struct RegisterCase {
        const char* name;
        const char* category;
        const char* body;
        int result;
        const char* message;
    };
    const RegisterCase cases[] = {
        {"foo", "Various", "", rrAdded, nullptr},
        {"FOO", "Various", "1+1", rrReplaced, nullptr},
        {"", "Various", "", rrEmptyName, "Cannot register the word \"\". A word needs a name."},
        {"bar", "Nowhere", "", rrUnknownCategory,
         "Cannot register the word \"bar\" in the category \"Nowhere\" because no such category "
         "exists."},
        {"Concat", "Various", "", rrBuiltInName,
         "Cannot redefine the built-in word \"Concat\" as a user-defined word."},
        {"baz", "Various", "Nope(", rrBodyFailed, "Unknown word \"Nope(\" in: Nope("},
    };
    for (const RegisterCase& row : cases) {
        context.Errors.clear();
        EXPECT_EQ(Register(row.name, row.category, row.body), row.result) << row.name;
        if (row.message) {
            EXPECT_EQ(context.Errors, std::vector<std::string>{row.message}) << row.name;
        } else {
            EXPECT_TRUE(context.Errors.empty()) << row.name;
        }
    }
    EXPECT_EQ(context.LookupWord("foo"), kBuiltInWordCount) << "both calls gave one number";
    EXPECT_EQ(context.LookupWord("bar"), -1);
    EXPECT_EQ(context.LookupWord("baz"), -1);
    EXPECT_EQ(Parts(context).Registry.WordNames.Count(), kBuiltInWordCount + 1);
    context.Errors.clear();
    EXPECT_EQ(Register("", "Various", "", true), rrEmptyName);
    EXPECT_EQ(Register("x", "None", "", true), rrUnknownCategory);
    EXPECT_EQ(Register("Do", "Various", "", true), rrBuiltInName);
    EXPECT_TRUE(context.Errors.empty());
}

TEST_F(WordRegistryTest, CategoriesAreNormalized) {
    struct CategoryCase {
        const char* in;
        const char* out;
    };
    const CategoryCase cases[] = {
        {"Visualisation", "Visualization"},    {"VISUALISATION", "Visualization"},
        {"Atomparameters", "Atom Parameters"}, {"atomparameters", "Atom Parameters"},
        {"ATOMPARAMETERS", "ATOMPARAMETERS"},  {"Atomposition", "Atom Position"},
        {"Atomreference", "Atom Reference"},   {"Atomstatus", "Atom Status"},
        {"atomstatus", "atomstatus"},          {"Various", "Various"},
    };
    for (const CategoryCase& row : cases) {
        EXPECT_EQ(NormalizeCategory(row.in), row.out) << row.in;
    }
    EXPECT_EQ(Register("paint", "Visualisation"), rrAdded);
    EXPECT_EQ(Parts(context).Registry.WordCategories[context.LookupWord("paint")], "Visualization");
}

TEST_F(WordRegistryTest, ADormantSlotIsTakenOverWithItsNumber) {
    ASSERT_EQ(Register("bar", "Various", "1"), rrAdded);
    const int index = context.LookupWord("bar");
    TCompiledCode* caller = context.Compile("bar");
    ASSERT_NE(caller, nullptr);
    EXPECT_TRUE(context.IsWordListed(index + 1));
    ASSERT_TRUE(context.RemoveUserWord("bar"));
    EXPECT_EQ(context.LookupWord("bar"), -1);
    EXPECT_EQ(Parts(context).Registry.WordNames[index], " bar");
    EXPECT_FALSE(context.IsWordListed(index + 1)) << "a dormant word is listed nowhere";
    EXPECT_EQ(Register("bar", "Various", "2"), rrReplaced);
    EXPECT_EQ(context.LookupWord("bar"), index);
    EXPECT_EQ(Parts(context).Registry.WordNames[index], "bar");
    EXPECT_TRUE(context.IsWordListed(index + 1));
    TText text;
    EXPECT_EQ(context.Evaluate(caller, text), 2) << "code compiled earlier calls the new body";
    context.ReleaseCode(caller);
    EXPECT_FALSE(context.RemoveUserWord("Do"));
}

TEST_F(WordRegistryTest, OnlyListedWordsOfExistingNumbersAreListed) {
    TWordAttributes attributes;
    attributes.Listed = 0;
    ASSERT_EQ(context.RegisterUserWord("hidden", "Various", attributes), rrAdded);
    ASSERT_EQ(Register("shown"), rrAdded);
    EXPECT_FALSE(context.IsWordListed(context.LookupWord("hidden") + 1));
    EXPECT_TRUE(context.IsWordListed(context.LookupWord("shown") + 1));
    for (const int number : {0, -1, Parts(context).Registry.Count() + 1})
        EXPECT_FALSE(context.IsWordListed(number)) << number;
}

// The queries the word overview, the help and the completion read: numbers outside the words
// give nothing, and the completion passes over unlisted and dormant words.
TEST_F(WordRegistryTest, QueriesOfWordsAndCompletion) {
    TWordAttributes unlisted;
    unlisted.Listed = 0;
    ASSERT_EQ(context.RegisterUserWord("zqHidden", "Various", unlisted), rrAdded);
    ASSERT_EQ(Register("zqShown"), rrAdded);
    ASSERT_EQ(Register("zqGone"), rrAdded);
    ASSERT_TRUE(context.RemoveUserWord("zqGone"));
    const int shown = context.LookupWord("zqShown") + 1;
    EXPECT_EQ(context.WordName(shown), "zqShown");
    EXPECT_EQ(context.WordCategory(shown), "Various");
    for (const int number : {0, -1, context.WordCount() + 1}) {
        EXPECT_EQ(context.WordName(number), "") << number;
        EXPECT_EQ(context.WordCategory(number), "") << number;
        EXPECT_EQ(context.WordCreator(number), "") << number;
    }
    EXPECT_EQ(context.ListedWordsBeginningWith("ZQ"), std::vector<std::string>{"zqShown"});
    EXPECT_TRUE(context.ListedWordsBeginningWith("zqx").empty());
}

// The body is kept as it was given, comments and line breaks included, and shares the caller's
// text: a large body is not held twice.
TEST_F(WordRegistryTest, TheBodyKeepsTheTextItWasGiven) {
    TWordAttributes attributes;
    attributes.CodeText = TText("Arg(1) {twice}\n* 2");
    attributes.MinArgs = attributes.MaxArgs = 1;
    ASSERT_EQ(context.RegisterUserWord("twice", "Various", attributes), rrAdded);
    const TSyntax* syntax = context.WordSyntaxOf(context.LookupWord("twice") + 1);
    ASSERT_NE(syntax, nullptr);
    EXPECT_EQ(syntax->Code.Text.view(), "Arg(1) {twice}\n* 2");
    EXPECT_EQ(syntax->Code.Text.data(), attributes.CodeText.data());
    TText text;
    TCompiledCode* call = context.Compile("twice(21)");
    EXPECT_EQ(context.Evaluate(call, text), 42);
    context.ReleaseCode(call);
}

// A code tree keeps word numbers in 16 bits: the registration that would pass the largest is
// refused, so no word can take another's number.
TEST_F(WordRegistryTest, RegistrationStopsAtTheLargestWordNumber) {
    {
        TWordBatch batch(context, kMaxWordNumber);
        while (Parts(context).Registry.Count() < kMaxWordNumber - 1) {
            Parts(context).Registry.Append("u" + std::to_string(Parts(context).Registry.Count()),
                                           "Various", new TSyntax, "");
        }
    }
    EXPECT_EQ(Register("last"), rrAdded);
    EXPECT_EQ(context.LookupWord("last") + 1, kMaxWordNumber);
    context.Errors.clear();
    EXPECT_EQ(Register("beyond", "Various", "1+1"), rrRegistryFull);
    EXPECT_EQ(context.Errors, std::vector<std::string>{"Cannot register the word \"beyond\". All "
                                                       "65535 word numbers are taken."});
    EXPECT_EQ(context.LookupWord("beyond"), -1);
    EXPECT_EQ(Parts(context).Registry.Count(), kMaxWordNumber);
    EXPECT_EQ(Register("beyond", "Various", "", true), rrRegistryFull);
    EXPECT_EQ(Register("last", "Various", "2"), rrReplaced) << "replacing takes no new number";
}

} // namespace
} // namespace vex::test
