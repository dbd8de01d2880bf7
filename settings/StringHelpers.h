// Text helpers of the shared library: the two newline markers that UI texts use in place of
// line breaks, and the blank test used on registry values. Platform-neutral, byte-exact.
#pragma once

#include <string>
#include <string_view>

// Every "<\n>" becomes a line break (CR LF).
std::string ReplaceNewLine(std::string_view text);
// Every "</n>" becomes a line break (CR LF).
std::string ReplaceNewLine2(std::string_view text);
// True for the empty text and for texts of tabs, line feeds, carriage returns and spaces only.
bool IsBlank(std::string_view text);
