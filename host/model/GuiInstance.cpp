#include "host/model/GuiInstance.h"

namespace vex::host {

TGuiInstance::TGuiInstance(std::string name)
    : TModelObject(TObjectKind::GuiInstance)
    , m_name(std::move(name)) {}

void TGuiInstance::AddStoredEntry(std::string_view name) {
    const int position = Entries.Find(name);
    if (position >= 1 && position <= m_storedCount) {
        return;
    }
    TNamedValue entry{std::string(name), {}};
    if (position) {
        entry = Entries.Items[static_cast<std::size_t>(position - 1)];
        Entries.Items.erase(Entries.Items.begin() + (position - 1));
    }
    Entries.Items.insert(Entries.Items.begin() + m_storedCount, std::move(entry));
    ++m_storedCount;
}

} // namespace vex::host
