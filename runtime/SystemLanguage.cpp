// The start-up hook's source of the language: the system's default locale.
#include "runtime/SharedGlobals.h"

#include <windows.h>

void InitSharedGlobals() { InitSharedGlobals(GetSystemDefaultLangID()); }
