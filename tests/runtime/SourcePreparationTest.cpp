#include "runtime/SourcePreparation.h"
#include "runtime/VexScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace vex {
namespace {

struct Row {
    std::string input;
    std::string expected;
};

// ----------------------------------------------------------------------------------------------
// Whitespace and comments

TEST(RemoveWhitespaceAndComments, DropsWhitespaceOutsideTextConstants) {
    const Row rows[] = {
        {"", ""},
        {"Do( a , b )", "Do(a,b)"},
        {"a\t\n\r b", "ab"},
        {"a\v b\x01", "a\vb\x01"},
        {std::string("a \0 b", 5), std::string("a\0b", 3)},
        {"\xc3\xa9 \xff", "\xc3\xa9\xff"},
        {"[ t e x t ]", "[ t e x t ]"},
        {"[a\tb]", "[a b]"},
        {"[a\nb\rc]", "[ab\rc]"},
        {"[a [b] c] d", "[a [b] c]d"},
        {"[open  end", "[open  end"},
        {"a] b", "a]b"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RemoveWhitespaceAndComments(row.input), row.expected) << row.input;
    }
}

TEST(RemoveWhitespaceAndComments, RemovesCommentsBackToTheLastMark) {
    const Row rows[] = {
        {"x{comment}y", "xy"},
        {"x{ a b }y z", "xyz"},
        {"ab{cd{ef}gh}ij{kl}mn", "abijmn"},
        {"p{a{b}c}q", "pq"},
        {"a}b{c}d", "bd"},
        {"abc}", ""},
        {"x{ unterminated", "xunterminated"},
        {"ab{", "ab"},
        {"a{b{c", "abc"},
        {"a [x{y}z] b", "a[x{y}z]b"},
        {"{[}x", "x"},
        {"a{x[y}b]c", "ab]c"},
        {"x{a}[b}c]", "x[b}c]"},
        {"x{a\n}[y", "x[y"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RemoveWhitespaceAndComments(row.input), row.expected) << row.input;
    }
}

// ----------------------------------------------------------------------------------------------
// Operators

// Each row through ConvertOperators and through one converter that keeps its storage from row
// to row, as the parser keeps it from piece to piece.
void ExpectConversions(const std::vector<Row>& rows) {
    TOperatorConverter converter;
    std::string converted;
    for (const Row& row : rows) {
        EXPECT_EQ(ConvertOperators(row.input), row.expected) << row.input;
        converter.Convert(row.input, converted);
        EXPECT_EQ(converted, row.expected) << "converter: " << row.input;
    }
}

TEST(ConvertOperators, LeavesNonOperatorPiecesAlone) {
    ExpectConversions({
        {"", ""},
        {")", ")"},
        {"x", "x"},
        {"5", "5"},
        {"-5", "-5"},
        {"+2.5e-3", "+2.5e-3"},
        {"-x", "-x"},
        {"[a]", "[a]"},
        {"[a]+[b]", "[a]+[b]"},
        {"[a=b]", "[a=b]"},
        {"f(a+b)", "f(a+b)"},
        {"(a=b)", "(a=b)"},
        {"x[1+2]", "x[1+2]"},
        {"(5)", "5"},
        {"(-2.5)", "-2.5"},
        {"((5))", "((5))"},
    });
}

TEST(ConvertOperators, RightGroupingOperatorsSplitAtTheWeakestLeftmost) {
    ExpectConversions({
        {"a:=b", ":=(a,b)"},
        {"a:=b:=c", ":=(a,:=(b,c))"},
        {"a>=b", ">=(a,b)"},
        {"a<=b", "<=(a,b)"},
        {"a<>b", "<>(a,b)"},
        {"a>b", ">(a,b)"},
        {"a<b", "<(a,b)"},
        {"a=b", "=(a,b)"},
        {"x:=a>=b", ":=(x,>=(a,b))"},
        {"a=b>c", ">(=(a,b),c)"},
        {"x=a&b", "=(x,&(a,b))"},
        {"a&b=c", "=(&(a,b),c)"},
        {"a&b&c", "&(a,&(b,c))"},
        {"a|b&c", "&(|(a,b),c)"},
        {"a^b|c", "|(^(a,b),c)"},
        {"a%b^c", "^(%(a,b),c)"},
        {"a%b*c", "%(a,*(b,c))"},
        {"a+b%c", "%(+(a,b),c)"},
        {"x:=[a=b]", ":=(x,[a=b])"},
        {"x=y[1+2]", "=(x,y[1+2])"},
        {"x:=(5)", ":=(x,5)"},
        {"a:=f(b=c)", ":=(a,f(b=c))"},
        {"a=", "=(a,)"},
        {"=a", "=a"},
        {"a,=b", "a,=b"},
        {"a=>b", ">(=(a,),b)"},
    });
}

TEST(ConvertOperators, ArithmeticGroupsLeftWithProductsFirst) {
    ExpectConversions({
        {"a+b", "+(a,b)"},
        {"a-b-c", "-(-(a,b),c)"},
        {"a+b+c", "+(+(a,b),c)"},
        {"a-b+c", "+(-(a,b),c)"},
        {"a+b-c", "-(+(a,b),c)"},
        {"a*b/c", "/(*(a,b),c)"},
        {"a/b*c", "*(/(a,b),c)"},
        {"a+b*c-d", "-(+(a,*(b,c)),d)"},
        {"a*b+c*d", "+(*(a,b),*(c,d))"},
        {"a-b*c/d+e", "+(-(a,/(*(b,c),d)),e)"},
        {"2*(a+b)", "*(2,(a+b))"},
        {"(a)+(b)", "+((a),(b))"},
        {"2*(5)", "*(2,5)"},
        {"f(a,b)+1", "+(f(a,b),1)"},
        {"f(a+b)*g(c-d)", "*(f(a+b),g(c-d))"},
        {"[a+b]*c", "*([a+b],c)"},
        {"c.x-1", "-(c.x,1)"},
        {"-a*b", "*(-a,b)"},
        {"-a-b", "-(-a,b)"},
        {"a*-b", "*(a,-b)"},
        {"a*-5+c", "+(*(a,-5),c)"},
        {"a/+b", "/(a,+b)"},
        {"a+-b", "-(+(a,),b)"},
        {"a+b*", "+(a,*(b,))"},
    });
}

// A run that starts with '[' and ends with ']' is a text constant wherever it becomes one
// operand, so it is not taken apart.
TEST(ConvertOperators, TextConstantRunsStayWhole) {
    ExpectConversions({
        {"[a]/[b]*c", "*([a]/[b],c)"},
        {"[a]+[b]-c", "-([a]+[b],c)"},
        {"[a]+b*c+[d]-e", "-([a]+*(b,c)+[d],e)"},
        {"[a]-[b]+c", "+(-([a],[b]),c)"},
        {"[a]/b*c", "*(/([a],b),c)"},
    });
}

TEST(ConvertOperators, ExponentSignsBelongToTheirNumber) {
    ExpectConversions({
        {"2*1e-3", "*(2,1e-3)"},
        {"1e-3*2", "*(1e-3,2)"},
        {"a-1E+3", "-(a,1E+3)"},
        {"2.5e+3-1", "-(2.5e+3,1)"},
        {"x=.5e-2", "=(x,.5e-2)"},
        {"x1e-3", "-(x1e,3)"},
        {"e-3", "-(e,3)"},
        {"1e-x", "-(1e,x)"},
    });
}

TEST(ConvertOperators, MalformedPiecesAreConvertedStepByStep) {
    ExpectConversions({
        {"+", "+"},
        {"++", "+(+,)"},
        {"a)", "(a))"},
        {"a)+(b", "+((a),(b))"},
        {"((a)", "((a)"},
        {"a+(b", "+(a,(b)"},
        {"a,+b", "a,+b"},
        {"a/*b", "*(/(a,),b)"},
        {"[x", "[x"},
        {"a+[b", "+(a,[b)"},
    });
}

std::string Repeat(std::string_view unit, std::size_t count) {
    std::string text;
    text.reserve(unit.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        text += unit;
    }
    return text;
}

// Compared with EXPECT_TRUE so that a failure does not print megabytes of text.
TEST(ConvertOperators, LongChainsConvertCompletely) {
    constexpr std::size_t kCount = 100000;
    const Row rows[] = {
        {"a" + Repeat("+a", kCount), Repeat("+(", kCount) + "a" + Repeat(",a)", kCount)},
        {"a" + Repeat(":=a", kCount), Repeat(":=(a,", kCount) + "a" + Repeat(")", kCount)},
        {"a" + Repeat("%a", kCount), Repeat("%(a,", kCount) + "a" + Repeat(")", kCount)},
        {"a*b" + Repeat("-a*b", kCount),
         Repeat("-(", kCount) + "*(a,b)" + Repeat(",*(a,b))", kCount)},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(ConvertOperators(row.input) == row.expected) << row.input.substr(0, 20);
    }
}

TEST(ConvertOperators, LongMalformedPiecesStayAsWritten) {
    const std::string pieces[] = {
        std::string(100000, '+'),
        "a" + Repeat("+-a", 3000),
        Repeat("a)+", 3000),
        std::string(100000, '(') + "a+b" + std::string(100000, ')'),
    };
    for (const std::string& piece : pieces) {
        EXPECT_TRUE(ConvertOperators(piece) == piece) << piece.substr(0, 20);
    }
}

// Conversion only moves characters and adds parentheses and commas; checked on every short
// text over an alphabet of awkward characters. A converter used for all of them gives the same
// results.
TEST(ConvertOperators, OnlyRearrangesOnShortArbitraryTexts) {
    TOperatorConverter converter;
    std::string converted;
    const std::string alphabet("a1e.()[],*/+-=<>:&%\0\xff", 22);
    const auto withoutPunctuation = [](std::string text) {
        text.erase(std::remove_if(text.begin(), text.end(),
                                  [](char ch) { return ch == '(' || ch == ')' || ch == ','; }),
                   text.end());
        std::sort(text.begin(), text.end());
        return text;
    };
    std::array<std::size_t, 4> digits{};
    for (std::size_t length = 0; length <= digits.size(); ++length) {
        digits.fill(0);
        while (true) {
            std::string text;
            for (std::size_t i = 0; i < length; ++i) {
                text += alphabet[digits[i]];
            }
            const std::string expected = ConvertOperators(text);
            ASSERT_EQ(withoutPunctuation(expected), withoutPunctuation(text)) << text;
            converter.Convert(text, converted);
            ASSERT_EQ(converted, expected) << text;
            std::size_t i = 0;
            while (i < length && ++digits[i] == alphabet.size()) {
                digits[i++] = 0;
            }
            if (i == length) {
                break;
            }
        }
    }
}

// ----------------------------------------------------------------------------------------------
// Labels

TEST(RewriteLabel, DotNotationBecomesALabelCall) {
    const Row rows[] = {
        {"c.speed", "label([speed],c)"}, {"Model.count", "label([count],Model)"},
        {"A.x", "label([x],A)"},         {"i.y", "label([y],i)"},
        {"I.y", "label([y],I)"},         {"main.v", "label([v],main)"},
        {"MaIn.v", "label([v],MaIn)"},   {"mOdEl.Width", "label([Width],mOdEl)"},
        {"a.b.c", "label([b.c],a)"},     {"c.x[1]", "label([x[1]],c)"},
        {"main.", "label([],main)"},
    };
    for (const Row& row : rows) {
        std::string call;
        EXPECT_TRUE(RewriteLabel(row.input, call)) << row.input;
        EXPECT_EQ(call, row.expected) << row.input;
    }
}

TEST(RewriteLabel, OtherPiecesAreNotLabels) {
    const std::string pieces[] = {
        "",      "c",        "c.",         "b.x",    "x.c",
        "cx.y",  "ma.x",     "mains.x",    "maim.x", "main",
        "model", "models.x", ".c.x",       "c.x-1",  "c.a+b",
        "c.a*b", "c.a/b",    "c.a:b",      "c.a<b",  "c.a=b",
        "c.a>b", "main.a=b", "model.x:=1", "\xe1.x", std::string("c\0x", 3),
    };
    for (const std::string& piece : pieces) {
        std::string call = "unchanged";
        EXPECT_FALSE(RewriteLabel(piece, call)) << piece;
        EXPECT_EQ(call, "unchanged") << piece;
    }
}

// ----------------------------------------------------------------------------------------------
// Protected code

// Each character c becomes the six digits of (2 * (c + 12))^2 - 17, last character first.
std::string Scramble(std::string_view plain) {
    std::string digits;
    for (auto it = plain.rbegin(); it != plain.rend(); ++it) {
        const long root = 2 * (static_cast<unsigned char>(*it) + 12);
        char group[8];
        std::snprintf(group, sizeof group, "%06ld", root * root - 17);
        digits += group;
    }
    return digits;
}

std::string ProtectedPiece(std::string_view codeField) {
    return "protectedcode([first>.>second>.>" + std::string(codeField) + "])";
}

TEST(UnwrapProtectedCode, UnscramblesTheThirdField) {
    const std::string plains[] = {
        "x:=1", "Do(a,b)", "[text ] with >.> inside]", std::string("\0\x01\x7f\x80\xff", 5), "",
    };
    for (const std::string& plain : plains) {
        std::string code = "unchanged";
        EXPECT_TRUE(UnwrapProtectedCode(ProtectedPiece(Scramble(plain)), code)) << plain;
        EXPECT_EQ(code, plain);
    }
}

TEST(UnwrapProtectedCode, ReadsGroupsAsTheNearestSquareRoot) {
    const Row rows[] = {
        {ProtectedPiece("023545"), "@"}, // sqrt(23562) = 153.499...
        {ProtectedPiece("023546"), "A"}, // sqrt(23563) = 153.502...
        {ProtectedPiece("024163"), "A"}, // sqrt(24180) = 155.499...
        {ProtectedPiece("024164"), "B"}, // sqrt(24181) = 155.502...
        {ProtectedPiece(Scramble("ab") + "12345"), "ab"},
        {ProtectedPiece(Scramble("ab") + ">.>000559"), "ab"},
        {ProtectedPiece(Scramble("ab")) + "tail", "ab"},
        {"protectedcode([>.>>.>" + Scramble("xy") + "])", "xy"},
        {"protectedcodeXX" + std::string(">.>>.>") + Scramble("q") + "?)", "q"},
    };
    for (const Row& row : rows) {
        std::string code;
        EXPECT_TRUE(UnwrapProtectedCode(row.input, code)) << row.input;
        EXPECT_EQ(code, row.expected) << row.input;
    }
}

TEST(UnwrapProtectedCode, RejectsPiecesThatDoNotQualifyOrAreMalformed) {
    const std::string pieces[] = {
        "",
        "protectedcode([])",
        "Protectedcode([a>.>b>.>000559])",
        "protectedcod([a>.>b>.>000559])",
        "protectedcode([a>.>b>.>000559]",
        "protectedcode(0123456)",
        "protectedcode([a>.>000559])",
        "protectedcode([a>.>b>.>00a559])",
        "protectedcode([a>.>b>.> 00559])",
        "protectedcode([a>.>b>.>000000])",
        "protectedcode([a>.>b>.>999999])",
        "protectedcode([a>.>b>.>000559" + std::string("\0", 1) + "00559])",
    };
    for (const std::string& piece : pieces) {
        std::string code = "unchanged";
        EXPECT_FALSE(UnwrapProtectedCode(piece, code)) << piece;
        EXPECT_EQ(code, "unchanged") << piece;
    }
}

} // namespace
} // namespace vex
