#include "settings/SystemFolders.h"

#include "settings/SystemLocale.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace testing_support;

TEST(SystemFolders, WindowsFolderEndsInABackslash)
{
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(GetWindowsFolder(), std::string(folder, length) + "\\");
}

// Plants "CommonFilesDir" for one test and puts the machine's own value back afterwards.
class CommonFilesDir : public testing::Test {
protected:
    static constexpr const char* kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    std::map<std::string, std::string> saved = Values(HKEY_LOCAL_MACHINE, kKey);
    ~CommonFilesDir() override
    {
        const auto original = saved.find("CommonFilesDir");
        if (original == saved.end()) DeleteValue(HKEY_LOCAL_MACHINE, kKey, "CommonFilesDir");
        else SetText(HKEY_LOCAL_MACHINE, kKey, "CommonFilesDir", original->second);
    }
};

TEST_F(CommonFilesDir, MakersFolderBelowTheCommonFilesFolder)
{
    const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
        {"C:\\Program Files\\Common Files", "C:\\Program Files\\Common Files\\Vantreo Interactive\\"},
        {"C:\\Program Files\\Common Files\\", "C:\\Program Files\\Common Files\\Vantreo Interactive\\"},
        {"D:\\Common  ", "D:\\Common\\Vantreo Interactive\\"},
        {" \t\r\n", std::nullopt},
        {"", std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(stored));
        if (stored) SetText(HKEY_LOCAL_MACHINE, kKey, "CommonFilesDir", *stored);
        else DeleteValue(HKEY_LOCAL_MACHINE, kKey, "CommonFilesDir");
        EXPECT_EQ(GetCommonFilesFolder(), expected);
    }
}

TEST(SystemLocale, CodePageRulesComeFromTheSystemTables)
{
    const CodePageRules japanese = CodePageRulesFor(932);
    EXPECT_TRUE(japanese.DoubleByte);
    EXPECT_EQ(japanese.LeadBytes, CodePageRules::FromLeadRanges({{0x81, 0x9F}, {0xE0, 0xFC}}).LeadBytes);
    EXPECT_FALSE(CodePageRulesFor(1252).DoubleByte);
    EXPECT_TRUE(CodePageRulesFor(936).IsLead(0x81));  // simplified Chinese
}

// Runs in a process of its own with LC_ALL=ja_JP.SJIS (see tests/CMakeLists.txt), and in the
// ordinary run with the system's own code page.
TEST(SystemLocale, CaptureFollowsTheSystemCodePage)
{
    CaptureSystemCodePage();
    const bool japanese = GetACP() == 932;
    std::printf("acp=%u\n", GetACP());  // the Japanese run checks that it really ran on 932
    EXPECT_EQ(SystemCodePageRules().DoubleByte, japanese);
    EXPECT_EQ(AddTrailingBackslash("C:\\\x95\x5C"), japanese ? "C:\\\x95\x5C\\" : "C:\\\x95\x5C");
    SetSystemCodePageRules(CodePageRules::SingleByte());
}

} // namespace
