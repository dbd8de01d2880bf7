// Owning handle of an open registry key, and the one registry view this program uses: the
// 32-bit view, so every build reads and writes what the 32-bit web client sees.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

inline constexpr REGSAM kRegistryView = KEY_WOW64_32KEY;

class UniqueHKey {
public:
    UniqueHKey() = default;
    explicit UniqueHKey(HKEY key) : key_(key) {}
    UniqueHKey(UniqueHKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueHKey& operator=(UniqueHKey&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.key_, nullptr));
        return *this;
    }
    UniqueHKey(const UniqueHKey&) = delete;
    UniqueHKey& operator=(const UniqueHKey&) = delete;
    ~UniqueHKey() { Reset(); }

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Reset(HKEY key = nullptr)
    {
        if (key_) RegCloseKey(key_);
        key_ = key;
    }

private:
    HKEY key_ = nullptr;
};

// Opens an existing key; an empty handle when it cannot be opened.
inline UniqueHKey OpenRegKey(HKEY root, const char* path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, access | kRegistryView, &key) != ERROR_SUCCESS) return {};
    return UniqueHKey(key);
}

// Opens a key, creating it and any missing parent; an empty handle when that fails.
inline UniqueHKey CreateRegKey(HKEY root, const char* path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access | kRegistryView, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return {};
    return UniqueHKey(key);
}

} // namespace fw
