#include "settings/LegacySettingsFile.h"

#include "platform/framework/IniFile.h"
#include "settings/SystemFolders.h"

#include <windows.h>

std::string LegacyFilePath() { return GetWindowsFolder() + kLegacyFileName; }

bool LegacyFileExists()
{
    const DWORD attributes = GetFileAttributesA(LegacyFilePath().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadLegacyValue(const std::string& section, const std::string& name)
{
    if (!LegacyFileExists()) return {};
    return fw::TIniFile(kLegacyFileName).ReadString(section, name, "");
}

std::string ReadLegacySetting(const std::string& section, const std::string& name, const std::string& defaultText)
{
    std::string text = ReadLegacyValue(section, name);
    return text.empty() ? defaultText : text;
}
