#include "platform/RegistryFile.h"

#include <gtest/gtest.h>

using namespace zentaro::platform;

namespace {

TRegistryNode HiveWith(const TRegistryNamedValue& value) {
    TRegistryNode root;
    root.SubKey("Software").SubKey("Test").Values.push_back(value);
    return root;
}

struct TValueRow {
    const char* Case;
    TRegistryNamedValue Value;
    const char* Line; // how the value is written
};

const TValueRow ValueRows[] = {
    {"string", {"Title", TRegistryValue::FromString("Zentaro")}, "\"Title\"=\"Zentaro\""},
    {"quote and backslash escaped",
     {"Path", TRegistryValue::FromString("C:\\a \"b\"")},
     "\"Path\"=\"C:\\\\a \\\"b\\\"\""},
    {"default value", {"", TRegistryValue::FromString("x")}, "@=\"x\""},
    {"integer",
     {"Application Language", TRegistryValue::FromInteger(7)},
     "\"Application Language\"=dword:00000007"},
    {"integer above 2^31",
     {"Big", TRegistryValue::FromInteger(0xFFFFFFFEu)},
     "\"Big\"=dword:fffffffe"},
    {"expandable string as UTF-16LE",
     {"Home", TRegistryValue::FromExpandString("%H%")},
     "\"Home\"=hex(2):25,00,48,00,25,00,00,00"},
    {"string with a line break as hex(1)",
     {"Two", TRegistryValue::FromString("a\nb")},
     "\"Two\"=hex(1):61,00,0a,00,62,00,00,00"},
    {"non-ASCII string stays readable",
     {"Name", TRegistryValue::FromString("M\xC3\xBCller")},
     "\"Name\"=\"M\xC3\xBCller\""},
    {"binary", {"Raw", TRegistryValue::FromBinary({0x01, 0xAB, 0xFF})}, "\"Raw\"=hex:01,ab,ff"},
    {"empty binary", {"Nothing", TRegistryValue::FromBinary({})}, "\"Nothing\"=hex:"},
    {"other type keeps its number",
     {"Multi", TRegistryValue{static_cast<TRegistryType>(7), "", 0, {0x61, 0x00, 0x00, 0x00}}},
     "\"Multi\"=hex(7):61,00,00,00"},
};

} // namespace

TEST(RegistryFile, EachValueTypeIsWrittenInTheExportFormAndReadBack) {
    for (const TValueRow& row : ValueRows) {
        SCOPED_TRACE(row.Case);
        const TRegistryNode hive = HiveWith(row.Value);
        const std::string text = FormatRegistryFile(hive);
        EXPECT_EQ(text, std::string("Windows Registry Editor Version 5.00\n"
                                    "\n[HKEY_CURRENT_USER\\Software]\n"
                                    "\n[HKEY_CURRENT_USER\\Software\\Test]\n") +
                            row.Line + "\n");
        const TRegistryParseResult parsed = ParseRegistryFile(text);
        ASSERT_TRUE(parsed.Ok) << parsed.Error;
        EXPECT_EQ(parsed.Root, hive);
    }
}

TEST(RegistryFile, LongHexDataIsWrappedAndReadBack) {
    std::vector<std::uint8_t> bytes(300);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    const TRegistryNode hive = HiveWith({"Blob", TRegistryValue::FromBinary(bytes)});

    const std::string text = FormatRegistryFile(hive);
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
    }
    EXPECT_NE(text.find(",\\\n  "), std::string::npos);
    const TRegistryParseResult parsed = ParseRegistryFile(text);
    ASSERT_TRUE(parsed.Ok) << parsed.Error;
    EXPECT_EQ(parsed.Root, hive);
}

TEST(RegistryFile, WindowsExportInUtf16WithCrLfIsRead) {
    const std::string utf8 = "Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Policies]\r\n"
                             "\"Place0\"=\"C:\\\\Models\"\r\n"
                             "\"Place1\"=dword:00000005\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : utf8) {
        utf16 += c;
        utf16 += '\0';
    }
    const TRegistryParseResult parsed = ParseRegistryFile(utf16);
    ASSERT_TRUE(parsed.Ok) << parsed.Error;
    const TRegistryNode* key = parsed.Root.Find({"SOFTWARE", "policies"});
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->Values.size(), 2u);
    EXPECT_EQ(key->Values[0].Value, TRegistryValue::FromString("C:\\Models"));
    EXPECT_EQ(key->Values[1].Value, TRegistryValue::FromInteger(5));
}

TEST(RegistryFile, WhiteSpaceOnlyIsAnEmptyHive) {
    for (const char* text : {"", "\n\n", "  \r\n"}) {
        const TRegistryParseResult parsed = ParseRegistryFile(text);
        EXPECT_TRUE(parsed.Ok);
        EXPECT_EQ(parsed.Root, TRegistryNode());
    }
}

TEST(RegistryFile, MalformedTextFailsWithItsLineNumber) {
    const std::string header = "Windows Registry Editor Version 5.00\n";
    const struct {
        std::string Text;
        const char* Error;
    } rows[] = {
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n", "line 1: the file does not begin with"},
        {"garbage \x01\x02\n", "line 1: the file does not begin with"},
        {header + "\"A\"=\"x\"\n", "line 2: a value before the first key"},
        {header + "[HKEY_LOCAL_MACHINE\\A]\n", "line 2: a key outside HKEY_CURRENT_USER"},
        {header + "[HKEY_CURRENT_USERS\\A]\n", "line 2: a key outside HKEY_CURRENT_USER"},
        {header + "[HKEY_CURRENT_USER\\A\n", "line 2: a key line without its closing bracket"},
        {header + "[HKEY_CURRENT_USER\\A\\\\B]\n", "line 2: an empty key name"},
        {header + "[HKEY_CURRENT_USER\\A]\nsomething\n", "line 3: a line that is neither"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=dword:7\n", "line 3: a dword that is not"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=dword:0000000g\n", "line 3: a dword that is not"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=hex:1,02\n", "line 3: malformed hex data"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=hex:01,\n", "line 3: hex data ending in a comma"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=hex(2):41\n", "line 3: a string in hex that is"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=hex(x):41\n", "line 3: a malformed hex type"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=\"unterminated\n", "line 3: a malformed quoted"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=\"a\\nb\"\n", "line 3: an unknown escape"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=\"\xC3\"\n", "line 3: a quoted text that is not"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=text\n", "line 3: a value of unknown form"},
        {header + "[HKEY_CURRENT_USER\\A]\n\"A\"=hex:01,\\\n  zz\n", "line 3: malformed hex data"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        const TRegistryParseResult parsed = ParseRegistryFile(row.Text);
        EXPECT_FALSE(parsed.Ok);
        EXPECT_EQ(parsed.Error.rfind(row.Error, 0), 0u) << parsed.Error;
    }
}
