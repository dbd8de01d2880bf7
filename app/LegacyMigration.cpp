#include "app/LegacyMigration.h"

#include "app/ConnectionSettings.h"
#include "app/PasswordScrambling.h"
#include "platform/framework/Exception.h"
#include "platform/framework/IniFile.h"
#include "platform/framework/SysUtils.h"
#include "settings/LegacySettingsFile.h"
#include "settings/RegistrySettings.h"

#include <array>
#include <optional>
#include <vector>

namespace {

enum class Conversion { Copy, Scramble, YesToY };

// A legacy [WEB] value, its default for an empty text, and the registry values it becomes.
struct LegacyWebValue {
    const char* Name;
    const char* DefaultText;
    std::array<const char*, 2> Targets;
    Conversion Convert = Conversion::Copy;
};

// In the order the registry is written.
constexpr std::array<LegacyWebValue, 11> kWebValues{{
    {"AcceptCompressedResponse", "Y", {"AcceptCompressedResponse", nullptr}},
    {"LoginSSLMode", "N", {"LoginSSLMode", nullptr}},
    {"SSLPort", "443", {"SSLPort", nullptr}},
    {"CONNECTION_TIMEOUT", "120", {"CONNECTION_TIMEOUT", nullptr}},
    {"AuthUser", "", {"ProxyAuthUser", "IISAuthUser"}},
    {"AuthPswrd", "", {"ProxyAuthPswrd", "IISAuthPswrd"}, Conversion::Scramble},
    {"UseIEProxy", "N", {"UseIEProxy", nullptr}},
    {"UseQTProxy", "No", {"UseQTProxy", nullptr}, Conversion::YesToY},
    {"ProxyPort", "7777", {"ProxyPort", nullptr}},
    {"Proxy", "localhost", {"Proxy", nullptr}},
    {"OpenDialog", "Y", {"OpenIISDialog", "OpenProxyDialog"}},
}};

// In the order the file is read and cleaned up: positions in kWebValues.
constexpr std::array<int, 11> kReadOrder{0, 1, 2, 6, 7, 8, 9, 10, 4, 5, 3};

// A legacy value taken out of the file: its text as stored and whether it left the file.
struct TakenValue {
    std::string Raw;
    std::string Text;
    bool Deleted = false;
};

// Removes every copy of a value (a file may list a name twice); false when the file could not
// be changed.
bool DeleteAllCopies(fw::TIniFile& ini, const char* section, const char* name)
{
    constexpr int kMaxCopies = 64;
    for (int i = 0; i < kMaxCopies && ini.ValueExists(section, name); ++i)
        if (!ini.DeleteKey(section, name)) return false;
    return !ini.ValueExists(section, name);
}

bool UserBranchHolds(const char* section, const char* name)
{
    return ReadRegistryText(HKEY_CURRENT_USER, SectionKeyPath(section), name).has_value();
}

// Writes a migrated value. A legacy value that is still in the file (it could not be deleted)
// migrates again at every start, so it must never overwrite what the user's branch holds.
bool Put(bool leftTheFile, const char* section, const char* name, const std::string& value)
{
    if (!leftTheFile && UserBranchHolds(section, name)) return true;
    return WriteSetting(section, name, value);
}

// The registry text of a legacy value; no value when nothing is to be written.
std::optional<std::string> Converted(const LegacyWebValue& legacy, const std::string& text)
{
    switch (legacy.Convert) {
    case Conversion::Copy: return text;
    case Conversion::YesToY: return fw::SameText(text, "Yes") ? std::optional<std::string>("Y") : std::nullopt;
    case Conversion::Scramble: return text.empty() ? text : ScramblePassword(text);
    }
    return std::nullopt;
}

// A value whose registry write failed goes back into the file, to migrate at a later start.
void PutBack(fw::TIniFile& ini, const char* section, const char* name, const std::string& raw)
{
    try {
        ini.WriteString(section, name, raw);
    } catch (const fw::Exception&) {
    }
}

void MigrateWebSection(fw::TIniFile& ini)
{
    if (!ini.SectionExists(kWebSection)) return;
    std::array<std::optional<TakenValue>, kWebValues.size()> taken;
    for (const int index : kReadOrder) {
        const LegacyWebValue& legacy = kWebValues[index];
        if (!ini.ValueExists(kWebSection, legacy.Name)) continue;
        TakenValue value;
        value.Raw = ReadLegacyValue(kWebSection, legacy.Name);
        value.Text = value.Raw.empty() ? legacy.DefaultText : value.Raw;
        value.Deleted = DeleteAllCopies(ini, kWebSection, legacy.Name);
        taken[index] = std::move(value);
    }

    try {
        for (std::size_t i = 0; i < kWebValues.size(); ++i) {
            if (!taken[i]) continue;
            const LegacyWebValue& legacy = kWebValues[i];
            const TakenValue& value = *taken[i];
            const auto stored = Converted(legacy, value.Text);
            if (!stored) continue;
            // A scrambled password holding a zero byte would read back cut short: keep it legacy.
            const bool storable = stored->find('\0') == std::string::npos;
            bool allWritten = storable;
            for (const char* target : legacy.Targets)
                if (storable && target) allWritten = Put(value.Deleted, kWebSection, target, *stored) && allWritten;
            if (!allWritten && value.Deleted) PutBack(ini, kWebSection, legacy.Name, value.Raw);
        }
    } catch (const std::exception&) {
        // the rest of the registry writes are skipped; the debug section still migrates
    }
}

void MigrateClientDebugSection(fw::TIniFile& ini)
{
    if (!ini.SectionExists(kClientDebugSection)) return;
    const bool hasDebug = ini.ValueExists(kClientDebugSection, "DEBUG");
    const std::string debugRaw = hasDebug ? ini.ReadString(kClientDebugSection, "DEBUG", "") : std::string();
    bool erased = true;
    try {
        ini.EraseSection(kClientDebugSection);
    } catch (const fw::EIniFileException&) {
        erased = false;
    }
    if (!hasDebug) return;
    bool allWritten = true;
    for (const auto& [name, value] : {std::pair{"DEBUG", "ALL"}, {"MASK", "ALL"}, {"STYLE", "HTML"}})
        allWritten = Put(erased, kClientDebugSection, name, value) && allWritten;
    if (!allWritten && erased) PutBack(ini, kClientDebugSection, "DEBUG", debugRaw);
}

} // namespace

void MigrateLegacySettings() noexcept
{
    try {
        if (!LegacyFileExists()) return;
        fw::TIniFile ini(kLegacyFileName);
        MigrateWebSection(ini);
        MigrateClientDebugSection(ini);
    } catch (...) {
        // the dialog opens normally whatever the legacy file holds
    }
}
