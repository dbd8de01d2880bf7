#include "app/PasswordScrambling.h"

namespace {

constexpr std::string_view kKey = "BrixTulpenGorvaDemiq";

// Shifts bytes 1 to L-1 (counted from 1) by the key byte of their place in a 20-step cycle;
// every 20th byte and the last byte pass unchanged, so the key's 20th letter is never used.
std::string Shift(std::string_view text, int direction)
{
    std::string result(text);
    for (std::size_t p = 1; p < result.size(); ++p) {
        const std::size_t j = p % kKey.size();
        if (j == 0) continue;
        const auto key = static_cast<unsigned char>(kKey[j - 1]);
        const auto byte = static_cast<unsigned char>(result[p - 1]);
        result[p - 1] = static_cast<char>(static_cast<unsigned char>(byte + direction * key));
    }
    return result;
}

} // namespace

std::string ScramblePassword(std::string_view plain) { return Shift(plain, +1); }
std::string UnscramblePassword(std::string_view scrambled) { return Shift(scrambled, -1); }
