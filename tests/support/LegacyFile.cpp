#include "support/LegacyFile.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

// The profile functions may keep a parsed copy of the file; writing nothing flushes it so the
// next read sees the bytes on disk.
void FlushProfileCache() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, "vantreo.ini"); }

std::string WindowsFolderFile(const char* name)
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

} // namespace

LegacyFile::LegacyFile() : path_(WindowsFolderFile("vantreo.ini")) { Remove(); }
LegacyFile::~LegacyFile() { Remove(); }

void LegacyFile::Write(const std::string& bytes) const
{
    FlushProfileCache();
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path_);
}

std::string LegacyFile::Read() const
{
    FlushProfileCache();
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool LegacyFile::Exists() const { return GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

void LegacyFile::Remove() const
{
    FlushProfileCache();
    DeleteFileA(path_.c_str());
}

LegacyFile::Lock::Lock(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))
{
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot lock " + path);
}

LegacyFile::Lock::~Lock() { CloseHandle(handle_); }

} // namespace testing_support
