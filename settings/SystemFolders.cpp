#include "settings/SystemFolders.h"

#include "settings/MultiByte.h"
#include "settings/RegistrySettings.h"
#include "settings/StringHelpers.h"

#include <windows.h>

std::string GetWindowsFolder()
{
    std::string buffer(261, '\0');
    UINT length = GetWindowsDirectoryA(buffer.data(), 260);
    if (length >= 260) {
        buffer.assign(length + 1, '\0');
        length = GetWindowsDirectoryA(buffer.data(), length + 1);
        if (length > buffer.size()) length = 0;
    }
    buffer.resize(length);
    return AddTrailingBackslash(buffer);
}

std::optional<std::string> GetCommonFilesFolder()
{
    const auto folder =
        ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir");
    if (!folder || IsBlank(*folder)) return std::nullopt;
    return AddTrailingBackslash(*folder) + "Vantreo Interactive\\";
}
