#include "host/model/NamedValues.h"

#include "runtime/VexScript.h"

namespace vex::host {

int TNamedValues::Find(std::string_view name) const noexcept {
    for (std::size_t i = 0; i < Items.size(); ++i) {
        // Names are mostly written the same way each time: the bytes compared at once, the
        // letters folded only when they differ.
        const std::string_view item = Items[i].Name;
        if (item.size() == name.size() && (item == name || SameText(item, name))) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

int TNamedValues::Set(std::string_view name, const TModelValue& value) {
    if (const int position = Find(name)) {
        Items[Index(position)].Value = value;
        return position;
    }
    Items.push_back({std::string(name), value});
    return Count();
}

} // namespace vex::host
