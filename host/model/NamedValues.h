#pragma once

#include "runtime/VexScript.h"

#include <string>
#include <string_view>
#include <vector>

namespace vex::host {

// A script value as the model stores it: both halves of an evaluation result.
struct TModelValue {
    double Number = 0;
    TText Text;

    bool operator==(const TModelValue& other) const {
        return Number == other.Number && Text.view() == other.Text.view();
    }
};

struct TNamedValue {
    std::string Name;
    TModelValue Value;
};

// Values under names, kept in the order they were first set; names are looked up ignoring the
// case of ASCII letters. Labels, named attributes and the entries of GUI instances are such
// lists. Positions count from 1, as the words that read them do.
class TNamedValues {
public:
    // Position of a name, or 0.
    int Find(std::string_view name) const noexcept;
    // Sets the value of a name, adding it at the end when it is new; gives its position.
    int Set(std::string_view name, const TModelValue& value);
    // The value at a position (1 to Count()); none outside.
    const TModelValue* At(int position) const noexcept {
        return position >= 1 && position <= Count() ? &Items[Index(position)].Value : nullptr;
    }
    TModelValue* At(int position) noexcept {
        return position >= 1 && position <= Count() ? &Items[Index(position)].Value : nullptr;
    }
    const std::string& NameAt(int position) const { return Items[Index(position)].Name; }
    int Count() const noexcept { return static_cast<int>(Items.size()); }

    std::vector<TNamedValue> Items;

private:
    static std::size_t Index(int position) { return static_cast<std::size_t>(position - 1); }
};

} // namespace vex::host
