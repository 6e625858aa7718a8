#include "host/ModelWords.h"

namespace vex::host {

std::span<const TWordRow> ModelWordRows() {
    return {};
}

} // namespace vex::host
