// Test fixture for the legacy settings file in the Windows folder: written byte for byte,
// read back byte for byte, removed before and after each test, and lockable for real.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

class LegacyFile {
public:
    LegacyFile();
    ~LegacyFile();
    LegacyFile(const LegacyFile&) = delete;
    LegacyFile& operator=(const LegacyFile&) = delete;

    const std::string& Path() const { return path_; }
    void Write(const std::string& bytes) const;
    std::string Read() const;
    bool Exists() const;
    void Remove() const;

    // While alive, the file is held open with read sharing only: it can be read, not changed.
    class Lock {
    public:
        explicit Lock(const std::string& path);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        HANDLE handle_;
    };
    Lock HoldReadOnly() const { return Lock(path_); }

private:
    std::string path_;
};

} // namespace testing_support
