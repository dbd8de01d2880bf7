// The system's code page as the folder helpers see it: whether it is double-byte and which
// bytes start a double-byte character.
#pragma once

#include "settings/MultiByte.h"

// The rules of a Windows code page, from the system's own tables.
CodePageRules CodePageRulesFor(unsigned codePage);

// Start-up hook of the string and locale helpers: captures the system's rules once.
void CaptureSystemCodePage();
