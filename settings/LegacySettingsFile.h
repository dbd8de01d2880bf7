// The legacy settings file "vantreo.ini" that older versions kept in the Windows folder. It is
// looked for under its full path and opened by its bare name, which the profile functions
// resolve in the Windows folder.
#pragma once

#include <string>

inline constexpr const char* kLegacyFileName = "vantreo.ini";

// The file's full path in the Windows folder.
std::string LegacyFilePath();
bool LegacyFileExists();

// The value's text; empty when the file or the value is missing or the value is empty.
std::string ReadLegacyValue(const std::string& section, const std::string& name);
// The value's text, or the default when ReadLegacyValue gives an empty text.
std::string ReadLegacySetting(const std::string& section, const std::string& name, const std::string& defaultText);
