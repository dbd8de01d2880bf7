#include "platform/framework/SysUtils.h"

#include "platform/framework/Exception.h"

#include <charconv>
#include <cstdio>

namespace fw {

std::string FormatMessage1(const std::string& pattern, const std::string& argument)
{
    const auto at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}

std::optional<std::int32_t> TryStrToInt(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

namespace {
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string Format(std::string_view format, const std::vector<TVarRec>& values)
{
    auto invalid = [&]() {
        return Exception("Format '" + std::string(format) + "' invalid or incompatible with argument");
    };
    std::string result;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            result += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            result += '%';
            ++i;
            continue;
        }
        // The placeholder: flags, width and precision, kept for the C formatter.
        std::string spec = "%";
        std::size_t j = i + 1;
        bool left = false;
        while (j < format.size() && (format[j] == '-' || format[j] == '0')) {
            left = left || format[j] == '-';
            spec += format[j++];
        }
        auto number = [&]() {
            std::size_t n = 0, digits = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9') {
                if (++digits > 4) throw invalid();
                n = n * 10 + static_cast<std::size_t>(format[j] - '0');
                spec += format[j++];
            }
            return n;
        };
        const std::size_t width = number();
        std::optional<std::size_t> precision;
        if (j < format.size() && format[j] == '.') {
            spec += format[j++];
            precision = number();
        }
        if (j >= format.size() || next >= values.size()) throw invalid();
        const char type = format[j];
        const TVarRec& value = values[next++];
        char buffer[512];
        int length = -1;
        switch (type) {
        case 'd': case 'u': case 'x': case 'X': {
            const auto* integer = std::get_if<std::int64_t>(&value);
            if (!integer) throw invalid();
            const std::string c = spec + "ll" + type;
            length = std::snprintf(buffer, sizeof buffer, c.c_str(), *integer);
            break;
        }
        case 'f': case 'e': case 'g': {
            const auto* number = std::get_if<double>(&value);
            if (!number) throw invalid();
            length = std::snprintf(buffer, sizeof buffer, (spec + type).c_str(), *number);
            break;
        }
        case 's': {
            const auto* text = std::get_if<std::string>(&value);
            if (!text) throw invalid();
            std::string piece = precision ? text->substr(0, *precision) : *text;
            if (piece.size() < width) {
                const std::string pad(width - piece.size(), ' ');
                piece = left ? piece + pad : pad + piece;
            }
            result += piece;
            i = j;
            continue;
        }
        default:
            throw invalid();
        }
        if (length < 0) throw invalid();
        result.append(buffer, static_cast<std::size_t>(std::min<int>(length, sizeof buffer - 1)));
        i = j;
    }
    return result;
}

} // namespace fw
