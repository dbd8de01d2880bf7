// The connection settings the web client reads, as the dialog edits them, and their mapping
// to the settings store (sections, value names, defaults and encodings are shared with the
// web client). Platform-neutral: the store is passed in.
#pragma once

#include "settings/SettingsStore.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kWebSection = "WEB";
inline constexpr const char* kClientDebugSection = "WEB_CLNT_DEBUG";

struct ConnectionSettings {
    bool UseProxy = false;
    bool UseIEProxy = false;
    bool OpenProxyDialog = false;
    bool OpenIISDialog = false;
    bool ClientLog = false;
    bool ByPathProxy = false;
    bool AcceptCompressedResponse = false;
    bool LoginSSLMode = false;
    std::string ProxyPort;
    std::string ProxyServer;
    std::string IISAuthUser;
    std::string IISAuthPswrd;    // plain in memory, scrambled in the store
    std::string IISDomain;
    std::string ProxyAuthUser;
    std::string ProxyAuthPswrd;  // plain in memory, scrambled in the store
    std::string ProxyDomain;
    std::string ClientLogPath;
    std::string SSLPort;
    std::int32_t ConnectionTimeout = 0;

    bool operator==(const ConnectionSettings&) const = default;
};

// One value a Save could not store.
struct SaveProblem {
    enum class Kind {
        WriteFailed,          // the store refused the write
        PasswordNotStorable,  // the scrambled form holds a zero byte and would read back cut short
    };
    std::string Section;
    std::string ValueName;
    Kind Problem = Kind::WriteFailed;

    bool operator==(const SaveProblem&) const = default;
};

inline constexpr std::int32_t kDefaultConnectionTimeout = 120;

// Reads the store into the record: stored value, else its default; passwords unscrambled.
void LoadSettings(ISettingsStore& store, ConnectionSettings& settings);

// Writes every value of the record, in the fixed order, and the log folder as the dialog shows
// it. Every write is attempted; the result lists those that did not succeed (empty: all saved).
// A password whose stored form could not be read back is left as it is stored and reported.
std::vector<SaveProblem> SaveSettings(ISettingsStore& store, const ConnectionSettings& settings,
                                      const std::string& logFolderText);
