#include "app/PasswordScrambling.h"

#include <gtest/gtest.h>

namespace {

// Stored forms worked out by hand from the key; other programs read these same bytes.
TEST(PasswordScrambling, KnownVectors)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a", "a"},
        {"ab", "\xA3" "b"},
        {"secret", "\xB5\xD7\xCC\xEA\xB9t"},
        // 21: bytes 1 to 19 shifted by the key's first 19 letters, bytes 20 and 21 kept
        {"ABCDEFGHIJKLMNOPQRSTU",
         "\x83\xB4\xAC\xBC\x99\xBB\xB3\xB8\xAE\xB8\x92\xBB\xBF\xC4\xB0\x94\xB6\xBF\xBC" "TU"},
        // 25: the key cycle starts again at byte 21; byte 20 and the last byte are kept
        {"ABCDEFGHIJKLMNOPQRSTUVWXY",
         "\x83\xB4\xAC\xBC\x99\xBB\xB3\xB8\xAE\xB8\x92\xBB\xBF\xC4\xB0\x94\xB6\xBF\xBC" "T" "\x97\xC8\xC0\xD0" "Y"},
        // sums above 255 wrap around
        {"\xFF\xFE\x01z", "Apjz"},
        {std::string("\0\x01\x02", 3), "Bs\x02"},
    };
    for (const auto& [plain, stored] : cases) {
        SCOPED_TRACE(testing::PrintToString(plain));
        EXPECT_EQ(ScramblePassword(plain), stored);
        EXPECT_EQ(UnscramblePassword(stored), plain);
    }
}

TEST(PasswordScrambling, DifferencesBelowZeroWrapAround)
{
    EXPECT_EQ(UnscramblePassword("\x05\x05"), "\xC3\x05");
}

TEST(PasswordScrambling, EveryByteAtEveryPositionRoundTrips)
{
    const std::string base(41, 'm');
    for (std::size_t position = 0; position < base.size(); ++position) {
        for (int byte = 0; byte < 256; ++byte) {
            std::string text = base;
            text[position] = static_cast<char>(byte);
            const std::string scrambled = ScramblePassword(text);
            ASSERT_EQ(scrambled.size(), text.size());
            ASSERT_EQ(UnscramblePassword(scrambled), text) << "position " << position + 1 << " byte " << byte;
            ASSERT_EQ(ScramblePassword(UnscramblePassword(text)), text) << "position " << position + 1 << " byte " << byte;
            // positions 20, 40 and the last one pass unchanged
            if (position == 19 || position == 39 || position == 40)
                ASSERT_EQ(scrambled[position], text[position]) << "position " << position + 1;
            else
                ASSERT_NE(scrambled[position], text[position]) << "position " << position + 1;
        }
    }
}

} // namespace
