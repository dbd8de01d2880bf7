// The program's dialog: shows the connection settings, keeps the three proxy modes mutually
// exclusive while the user edits, and writes the settings back on Save.
#pragma once

#include "app/ConnectionSettings.h"
#include "platform/framework/Forms.h"

class TCustForm : public fw::TForm {
public:
    explicit TCustForm(fw::TComponent* owner);
    const fw::TClassInfo& ClassInfo() const override;
    static const fw::TClassInfo& StaticClassInfo();

    const ConnectionSettings& Settings() const { return settings_; }

    // Event handlers the form resource binds.
    void FormCreate(fw::TComponent* sender);
    void UseProxyCheckBoxClick(fw::TComponent* sender);
    void UseIESettingsCheckBoxClick(fw::TComponent* sender);
    void ByPathProxyCheckBoxClick(fw::TComponent* sender);
    void LoginSSLModeCheckBoxClick(fw::TComponent* sender);
    void ClientLogCheckBoxClick(fw::TComponent* sender);
    void SaveButtonClick(fw::TComponent* sender);
    void CloseButtonClick(fw::TComponent* sender);
    void ClientPathBtnClick(fw::TComponent* sender);

    // The controls, bound by name once the form resource is read.
    fw::TGroupBox* ProxyCustomBox = nullptr;
    fw::TCheckBox* UseProxyCheckBox = nullptr;
    fw::TLabel* ProxyPortLabel = nullptr;
    fw::TEdit* ProxyEdit = nullptr;
    fw::TLabel* ProxyServerLabel = nullptr;
    fw::TEdit* ProxyServerEdit = nullptr;
    fw::TCheckBox* OpenProxyDialogCheckBox = nullptr;
    fw::TLabel* ProxyUserLabel = nullptr;
    fw::TEdit* ProxyUserEdit = nullptr;
    fw::TLabel* ProxyPasswordLabel = nullptr;
    fw::TEdit* ProxyPasswordEdit = nullptr;
    fw::TLabel* ProxyDomainLabel = nullptr;
    fw::TEdit* ProxyDomainEdit = nullptr;
    fw::TCheckBox* UseIESettingsCheckBox = nullptr;
    fw::TCheckBox* ByPathProxyCheckBox = nullptr;
    fw::TCheckBox* AcceptCompressedResponseCheckBox = nullptr;
    fw::TCheckBox* LoginSSLModeCheckBox = nullptr;
    fw::TLabel* SSLPortLabel = nullptr;
    fw::TEdit* SSLPortEdit = nullptr;
    fw::TGroupBox* IISCustBox = nullptr;
    fw::TCheckBox* OpenIISDialogCheckBox = nullptr;
    fw::TLabel* Label1 = nullptr;
    fw::TLabel* IISUserLabel = nullptr;
    fw::TEdit* IISUserEdit = nullptr;
    fw::TLabel* Label2 = nullptr;
    fw::TEdit* IISPasswordEdit = nullptr;
    fw::TLabel* IISDomainLabel = nullptr;
    fw::TEdit* IISDomainEdit = nullptr;
    fw::TGroupBox* ClientLogBox = nullptr;
    fw::TCheckBox* ClientLogCheckBox = nullptr;
    fw::TEdit* ClientPathEdit = nullptr;
    fw::TButton* PathBtn = nullptr;
    fw::TGroupBox* ConnectionTimeoutBox = nullptr;
    fw::TEdit* WaitEdit = nullptr;
    fw::TLabel* SecLabel = nullptr;
    fw::TButton* SaveButton = nullptr;
    fw::TButton* CloseButton = nullptr;

protected:
    void Loaded() override;

private:
    void FillControls();
    void ReadControls();
    void SetProxyControlsEnabled(bool enabled);
    void SetSSLControlsEnabled(bool enabled);
    void ReportSaveProblems(const std::vector<SaveProblem>& problems);

    ConnectionSettings settings_;
};
