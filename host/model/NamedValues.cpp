#include "host/model/NamedValues.h"

#include "runtime/VexScript.h"

namespace vex::host {

int TNamedValues::Find(std::string_view name) const noexcept {
    for (std::size_t i = 0; i < Items.size(); ++i) {
        if (SameText(Items[i].Name, name)) {
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

const TModelValue* TNamedValues::At(int position) const noexcept {
    return position >= 1 && position <= Count() ? &Items[Index(position)].Value : nullptr;
}

TModelValue* TNamedValues::At(int position) noexcept {
    return position >= 1 && position <= Count() ? &Items[Index(position)].Value : nullptr;
}

} // namespace vex::host
