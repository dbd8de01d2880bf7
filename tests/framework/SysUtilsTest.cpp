#include "platform/framework/SysUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(SysUtils, TryStrToInt)
{
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"0", 0},
        {"120", 120},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"+-5", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"0x10", std::nullopt},
        {"$10", std::nullopt},
        {"x", std::nullopt},  // the DWORD 120 read as text
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(fw::TryStrToInt(text), expected);
    }
}

TEST(SysUtils, SameTextIgnoresAsciiCaseOnly)
{
    EXPECT_TRUE(fw::SameText("Y", "y"));
    EXPECT_TRUE(fw::SameText("None", "NONE"));
    EXPECT_TRUE(fw::SameText("", ""));
    EXPECT_FALSE(fw::SameText("Y", "Y "));
    EXPECT_FALSE(fw::SameText("Yes", "Y"));
    EXPECT_FALSE(fw::SameText("\xC4", "\xE4"));  // not an ASCII letter
}

} // namespace
