#pragma once

#include "host/model/HandleTable.h"
#include "host/model/NamedValues.h"

#include "runtime/VexScript.h"

#include <string>

namespace vex::host {

// The data side of a dialog or panel of the model's user interface: named entries, of which the
// leading ones are marked as stored. Bare names in code compiled for the instance denote its
// stored entries (GUIInstance(reference,GUIStore(n))).
class TGuiInstance : public TModelObject, public TBindingInstance {
public:
    explicit TGuiInstance(std::string name);

    const std::string& InstanceName() const noexcept { return m_name; }
    // Entries in order; entries 1 to StoredCount are the stored ones.
    TNamedValues Entries;
    // Adds a stored entry; stored entries stay in front of the others.
    void AddStoredEntry(std::string_view name);

    std::int32_t Reference() const override { return Handle(); }
    int StoredEntryCount() const override { return m_storedCount; }
    std::string StoredEntryName(int position) const override { return Entries.NameAt(position); }

private:
    std::string m_name;
    int m_storedCount = 0;
};

} // namespace vex::host
