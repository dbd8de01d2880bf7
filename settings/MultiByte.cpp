#include "settings/MultiByte.h"

namespace {

CodePageRules& SystemRules()
{
    static CodePageRules rules;
    return rules;
}

// The framework's right trim: every trailing byte of value 32 or below goes.
std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
    return text;
}

} // namespace

CodePageRules CodePageRules::FromLeadRanges(std::initializer_list<std::pair<unsigned char, unsigned char>> ranges)
{
    CodePageRules rules;
    for (const auto& [first, last] : ranges)
        for (unsigned byte = first; byte <= last; ++byte) rules.LeadBytes.set(byte);
    rules.DoubleByte = rules.LeadBytes.any();
    return rules;
}

const CodePageRules& SystemCodePageRules() { return SystemRules(); }
void SetSystemCodePageRules(const CodePageRules& rules) { SystemRules() = rules; }

bool IsLeadByteAt(std::string_view text, int position, const CodePageRules& rules)
{
    if (!rules.DoubleByte || position < 1 || static_cast<std::size_t>(position) > text.size()) return false;
    if (!rules.IsLead(static_cast<unsigned char>(text[position - 1]))) return false;
    if (position == 1) return true;
    bool insideCharacter = false;
    for (int i = 0; i < position - 1; ++i) {
        if (insideCharacter) insideCharacter = false;
        else if (rules.IsLead(static_cast<unsigned char>(text[i]))) insideCharacter = true;
    }
    return !insideCharacter;
}

bool IsTrailByteAt(std::string_view text, int position, const CodePageRules& rules)
{
    if (!rules.DoubleByte || position <= 1 || static_cast<std::size_t>(position) > text.size()) return false;
    return IsLeadByteAt(text, position - 1, rules);
}

std::string TrimRightMB(std::string_view text, const CodePageRules& rules)
{
    std::string trimmed(TrimRight(text));
    if (rules.DoubleByte && !trimmed.empty() &&
        IsLeadByteAt(text, static_cast<int>(trimmed.size()), rules))
        trimmed += ' ';  // a lead byte must not pair with whatever is appended next
    return trimmed;
}

std::string AddTrailingBackslash(std::string_view path, const CodePageRules& rules)
{
    if (!rules.DoubleByte) {
        std::string result(TrimRight(path));
        if (!result.empty() && result.back() != '\\') result += '\\';
        return result;
    }
    std::string result = TrimRightMB(path, rules);
    if (result.empty()) return result;
    if (result.back() != '\\' || IsTrailByteAt(result, static_cast<int>(result.size()), rules)) result += '\\';
    return result;
}
