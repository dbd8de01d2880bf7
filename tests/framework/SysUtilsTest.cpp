#include "platform/framework/SysUtils.h"

#include "platform/framework/Exception.h"

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

namespace {

TEST(SysUtils, Format)
{
    using fw::Format;
    EXPECT_EQ(Format("%s: Global ZL Context initialization", {std::string("Prog")}), "Prog: Global ZL Context initialization");
    EXPECT_EQ(Format("%d items, %x %X %u", {std::int64_t{-3}, std::int64_t{255}, std::int64_t{255}, std::int64_t{7}}),
              "-3 items, ff FF 7");
    EXPECT_EQ(Format("[%5s|%-5s|%.2s|%05d]", {std::string("ab"), std::string("ab"), std::string("abc"), std::int64_t{42}}),
              "[   ab|ab   |ab|00042]");
    EXPECT_EQ(Format("%.2f%%", {1.5}), "1.50%");
    EXPECT_EQ(Format("no placeholders", {}), "no placeholders");
    for (const char* bad : {"%s", "%d", "%q", "%", "%123456d"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Format(bad, {bad[1] == 'd' ? fw::TVarRec(std::string("x")) : fw::TVarRec(1.0)}), fw::Exception);
    }
    EXPECT_THROW(Format("%s %s", {std::string("one")}), fw::Exception);
}

} // namespace
