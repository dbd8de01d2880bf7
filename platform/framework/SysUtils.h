// Small text utilities of the framework that the settings code leans on. Platform-neutral.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace fw {

// A decimal 32-bit integer: optional sign, then digits only; anything else (blanks, hex,
// overflow) is no number.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// Equal without regard to ASCII letter case (the stored flags and modes are ASCII).
bool SameText(std::string_view a, std::string_view b);

// One value for Format: an integer, a text or a floating-point number.
using TVarRec = std::variant<std::int64_t, std::string, double>;

// The framework's formatted text: "%[-][0][width][.precision]type" with the types d, u, x, X
// (integers), s (texts), f, e, g (numbers) and "%%". Raises Exception ("Format '...' invalid or
// incompatible with argument") for a bad placeholder, a value of the wrong kind or too few values.
std::string Format(std::string_view format, const std::vector<TVarRec>& values);

} // namespace fw
