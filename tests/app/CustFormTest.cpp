// The dialog in this process: its form resource, layout, interlocks and Save.
#include "app/CustForm.h"

#include "app/PasswordScrambling.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/FormStreaming.h"
#include "settings/RegistrySettings.h"
#include "support/LegacyFile.h"
#include "support/RegistrySandbox.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace testing_support;
using Stored = std::map<std::string, std::string>;

const std::string kWebKey = SectionKeyPath("WEB");

class CustForm : public testing::Test {
protected:
    ProductKeySandbox sandbox;
    LegacyFile legacy;
    std::unique_ptr<TCustForm> form;

    TCustForm& Open(const Stored& web = {})
    {
        for (const auto& [name, text] : web) SetText(HKEY_CURRENT_USER, kWebKey, name, text);
        form.reset(fw::CreateForm<TCustForm>(nullptr));
        form->Show();
        return *form;
    }
    static void Click(fw::TWinControl* control) { SendMessageA(control->Handle(), BM_CLICK, 0, 0); }
};

struct Place {
    const char* name;
    const char* parent;
    int left, top, width, height;
    const char* caption;
};

const Place kLayout[] = {
    {"ProxyCustomBox", "CustForm", 6, 5, 217, 460, " Proxy Customization "},
    {"UseProxyCheckBox", "ProxyCustomBox", 10, 24, 129, 17, "Use a Proxy Server"},
    {"ProxyPortLabel", "ProxyCustomBox", 32, 48, 51, 13, "Proxy Port:"},
    {"ProxyEdit", "ProxyCustomBox", 40, 63, 152, 21, nullptr},
    {"ProxyServerLabel", "ProxyCustomBox", 32, 91, 63, 13, "Proxy Server:"},
    {"ProxyServerEdit", "ProxyCustomBox", 40, 107, 152, 21, nullptr},
    {"OpenProxyDialogCheckBox", "ProxyCustomBox", 10, 146, 201, 17, "Open Proxy Authentication dialog box"},
    {"ProxyUserLabel", "ProxyCustomBox", 32, 167, 80, 13, "Proxy Username:"},
    {"ProxyUserEdit", "ProxyCustomBox", 40, 182, 152, 21, nullptr},
    {"ProxyPasswordLabel", "ProxyCustomBox", 32, 207, 78, 13, "Proxy Password:"},
    {"ProxyPasswordEdit", "ProxyCustomBox", 40, 223, 152, 21, nullptr},
    {"ProxyDomainLabel", "ProxyCustomBox", 33, 252, 39, 13, "Domain:"},
    {"ProxyDomainEdit", "ProxyCustomBox", 40, 267, 152, 21, nullptr},
    {"UseIESettingsCheckBox", "ProxyCustomBox", 10, 302, 177, 17, "Use IE Proxy Settings"},
    {"ByPathProxyCheckBox", "ProxyCustomBox", 10, 326, 177, 17, "Bypass Proxy Server"},
    {"AcceptCompressedResponseCheckBox", "ProxyCustomBox", 10, 350, 177, 17, "Enable HTTP Compression"},
    {"LoginSSLModeCheckBox", "ProxyCustomBox", 10, 374, 97, 17, "Login SSL Mode"},
    {"SSLPortLabel", "ProxyCustomBox", 32, 400, 45, 13, "SSL Port:"},
    {"SSLPortEdit", "ProxyCustomBox", 40, 415, 152, 21, nullptr},
    {"IISCustBox", "CustForm", 227, 5, 217, 196, " Web Server Customization "},
    {"OpenIISDialogCheckBox", "IISCustBox", 10, 24, 17, 17, ""},
    {"Label1", "IISCustBox", 28, 26, 160, 26, "Open Web Server Authentication dialog box"},
    {"IISUserLabel", "IISCustBox", 26, 66, 111, 13, "Web Server Username:"},
    {"IISUserEdit", "IISCustBox", 32, 81, 152, 21, nullptr},
    {"Label2", "IISCustBox", 26, 108, 109, 13, "Web Server Password:"},
    {"IISPasswordEdit", "IISCustBox", 32, 123, 152, 21, nullptr},
    {"IISDomainLabel", "IISCustBox", 26, 152, 39, 13, "Domain:"},
    {"IISDomainEdit", "IISCustBox", 32, 165, 152, 21, nullptr},
    {"ClientLogBox", "CustForm", 227, 207, 217, 93, " WebClient Log "},
    {"ClientLogCheckBox", "ClientLogBox", 10, 24, 161, 17, "Write Client Side Log File"},
    {"ClientPathEdit", "ClientLogBox", 10, 64, 145, 21, nullptr},
    {"PathBtn", "ClientLogBox", 160, 64, 49, 21, "Path"},
    {"ConnectionTimeoutBox", "CustForm", 227, 303, 214, 58, "Connection Timeout"},
    {"WaitEdit", "ConnectionTimeoutBox", 10, 24, 145, 21, nullptr},
    {"SecLabel", "ConnectionTimeoutBox", 160, 27, 19, 13, "Sec"},
    {"SaveButton", "CustForm", 148, 475, 75, 22, "Save"},
    {"CloseButton", "CustForm", 227, 475, 75, 22, "Close"},
};

TEST_F(CustForm, EveryControlSitsWhereTheLayoutSays)
{
    Open();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 451);
    EXPECT_EQ(client.bottom, 511);
    char caption[64];
    GetWindowTextA(form->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Linkward Customization");
    const LONG_PTR style = GetWindowLongPtrA(form->Handle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(form->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(form->Font().Height(), -11);
    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);

    for (const Place& place : kLayout) {
        SCOPED_TRACE(place.name);
        auto* control = dynamic_cast<fw::TControl*>(form->FindComponent(place.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Parent()->Name(), place.parent);
        RECT rect = control->BoundsRect();
        if (auto* windowed = dynamic_cast<fw::TWinControl*>(control)) {
            GetWindowRect(windowed->Handle(), &rect);
            MapWindowPoints(nullptr, control->Parent()->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        }
        EXPECT_EQ(rect.left, place.left);
        EXPECT_EQ(rect.top, place.top);
        EXPECT_EQ(rect.right - rect.left, place.width);
        EXPECT_EQ(rect.bottom - rect.top, place.height);
        if (place.caption) {
            EXPECT_EQ(control->Caption(), place.caption);
        }
    }
    EXPECT_TRUE(form->Label1->WordWrap());
    EXPECT_EQ(form->ProxyPasswordEdit->PasswordChar(), '*');
    EXPECT_EQ(form->IISPasswordEdit->PasswordChar(), '*');
}

TEST_F(CustForm, TabOrderFollowsTheLayout)
{
    Open();
    const std::vector<std::string> expected = {"UseProxyCheckBox", "ProxyEdit", "ProxyServerEdit",
        "OpenProxyDialogCheckBox", "ProxyUserEdit", "ProxyPasswordEdit", "ProxyDomainEdit", "UseIESettingsCheckBox",
        "ByPathProxyCheckBox", "AcceptCompressedResponseCheckBox", "LoginSSLModeCheckBox", "SSLPortEdit"};
    std::vector<std::string> order;
    for (fw::TWinControl* child : form->ProxyCustomBox->TabOrderedChildren()) order.push_back(child->Name());
    EXPECT_EQ(order, expected);
    std::vector<std::string> top;
    for (HWND child = GetWindow(form->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        top.push_back(fw::TWinControl::FromHandle(child)->Name());
    EXPECT_EQ(top, (std::vector<std::string>{"ProxyCustomBox", "IISCustBox", "ClientLogBox", "ConnectionTimeoutBox",
                                             "SaveButton", "CloseButton"}));
}

TEST_F(CustForm, ResourceDesignState)
{
    fw::RegisterFrameworkClasses();
    TCustForm bare(nullptr);
    const HRSRC resource = FindResourceA(nullptr, "TCustForm", MAKEINTRESOURCEA(10));
    ASSERT_NE(resource, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    fw::ReadComponentResource(bare, std::string_view(text, SizeofResource(nullptr, resource)), "TCustForm");
    for (const char* name : {"UseProxyCheckBox", "OpenProxyDialogCheckBox", "UseIESettingsCheckBox", "ByPathProxyCheckBox",
                             "AcceptCompressedResponseCheckBox", "LoginSSLModeCheckBox", "OpenIISDialogCheckBox",
                             "ClientLogCheckBox"})
        EXPECT_FALSE(dynamic_cast<fw::TCheckBox*>(bare.FindComponent(name))->Checked()) << name;
    for (const char* name : {"ProxyPortLabel", "ProxyEdit", "ProxyServerLabel", "ProxyServerEdit", "SSLPortLabel", "SSLPortEdit"})
        EXPECT_FALSE(dynamic_cast<fw::TControl*>(bare.FindComponent(name))->Enabled()) << name;
    EXPECT_TRUE(bare.ClientPathEdit->Enabled());
    EXPECT_EQ(bare.WaitEdit->Text(), "");
}

TEST_F(CustForm, CreationMigratesLoadsAndFills)
{
    legacy.Write("[WEB]\r\nProxy=legacy.host\r\nUseQTProxy=Yes\r\n");
    Open({{"ProxyPort", "3128"}, {"ProxyAuthPswrd", ScramblePassword("pw")}, {"CONNECTION_TIMEOUT", "30"}});
    EXPECT_TRUE(form->UseProxyCheckBox->Checked());
    EXPECT_EQ(form->ProxyServerEdit->Text(), "legacy.host");
    EXPECT_EQ(form->ProxyEdit->Text(), "3128");
    EXPECT_TRUE(form->ProxyEdit->Enabled());
    EXPECT_EQ(form->ProxyPasswordEdit->Text(), "pw");
    EXPECT_EQ(form->WaitEdit->Text(), "30");
    EXPECT_EQ(form->ClientPathEdit->Text(), "C:\\tmp\\");
    EXPECT_TRUE(form->AcceptCompressedResponseCheckBox->Checked());
    EXPECT_TRUE(form->OpenIISDialogCheckBox->Checked());
    EXPECT_FALSE(form->SSLPortEdit->Enabled());
    EXPECT_EQ(form->SSLPortEdit->Text(), "443");  // the record's text, though the box is disabled
}

TEST_F(CustForm, ModesShownExactlyAsTheRecord)
{
    // IE mode: the proxy boxes show the record's empty texts, not the fill-ins.
    Open({{"UseIEProxy", "Y"}, {"Proxy", "stored"}});
    EXPECT_TRUE(form->UseIESettingsCheckBox->Checked());
    EXPECT_FALSE(form->UseProxyCheckBox->Checked());
    EXPECT_EQ(form->ProxyServerEdit->Text(), "");
    EXPECT_EQ(form->ProxyEdit->Text(), "");
    EXPECT_FALSE(form->ProxyServerEdit->Enabled());
}

TEST_F(CustForm, ProxyInterlocks)
{
    Open();
    struct State {
        bool proxy, ie, bypass, addressEnabled;
    };
    auto state = [&] {
        return State{form->UseProxyCheckBox->Checked(), form->UseIESettingsCheckBox->Checked(),
                     form->ByPathProxyCheckBox->Checked(), form->ProxyEdit->Enabled()};
    };
    auto expect = [&](State s, const char* step) {
        SCOPED_TRACE(step);
        const State now = state();
        EXPECT_EQ(now.proxy, s.proxy);
        EXPECT_EQ(now.ie, s.ie);
        EXPECT_EQ(now.bypass, s.bypass);
        EXPECT_EQ(now.addressEnabled, s.addressEnabled);
        EXPECT_EQ(form->ProxyServerEdit->Enabled(), s.addressEnabled);
        EXPECT_EQ(form->ProxyPortLabel->Enabled(), s.addressEnabled);
        EXPECT_EQ(form->ProxyServerLabel->Enabled(), s.addressEnabled);
    };
    expect({false, false, false, false}, "start");
    Click(form->UseProxyCheckBox);
    expect({true, false, false, true}, "check proxy");
    EXPECT_EQ(form->ProxyServerEdit->Text(), "localhost");
    EXPECT_EQ(form->ProxyEdit->Text(), "7777");
    form->ProxyServerEdit->SetText("mine");
    Click(form->UseIESettingsCheckBox);
    expect({false, true, false, false}, "check IE");
    EXPECT_EQ(form->ProxyServerEdit->Text(), "mine");  // kept in the disabled box
    Click(form->ByPathProxyCheckBox);
    expect({false, false, true, false}, "check bypass");
    Click(form->ByPathProxyCheckBox);
    expect({false, false, false, false}, "uncheck bypass");
    Click(form->UseProxyCheckBox);
    expect({true, false, false, true}, "check proxy again");
    EXPECT_EQ(form->ProxyServerEdit->Text(), "mine");  // no fill-in over a text
    Click(form->ByPathProxyCheckBox);
    expect({false, false, true, false}, "bypass after proxy");
    Click(form->UseIESettingsCheckBox);
    expect({false, true, false, false}, "IE after bypass");
    Click(form->UseIESettingsCheckBox);
    expect({false, false, false, false}, "uncheck IE");
    Click(form->UseProxyCheckBox);
    Click(form->UseProxyCheckBox);
    expect({false, false, false, false}, "uncheck proxy");
}

TEST_F(CustForm, SslAndLogBoxes)
{
    Open({{"SSLPort", ""}});
    form->SSLPortEdit->SetText("");
    Click(form->LoginSSLModeCheckBox);
    EXPECT_TRUE(form->SSLPortEdit->Enabled());
    EXPECT_TRUE(form->SSLPortLabel->Enabled());
    EXPECT_EQ(form->SSLPortEdit->Text(), "443");
    form->SSLPortEdit->SetText("8443");
    Click(form->LoginSSLModeCheckBox);
    EXPECT_FALSE(form->SSLPortEdit->Enabled());
    EXPECT_EQ(form->SSLPortEdit->Text(), "8443");
    Click(form->ClientLogCheckBox);
    EXPECT_TRUE(form->Settings().ClientLog);  // at once, before any Save
    EXPECT_TRUE(form->ClientPathEdit->Enabled());
    EXPECT_TRUE(form->PathBtn->Enabled());
}

TEST_F(CustForm, SaveWritesWhatTheControlsShow)
{
    Open({{"Proxy", "kept"}, {"ProxyPort", "1"}, {"SSLPort", "9"}});
    Click(form->UseIESettingsCheckBox);
    form->IISUserEdit->SetText("iis user");
    form->IISPasswordEdit->SetText("iis pw");
    form->WaitEdit->SetText("-5");
    form->ClientPathEdit->SetText("D:\\logs\\");
    Click(form->SaveButton);
    const Stored web = Values(HKEY_CURRENT_USER, kWebKey);
    EXPECT_EQ(web.at("UseIEProxy"), "Y");
    EXPECT_EQ(web.at("Proxy"), "kept");
    EXPECT_EQ(web.at("ProxyPort"), "1");
    EXPECT_EQ(web.at("LoginSSLMode"), "N");
    EXPECT_EQ(web.at("SSLPort"), "9");
    EXPECT_EQ(web.at("IISAuthUser"), "iis user");
    EXPECT_EQ(web.at("IISAuthPswrd"), ScramblePassword("iis pw"));
    EXPECT_EQ(web.at("CONNECTION_TIMEOUT"), "-5");
    EXPECT_EQ(Values(HKEY_CURRENT_USER, SectionKeyPath("WEB_CLNT_DEBUG")).at("PATH"), "D:\\logs\\");
}

// Answers every message dialog that comes up with its first button, and remembers it.
struct SeenMessage {
    std::string title, text;
    std::size_t buttons;
};
std::vector<SeenMessage> g_seen;

void CALLBACK AnswerMessageDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    for (fw::TCustomForm* form : fw::Screen().Forms())
        if (auto* dialog = dynamic_cast<fw::TMessageForm*>(form); dialog && dialog->Modal() && dialog->Visible()) {
            g_seen.push_back({dialog->Caption(), dialog->Message()->Caption(), dialog->Buttons().size()});
            SendMessageA(dialog->Buttons().front()->Handle(), BM_CLICK, 0, 0);
        }
}

class CustFormMessages : public CustForm {
protected:
    void SetUp() override
    {
        g_seen.clear();
        timer = SetTimer(nullptr, 0, 20, AnswerMessageDialogs);
    }
    void TearDown() override { KillTimer(nullptr, timer); }
    UINT_PTR timer = 0;
};

TEST_F(CustFormMessages, TimeOutThatIsNoNumberIsReportedOnceAndTheRestSaved)
{
    for (const char* text : {"", "abc", "99999999999"}) {
        SCOPED_TRACE(text);
        g_seen.clear();
        ProductKeySandbox::Clear();
        Open({{"CONNECTION_TIMEOUT", "45"}});
        form->WaitEdit->SetText(text);
        form->ProxyUserEdit->SetText("someone");
        Click(form->SaveButton);
        ASSERT_EQ(g_seen.size(), 1u);
        EXPECT_EQ(g_seen[0].title, "Input Data Error");
        EXPECT_EQ(g_seen[0].text, "Invalid Connection Customization Data");
        EXPECT_EQ(g_seen[0].buttons, 1u);
        const Stored web = Values(HKEY_CURRENT_USER, kWebKey);
        EXPECT_EQ(web.at("CONNECTION_TIMEOUT"), "45");  // the previous time-out
        EXPECT_EQ(web.at("ProxyAuthUser"), "someone");
    }
}

TEST_F(CustFormMessages, SaveThatCannotWriteSaysWhatWasNotSaved)
{
    Open();
    Click(form->SaveButton);
    EXPECT_TRUE(g_seen.empty());  // a good Save says nothing
    {
        DenyAccess deny(HKEY_CURRENT_USER, SectionKeyPath("WEB_CLNT_DEBUG"));
        Click(form->SaveButton);
    }
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].title, "Linkward Customization");
    for (const char* name : {"WEB_CLNT_DEBUG\\DEBUG", "WEB_CLNT_DEBUG\\MASK", "WEB_CLNT_DEBUG\\STYLE", "WEB_CLNT_DEBUG\\PATH"})
        EXPECT_NE(g_seen[0].text.find(name), std::string::npos) << g_seen[0].text;
    EXPECT_EQ(g_seen[0].text.find("WEB\\Proxy"), std::string::npos);
}

} // namespace
