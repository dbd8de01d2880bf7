#include "app/ConnectionSettings.h"

#include "app/PasswordScrambling.h"
#include "platform/framework/SysUtils.h"

namespace {

const char* FlagText(bool flag) { return flag ? "Y" : "N"; }
bool IsYes(const std::string& text) { return fw::SameText(text, "Y"); }

// Collects the values a Save could not store while every write still runs.
class SaveWriter {
public:
    explicit SaveWriter(ISettingsStore& store) : store_(store) {}

    void Write(const char* section, const char* name, const std::string& value)
    {
        if (!store_.WriteSetting(section, name, value)) problems_.push_back({section, name, SaveProblem::Kind::WriteFailed});
    }

    // An empty password stays empty; one whose scrambled form holds a zero byte would read back
    // cut short, so the stored one is kept and the caller told.
    void WritePassword(const char* name, const std::string& plain)
    {
        const std::string stored = plain.empty() ? std::string() : ScramblePassword(plain);
        if (stored.find('\0') != std::string::npos) {
            problems_.push_back({kWebSection, name, SaveProblem::Kind::PasswordNotStorable});
            return;
        }
        Write(kWebSection, name, stored);
    }

    std::vector<SaveProblem> TakeProblems() { return std::move(problems_); }

private:
    ISettingsStore& store_;
    std::vector<SaveProblem> problems_;
};

} // namespace

void LoadSettings(ISettingsStore& store, ConnectionSettings& s)
{
    auto web = [&](const char* name, const char* defaultText) { return store.ReadSetting(kWebSection, name, defaultText); };

    const std::string mask = store.ReadSetting(kClientDebugSection, "MASK", "None");
    s.ClientLogPath = store.ReadSetting(kClientDebugSection, "PATH", "C:\\tmp\\");
    s.ClientLog = !fw::SameText(mask, "None");

    s.AcceptCompressedResponse = IsYes(web("AcceptCompressedResponse", "Y"));
    s.LoginSSLMode = IsYes(web("LoginSSLMode", "N"));
    s.SSLPort = web("SSLPort", "443");

    const bool ieProxy = IsYes(web("UseIEProxy", "N"));
    const bool explicitProxy = IsYes(web("UseQTProxy", "N"));
    const bool bypassProxy = IsYes(web("ByPathProxy", "N"));
    if (explicitProxy) {
        s.UseProxy = true;
        s.UseIEProxy = s.ByPathProxy = false;
        s.ProxyPort = web("ProxyPort", "7777");
        s.ProxyServer = web("Proxy", "localhost");
    } else if (ieProxy || bypassProxy) {
        s.UseProxy = false;
        s.UseIEProxy = ieProxy;
        s.ByPathProxy = !ieProxy;
        s.ProxyPort.clear();
        s.ProxyServer.clear();
    }

    s.OpenProxyDialog = IsYes(web("OpenProxyDialog", "Y"));
    s.OpenIISDialog = IsYes(web("OpenIISDialog", "Y"));

    s.ProxyAuthUser = web("ProxyAuthUser", "");
    s.ProxyAuthPswrd = web("ProxyAuthPswrd", "");
    s.ProxyDomain = web("ProxyDomain", "");
    if (!s.ProxyAuthPswrd.empty()) s.ProxyAuthPswrd = UnscramblePassword(s.ProxyAuthPswrd);

    s.IISAuthUser = web("IISAuthUser", "");
    s.IISAuthPswrd = web("IISAuthPswrd", "");
    s.IISDomain = web("IISDomain", "");

    s.ConnectionTimeout = fw::TryStrToInt(web("CONNECTION_TIMEOUT", "120")).value_or(kDefaultConnectionTimeout);

    if (!s.IISAuthPswrd.empty()) s.IISAuthPswrd = UnscramblePassword(s.IISAuthPswrd);
}

std::vector<SaveProblem> SaveSettings(ISettingsStore& store, const ConnectionSettings& s, const std::string& logFolderText)
{
    SaveWriter out(store);
    auto web = [&](const char* name, const std::string& value) { out.Write(kWebSection, name, value); };

    web("AcceptCompressedResponse", FlagText(s.AcceptCompressedResponse));
    web("LoginSSLMode", FlagText(s.LoginSSLMode));
    if (s.LoginSSLMode) web("SSLPort", s.SSLPort);
    web("CONNECTION_TIMEOUT", std::to_string(s.ConnectionTimeout));

    web("ProxyAuthUser", s.ProxyAuthUser);
    web("ProxyDomain", s.ProxyDomain);
    out.WritePassword("ProxyAuthPswrd", s.ProxyAuthPswrd);
    web("IISAuthUser", s.IISAuthUser);
    web("IISDomain", s.IISDomain);
    out.WritePassword("IISAuthPswrd", s.IISAuthPswrd);

    if (s.UseIEProxy) {
        web("UseIEProxy", "Y");
        web("UseQTProxy", "N");
        web("ByPathProxy", "N");
    } else {
        web("UseIEProxy", "N");
        if (s.UseProxy) {
            web("ByPathProxy", "N");
            web("ProxyPort", s.ProxyPort);
            web("Proxy", s.ProxyServer);
            web("UseQTProxy", "Y");
        } else {
            web("UseQTProxy", "N");
        }
        web("ByPathProxy", FlagText(s.ByPathProxy));
    }

    web("OpenIISDialog", FlagText(s.OpenIISDialog));
    web("OpenProxyDialog", FlagText(s.OpenProxyDialog));

    const char* logLevel = s.ClientLog ? "ALL" : "None";
    out.Write(kClientDebugSection, "DEBUG", logLevel);
    out.Write(kClientDebugSection, "MASK", logLevel);
    out.Write(kClientDebugSection, "STYLE", "HTML");
    out.Write(kClientDebugSection, "PATH", logFolderText);
    return out.TakeProblems();
}
