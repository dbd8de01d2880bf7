// System folders the library needs: the Windows folder (home of the legacy settings file) and
// the maker's folder under the system's common-files folder (home of the spelling dictionaries).
#pragma once

#include <optional>
#include <string>

// The Windows folder, ending in a backslash.
std::string GetWindowsFolder();

// "<common files folder>\Vantreo Interactive\", or no value when the system names none.
std::optional<std::string> GetCommonFilesFolder();
