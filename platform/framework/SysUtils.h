// Small text utilities of the framework that the settings code leans on. Platform-neutral.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// A decimal 32-bit integer: optional sign, then digits only; anything else (blanks, hex,
// overflow) is no number.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// Equal without regard to ASCII letter case (the stored flags and modes are ASCII).
bool SameText(std::string_view a, std::string_view b);

} // namespace fw
