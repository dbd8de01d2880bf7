#include "app/CustForm.h"

#include "app/LegacyMigration.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Exception.h"
#include "platform/framework/SysUtils.h"
#include "settings/RegistrySettings.h"

namespace {

template <void (TCustForm::*Handler)(fw::TComponent*)>
fw::TMethodInfo Method(const char* name)
{
    return {name, [](fw::TPersistent& self, fw::TComponent* sender) { (static_cast<TCustForm&>(self).*Handler)(sender); }};
}

// The folder picker's help topic.
constexpr std::int64_t kFolderPickerHelpContext = 1000;

} // namespace

const fw::TClassInfo& TCustForm::StaticClassInfo()
{
    static const fw::TClassInfo info = [] {
        fw::TClassInfo c{"TCustForm", &fw::TForm::StaticClassInfo()};
        c.Methods = {
            Method<&TCustForm::FormCreate>("FormCreate"),
            Method<&TCustForm::UseProxyCheckBoxClick>("UseProxyCheckBoxClick"),
            Method<&TCustForm::UseIESettingsCheckBoxClick>("UseIESettingsCheckBoxClick"),
            Method<&TCustForm::ByPathProxyCheckBoxClick>("ByPathProxyCheckBoxClick"),
            Method<&TCustForm::LoginSSLModeCheckBoxClick>("LoginSSLModeCheckBoxClick"),
            Method<&TCustForm::ClientLogCheckBoxClick>("ClientLogCheckBoxClick"),
            Method<&TCustForm::SaveButtonClick>("SaveButtonClick"),
            Method<&TCustForm::CloseButtonClick>("CloseButtonClick"),
            Method<&TCustForm::ClientPathBtnClick>("ClientPathBtnClick"),
        };
        return c;
    }();
    return info;
}

const fw::TClassInfo& TCustForm::ClassInfo() const { return StaticClassInfo(); }

TCustForm::TCustForm(fw::TComponent* owner) : fw::TForm(owner) {}

namespace {
template <class T>
void Bind(const fw::TComponent& form, T*& field, const char* name)
{
    field = dynamic_cast<T*>(form.FindComponent(name));
    if (!field) throw fw::Exception(fw::FormatMessage1("Form resource TCustForm lacks the control %s", name));
}
} // namespace

void TCustForm::Loaded()
{
    fw::TForm::Loaded();
#define BIND(name) Bind(*this, name, #name)
    BIND(ProxyCustomBox); BIND(UseProxyCheckBox); BIND(ProxyPortLabel); BIND(ProxyEdit); BIND(ProxyServerLabel);
    BIND(ProxyServerEdit); BIND(OpenProxyDialogCheckBox); BIND(ProxyUserLabel); BIND(ProxyUserEdit);
    BIND(ProxyPasswordLabel); BIND(ProxyPasswordEdit); BIND(ProxyDomainLabel); BIND(ProxyDomainEdit);
    BIND(UseIESettingsCheckBox); BIND(ByPathProxyCheckBox); BIND(AcceptCompressedResponseCheckBox);
    BIND(LoginSSLModeCheckBox); BIND(SSLPortLabel); BIND(SSLPortEdit); BIND(IISCustBox); BIND(OpenIISDialogCheckBox);
    BIND(Label1); BIND(IISUserLabel); BIND(IISUserEdit); BIND(Label2); BIND(IISPasswordEdit); BIND(IISDomainLabel);
    BIND(IISDomainEdit); BIND(ClientLogBox); BIND(ClientLogCheckBox); BIND(ClientPathEdit); BIND(PathBtn);
    BIND(ConnectionTimeoutBox); BIND(WaitEdit); BIND(SecLabel); BIND(SaveButton); BIND(CloseButton);
#undef BIND
}

void TCustForm::FormCreate(fw::TComponent*)
{
    MigrateLegacySettings();
    TRegistrySettingsStore store;
    LoadSettings(store, settings_);
    FillControls();
}

void TCustForm::SetProxyControlsEnabled(bool enabled)
{
    ProxyPortLabel->SetEnabled(enabled);
    ProxyServerLabel->SetEnabled(enabled);
    ProxyEdit->SetEnabled(enabled);
    ProxyServerEdit->SetEnabled(enabled);
}

void TCustForm::SetSSLControlsEnabled(bool enabled)
{
    SSLPortLabel->SetEnabled(enabled);
    SSLPortEdit->SetEnabled(enabled);
}

void TCustForm::UseProxyCheckBoxClick(fw::TComponent*)
{
    if (!UseProxyCheckBox->Checked()) {
        SetProxyControlsEnabled(false);
        return;
    }
    SetProxyControlsEnabled(true);
    if (ProxyServerEdit->Text().empty()) ProxyServerEdit->SetText("localhost");
    if (ProxyEdit->Text().empty()) ProxyEdit->SetText("7777");
    ByPathProxyCheckBox->SetChecked(false);
    UseIESettingsCheckBox->SetChecked(false);
}

void TCustForm::UseIESettingsCheckBoxClick(fw::TComponent*)
{
    if (!UseIESettingsCheckBox->Checked()) return;
    UseProxyCheckBox->SetChecked(false);
    ProxyPortLabel->SetEnabled(false);
    ProxyServerLabel->SetEnabled(false);
    ProxyEdit->SetEnabled(false);
    ByPathProxyCheckBox->SetChecked(false);
    ProxyServerEdit->SetEnabled(false);
}

void TCustForm::ByPathProxyCheckBoxClick(fw::TComponent*)
{
    if (!ByPathProxyCheckBox->Checked()) return;
    UseProxyCheckBox->SetChecked(false);
    ProxyPortLabel->SetEnabled(false);
    ProxyServerLabel->SetEnabled(false);
    ProxyEdit->SetEnabled(false);
    UseIESettingsCheckBox->SetChecked(false);
    ProxyServerEdit->SetEnabled(false);
}

void TCustForm::LoginSSLModeCheckBoxClick(fw::TComponent*)
{
    const bool checked = LoginSSLModeCheckBox->Checked();
    SetSSLControlsEnabled(checked);
    if (checked && SSLPortEdit->Text().empty()) SSLPortEdit->SetText("443");
}

void TCustForm::ClientLogCheckBoxClick(fw::TComponent*) { settings_.ClientLog = ClientLogCheckBox->Checked(); }

void TCustForm::FillControls()
{
    const ConnectionSettings s = settings_;  // handlers run on the way and may change the record
    AcceptCompressedResponseCheckBox->SetChecked(s.AcceptCompressedResponse);
    LoginSSLModeCheckBox->SetChecked(s.LoginSSLMode);
    SetSSLControlsEnabled(LoginSSLModeCheckBox->Checked());
    ClientLogCheckBox->SetChecked(s.ClientLog);

    UseProxyCheckBox->SetChecked(s.UseProxy);
    if (UseProxyCheckBox->Checked()) {
        SetProxyControlsEnabled(true);
        UseIESettingsCheckBox->SetChecked(false);
    } else {
        SetProxyControlsEnabled(false);
    }
    UseIESettingsCheckBox->SetChecked(s.UseIEProxy);
    if (UseIESettingsCheckBox->Checked()) {
        UseProxyCheckBox->SetChecked(false);
        ByPathProxyCheckBox->SetChecked(false);
        SetProxyControlsEnabled(false);
    }
    ByPathProxyCheckBox->SetChecked(s.ByPathProxy);
    if (ByPathProxyCheckBox->Checked()) {
        UseProxyCheckBox->SetChecked(false);
        UseIESettingsCheckBox->SetChecked(false);
        SetProxyControlsEnabled(false);
    }

    SSLPortEdit->SetText(s.SSLPort);
    ProxyServerEdit->SetText(s.ProxyServer);
    ProxyEdit->SetText(s.ProxyPort);
    OpenProxyDialogCheckBox->SetChecked(s.OpenProxyDialog);
    OpenIISDialogCheckBox->SetChecked(s.OpenIISDialog);
    IISUserEdit->SetText(s.IISAuthUser);
    IISDomainEdit->SetText(s.IISDomain);
    IISPasswordEdit->SetText(s.IISAuthPswrd);
    ProxyUserEdit->SetText(s.ProxyAuthUser);
    ProxyDomainEdit->SetText(s.ProxyDomain);
    ProxyPasswordEdit->SetText(s.ProxyAuthPswrd);
    ClientPathEdit->SetText(s.ClientLogPath);
    WaitEdit->SetText(std::to_string(s.ConnectionTimeout));
}

void TCustForm::ReadControls()
{
    ConnectionSettings& s = settings_;
    s.AcceptCompressedResponse = AcceptCompressedResponseCheckBox->Checked();
    s.LoginSSLMode = LoginSSLModeCheckBox->Checked();
    s.SSLPort = SSLPortEdit->Text();
    s.ClientLog = ClientLogCheckBox->Checked();
    s.ByPathProxy = ByPathProxyCheckBox->Checked();
    s.UseProxy = UseProxyCheckBox->Checked();
    s.UseIEProxy = UseIESettingsCheckBox->Checked();
    s.ProxyServer = ProxyServerEdit->Text();
    s.ProxyPort = ProxyEdit->Text();
    s.OpenProxyDialog = OpenProxyDialogCheckBox->Checked();
    s.OpenIISDialog = OpenIISDialogCheckBox->Checked();
    s.IISAuthUser = IISUserEdit->Text();
    s.IISAuthPswrd = IISPasswordEdit->Text();
    s.IISDomain = IISDomainEdit->Text();
    s.ProxyAuthUser = ProxyUserEdit->Text();
    s.ProxyDomain = ProxyDomainEdit->Text();
    s.ProxyAuthPswrd = ProxyPasswordEdit->Text();
    if (const auto timeout = fw::TryStrToInt(WaitEdit->Text())) s.ConnectionTimeout = *timeout;
    else fw::Application().ShowMessageBox("Invalid Connection Customization Data", "Input Data Error", MB_OK);
}

void TCustForm::SaveButtonClick(fw::TComponent*)
{
    ReadControls();
    TRegistrySettingsStore store;
    ReportSaveProblems(SaveSettings(store, settings_, ClientPathEdit->Text()));
}

void TCustForm::ReportSaveProblems(const std::vector<SaveProblem>& problems)
{
    if (problems.empty()) return;
    std::string text = "These settings could not be saved:\r\n";
    for (const SaveProblem& problem : problems) {
        text += "\r\n" + problem.Section + "\\" + problem.ValueName;
        if (problem.Problem == SaveProblem::Kind::PasswordNotStorable)
            text += " (this password holds a character that cannot be stored; the previous password is kept)";
    }
    fw::Application().ShowMessageBox(text, Caption(), MB_OK | MB_ICONERROR);
}

void TCustForm::CloseButtonClick(fw::TComponent*) { Close(); }

void TCustForm::ClientPathBtnClick(fw::TComponent*)
{
    std::string folder = ClientPathEdit->Text();
    SetCurrentDirectoryA(folder.c_str());
    if (fw::SelectDirectory(folder, {fw::TSelectDirOpt::sdAllowCreate, fw::TSelectDirOpt::sdPerformCreate, fw::TSelectDirOpt::sdPrompt},
                            kFolderPickerHelpContext))
        ClientPathEdit->SetText(folder + "\\");
}
