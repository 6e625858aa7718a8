// The conversion between script texts (Windows-1252) and the system's names (UTF-8).

#include "host/ScriptCodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vex::host {
namespace {

TEST(ScriptCodePageTest, EveryScriptByteGoesToUtf8AndBack) {
    std::string every;
    for (int byte = 1; byte < 256; ++byte) {
        every += static_cast<char>(byte);
    }
    const std::string utf8 = ScriptToUtf8(every);
    EXPECT_EQ(Utf8ToScript(utf8), every);
    EXPECT_EQ(ScriptToUtf8("M\xFC"
                           "ller \x80 \x9F \x81"),
              "Müller € Ÿ \xC2\x81");
}

TEST(ScriptCodePageTest, NamesTheCodePageCannotHoldAreRefused) {
    const struct {
        const char* Utf8;
        std::optional<std::string> Script;
    } cases[] = {
        {"Stra\xC3\x9F"
         "e \xE2\x82\xAC",
         std::string("Stra\xDF"
                     "e \x80")},
        {"", std::string()},
        {"\xE4\xB8\xAD.vex", std::nullopt}, // a Chinese character
        {"\xF0\x9F\x98\x80", std::nullopt}, // beyond the 16-bit range
        {"caf\xC3", std::nullopt},          // cut off
        {"\xC3\x28", std::nullopt},         // no continuation byte
        {"\xC0\xAF", std::nullopt},         // an overlong "/"
        {"\xED\xA0\x80", std::nullopt},     // a surrogate half
        {"\xFF", std::nullopt},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(Utf8ToScript(row.Utf8), row.Script) << row.Utf8;
    }
}

} // namespace
} // namespace vex::host
