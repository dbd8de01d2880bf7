#include "runtime/SharedGlobals.h"

#include "platform/framework/Exception.h"
#include "runtime/ReplaceTitleObject.h"

#include <gtest/gtest.h>

namespace {

std::uint16_t Lang(std::uint16_t primary, std::uint16_t sub) { return static_cast<std::uint16_t>(sub << 10 | primary); }

TEST(SharedGlobals, CharsetAndFlagsByLanguage)
{
    struct Row {
        const char* name;
        std::uint16_t primary, sub;
        std::uint8_t charset;
    };
    const Row rows[] = {
        {"Arabic", 1, 1, 178},     {"Chinese traditional", 4, 1, 136}, {"Chinese simplified", 4, 2, 134},
        {"Chinese Hong Kong", 4, 3, 1}, {"Czech", 5, 1, 238},       {"Hungarian", 14, 1, 238},
        {"Polish", 21, 1, 238},    {"Croatian", 26, 1, 238},           {"Serbian", 26, 3, 238},
        {"Slovak", 27, 1, 238},    {"Greek", 8, 1, 161},               {"Hebrew", 13, 1, 177},
        {"Japanese", 17, 1, 128},  {"Korean", 18, 1, 129},             {"Russian", 25, 1, 204},
        {"Thai", 30, 1, 222},      {"Turkish", 31, 1, 162},            {"Estonian", 37, 1, 186},
        {"Latvian", 38, 1, 186},   {"Lithuanian", 39, 1, 186},         {"Vietnamese", 42, 1, 163},
        {"English", 9, 1, 1},      {"German", 7, 1, 1},                {"neutral", 0, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TUILocale locale = UILocaleFor(Lang(row.primary, row.sub));
        EXPECT_EQ(locale.Charset, row.charset);
        EXPECT_EQ(locale.Japanese, row.charset == 128);
        EXPECT_EQ(locale.Korean, row.charset == 129);
        EXPECT_EQ(locale.SimplifiedChinese, row.charset == 134);
        EXPECT_EQ(locale.TraditionalChinese, row.charset == 136);
        EXPECT_EQ(locale.Hebrew, row.charset == 177);
    }
}

TEST(SharedGlobals, FontFaceOverrideByLanguage)
{
    const std::pair<std::uint16_t, std::string> rows[] = {
        {Lang(4, 1), "\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9"},
        {Lang(4, 2), "\xCB\xCE\xCC\xE5"},
        {Lang(4, 3), "NULL"},
        {Lang(7, 1), "Arial"},
        {Lang(10, 3), "Arial"},
        {Lang(12, 1), "Arial"},
        {Lang(17, 1), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"},
        {Lang(18, 1), "\xB1\xBC\xB8\xB2"},
        {Lang(30, 1), "Arial Unicode MS"},
        {Lang(9, 1), "NULL"},
        {Lang(25, 1), "NULL"},
    };
    for (const auto& [language, face] : rows) {
        SCOPED_TRACE(language);
        EXPECT_EQ(UILocaleFor(language).FontFaceOverride, face);
        InitSharedGlobals(language);
        EXPECT_EQ(ApplyFontFaceOverride("Tahoma"), face == "NULL" ? "Tahoma" : face);
    }
    DoneSharedGlobals();
    EXPECT_EQ(UICharset(), 1);
    EXPECT_EQ(ApplyFontFaceOverride("Tahoma"), "Tahoma");
}

TEST(SharedGlobals, TextPipeline)
{
    EXPECT_EQ(TranslateText("one<\\n>two</n>three"), "one\r\ntwo\r\nthree");
    CreateReplaceTitleObject();
    EXPECT_EQ(TranslateText("one<\\n>two</n>three"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(TranslateFormat("%s: line<\\n>%d", {std::string("Name"), std::int64_t{2}}), "Name: line\r\n2");
    EXPECT_THROW(TranslateFormat("%d", {std::string("x")}), fw::Exception);
    FreeReplaceTitleObject();
}

TEST(ReplaceTitleObject, EmptyListsLeaveEverythingAlone)
{
    CreateReplaceTitleObject();
    const TQXReplaceTitleObject& replacer = *ReplaceTitleObject();
    EXPECT_TRUE(replacer.FromWords.empty() && replacer.ToWords.empty());
    const std::string bytes("any \x01\xFF text\0with zero", 21);
    EXPECT_EQ(replacer.ReplaceTitles(bytes), bytes);
    fw::TComponent root(nullptr);
    root.SetName("Root");
    replacer.ReplaceTitlesInComponent(&root);
    replacer.ReplaceTitlesInComponent(nullptr);
    EXPECT_EQ(root.Name(), "Root");
    FreeReplaceTitleObject();
    EXPECT_EQ(ReplaceTitleObject(), nullptr);
}

TEST(ReplaceTitleObject, WordListsReplaceEveryOccurrence)
{
    TQXReplaceTitleObject replacer;
    replacer.FromWords = {"Server", "aa"};
    replacer.ToWords = {"Host", "a"};
    EXPECT_EQ(replacer.ReplaceTitles("Server and Server"), "Host and Host");
    EXPECT_EQ(replacer.ReplaceTitles("aaaa"), "aa");  // replacements are not replaced again
    EXPECT_EQ(replacer.ReplaceTitles(""), "");
}

} // namespace
