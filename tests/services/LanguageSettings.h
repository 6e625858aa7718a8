#pragma once

#include "platform/Registry.h"
#include "services/SettingsRootKey.h"

#include <QTest>

#include <cstdint>
#include <string>

// Sets "Application Language" in the settings, as a person choosing the interface language does.
inline void setLanguage(std::uint32_t number) {
    using namespace zentaro::platform;
    TRegistryKey general;
    QCOMPARE(
        TRegistryKey::CurrentUser().CreateKey(std::string(SettingsRootKey) + "\\General", general),
        TRegistryStatus::Success);
    QCOMPARE(general.SetValue("Application Language", TRegistryValue::FromInteger(number)),
             TRegistryStatus::Success);
}
