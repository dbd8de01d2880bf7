// The order and content of a Save, seen through a store that records every write.
#include "app/ConnectionSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

class RecordingStore : public ISettingsStore {
public:
    std::vector<std::string> writes;     // "SECTION/Name=value", in order
    std::set<std::string> refused;       // "SECTION/Name" whose writes fail

    std::string ReadSetting(std::string_view, std::string_view, std::string_view defaultText) override
    {
        return std::string(defaultText);
    }
    bool WriteSetting(std::string_view section, std::string_view name, std::string_view value) override
    {
        const std::string key = std::string(section) + "/" + std::string(name);
        writes.push_back(key + "=" + std::string(value));
        return !refused.count(key);
    }
};

ConnectionSettings Sample()
{
    ConnectionSettings s;
    s.AcceptCompressedResponse = true;
    s.OpenIISDialog = true;
    s.ProxyAuthUser = "pu";
    s.ProxyDomain = "pd";
    s.IISAuthUser = "iu";
    s.IISDomain = "id";
    s.ProxyPort = "8080";
    s.ProxyServer = "proxy.example";
    s.SSLPort = "8443";
    s.ConnectionTimeout = -5;
    return s;
}

// The writes common to every Save up to the proxy mode (no SSL, empty passwords).
std::vector<std::string> Head()
{
    return {"WEB/AcceptCompressedResponse=Y", "WEB/LoginSSLMode=N", "WEB/CONNECTION_TIMEOUT=-5",
            "WEB/ProxyAuthUser=pu",           "WEB/ProxyDomain=pd", "WEB/ProxyAuthPswrd=",
            "WEB/IISAuthUser=iu",             "WEB/IISDomain=id",  "WEB/IISAuthPswrd="};
}

std::vector<std::string> Tail(bool clientLog)
{
    const std::string level = clientLog ? "ALL" : "None";
    return {"WEB/OpenIISDialog=Y", "WEB/OpenProxyDialog=N", "WEB_CLNT_DEBUG/DEBUG=" + level,
            "WEB_CLNT_DEBUG/MASK=" + level, "WEB_CLNT_DEBUG/STYLE=HTML", "WEB_CLNT_DEBUG/PATH=D:\\logs\\"};
}

TEST(SaveSettings, WritesEveryValueInOrderForEachProxyMode)
{
    struct Mode {
        const char* name;
        bool useProxy, useIEProxy, byPathProxy;
        std::vector<std::string> writes;
    };
    const Mode modes[] = {
        {"IE proxy", false, true, false, {"WEB/UseIEProxy=Y", "WEB/UseQTProxy=N", "WEB/ByPathProxy=N"}},
        {"explicit proxy", true, false, false,
         {"WEB/UseIEProxy=N", "WEB/ByPathProxy=N", "WEB/ProxyPort=8080", "WEB/Proxy=proxy.example",
          "WEB/UseQTProxy=Y", "WEB/ByPathProxy=N"}},
        {"bypass", false, false, true, {"WEB/UseIEProxy=N", "WEB/UseQTProxy=N", "WEB/ByPathProxy=Y"}},
        {"none", false, false, false, {"WEB/UseIEProxy=N", "WEB/UseQTProxy=N", "WEB/ByPathProxy=N"}},
        // the IE mode wins over a second flag that is set
        {"IE and explicit", true, true, false, {"WEB/UseIEProxy=Y", "WEB/UseQTProxy=N", "WEB/ByPathProxy=N"}},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.name);
        ConnectionSettings s = Sample();
        s.UseProxy = mode.useProxy;
        s.UseIEProxy = mode.useIEProxy;
        s.ByPathProxy = mode.byPathProxy;
        RecordingStore store;
        EXPECT_TRUE(SaveSettings(store, s, "D:\\logs\\").empty());
        std::vector<std::string> expected = Head();
        expected.insert(expected.end(), mode.writes.begin(), mode.writes.end());
        const auto tail = Tail(false);
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(store.writes, expected);
    }
}

TEST(SaveSettings, SslPortOnlyWithSslLoginAndLogLevels)
{
    ConnectionSettings s = Sample();
    s.LoginSSLMode = true;
    s.ClientLog = true;
    s.ConnectionTimeout = 120;
    s.ClientLogPath = "ignored: the dialog's text is written";
    RecordingStore store;
    SaveSettings(store, s, "D:\\logs\\");
    ASSERT_GE(store.writes.size(), 4u);
    EXPECT_EQ(store.writes[1], "WEB/LoginSSLMode=Y");
    EXPECT_EQ(store.writes[2], "WEB/SSLPort=8443");
    EXPECT_EQ(store.writes[3], "WEB/CONNECTION_TIMEOUT=120");
    const auto tail = Tail(true);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), store.writes.end() - tail.size()));
}

TEST(SaveSettings, PasswordsAreScrambledAndEmptyStaysEmpty)
{
    ConnectionSettings s = Sample();
    s.ProxyAuthPswrd = "ab";
    RecordingStore store;
    SaveSettings(store, s, "");
    EXPECT_EQ(store.writes[5], "WEB/ProxyAuthPswrd=\xA3" "b");
    EXPECT_EQ(store.writes[8], "WEB/IISAuthPswrd=");
}

TEST(SaveSettings, AttemptsEveryWriteAndReportsTheFailedOnes)
{
    RecordingStore store;
    store.refused = {"WEB/AcceptCompressedResponse", "WEB/UseQTProxy", "WEB_CLNT_DEBUG/PATH"};
    const auto problems = SaveSettings(store, Sample(), "D:\\logs\\");
    EXPECT_EQ(store.writes.size(), Head().size() + 3 + Tail(false).size());
    const std::vector<SaveProblem> expected = {
        {"WEB", "AcceptCompressedResponse", SaveProblem::Kind::WriteFailed},
        {"WEB", "UseQTProxy", SaveProblem::Kind::WriteFailed},
        {"WEB_CLNT_DEBUG", "PATH", SaveProblem::Kind::WriteFailed},
    };
    EXPECT_EQ(problems, expected);
}

TEST(SaveSettings, PasswordWhoseStoredFormHoldsAZeroByteIsKeptAndReported)
{
    ConnectionSettings s = Sample();
    s.IISAuthPswrd = "\xBE" "x";  // 0xBE + 'B' (0x42) = 256: a zero byte
    RecordingStore store;
    const auto problems = SaveSettings(store, s, "");
    for (const auto& write : store.writes) EXPECT_EQ(write.rfind("WEB/IISAuthPswrd=", 0), std::string::npos) << write;
    const std::vector<SaveProblem> expected = {{"WEB", "IISAuthPswrd", SaveProblem::Kind::PasswordNotStorable}};
    EXPECT_EQ(problems, expected);
}

} // namespace
