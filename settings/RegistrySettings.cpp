#include "settings/RegistrySettings.h"

#include "platform/framework/Exception.h"

#include <vector>

bool WriteSetting(std::string_view section, std::string_view name, std::string_view value)
{
    try {
        TQXRegIniFile settings(kProductKeyPath, KEY_ALL_ACCESS);
        if (!settings.IsOpen()) throw fw::Exception("");
        settings.WriteString(std::string(section), std::string(name), std::string(value));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string SectionKeyPath(std::string_view section)
{
    return std::string(kProductKeyPath) + "\\" + std::string(section);
}

std::string ReadSetting(std::string_view section, std::string_view name, std::string_view defaultText)
{
    const std::string path = SectionKeyPath(section);
    const std::string valueName(name);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const auto text = ReadRegistryText(root, path, valueName);
        if (text && !text->empty()) return *text;
    }
    return std::string(defaultText);
}

std::optional<std::string> ReadRegistryText(HKEY root, const std::string& keyPath, const std::string& name)
{
    const fw::UniqueHKey key = fw::OpenRegKey(root, keyPath.c_str(), KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (size == 0) return std::string();
    try {
        std::vector<unsigned char> data(size);
        if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        return RegDataToText(data.data(), std::min<std::size_t>(size, data.size()));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
