#include "settings/RegDataText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(RegDataToText, TakesTheBytesUpToTheFirstZero)
{
    using Bytes = std::vector<unsigned char>;
    const std::pair<Bytes, std::string> cases[] = {
        {{'a', 'b', 0}, "ab"},                        // REG_SZ
        {{'a', 0, 'b', 0, 0}, "a"},                   // REG_MULTI_SZ: the first string
        {{0x78, 0, 0, 0}, "x"},                       // REG_DWORD 120
        {{0, 0, 0, 0}, ""},                           // REG_DWORD 0
        {{'a', 'b'}, "ab"},                           // no terminator: ends with the data
        {{0xFF, 0x80, 0x01}, "\xFF\x80\x01"},         // raw bytes
        {{}, ""},
    };
    for (const auto& [data, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(data));
        EXPECT_EQ(RegDataToText(data.data(), data.size()), text);
    }
}

TEST(RegDataToText, MissingBufferGivesEmptyText)
{
    EXPECT_EQ(RegDataToText(nullptr, 10), "");
}

TEST(RegDataToText, ReadsNoByteBeyondTheData)
{
    // Only the first two bytes belong to the value; the rest must not be looked at.
    const unsigned char data[] = {'o', 'k', 'X', 'Y', 0};
    EXPECT_EQ(RegDataToText(data, 2), "ok");
}

} // namespace
