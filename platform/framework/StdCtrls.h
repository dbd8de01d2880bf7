// The standard controls, each over the real Windows control: label (painted by its parent),
// group box, check box, single-line edit and push button.
#pragma once

#include "platform/framework/Controls.h"

namespace fw {

// Modal results, as buttons and forms carry them.
enum : std::int64_t { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    void Paint(HDC dc) override;

private:
    bool wordWrap_ = false;
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

// Its click handler runs whenever its state really changes: by the user or from code.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void CommandNotify(WORD code) override;

private:
    bool checked_ = false;
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // 0 for plain text, else the character every typed character shows as.
    std::int64_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(std::int64_t character);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    HBRUSH CtlColor(HDC dc) override;

private:
    std::int64_t passwordChar_ = 0;
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // Pressed by Enter / by Escape anywhere on its form.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    std::int64_t ModalResult() const { return modalResult_; }
    void SetModalResult(std::int64_t result) { modalResult_ = result; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CommandNotify(WORD code) override;

private:
    bool default_ = false, cancel_ = false;
    std::int64_t modalResult_ = mrNone;
};

// Registers the standard controls for streaming.
void RegisterStandardControls();

} // namespace fw
