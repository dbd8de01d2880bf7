#include "platform/framework/StdCtrls.h"

#include "platform/framework/Forms.h"

namespace fw {

namespace {
template <class T>
TComponent* Creator(TComponent* owner)
{
    return new T(owner);
}
} // namespace

// ---- TLabel ---------------------------------------------------------------------------------

const TClassInfo& TLabel::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TLabel", &TGraphicControl::StaticClassInfo()};
        c.Properties = {TextProperty("Caption"),
                        Prop<bool>("WordWrap", TPropertyType::Boolean, &TLabel::WordWrap, &TLabel::SetWordWrap, false)};
        c.Create = Creator<TLabel>;
        return c;
    }();
    return info;
}
const TClassInfo& TLabel::ClassInfo() const { return StaticClassInfo(); }

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

void TLabel::SetWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    Invalidate();
}

void TLabel::Paint(HDC dc)
{
    RECT rect = BoundsRect();
    const UINT format = DT_LEFT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    const HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    const std::string caption = Caption();
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(Font().Color()));
        DrawTextA(dc, caption.c_str(), -1, &rect, format);
    } else {
        // The engraved look of disabled text.
        OffsetRect(&rect, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, caption.c_str(), -1, &rect, format);
        OffsetRect(&rect, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        DrawTextA(dc, caption.c_str(), -1, &rect, format);
    }
    SelectObject(dc, oldFont);
}

// ---- TGroupBox ------------------------------------------------------------------------------

const TClassInfo& TGroupBox::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TGroupBox", &TWinControl::StaticClassInfo()};
        c.Properties = {TextProperty("Caption")};
        c.Create = Creator<TGroupBox>;
        return c;
    }();
    return info;
}
const TClassInfo& TGroupBox::ClassInfo() const { return StaticClassInfo(); }

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {}

void TGroupBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

LRESULT TGroupBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(Handle(), &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, CtlColor(reinterpret_cast<HDC>(wParam)));
        return 1;
    }
    case WM_NCHITTEST:
        // A group box answers "transparent"; its children sit inside it, so it is a client area.
        return HTCLIENT;
    default:
        return TWinControl::WndProc(message, wParam, lParam);
    }
}

// ---- TCheckBox ------------------------------------------------------------------------------

const TClassInfo& TCheckBox::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TCheckBox", &TWinControl::StaticClassInfo()};
        c.Properties = {TextProperty("Caption"),
                        Prop<bool>("Checked", TPropertyType::Boolean, &TCheckBox::Checked, &TCheckBox::SetChecked, false),
                        c.Redeclare("TabStop", true)};
        c.Create = Creator<TCheckBox>;
        return c;
    }();
    return info;
}
const TClassInfo& TCheckBox::ClassInfo() const { return StaticClassInfo(); }

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    // Not an automatic check box: the state changes only through SetChecked, which runs the handler.
    params.Style |= BS_CHECKBOX;
}

void TCheckBox::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked)
{
    if (checked == checked_) return;
    checked_ = checked;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!InState(csLoading)) Click();
}

void TCheckBox::CommandNotify(WORD code)
{
    if (code == BN_CLICKED) SetChecked(!checked_);
}

// ---- TEdit ----------------------------------------------------------------------------------

const TClassInfo& TEdit::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TEdit", &TWinControl::StaticClassInfo()};
        c.Properties = {TextProperty("Text"),
                        Prop<std::int64_t>("PasswordChar", TPropertyType::Integer, &TEdit::PasswordChar,
                                           &TEdit::SetPasswordChar, 0),
                        c.Redeclare("TabStop", true), c.Redeclare("ParentColor", false),
                        c.Redeclare("Color", std::int64_t{clWindow})};
        c.Create = Creator<TEdit>;
        return c;
    }();
    return info;
}
const TClassInfo& TEdit::ClassInfo() const { return StaticClassInfo(); }

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (passwordChar_) params.Style |= ES_PASSWORD;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);  // no length limit
    if (passwordChar_) SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<WPARAM>(passwordChar_), 0);
}

void TEdit::SetPasswordChar(std::int64_t character)
{
    passwordChar_ = character & 0xFF;
    if (HandleAllocated()) {
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<WPARAM>(passwordChar_), 0);
        Invalidate();
    }
}

HBRUSH TEdit::CtlColor(HDC dc)
{
    HBRUSH brush = TWinControl::CtlColor(dc);
    if (!Enabled()) {
        // A disabled edit shows the face colour, as the system draws it.
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    return brush;
}

// ---- TButton --------------------------------------------------------------------------------

const TClassInfo& TButton::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TButton", &TWinControl::StaticClassInfo()};
        c.Properties = {
            TextProperty("Caption"),
            Prop<bool>("Default", TPropertyType::Boolean, &TButton::Default, &TButton::SetDefault, false),
            Prop<bool>("Cancel", TPropertyType::Boolean, &TButton::Cancel, &TButton::SetCancel, false),
            Prop<std::int64_t>("ModalResult", TPropertyType::Integer, &TButton::ModalResult, &TButton::SetModalResult,
                               std::int64_t{mrNone}),
            c.Redeclare("TabStop", true),
        };
        c.Create = Creator<TButton>;
        return c;
    }();
    return info;
}
const TClassInfo& TButton::ClassInfo() const { return StaticClassInfo(); }

TButton::TButton(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClassName = "BUTTON";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (modalResult_ != mrNone)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::CommandNotify(WORD code)
{
    if (code == BN_CLICKED) Click();
}

void RegisterStandardControls()
{
    RegisterComponentClass(TLabel::StaticClassInfo());
    RegisterComponentClass(TGroupBox::StaticClassInfo());
    RegisterComponentClass(TCheckBox::StaticClassInfo());
    RegisterComponentClass(TEdit::StaticClassInfo());
    RegisterComponentClass(TButton::StaticClassInfo());
}

} // namespace fw
