// Folder-path helpers that must not split a double-byte (Far East) character: the second byte
// of such a character may equal "\" (0x5C). Each helper takes the code page's rules
// explicitly; the overloads without them use the system's, captured once at start-up.
// Platform-neutral: the rules are data, filled from the system on Windows.
#pragma once

#include <bitset>
#include <string>
#include <string_view>

struct CodePageRules {
    bool DoubleByte = false;      // the code page has double-byte characters
    std::bitset<256> LeadBytes;   // bytes that start a double-byte character

    static CodePageRules SingleByte() { return {}; }
    // Rules from the code page's lead-byte ranges, given as pairs of first and last byte.
    static CodePageRules FromLeadRanges(std::initializer_list<std::pair<unsigned char, unsigned char>> ranges);
    bool IsLead(unsigned char byte) const { return DoubleByte && LeadBytes.test(byte); }
};

// The system's rules. Single-byte until the start-up hook of the locale helpers sets them.
const CodePageRules& SystemCodePageRules();
void SetSystemCodePageRules(const CodePageRules& rules);

// Positions count from 1, as in the rest of the settings code.
bool IsLeadByteAt(std::string_view text, int position, const CodePageRules& rules);
bool IsTrailByteAt(std::string_view text, int position, const CodePageRules& rules);
std::string TrimRightMB(std::string_view text, const CodePageRules& rules);
std::string AddTrailingBackslash(std::string_view path, const CodePageRules& rules);

inline bool IsLeadByteAt(std::string_view text, int position) { return IsLeadByteAt(text, position, SystemCodePageRules()); }
inline bool IsTrailByteAt(std::string_view text, int position) { return IsTrailByteAt(text, position, SystemCodePageRules()); }
inline std::string TrimRightMB(std::string_view text) { return TrimRightMB(text, SystemCodePageRules()); }
inline std::string AddTrailingBackslash(std::string_view path) { return AddTrailingBackslash(path, SystemCodePageRules()); }
