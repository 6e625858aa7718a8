#pragma once

#include "platform/RegistryTree.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace zentaro::platform {

// The outcome of a registry operation.
enum class TRegistryStatus {
    Success,
    // The key or value does not exist (or the key was deleted after it was opened).
    NotFound,
    // Enumeration went past the last sub-key or value.
    NoMoreItems,
    // An empty or over-long name, a name with a control character, or a key name with a
    // backslash.
    InvalidName,
    // A text that is not UTF-8.
    InvalidValue,
    // The settings file is damaged and could not be set aside; it is not overwritten.
    StoreDamaged,
    // The settings file could not be read or written.
    IoError,
};

// A short English description, for messages.
const char* RegistryStatusText(TRegistryStatus status) noexcept;

// The file behind the current-user hive, shared by every process of the user.
//
// Readers see the file as it is on disk: the store re-reads it whenever it has changed since it
// was last read. A write takes the file lock (an flock on the file's ".lock" companion), reads
// the file afresh, applies its one change, writes a temporary file beside it and renames that
// over the file; so two processes that write different values at the same time keep both.
//
// A file that cannot be parsed is never overwritten: it is renamed aside (".damaged", then
// ".damaged.1" and so on, never replacing an earlier one), reported once to the damage reporter,
// and the hive starts empty, so readers fall back to their defaults.
//
// The file is $ZENTARO_REGISTRY_FILE when that is set, else registry.reg in
// $XDG_CONFIG_HOME/zentaro (default ~/.config/zentaro). The variable is read at every access, so
// a test can point the store at a file of its own at any time.
class TRegistryStore {
public:
    using TDamageReporter = std::function<void(const std::string& message)>;
    using TChange = std::function<TRegistryStatus(TRegistryNode& root)>;
    using TReader = std::function<void(const TRegistryNode& root)>;

    // The one store of the process.
    static TRegistryStore& Instance();

    // The file behind the hive, per the rule above.
    static std::string FilePath();

    // Calls `reader` with the hive as it is now (empty when the file is missing or damaged).
    // The reader must not call back into the registry.
    void Read(const TReader& reader);

    // Applies `change` to the hive as it is on disk, under the file lock, and writes the result
    // when `change` succeeded and changed something. The change must not call back into the
    // registry.
    TRegistryStatus Write(const TChange& change);

    // Where damage reports go (standard error until set; an empty function restores that).
    // Reports are delivered after the store's lock is released, so the reporter may show a
    // window or read the registry.
    void SetDamageReporter(TDamageReporter reporter);

private:
    struct TFileIdentity {
        bool Exists = false;
        unsigned long long Device = 0, Inode = 0, Size = 0;
        long long Seconds = 0, Nanoseconds = 0;
        bool operator==(const TFileIdentity&) const = default;
    };

    TRegistryStore() = default;
    static TFileIdentity Identify(const std::string& path);
    // Makes the cached hive match the file; `force` re-reads even an unchanged file.
    void Refresh(bool force);
    // Loads the file at m_path into the cache, setting a damaged file aside. `attempt` counts
    // the re-reads after the file was replaced while it was being set aside.
    void Load(int attempt);
    void SetAside(const std::string& reason, int attempt);
    TRegistryStatus Store(const TRegistryNode& root);
    void DeliverReports();

    std::mutex m_mutex;
    std::string m_path;
    TFileIdentity m_identity;
    TRegistryNode m_root;
    // Set when a damaged file could not be moved aside; writes are refused while it stays.
    bool m_damagedInPlace = false;
    // True while Write holds the file lock, which SetAside must then not take a second time.
    bool m_holdsFileLock = false;
    TFileIdentity m_reportedDamage;
    std::vector<std::string> m_pendingReports;
    TDamageReporter m_reporter;
};

} // namespace zentaro::platform
