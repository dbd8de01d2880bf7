#include "settings/StringHelpers.h"

#include "platform/framework/Exception.h"

namespace {

std::string ReplaceMarker(std::string_view text, std::string_view marker, const char* errorPattern)
{
    try {
        std::string result;
        result.reserve(text.size());
        std::string_view rest = text;
        for (auto at = rest.find(marker); at != std::string_view::npos && !rest.empty();
             at = rest.find(marker)) {
            result.append(rest.substr(0, at)).append("\r\n");
            rest.remove_prefix(at + marker.size());
        }
        result.append(rest);
        return result;
    } catch (const std::exception& error) {
        throw fw::Exception(fw::FormatMessage1(errorPattern, error.what()));
    }
}

} // namespace

std::string ReplaceNewLine(std::string_view text)
{
    return ReplaceMarker(text, "<\\n>", "SW problem in ReplaceNewLine: %s");
}

std::string ReplaceNewLine2(std::string_view text)
{
    return ReplaceMarker(text, "</n>", "SW problem in ReplaceNewLine2: %s");
}

bool IsBlank(std::string_view text)
{
    for (const char c : text)
        if (c != '\t' && c != '\n' && c != '\r' && c != ' ') return false;
    return true;
}
