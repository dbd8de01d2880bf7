// Loading and saving the connection settings through the real registry store.
#include "app/ConnectionSettings.h"

#include "app/PasswordScrambling.h"
#include "settings/RegistrySettings.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;
using Stored = std::map<std::string, std::string>;

const std::string kWebKey = SectionKeyPath("WEB");
const std::string kDebugKey = SectionKeyPath("WEB_CLNT_DEBUG");

class ConnectionSettingsStore : public testing::Test {
protected:
    ProductKeySandbox sandbox;
    TRegistrySettingsStore store;

    ConnectionSettings Load(const Stored& web, const Stored& debug = {})
    {
        ProductKeySandbox::Clear();
        for (const auto& [name, text] : web) SetText(HKEY_CURRENT_USER, kWebKey, name, text);
        for (const auto& [name, text] : debug) SetText(HKEY_CURRENT_USER, kDebugKey, name, text);
        ConnectionSettings settings;
        LoadSettings(store, settings);
        return settings;
    }
};

TEST_F(ConnectionSettingsStore, NothingStoredLoadsTheDefaults)
{
    ConnectionSettings expected;
    expected.AcceptCompressedResponse = true;
    expected.SSLPort = "443";
    expected.OpenProxyDialog = expected.OpenIISDialog = true;
    expected.ClientLogPath = "C:\\tmp\\";
    expected.ConnectionTimeout = 120;
    EXPECT_EQ(Load({}), expected);
}

TEST_F(ConnectionSettingsStore, ProxyModeRules)
{
    struct Case {
        const char* name;
        Stored web;
        bool useProxy, useIEProxy, byPathProxy;
        const char* port;
        const char* server;
    };
    const Stored address = {{"ProxyPort", "8080"}, {"Proxy", "proxy.example"}};
    auto with = [&](Stored modes) {
        modes.insert(address.begin(), address.end());
        return modes;
    };
    const Case cases[] = {
        {"explicit", with({{"UseQTProxy", "Y"}}), true, false, false, "8080", "proxy.example"},
        {"explicit lower case", with({{"UseQTProxy", "y"}}), true, false, false, "8080", "proxy.example"},
        {"Yes is no flag", with({{"UseQTProxy", "Yes"}}), false, false, false, "", ""},
        {"Y with a blank is no flag", with({{"UseQTProxy", "Y "}}), false, false, false, "", ""},
        {"explicit wins over IE", with({{"UseQTProxy", "Y"}, {"UseIEProxy", "Y"}}), true, false, false, "8080",
         "proxy.example"},
        {"explicit with empty address", {{"UseQTProxy", "Y"}, {"ProxyPort", ""}, {"Proxy", ""}}, true, false, false,
         "7777", "localhost"},
        {"IE", with({{"UseIEProxy", "Y"}, {"ByPathProxy", "Y"}}), false, true, false, "", ""},
        {"bypass", with({{"ByPathProxy", "y"}}), false, false, true, "", ""},
        {"none", with({{"UseQTProxy", "N"}}), false, false, false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ConnectionSettings s = Load(c.web);
        EXPECT_EQ(s.UseProxy, c.useProxy);
        EXPECT_EQ(s.UseIEProxy, c.useIEProxy);
        EXPECT_EQ(s.ByPathProxy, c.byPathProxy);
        EXPECT_EQ(s.ProxyPort, c.port);
        EXPECT_EQ(s.ProxyServer, c.server);
    }
}

TEST_F(ConnectionSettingsStore, TimeOutAndLogTexts)
{
    const std::pair<const char*, std::int32_t> timeouts[] = {
        {"30", 30}, {"-5", -5}, {"abc", 120}, {"", 120}, {"99999999999", 120}, {"2147483647", 2147483647}};
    for (const auto& [text, value] : timeouts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Load({{"CONNECTION_TIMEOUT", text}}).ConnectionTimeout, value);
    }
    const std::pair<const char*, bool> masks[] = {{"None", false}, {"none", false}, {"Errors", true}, {"ALL", true}};
    for (const auto& [mask, clientLog] : masks) {
        SCOPED_TRACE(mask);
        EXPECT_EQ(Load({}, {{"MASK", mask}}).ClientLog, clientLog);
    }
    EXPECT_EQ(Load({}, {{"PATH", "D:\\logs"}}).ClientLogPath, "D:\\logs");
}

TEST_F(ConnectionSettingsStore, DwordTimeOutReadsAsNoNumber)
{
    const DWORD value = 120;
    SetRawValue(HKEY_CURRENT_USER, kWebKey, "CONNECTION_TIMEOUT", REG_DWORD, &value, sizeof value);
    SetText(HKEY_LOCAL_MACHINE, kWebKey, "CONNECTION_TIMEOUT", "45");
    ConnectionSettings s;
    LoadSettings(store, s);
    EXPECT_EQ(s.ConnectionTimeout, 120);  // "x" from the user's DWORD, not the machine's 45
}

TEST_F(ConnectionSettingsStore, PasswordsAreStoredScrambledAndLoadPlain)
{
    ConnectionSettings s = Load({});
    s.ProxyAuthPswrd = "proxy secret";
    s.IISAuthPswrd = "iis secret";
    EXPECT_TRUE(SaveSettings(store, s, "").empty());
    const Stored web = Values(HKEY_CURRENT_USER, kWebKey);
    EXPECT_EQ(web.at("ProxyAuthPswrd"), ScramblePassword("proxy secret"));
    EXPECT_EQ(web.at("IISAuthPswrd"), ScramblePassword("iis secret"));
    ConnectionSettings loaded;
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded.ProxyAuthPswrd, "proxy secret");
    EXPECT_EQ(loaded.IISAuthPswrd, "iis secret");
}

TEST_F(ConnectionSettingsStore, SaveWritesTheUserBranchAndLoadsBackTheSame)
{
    ConnectionSettings s;
    s.UseProxy = true;
    s.ProxyPort = "3128";
    s.ProxyServer = "squid";
    s.OpenProxyDialog = true;
    s.ClientLog = true;
    s.AcceptCompressedResponse = true;
    s.LoginSSLMode = true;
    s.SSLPort = "8443";
    s.ProxyAuthUser = "pu";
    s.ProxyDomain = "pd";
    s.IISAuthUser = "iu";
    s.IISDomain = "id";
    s.ClientLogPath = "D:\\logs\\";
    s.ConnectionTimeout = -5;
    EXPECT_TRUE(SaveSettings(store, s, "D:\\logs\\").empty());
    EXPECT_EQ(Values(HKEY_CURRENT_USER, kWebKey).at("CONNECTION_TIMEOUT"), "-5");
    EXPECT_EQ(Values(HKEY_CURRENT_USER, kDebugKey),
              (Stored{{"DEBUG", "ALL"}, {"MASK", "ALL"}, {"STYLE", "HTML"}, {"PATH", "D:\\logs\\"}}));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kWebKey));
    ConnectionSettings loaded;
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded, s);
}

TEST_F(ConnectionSettingsStore, SaveLeavesWhatTheModeDoesNotOwn)
{
    // IE mode with SSL login off: the stored address and SSL port are neither loaded nor changed.
    ConnectionSettings s = Load({{"UseIEProxy", "Y"}, {"Proxy", "kept"}, {"ProxyPort", "1"}, {"SSLPort", "9"}});
    EXPECT_EQ(s.ProxyServer, "");
    EXPECT_TRUE(SaveSettings(store, s, "").empty());
    const Stored web = Values(HKEY_CURRENT_USER, kWebKey);
    EXPECT_EQ(web.at("Proxy"), "kept");
    EXPECT_EQ(web.at("ProxyPort"), "1");
    EXPECT_EQ(web.at("SSLPort"), "9");
    EXPECT_EQ(web.at("UseIEProxy"), "Y");
    EXPECT_EQ(web.at("UseQTProxy"), "N");
    EXPECT_EQ(web.at("ByPathProxy"), "N");
}

TEST_F(ConnectionSettingsStore, SaveAttemptsEveryWriteAndReportsTheRefusedSection)
{
    ConnectionSettings s = Load({});
    s.ClientLog = true;
    DenyAccess deny(HKEY_CURRENT_USER, kWebKey);
    const auto problems = SaveSettings(store, s, "D:\\");
    EXPECT_EQ(Values(HKEY_CURRENT_USER, kDebugKey).at("MASK"), "ALL");  // the other section was still written
    std::vector<std::string> refused;
    for (const auto& problem : problems) {
        EXPECT_EQ(problem.Section, "WEB");
        EXPECT_EQ(problem.Problem, SaveProblem::Kind::WriteFailed);
        refused.push_back(problem.ValueName);
    }
    const std::vector<std::string> expected = {
        "AcceptCompressedResponse", "LoginSSLMode", "CONNECTION_TIMEOUT", "ProxyAuthUser", "ProxyDomain",
        "ProxyAuthPswrd", "IISAuthUser", "IISDomain", "IISAuthPswrd", "UseIEProxy", "UseQTProxy", "ByPathProxy",
        "OpenIISDialog", "OpenProxyDialog"};
    EXPECT_EQ(refused, expected);
}

TEST_F(ConnectionSettingsStore, UnstorablePasswordKeepsTheStoredOne)
{
    ConnectionSettings s = Load({{"ProxyAuthPswrd", ScramblePassword("old")}});
    ASSERT_EQ(s.ProxyAuthPswrd, "old");
    s.ProxyAuthPswrd = "\xBE" "x";  // would be stored with a zero byte
    const auto problems = SaveSettings(store, s, "");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Problem, SaveProblem::Kind::PasswordNotStorable);
    EXPECT_EQ(Values(HKEY_CURRENT_USER, kWebKey).at("ProxyAuthPswrd"), ScramblePassword("old"));
}

} // namespace
