#include "settings/StringHelpers.h"

#include <gtest/gtest.h>

namespace {

struct MarkerCase {
    const char* input;
    const char* marker1;  // ReplaceNewLine
    const char* marker2;  // ReplaceNewLine2
};

TEST(StringHelpers, NewLineMarkers)
{
    const MarkerCase cases[] = {
        {"", "", ""},
        {"no markers", "no markers", "no markers"},
        {"<\\n>", "\r\n", "<\\n>"},
        {"</n>", "</n>", "\r\n"},
        {"<\\n><\\n>", "\r\n\r\n", "<\\n><\\n>"},
        {"a<\\n>b</n>c", "a\r\nb</n>c", "a<\\n>b\r\nc"},
        {"<\\N>", "<\\N>", "<\\N>"},  // case-sensitive
        {"<\\n", "<\\n", "<\\n"},     // an unfinished marker stays
        {"x<\\n>", "x\r\n", "x<\\n>"},
        {"<<\\n>>", "<\r\n>", "<<\\n>>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(ReplaceNewLine(c.input), c.marker1);
        EXPECT_EQ(ReplaceNewLine2(c.input), c.marker2);
    }
}

TEST(StringHelpers, NewLineMarkersKeepEmbeddedZeroBytes)
{
    const std::string text("a\0<\\n>b", 7);
    EXPECT_EQ(ReplaceNewLine(text), std::string("a\0\r\nb", 5));
}

TEST(StringHelpers, IsBlank)
{
    const std::pair<std::string, bool> cases[] = {
        {"", true},         {"\t ", true},     {"\r\n\t ", true}, {"a", false},
        {"  a  ", false},   {"\v", false},     {"\f", false},     {std::string(1, '\0'), false},
        {"\xA0", false},
    };
    for (const auto& [text, blank] : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_EQ(IsBlank(text), blank);
    }
}

} // namespace
