#pragma once

#include "platform/RegistryStore.h"
#include "platform/RegistryValue.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zentaro::platform {

// The current user's registry hive, as the application's settings use it.
//
// A key is named by its path of sub-key names separated by backslashes, below the current-user
// root: "Software\Velmark Zentaro\Zentaro\8.0\General". Names compare without regard to the case
// of ASCII letters and keep the spelling they were created with. Sub-keys enumerate in name
// order (ignoring case), values in the order they were first set.
//
//     TRegistryKey general;
//     if (TRegistryKey::CurrentUser().OpenKey(root + "\\General", general) ==
//         TRegistryStatus::Success) {
//         TRegistryValue value;
//         if (general.QueryValue("Application Language", value) == TRegistryStatus::Success &&
//             value.Type == TRegistryType::Integer)
//             language = static_cast<std::int32_t>(value.Integer);
//     }
//
// Every operation goes to the settings file through TRegistryStore: a read sees what other
// processes have written, a write changes exactly one thing and keeps everything else that is in
// the file at that moment.
//
// A key object is a handle: it stays bound to the key it was opened as, also when the current
// user's root is redirected later. Operations through a handle whose key has been deleted give
// NotFound.
class TRegistryKey {
public:
    // The predefined current-user root. Each operation through it goes to the key the root is
    // redirected to at that moment (see OverrideCurrentUser), or to the hive's real root.
    static TRegistryKey CurrentUser();

    // Redirects the current-user root of the whole process to `key` (which must exist), until
    // EndCurrentUserOverride. A handle opened before keeps its key.
    static TRegistryStatus OverrideCurrentUser(const TRegistryKey& key);
    // Ends the redirection: the current-user root is the hive's real root again.
    static void EndCurrentUserOverride();

    // An unopened key; every operation gives NotFound.
    TRegistryKey() = default;

    // Opens an existing sub-key (the key itself for an empty path) without creating anything.
    TRegistryStatus OpenKey(std::string_view subKey, TRegistryKey& key) const;
    // Opens a sub-key, creating it and the keys above it when missing.
    TRegistryStatus CreateKey(std::string_view subKey, TRegistryKey& key) const;

    // The value of that name with its type; the empty name is the default value.
    TRegistryStatus QueryValue(std::string_view name, TRegistryValue& value) const;
    // Sets a value, replacing one of the same name (keeping its place in the order).
    TRegistryStatus SetValue(std::string_view name, const TRegistryValue& value) const;
    TRegistryStatus DeleteValue(std::string_view name) const;

    // The name of the sub-key at `index` (from 0); NoMoreItems past the last.
    TRegistryStatus EnumKey(int index, std::string& name) const;
    // The value at `index` (from 0) with its name; NoMoreItems past the last.
    TRegistryStatus EnumValue(int index, std::string& name, TRegistryValue& value) const;

    // Deletes the sub-key with everything below it. With an empty path, deletes every value and
    // sub-key of this key but keeps the key itself.
    TRegistryStatus DeleteTree(std::string_view subKey) const;

    // The key's path below the hive's root, for messages ("" for the root).
    std::string Path() const;
    bool IsOpen() const noexcept { return m_open; }

private:
    // The key's path below the hive's real root, resolving the current-user root's redirection.
    std::vector<std::string> Resolve() const;
    // This key's path with the names of `subKey` after it, resolved once: NotFound for an
    // unopened key, InvalidName for a malformed sub-key path. Whether the key exists is not
    // looked at.
    TRegistryStatus SubKeyPath(std::string_view subKey, std::vector<std::string>& path) const;
    // The same for a sub-key that must exist (NotFound when it does not).
    TRegistryStatus ExistingSubKeyPath(std::string_view subKey,
                                       std::vector<std::string>& path) const;
    // A handle bound to the key at `path` below the hive's real root.
    static TRegistryKey Opened(std::vector<std::string> path);
    // Hands this key's node to `read` under the store's lock, or to `change` under the file lock
    // (the file is written when `change` succeeds and changed something). NotFound, without
    // calling them, for an unopened key or a key that no longer exists; a `change` whose
    // arguments were found invalid (`arguments`) gives that status once the key is known to be
    // open.
    TRegistryStatus
    ReadNode(const std::function<TRegistryStatus(const TRegistryNode& node)>& read) const;
    TRegistryStatus ChangeNode(const TRegistryStore::TChange& change,
                               TRegistryStatus arguments = TRegistryStatus::Success) const;

    bool m_open = false;
    bool m_isCurrentUser = false;
    std::vector<std::string> m_path;
};

} // namespace zentaro::platform
