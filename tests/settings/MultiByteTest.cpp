#include "settings/MultiByte.h"

#include <gtest/gtest.h>

namespace {

// Code page 932 (Japanese): lead bytes 0x81-0x9F and 0xE0-0xFC. 0x95 0x5C is one character
// whose second byte is the code of "\".
const CodePageRules& Japanese()
{
    static const CodePageRules rules = CodePageRules::FromLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}});
    return rules;
}

struct PathCase {
    std::string path;
    std::string singleByte;  // AddTrailingBackslash on a single-byte system
    std::string japanese;    // the same on code page 932
};

TEST(MultiByte, AddTrailingBackslash)
{
    const PathCase cases[] = {
        {"C:\\tmp", "C:\\tmp\\", "C:\\tmp\\"},
        {"C:\\tmp\\", "C:\\tmp\\", "C:\\tmp\\"},
        {"C:\\tmp  \t", "C:\\tmp\\", "C:\\tmp\\"},
        {"   ", "", ""},
        {"", "", ""},
        {"C:\\tmp\\\\", "C:\\tmp\\\\", "C:\\tmp\\\\"},
        // a character whose second byte is "\": a real separator is appended on 932
        {"C:\\\x95\x5C", "C:\\\x95\x5C", "C:\\\x95\x5C\\"},
        // a real backslash after a complete double-byte character: nothing appended
        {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\", "C:\\\x95\x5C\\"},
        // 0x95 0x95 is one character, so the 0x5C after it is a real backslash
        {"\x95\x95\x5C", "\x95\x95\x5C", "\x95\x95\x5C"},
        // a lead byte left dangling by the trim keeps a blank, so the separator stays a separator
        {"C:\\\x95 ", "C:\\\x95\\", "C:\\\x95 \\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(AddTrailingBackslash(c.path, CodePageRules::SingleByte()), c.singleByte);
        EXPECT_EQ(AddTrailingBackslash(c.path, Japanese()), c.japanese);
    }
}

TEST(MultiByte, LeadAndTrailBytePositions)
{
    const std::string text = "a\x95\x5C\x95\x95" "b";  // a, one character, one character, b
    struct Case {
        int position;
        bool lead;
        bool trail;
    };
    const Case cases[] = {
        {0, false, false}, {1, false, false}, {2, true, false}, {3, false, true},
        {4, true, false},  {5, false, true},  {6, false, false}, {7, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        EXPECT_EQ(IsLeadByteAt(text, c.position, Japanese()), c.lead);
        EXPECT_EQ(IsTrailByteAt(text, c.position, Japanese()), c.trail);
        EXPECT_FALSE(IsLeadByteAt(text, c.position, CodePageRules::SingleByte()));
        EXPECT_FALSE(IsTrailByteAt(text, c.position, CodePageRules::SingleByte()));
    }
    EXPECT_TRUE(IsLeadByteAt("\x95\x95", 1, Japanese()));
    EXPECT_FALSE(IsLeadByteAt("\x95\x95", 2, Japanese()));  // a lead value, but a second byte here
}

TEST(MultiByte, TrimRightMB)
{
    EXPECT_EQ(TrimRightMB("ab \t\r\n", Japanese()), "ab");
    EXPECT_EQ(TrimRightMB("ab\x95\x5C  ", Japanese()), "ab\x95\x5C");
    EXPECT_EQ(TrimRightMB("ab\x95  ", Japanese()), "ab\x95 ");
    EXPECT_EQ(TrimRightMB("ab\x95  ", CodePageRules::SingleByte()), "ab\x95");
    EXPECT_EQ(TrimRightMB("   ", Japanese()), "");
}

TEST(MultiByte, SystemRulesStartSingleByte)
{
    EXPECT_FALSE(SystemCodePageRules().DoubleByte);
    EXPECT_EQ(AddTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C");
}

} // namespace
