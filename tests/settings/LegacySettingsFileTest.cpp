#include "settings/LegacySettingsFile.h"

#include "platform/framework/Exception.h"
#include "platform/framework/IniFile.h"
#include "support/LegacyFile.h"

#include <gtest/gtest.h>

namespace {

using testing_support::LegacyFile;

class LegacySettingsFile : public testing::Test {
protected:
    LegacyFile file;
};

TEST_F(LegacySettingsFile, MissingFileReadsAsDefaults)
{
    EXPECT_FALSE(LegacyFileExists());
    EXPECT_EQ(ReadLegacyValue("WEB", "Proxy"), "");
    EXPECT_EQ(ReadLegacySetting("WEB", "Proxy", "localhost"), "localhost");
    EXPECT_FALSE(file.Exists());  // reading does not create it
}

TEST_F(LegacySettingsFile, ReadsValuesAsTheProfileFunctionsGiveThem)
{
    const std::string huge(5000, 'h');
    file.Write("[WEB]\r\nProxy=  \"quoted host\"  \r\nEmpty=\r\nHuge=" + huge + "\r\nplain=one\r\n[Other]\r\nProxy=x");
    ASSERT_TRUE(LegacyFileExists());
    EXPECT_EQ(LegacyFilePath(), file.Path());
    const std::pair<const char*, std::string> cases[] = {
        {"Proxy", "quoted host"},
        {"Empty", "dflt"},
        {"Missing", "dflt"},
        {"Huge", huge},  // longer than one profile buffer
        {"PLAIN", "one"},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadLegacySetting("WEB", name, "dflt"), expected);
    }
    EXPECT_EQ(ReadLegacyValue("WEB", "Empty"), "");
}

TEST_F(LegacySettingsFile, IniFileListsDeletesAndErases)
{
    file.Write("[WEB]\r\nB=1\r\na=\r\n[EMPTY]\r\n[DBG]\r\nPATH=c:\\\r\n");
    fw::TIniFile ini(kLegacyFileName);
    EXPECT_EQ(ini.ReadSection("WEB"), (std::vector<std::string>{"B", "a"}));
    EXPECT_TRUE(ini.SectionExists("web"));
    EXPECT_FALSE(ini.SectionExists("EMPTY"));  // a section exists when it holds a value
    EXPECT_FALSE(ini.SectionExists("NONE"));
    EXPECT_TRUE(ini.ValueExists("WEB", "A"));  // present with an empty text, any case
    EXPECT_FALSE(ini.ValueExists("WEB", "C"));

    EXPECT_TRUE(ini.DeleteKey("WEB", "B"));
    ini.EraseSection("DBG");
    EXPECT_EQ(ini.ReadSection("WEB"), (std::vector<std::string>{"a"}));
    EXPECT_FALSE(ini.SectionExists("DBG"));
    const std::string content = file.Read();
    EXPECT_EQ(content.find("B=1"), std::string::npos) << content;
    EXPECT_EQ(content.find("PATH"), std::string::npos) << content;
}

TEST_F(LegacySettingsFile, FileThatCannotBeChangedStillReads)
{
    const std::string original = "[WEB]\r\nProxy=host\r\n[DBG]\r\nDEBUG=1\r\n";
    file.Write(original);
    {
        auto lock = file.HoldReadOnly();
        fw::TIniFile ini(kLegacyFileName);
        EXPECT_EQ(ReadLegacySetting("WEB", "Proxy", ""), "host");
        EXPECT_FALSE(ini.DeleteKey("WEB", "Proxy"));
        try {
            ini.EraseSection("DBG");
            ADD_FAILURE() << "erasing a section of a locked file succeeded";
        } catch (const fw::EIniFileException& error) {
            EXPECT_STREQ(error.what(), "Unable to write to vantreo.ini");
        }
        EXPECT_TRUE(ini.ValueExists("WEB", "Proxy"));
    }
    EXPECT_EQ(file.Read(), original);
}

TEST_F(LegacySettingsFile, OddFilesReadWithoutHarm)
{
    const std::pair<const char*, std::string> files[] = {
        {"no trailing newline", "[WEB]\r\nProxy=host"},
        {"bare line feeds", "[WEB]\nProxy=host\n"},
        {"garbage around", std::string("\x01\xFF\x00garbage\r\n[WEB]\r\n\x80\x81=\x82\r\nProxy=host\r\n", 37)},
        {"duplicate keys", "[WEB]\r\nProxy=host\r\nProxy=second\r\n"},
        {"huge line", "[WEB]\r\n" + std::string(100000, 'z') + "\r\nProxy=host\r\n"},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        file.Write(bytes);
        EXPECT_EQ(ReadLegacySetting("WEB", "Proxy", ""), "host");
    }
}

} // namespace
