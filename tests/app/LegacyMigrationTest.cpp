#include "app/LegacyMigration.h"

#include "app/ConnectionSettings.h"
#include "app/PasswordScrambling.h"
#include "platform/framework/IniFile.h"
#include "settings/LegacySettingsFile.h"
#include "settings/RegistrySettings.h"
#include "support/LegacyFile.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;
using Stored = std::map<std::string, std::string>;

const std::string kWebKey = SectionKeyPath("WEB");
const std::string kDebugKey = SectionKeyPath("WEB_CLNT_DEBUG");

class LegacyMigration : public testing::Test {
protected:
    ProductKeySandbox sandbox;
    LegacyFile file;

    static Stored Web() { return Values(HKEY_CURRENT_USER, kWebKey); }
    static Stored Debug() { return Values(HKEY_CURRENT_USER, kDebugKey); }
};

TEST_F(LegacyMigration, NoLegacyFileTouchesNothing)
{
    MigrateLegacySettings();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
    EXPECT_FALSE(file.Exists());
}

TEST_F(LegacyMigration, FileWithoutItsSectionsStaysAsItIs)
{
    const std::string content = "[Other]\r\nProxy=x\r\n[WEB]\r\n";
    file.Write(content);
    MigrateLegacySettings();
    EXPECT_EQ(file.Read(), content);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKeyPath));
}

TEST_F(LegacyMigration, MovesEveryKnownValueWithItsNewNames)
{
    file.Write("[WEB]\r\nAcceptCompressedResponse=N\r\nLoginSSLMode=Y\r\nSSLPort=8443\r\nUseIEProxy=N\r\n"
               "UseQTProxy=Yes\r\nProxyPort=3128\r\nProxy=squid\r\nOpenDialog=N\r\nAuthUser=joe\r\n"
               "AuthPswrd=pw12\r\nCONNECTION_TIMEOUT=30\r\nKeepMe=1\r\n"
               "[WEB_CLNT_DEBUG]\r\nDEBUG=whatever\r\nPATH=D:\\old\\\r\n");
    MigrateLegacySettings();
    const Stored expected = {
        {"AcceptCompressedResponse", "N"}, {"LoginSSLMode", "Y"}, {"SSLPort", "8443"}, {"CONNECTION_TIMEOUT", "30"},
        {"ProxyAuthUser", "joe"}, {"IISAuthUser", "joe"}, {"ProxyAuthPswrd", ScramblePassword("pw12")},
        {"IISAuthPswrd", ScramblePassword("pw12")}, {"UseIEProxy", "N"}, {"UseQTProxy", "Y"}, {"ProxyPort", "3128"},
        {"Proxy", "squid"}, {"OpenIISDialog", "N"}, {"OpenProxyDialog", "N"}};
    EXPECT_EQ(Web(), expected);
    EXPECT_EQ(Debug(), (Stored{{"DEBUG", "ALL"}, {"MASK", "ALL"}, {"STYLE", "HTML"}}));  // PATH is not migrated
    EXPECT_EQ(file.Read(), "[WEB]\r\nKeepMe=1\r\n");

    // A second start changes nothing, also after the user saved other values.
    WriteSetting("WEB", "Proxy", "saved later");
    const std::string before = file.Read();
    MigrateLegacySettings();
    EXPECT_EQ(Web().at("Proxy"), "saved later");
    EXPECT_EQ(file.Read(), before);
}

TEST_F(LegacyMigration, ValueRules)
{
    struct Case {
        const char* name;
        std::string web;  // lines of the legacy [WEB] section
        Stored written;
    };
    const Case cases[] = {
        {"Yes in any case", "UseQTProxy=yES", {{"UseQTProxy", "Y"}}},
        {"Y is not Yes", "UseQTProxy=Y", {}},
        {"empty UseQTProxy reads as No", "UseQTProxy=", {}},
        {"present but empty takes the default", "AcceptCompressedResponse=", {{"AcceptCompressedResponse", "Y"}}},
        {"texts are copied unchanged", "AcceptCompressedResponse=yes\r\nLoginSSLMode=no",
         {{"AcceptCompressedResponse", "yes"}, {"LoginSSLMode", "no"}}},
        {"empty defaults", "SSLPort=\r\nProxyPort=\r\nProxy=\r\nOpenDialog=\r\nCONNECTION_TIMEOUT=\r\nUseIEProxy=",
         {{"SSLPort", "443"}, {"ProxyPort", "7777"}, {"Proxy", "localhost"}, {"OpenIISDialog", "Y"},
          {"OpenProxyDialog", "Y"}, {"CONNECTION_TIMEOUT", "120"}, {"UseIEProxy", "N"}}},
        {"empty password stays empty", "AuthPswrd=\r\nAuthUser=",
         {{"ProxyAuthPswrd", ""}, {"IISAuthPswrd", ""}, {"ProxyAuthUser", ""}, {"IISAuthUser", ""}}},
        {"names in any case", "proxy=host", {{"Proxy", "host"}}},
        {"duplicates: the first counts, all go", "Proxy=first\r\nProxy=second", {{"Proxy", "first"}}},
        {"long value", "Proxy=" + std::string(5000, 'p'), {{"Proxy", std::string(5000, 'p')}}},
        {"no trailing newline", "SSLPort=1", {{"SSLPort", "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProductKeySandbox::Clear();
        file.Write("[WEB]\r\n" + c.web);
        MigrateLegacySettings();
        EXPECT_EQ(Web(), c.written);
        fw::TIniFile ini(kLegacyFileName);
        EXPECT_FALSE(ini.SectionExists("WEB")) << file.Read();
    }
}

TEST_F(LegacyMigration, LoaderReadsACopiedYesAsFalse)
{
    file.Write("[WEB]\r\nAcceptCompressedResponse=yes\r\n");
    MigrateLegacySettings();
    TRegistrySettingsStore store;
    ConnectionSettings settings;
    LoadSettings(store, settings);
    EXPECT_FALSE(settings.AcceptCompressedResponse);
}

TEST_F(LegacyMigration, DebugSectionRules)
{
    file.Write("[WEB_CLNT_DEBUG]\r\nPATH=D:\\old\\\r\n[Other]\r\nA=1\r\n");
    MigrateLegacySettings();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDebugKey));
    EXPECT_EQ(file.Read(), "[Other]\r\nA=1\r\n");

    file.Write("[WEB_CLNT_DEBUG]\r\ndebug=\r\n");
    MigrateLegacySettings();
    EXPECT_EQ(Debug(), (Stored{{"DEBUG", "ALL"}, {"MASK", "ALL"}, {"STYLE", "HTML"}}));
    EXPECT_EQ(file.Read(), "");
}

TEST_F(LegacyMigration, FailedRegistryWriteKeepsTheValueInTheFile)
{
    file.Write("[WEB]\r\nProxy=squid\r\nAuthUser=joe\r\n[WEB_CLNT_DEBUG]\r\nDEBUG=1\r\n");
    {
        DenyAccess denyWeb(HKEY_CURRENT_USER, kWebKey);
        DenyAccess denyDebug(HKEY_CURRENT_USER, kDebugKey);
        MigrateLegacySettings();
        EXPECT_TRUE(Web().empty());
        fw::TIniFile ini(kLegacyFileName);
        EXPECT_EQ(ini.ReadString("WEB", "Proxy", ""), "squid");
        EXPECT_EQ(ini.ReadString("WEB", "AuthUser", ""), "joe");
        EXPECT_TRUE(ini.ValueExists("WEB_CLNT_DEBUG", "DEBUG"));
    }
    // Once the registry can be written, the values arrive.
    MigrateLegacySettings();
    EXPECT_EQ(Web(), (Stored{{"Proxy", "squid"}, {"ProxyAuthUser", "joe"}, {"IISAuthUser", "joe"}}));
    EXPECT_EQ(Debug().at("MASK"), "ALL");
    fw::TIniFile ini(kLegacyFileName);
    EXPECT_FALSE(ini.SectionExists("WEB"));
    EXPECT_FALSE(ini.SectionExists("WEB_CLNT_DEBUG"));
}

TEST_F(LegacyMigration, FileThatCannotBeChangedNeverOverwritesSavedValues)
{
    const std::string content =
        "[WEB]\r\nProxy=legacy host\r\nSSLPort=1\r\nAuthUser=joe\r\n[WEB_CLNT_DEBUG]\r\nDEBUG=1\r\n";
    file.Write(content);
    WriteSetting("WEB", "Proxy", "saved host");
    WriteSetting("WEB", "IISAuthUser", "");
    WriteSetting("WEB_CLNT_DEBUG", "MASK", "None");
    {
        auto lock = file.HoldReadOnly();
        MigrateLegacySettings();
        // what the user's branch lacked arrives; what it held stays
        EXPECT_EQ(Web(), (Stored{{"Proxy", "saved host"}, {"SSLPort", "1"}, {"ProxyAuthUser", "joe"}, {"IISAuthUser", ""}}));
        EXPECT_EQ(Debug(), (Stored{{"DEBUG", "ALL"}, {"MASK", "None"}, {"STYLE", "HTML"}}));

        WriteSetting("WEB", "SSLPort", "2");
        MigrateLegacySettings();  // a second start changes nothing
        EXPECT_EQ(Web().at("SSLPort"), "2");
        EXPECT_EQ(Debug().at("MASK"), "None");
    }
    EXPECT_EQ(file.Read(), content);
}

TEST_F(LegacyMigration, PasswordThatCannotBeStoredStaysInTheFile)
{
    file.Write("[WEB]\r\nAuthPswrd=\xBEx\r\nAuthUser=joe\r\n");
    MigrateLegacySettings();
    EXPECT_EQ(Web(), (Stored{{"ProxyAuthUser", "joe"}, {"IISAuthUser", "joe"}}));
    EXPECT_EQ(fw::TIniFile(kLegacyFileName).ReadString("WEB", "AuthPswrd", ""), "\xBEx");
}

TEST_F(LegacyMigration, GarbageBytesDoNoHarm)
{
    file.Write(std::string("\x01\xFF\0garbage\r\n[WEB]\r\n\x80=\x81\r\nProxy=host\r\n[WEB_CLNT_DEBUG", 51));
    MigrateLegacySettings();
    EXPECT_EQ(Web(), (Stored{{"Proxy", "host"}}));
    EXPECT_NE(file.Read().find("\x80=\x81"), std::string::npos);
}

} // namespace
