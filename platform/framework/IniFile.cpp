#include "platform/framework/IniFile.h"

#include "platform/framework/Exception.h"

#include <windows.h>

namespace fw {

namespace {

// Calls a profile reader with a buffer that grows until the answer fits. The reader reports
// a cut-short answer by filling the buffer up to size - reserve.
template <typename Reader>
std::string ReadGrowing(Reader read, DWORD reserve)
{
    std::string buffer(2048, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = read(buffer.data(), size);
        if (length + reserve < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

} // namespace

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& defaultText) const
{
    return ReadGrowing(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultText.c_str(), buffer, size,
                                            fileName_.c_str());
        },
        1);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
        throw EIniFileException(FormatMessage1("Unable to write to %s", fileName_));
}

bool TIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    return WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, fileName_.c_str()) != FALSE;
}

void TIniFile::EraseSection(const std::string& section)
{
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName_.c_str()))
        throw EIniFileException(FormatMessage1("Unable to write to %s", fileName_));
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    // The names come as a list of zero-terminated texts ended by one more zero.
    const std::string list = ReadGrowing(
        [&](char* buffer, DWORD size) {
            return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size, fileName_.c_str());
        },
        2);
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find('\0', start);
        const std::size_t stop = end == std::string::npos ? list.size() : end;
        if (stop > start) names.emplace_back(list, start, stop - start);
        start = stop + 1;
    }
    return names;
}

bool TIniFile::SectionExists(const std::string& section) const { return !ReadSection(section).empty(); }

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const
{
    for (const std::string& name : ReadSection(section))
        if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name.c_str(), -1, ident.c_str(), -1) == CSTR_EQUAL)
            return true;
    return false;
}

} // namespace fw
