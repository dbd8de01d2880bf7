// Test fixtures for the registry: the product's keys are removed before and after each test,
// values of any type can be planted, and writes can be refused for real with a deny DACL.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace testing_support {

// Removes the maker's key under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE (32-bit view) when
// created and when destroyed.
class ProductKeySandbox {
public:
    ProductKeySandbox();
    ~ProductKeySandbox();
    ProductKeySandbox(const ProductKeySandbox&) = delete;
    ProductKeySandbox& operator=(const ProductKeySandbox&) = delete;

    static void Clear();
};

// Plants a value of any type and size under root\keyPath (created), in the 32-bit view.
void SetRawValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type, const void* data, DWORD size);
void SetText(HKEY root, const std::string& keyPath, const std::string& name, const std::string& text);
void DeleteValue(HKEY root, const std::string& keyPath, const std::string& name);
bool KeyExists(HKEY root, const std::string& keyPath);

// Every value under root\keyPath as name -> text (the bytes up to the first zero); empty when
// the key is missing.
std::map<std::string, std::string> Values(HKEY root, const std::string& keyPath);
// The type and raw size of a value; no value when it is missing.
std::optional<std::pair<DWORD, DWORD>> TypeAndSize(HKEY root, const std::string& keyPath, const std::string& name);

// While alive, the key (created if needed) gives everyone read access only (or no access at
// all); the key's former security is restored at the end.
class DenyAccess {
public:
    enum class Mode { WritesOnly, Everything };
    DenyAccess(HKEY root, const std::string& keyPath, Mode mode = Mode::WritesOnly);
    ~DenyAccess();
    DenyAccess(const DenyAccess&) = delete;
    DenyAccess& operator=(const DenyAccess&) = delete;

private:
    HKEY key_ = nullptr;
    std::string saved_;  // self-relative security descriptor
};

} // namespace testing_support
