// The real program, started as a user starts it, driven from outside through its windows.
#include "support/AppDriver.h"
#include "support/LegacyFile.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace testing_support;
using Stored = std::map<std::string, std::string>;

const std::string kProductKey = "Software\\Vantreo Interactive\\Quorvex";
const std::string kWebKey = kProductKey + "\\WEB";
const std::string kDebugKey = kProductKey + "\\WEB_CLNT_DEBUG";
const char* const kCaption = "Linkward Customization";

// The program sits one folder above the test programs.
std::string ProgramPath()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\') + 1) + "LinkwardCustomization.exe";
}

class ProgramRun : public testing::Test {
protected:
    ProductKeySandbox sandbox;
    LegacyFile legacy;
    std::unique_ptr<Program> program;
    HWND dialog = nullptr;

    void Start(const std::vector<std::string>& arguments = {})
    {
        program = std::make_unique<Program>(ProgramPath(), arguments);
        dialog = program->WaitForWindow(kCaption);
        ASSERT_NE(dialog, nullptr) << "the dialog did not open";
    }
    HWND Control(const char* name) const
    {
        const HWND control = ui::FindControl(dialog, name);
        if (!control) throw std::runtime_error(std::string("no control ") + name);
        return control;
    }
    void Click(const char* name) const { ui::Click(Control(name)); }
    bool Checked(const char* name) const { return ui::IsChecked(Control(name)); }
    bool Enabled(const char* name) const { return ui::IsEnabled(Control(name)); }
    std::string Text(const char* name) const { return ui::Text(Control(name)); }
    static Stored Web() { return Values(HKEY_CURRENT_USER, kWebKey); }
    // The stored text of a WEB value, "<missing>" when there is none.
    static std::string StoredText(const char* name)
    {
        const auto web = Web();
        const auto found = web.find(name);
        return found == web.end() ? "<missing>" : found->second;
    }
};

TEST_F(ProgramRun, StartMigratesTheLegacyFileLoadsAndFills)
{
    legacy.Write("[WEB]\r\nProxy=legacy.host\r\nUseQTProxy=Yes\r\n[WEB_CLNT_DEBUG]\r\nDEBUG=1\r\n");
    SetText(HKEY_CURRENT_USER, kWebKey, "ProxyPort", "3128");
    SetText(HKEY_LOCAL_MACHINE, kWebKey, "CONNECTION_TIMEOUT", "33");
    Start();
    EXPECT_TRUE(Checked("UseProxyCheckBox"));
    EXPECT_EQ(Text("ProxyServerEdit"), "legacy.host");
    EXPECT_EQ(Text("ProxyEdit"), "3128");
    EXPECT_TRUE(Enabled("ProxyEdit"));
    EXPECT_EQ(Text("WaitEdit"), "33");
    EXPECT_TRUE(Checked("ClientLogCheckBox"));
    EXPECT_EQ(Text("ClientPathEdit"), "C:\\tmp\\");
    EXPECT_EQ(legacy.Read(), "[WEB]\r\n");  // the section stays, emptied; the debug section is erased
}

TEST_F(ProgramRun, InterlocksFillInsAndSave)
{
    Start();
    Click("UseProxyCheckBox");
    EXPECT_EQ(Text("ProxyServerEdit"), "localhost");
    EXPECT_EQ(Text("ProxyEdit"), "7777");
    EXPECT_TRUE(Enabled("ProxyServerEdit"));
    Click("UseIESettingsCheckBox");
    EXPECT_FALSE(Checked("UseProxyCheckBox"));
    EXPECT_FALSE(Enabled("ProxyServerEdit"));
    EXPECT_FALSE(Enabled("ProxyEdit"));
    EXPECT_EQ(Text("ProxyServerEdit"), "localhost");
    Click("ByPathProxyCheckBox");
    EXPECT_FALSE(Checked("UseIESettingsCheckBox"));
    Click("UseIESettingsCheckBox");
    EXPECT_FALSE(Checked("ByPathProxyCheckBox"));
    Click("LoginSSLModeCheckBox");
    EXPECT_TRUE(Enabled("SSLPortEdit"));
    ui::SetText(Control("SSLPortEdit"), "");
    Click("LoginSSLModeCheckBox");
    EXPECT_FALSE(Enabled("SSLPortEdit"));
    Click("LoginSSLModeCheckBox");
    EXPECT_EQ(Text("SSLPortEdit"), "443");
    ui::SetText(Control("ProxyPasswordEdit"), "pw");
    Click("SaveButton");
    EXPECT_EQ(StoredText("UseIEProxy"), "Y");
    EXPECT_EQ(StoredText("UseQTProxy"), "N");
    EXPECT_EQ(StoredText("Proxy"), "<missing>");  // the IE mode leaves the address alone
    EXPECT_EQ(StoredText("LoginSSLMode"), "Y");
    EXPECT_EQ(StoredText("SSLPort"), "443");
    EXPECT_EQ(StoredText("ProxyAuthPswrd"), "\xB2w");
    EXPECT_TRUE(program->IsRunning());
}

TEST_F(ProgramRun, TimeOutThatIsNoNumberIsReportedAndTheRestSaved)
{
    SetText(HKEY_CURRENT_USER, kWebKey, "CONNECTION_TIMEOUT", "45");
    Start();
    ui::SetText(Control("WaitEdit"), "abc");
    ui::SetText(Control("IISUserEdit"), "someone");
    Click("SaveButton");
    const HWND box = program->WaitForWindow("Input Data Error");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Web(), (Stored{{"CONNECTION_TIMEOUT", "45"}}));  // nothing is written while the message is up
    ui::Click(ui::FindControl(box, "OK"));
    ui::Synchronize(dialog);
    EXPECT_EQ(StoredText("CONNECTION_TIMEOUT"), "45");
    EXPECT_EQ(StoredText("IISAuthUser"), "someone");
}

TEST_F(ProgramRun, CloseSavesNothingAndEndsWithZero)
{
    legacy.Write("[WEB]\r\nSSLPort=1\r\n");
    Start();
    const Stored afterStart = Web();
    EXPECT_EQ(afterStart, (Stored{{"SSLPort", "1"}}));
    Click("AcceptCompressedResponseCheckBox");
    ui::SetText(Control("ProxyUserEdit"), "unsaved");
    // Posted without waiting for the program to handle it: the click ends the program.
    PostMessageA(Control("CloseButton"), BM_CLICK, 0, 0);
    EXPECT_EQ(program->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(Web(), afterStart);
}

TEST_F(ProgramRun, CloseBoxEnterAndEscape)
{
    Start();
    ui::SetText(Control("ProxyUserEdit"), "typed");
    ui::PressKey(dialog, VK_RETURN);
    ui::PressKey(dialog, VK_ESCAPE);
    EXPECT_TRUE(program->IsRunning());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kWebKey));  // neither key saved
    PostMessageA(dialog, WM_CLOSE, 0, 0);  // the window's close box
    EXPECT_EQ(program->WaitForExit(), std::optional<DWORD>(0));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kWebKey));
}

TEST_F(ProgramRun, ComStartModes)
{
    const std::string classKey = "Software\\Classes\\CLSID\\{013E3ACF-E362-4B08-9526-08CC67B04011}";
    for (const char* argument : {"/REGSERVER", "-regserver", "/UnRegServer", "-UNREGSERVER"}) {
        SCOPED_TRACE(argument);
        Program run(ProgramPath(), {argument});
        EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
        EXPECT_TRUE(run.Windows().empty());
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProductKey));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, classKey));
    }
    for (const char* argument : {"/AUTOMATION", "-Embedding", "/other", "REGSERVER"}) {
        SCOPED_TRACE(argument);
        Program run(ProgramPath(), {argument});
        const HWND window = run.WaitForWindow(kCaption);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
    }
}

} // namespace
