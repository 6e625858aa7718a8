// registry_writer FILE KEY PREFIX COUNT: sets COUNT integer values PREFIX0, PREFIX1, ... in KEY of
// the registry in FILE, one write each, so that two of these running at once race for the file.

#include "platform/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[]) {
    using namespace zentaro::platform;
    if (argc != 5) {
        std::fputs("usage: registry_writer FILE KEY PREFIX COUNT\n", stderr);
        return 2;
    }
    ::setenv("ZENTARO_REGISTRY_FILE", argv[1], 1);
    const int count = std::atoi(argv[4]);
    TRegistryKey key;
    if (TRegistryKey::CurrentUser().CreateKey(argv[2], key) != TRegistryStatus::Success)
        return 1;
    for (int i = 0; i < count; ++i) {
        const std::string name = argv[3] + std::to_string(i);
        if (key.SetValue(name, TRegistryValue::FromInteger(static_cast<std::uint32_t>(i))) !=
            TRegistryStatus::Success)
            return 1;
    }
    return 0;
}
