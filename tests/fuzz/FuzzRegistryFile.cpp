// Fuzz target: the registry layer's file parser.
//
// Any text either parses or fails with a message; a hive that parses must survive a round trip
// through its own file format unchanged.

#include "platform/RegistryFile.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zentaro::platform;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IsValidUtf8(text);
    const TRegistryParseResult parsed = ParseRegistryFile(text);
    if (!parsed.Ok) {
        if (parsed.Error.empty()) {
            Fail("the parse failed without a message");
        }
        return 0;
    }
    const std::string written = FormatRegistryFile(parsed.Root);
    const TRegistryParseResult reread = ParseRegistryFile(written);
    if (!reread.Ok) {
        std::fprintf(stderr, "%s\n", reread.Error.c_str());
        Fail("a parsed hive's own file text does not parse");
    }
    if (!(reread.Root == parsed.Root)) {
        Fail("a parsed hive changed in a round trip through its file text");
    }
    return 0;
}
