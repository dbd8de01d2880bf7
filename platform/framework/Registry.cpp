#include "platform/framework/Registry.h"

#include "platform/framework/Exception.h"

#include <vector>

namespace fw {

namespace {

void SetStringValue(HKEY key, const std::string& name, const std::string& value)
{
    // The stored data is the text with its terminating zero byte.
    const LONG status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    if (status != ERROR_SUCCESS) throw ERegistryException(FormatMessage1("Failed to set data for '%s'", name));
}

} // namespace

TRegistry::TRegistry(REGSAM access) : access_(access) {}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    root_ = root;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate)
{
    UniqueHKey key = canCreate ? CreateRegKey(root_, path.c_str(), access_) : OpenRegKey(root_, path.c_str(), access_);
    if (!key) return false;
    key_ = std::move(key);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const
{
    return key_ && RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD type = 0, size = 0;
    if (!key_ || RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return {};
    std::vector<char> data(size);
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    return std::string(data.data(), strnlen(data.data(), size));
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (!key_) throw ERegistryException(FormatMessage1("Failed to set data for '%s'", name));
    SetStringValue(key_.Get(), name, value);
}

TRegIniFile::TRegIniFile(const std::string& fileName, REGSAM access) : TRegistry(access)
{
    OpenKey(fileName, true);
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    if (!IsOpen()) throw ERegistryException(FormatMessage1("Failed to set data for '%s'", ident));
    const UniqueHKey sectionKey = CreateRegKey(CurrentKey(), section.c_str(), Access());
    if (!sectionKey) throw ERegistryException(FormatMessage1("Failed to create key %s", section));
    SetStringValue(sectionKey.Get(), ident, value);
}

} // namespace fw
