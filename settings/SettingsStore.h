// The settings store as the settings record sees it: string values by section and name,
// read with a fallback default, written to the current user's branch. The registry store is
// the one the program uses; the interface keeps the record mapping platform-neutral.
#pragma once

#include <string>
#include <string_view>

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // The stored text, or the default when it is missing or empty.
    virtual std::string ReadSetting(std::string_view section, std::string_view name, std::string_view defaultText) = 0;
    // True when the value was written.
    virtual bool WriteSetting(std::string_view section, std::string_view name, std::string_view value) = 0;
};
