#include "host/Preferences.h"

namespace vex::host {

TPreferences::TPreferences(std::string baseDirectory)
    : Directories{std::move(baseDirectory)} {}

} // namespace vex::host
