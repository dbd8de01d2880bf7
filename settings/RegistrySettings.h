// Registry access of the product's settings: one key per product, one subkey per section.
// Writes go to the current user's branch; reads take the current user's value, then the
// machine's, then the default. Every call opens what it needs and closes it before returning.
#pragma once

#include "platform/framework/Registry.h"
#include "settings/RegDataText.h"
#include "settings/SettingsStore.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kProductKeyPath = "Software\\Vantreo Interactive\\Quorvex";

// The registry adapter WriteSetting uses.
class TQXRegIniFile : public fw::TRegIniFile {
public:
    using fw::TRegIniFile::TRegIniFile;
};

// A read-only registry accessor rooted at HKEY_CURRENT_USER.
class TQXRegistry : public fw::TRegistry {
public:
    TQXRegistry() { SetAccess(KEY_READ); }
};

// Writes a string value into the section's subkey under HKEY_CURRENT_USER, creating the keys.
// False when anything failed; nothing is shown.
bool WriteSetting(std::string_view section, std::string_view name, std::string_view value);

// The per-user text, else the machine-wide text, else the default; an empty text counts as missing.
std::string ReadSetting(std::string_view section, std::string_view name, std::string_view defaultText);

// The text of a value of any type (see RegDataToText); no value when the key or value is
// missing or cannot be read. A value of size 0 gives an empty text.
std::optional<std::string> ReadRegistryText(HKEY root, const std::string& keyPath, const std::string& name);

// The registry key path of a section of the product key.
std::string SectionKeyPath(std::string_view section);

// The program's settings store.
class TRegistrySettingsStore : public ISettingsStore {
public:
    std::string ReadSetting(std::string_view section, std::string_view name, std::string_view defaultText) override
    {
        return ::ReadSetting(section, name, defaultText);
    }
    bool WriteSetting(std::string_view section, std::string_view name, std::string_view value) override
    {
        return ::WriteSetting(section, name, value);
    }
};
