#include "support/RegistrySandbox.h"

#include <sddl.h>

#include <stdexcept>
#include <vector>

namespace testing_support {

namespace {

constexpr REGSAM kView = KEY_WOW64_32KEY;

HKEY Create(HKEY root, const std::string& keyPath, REGSAM access)
{
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, access | kView, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot create test key " + keyPath + ": " + std::to_string(status));
    return key;
}

void DeleteTree(HKEY root, const char* parent, const char* child)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, parent, 0, KEY_ALL_ACCESS | kView, &key) != ERROR_SUCCESS) return;
    RegDeleteTreeA(key, child);
    RegCloseKey(key);
}

} // namespace

void ProductKeySandbox::Clear()
{
    DeleteTree(HKEY_CURRENT_USER, "Software", "Vantreo Interactive");
    DeleteTree(HKEY_LOCAL_MACHINE, "Software", "Vantreo Interactive");
}

ProductKeySandbox::ProductKeySandbox() { Clear(); }
ProductKeySandbox::~ProductKeySandbox() { Clear(); }

void SetRawValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = Create(root, keyPath, KEY_SET_VALUE);
    const LONG status = RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot plant value " + name);
}

void SetText(HKEY root, const std::string& keyPath, const std::string& name, const std::string& text)
{
    SetRawValue(root, keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void DeleteValue(HKEY root, const std::string& keyPath, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_SET_VALUE | kView, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::map<std::string, std::string> Values(HKEY root, const std::string& keyPath)
{
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ | kView, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
        std::vector<char> data(dataSize + 1, '\0');
        DWORD size = dataSize;
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        values[name] = std::string(data.data(), strnlen(data.data(), size));
    }
    RegCloseKey(key);
    return values;
}

std::optional<std::pair<DWORD, DWORD>> TypeAndSize(HKEY root, const std::string& keyPath, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::pair{type, size};
}

DenyAccess::DenyAccess(HKEY root, const std::string& keyPath, Mode mode)
{
    key_ = Create(root, keyPath, READ_CONTROL | WRITE_DAC);
    DWORD size = 0;
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS)
        throw std::runtime_error("cannot read the security of " + keyPath);
    const char* sddl = mode == Mode::WritesOnly ? "D:(D;;KA;;;WD)(A;;KR;;;WD)" : "D:(D;;KA;;;WD)";
    PSECURITY_DESCRIPTOR deny = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &deny, nullptr))
        throw std::runtime_error("bad SDDL");
    const LONG status = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, deny);
    LocalFree(deny);
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot deny access to " + keyPath);
}

DenyAccess::~DenyAccess()
{
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
    RegCloseKey(key_);
}

} // namespace testing_support
