#include "settings/SystemLocale.h"

#include <windows.h>

CodePageRules CodePageRulesFor(unsigned codePage)
{
    CodePageRules rules;
    CPINFO info{};
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize < 2) return rules;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
        for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) rules.LeadBytes.set(byte);
    rules.DoubleByte = true;
    return rules;
}

void CaptureSystemCodePage()
{
    CodePageRules rules = CodePageRulesFor(CP_ACP);
    // The Far East flag as the system reports it decides; the lead bytes come from the code page.
    rules.DoubleByte = GetSystemMetrics(SM_DBCSENABLED) != 0 && rules.LeadBytes.any();
    SetSystemCodePageRules(rules);
}
