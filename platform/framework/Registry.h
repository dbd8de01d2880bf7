// The framework's registry classes: TRegistry, an accessor of one open key under a root, and
// TRegIniFile, which presents a registry key as an INI file (section = subkey, ident = value
// name). Only what the settings code uses.
#pragma once

#include "platform/framework/RegKey.h"

#include <optional>
#include <string>

namespace fw {

class TRegistry {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
    virtual ~TRegistry() = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root);
    // The access mask used to open and create keys.
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM access) { access_ = access; }

    // Opens a key under the root (a path relative to the open key is not supported: the
    // settings code always names keys from the root). canCreate creates missing keys.
    bool OpenKey(const std::string& path, bool canCreate);
    void CloseKey() { key_.Reset(); }
    HKEY CurrentKey() const { return key_.Get(); }

    bool ValueExists(const std::string& name) const;
    // The value's text; empty when the value is missing or not a string.
    std::string ReadString(const std::string& name) const;
    // Raises ERegistryException when the value cannot be set.
    void WriteString(const std::string& name, const std::string& value);

private:
    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_;
    UniqueHKey key_;
};

class TRegIniFile : public TRegistry {
public:
    // Opens (creating) the key named by fileName under HKEY_CURRENT_USER.
    TRegIniFile(const std::string& fileName, REGSAM access);
    bool IsOpen() const { return CurrentKey() != nullptr; }
    // Writes a string value into the section's subkey of the open key, creating the subkey.
    // Raises ERegistryException when the subkey cannot be created or the value not set.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
};

} // namespace fw
