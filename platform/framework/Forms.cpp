#include "platform/framework/Forms.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Exception.h"
#include "platform/framework/FormStreaming.h"

#include <algorithm>

namespace fw {

namespace {
TModalDisplay g_modalDisplay = PlainModalDisplay;

template <class T>
TComponent* Creator(TComponent* owner)
{
    return new T(owner);
}

// The buttons of a form and its panels, depth first.
template <class Visit>
void ForEachControl(TWinControl& parent, Visit visit)
{
    for (TControl* control : parent.Controls()) {
        visit(*control);
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) ForEachControl(*windowed, visit);
    }
}
} // namespace

void SetModalDisplay(TModalDisplay display) { g_modalDisplay = display ? display : PlainModalDisplay; }
TModalDisplay ModalDisplay() { return g_modalDisplay; }

std::int64_t PlainModalDisplay(TCustomForm& form)
{
    if (form.Visible() || !form.Enabled() || form.Modal()) throw Exception("Cannot make a visible window modal");
    const HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    for (TCustomForm* other : Screen().Forms())
        if (other != &form && other->HandleAllocated() && IsWindowVisible(other->Handle()) &&
            IsWindowEnabled(other->Handle())) {
            disabled.push_back(other->Handle());
            EnableWindow(other->Handle(), FALSE);
        }
    form.SetModal(true);
    auto restore = [&] {
        form.Hide();
        for (HWND window : disabled)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        if (active && IsWindow(active)) SetActiveWindow(active);
        form.SetModal(false);
    };
    try {
        form.Show();
        form.RunModalLoop();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return form.ModalResult();
}

// ---- TCustomForm ----------------------------------------------------------------------------

const TClassInfo& TCustomForm::StaticClassInfo()
{
    static const TClassInfo info = [] {
        using T = TCustomForm;
        TClassInfo c{"TCustomForm", &TWinControl::StaticClassInfo()};
        c.Properties = {
            TextProperty("Caption"),
            EnumProp("BorderStyle", &T::BorderStyle, &T::SetBorderStyle,
                     {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                     TFormBorderStyle::bsSizeable),
            EnumProp("Position", &T::Position, &T::SetPosition,
                     {"poDesigned", "poDefault", "poScreenCenter", "poMainFormCenter", "poOwnerFormCenter"},
                     TPosition::poDesigned),
            EnumProp("FormStyle", &T::FormStyle, &T::SetFormStyle, {"fsNormal", "fsStayOnTop"}, TFormStyle::fsNormal),
            Prop<std::int64_t>("ClientWidth", TPropertyType::Integer, &T::ClientWidth, &T::SetClientWidth),
            Prop<std::int64_t>("ClientHeight", TPropertyType::Integer, &T::ClientHeight, &T::SetClientHeight),
            Prop<TComponent*>("ActiveControl", TPropertyType::Component, &T::GetActiveControl, &T::SetActiveControl),
            Prop<TNotifyEvent>("OnCreate", TPropertyType::Event, &T::GetOnCreate, &T::SetOnCreate),
            c.Redeclare("Visible", false),
            c.Redeclare("ParentColor", false),
            c.Redeclare("Color", std::int64_t{clBtnFace}),
            c.Redeclare("ParentFont", false),
        };
        return c;
    }();
    return info;
}
const TClassInfo& TCustomForm::ClassInfo() const { return StaticClassInfo(); }

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TForm", &TCustomForm::StaticClassInfo()};
        c.Create = Creator<TForm>;
        return c;
    }();
    return info;
}
const TClassInfo& TForm::ClassInfo() const { return StaticClassInfo(); }

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    Screen().forms_.push_back(this);
}

TCustomForm::~TCustomForm()
{
    auto& forms = Screen().forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Screen().activeForm_ == this) Screen().activeForm_ = nullptr;
    if (Screen().focusedForm_ == this) Screen().focusedForm_ = nullptr;
    if (Application().mainForm_ == this) Application().mainForm_ = nullptr;
    DestroyHandle();
}

void RegisterFrameworkClasses()
{
    static const bool registered = [] {
        RegisterStandardControls();
        RegisterComponentClass(TForm::StaticClassInfo());
        const std::pair<const char*, std::int64_t> constants[] = {
            {"clBtnFace", clBtnFace},     {"clWindow", clWindow},       {"clWindowText", clWindowText},
            {"clBtnText", clBtnText},     {"clGrayText", clGrayText},   {"clBtnHighlight", clBtnHighlight},
            {"clBtnShadow", clBtnShadow}, {"clBlack", clBlack},         {"clWhite", clWhite},
            {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"ANSI_CHARSET", ANSI_CHARSET},
        };
        for (const auto& [name, value] : constants) RegisterIntegerIdentifier(name, value);
        return true;
    }();
    (void)registered;
}

void TCustomForm::InitializeNewForm()
{
    RegisterFrameworkClasses();
    const std::string name = ClassName();
    if (HRSRC resource = FindResourceA(ModuleInstance(), name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */)) {
        const HGLOBAL data = LoadResource(ModuleInstance(), resource);
        const char* text = static_cast<const char*>(LockResource(data));
        const DWORD size = SizeofResource(ModuleInstance(), resource);
        if (!text) throw Exception("Resource " + name + " cannot be read");
        ReadComponentResource(*this, std::string_view(text, size), name);
    }
    try {
        OnCreate(this);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
}

DWORD TCustomForm::WindowStyle() const
{
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: return WS_POPUP;
    case TFormBorderStyle::bsSingle: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    case TFormBorderStyle::bsSizeable: return WS_POPUP | WS_OVERLAPPEDWINDOW;
    case TFormBorderStyle::bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    case TFormBorderStyle::bsToolWindow: return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case TFormBorderStyle::bsSizeToolWin: return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    }
    return WS_POPUP;
}

DWORD TCustomForm::WindowExStyle() const
{
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (borderStyle_ == TFormBorderStyle::bsDialog) exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        exStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == TFormStyle::fsStayOnTop) exStyle |= WS_EX_TOPMOST;
    return exStyle;
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WindowStyle() | WS_CLIPCHILDREN;
    params.ExStyle = WindowExStyle();
    params.WndParent = nullptr;
    TCustomForm* main = Application().MainForm();
    if (main && main != this && main->HandleAllocated()) params.WndParent = main->Handle();
    // A modal form belongs to the form that was active when it came up.
    TCustomForm* active = Screen().ActiveForm();
    if (modal_ && active && active != this && active->HandleAllocated()) params.WndParent = active->Handle();
}

void TCustomForm::HandleCreated()
{
    TWinControl::HandleCreated();
    UpdateWindowSize();
}

void TCustomForm::UpdateWindowSize()
{
    if (clientWidth_ <= 0 && clientHeight_ <= 0) return;
    RECT rect{0, 0, static_cast<LONG>(clientWidth_), static_cast<LONG>(clientHeight_)};
    AdjustWindowRectEx(&rect, WindowStyle(), FALSE, WindowExStyle());
    TWinControl::SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    borderStyle_ = style;
    if (HandleAllocated()) {
        SetWindowLongPtrA(Handle(), GWL_STYLE,
                          static_cast<LONG_PTR>(WindowStyle() | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0)));
        SetWindowLongPtrA(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(WindowExStyle()));
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    UpdateWindowSize();
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetClientWidth(std::int64_t width)
{
    clientWidth_ = width;
    UpdateWindowSize();
}

void TCustomForm::SetClientHeight(std::int64_t height)
{
    clientHeight_ = height;
    UpdateWindowSize();
}

void TCustomForm::SetActiveControl(TComponent* control)
{
    if (activeControl_) activeControl_->RemoveFreeNotification(this);
    activeControl_ = dynamic_cast<TWinControl*>(control);
    if (activeControl_) {
        FreeNotification(activeControl_);
        if (HandleAllocated() && IsWindowVisible(Handle()) && !InState(csLoading)) activeControl_->SetFocus();
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::ApplyPosition()
{
    int x = static_cast<int>(Left()), y = static_cast<int>(Top());
    const int width = static_cast<int>(Width()), height = static_cast<int>(Height());
    TCustomForm* main = Application().MainForm();
    if (position_ == TPosition::poScreenCenter || (position_ == TPosition::poMainFormCenter && (!main || main == this))) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    } else if (position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        RECT owner{};
        GetWindowRect(main->Handle(), &owner);
        x = owner.left + (owner.right - owner.left - width) / 2;
        y = owner.top + (owner.bottom - owner.top - height) / 2;
    }
    TWinControl::SetBounds(x, y, width, height);
}

void TCustomForm::SetVisible(bool visible)
{
    if (visible == Visible() && (!visible || (HandleAllocated() && IsWindowVisible(Handle())))) return;
    TControl::SetVisible(visible);
    if (InState(csLoading)) return;
    if (visible) {
        const HWND window = Handle();
        ApplyPosition();
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        if (activeControl_) {
            activeControl_->SetFocus();
        } else if (const HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
            ::SetFocus(first);
        }
    } else if (HandleAllocated()) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::Show() { SetVisible(true); }

std::int64_t TCustomForm::ShowModal() { return ModalDisplay()(*this); }

void TCustomForm::RunModalLoop()
{
    modalResult_ = mrNone;
    while (modalResult_ == mrNone) {
        if (Application().Terminated()) {
            modalResult_ = mrCancel;
            break;
        }
        Application().HandleMessage();
    }
}

void TCustomForm::Close()
{
    if (modal_) modalResult_ = mrCancel;
    else if (Application().MainForm() == this) Application().Terminate();
    else Hide();
}

bool TCustomForm::PressDialogKey(bool enter)
{
    TButton* target = nullptr;
    ForEachControl(*this, [&](TControl& control) {
        auto* button = dynamic_cast<TButton*>(&control);
        if (!target && button && button->Visible() && button->Enabled() && (enter ? button->Default() : button->Cancel()))
            target = button;
    });
    if (target) target->Click();
    return target != nullptr;
}

LRESULT TCustomForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_COMMAND:
        // Enter and Escape, as the dialog-key handling of the message loop reports them.
        if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            PressDialogKey(LOWORD(wParam) == IDOK);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            Screen().activeForm_ = this;
            Screen().focusedForm_ = this;
            if (activeControl_ && activeControl_->HandleAllocated() && IsWindowVisible(activeControl_->Handle()))
                ::SetFocus(activeControl_->Handle());
            return 0;
        } else {
            if (TWinControl* focused = TWinControl::FromHandle(GetFocus()); focused && focused->ParentForm() == this)
                SetActiveControl(focused);
        }
        break;
    case WM_HELP: {
        // The help context of the control with the focus, or of the nearest parent that has one.
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        for (TControl* control = TWinControl::FromHandle(static_cast<HWND>(info->hItemHandle)); control;
             control = control->Parent())
            if (control->HelpContext() != 0) {
                Application().HelpContext(control->HelpContext());
                return TRUE;
            }
        return TRUE;
    }
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// ---- TApplication ---------------------------------------------------------------------------

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication()
{
    SetStateFlag(csDestroying, true);
    DestroyComponents();
    if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize()
{
    if (!handle_) {
        WNDCLASSEXA wc{sizeof wc};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = "TApplication";
        RegisterClassExA(&wc);
        handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, ModuleInstance(), nullptr);
    }
    if (InitProc) InitProc();
}

void TApplication::Run()
{
    if (mainForm_ && !terminated_) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate()
{
    if (!terminated_) PostQuitMessage(0);
    terminated_ = true;
}

bool TApplication::IsDialogKey(MSG& message)
{
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || !dynamic_cast<TCustomForm*>(TWinControl::FromHandle(root))) return false;
    return IsDialogMessageA(root, &message) != FALSE;
}

bool TApplication::ProcessMessage()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!IsDialogKey(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage()) WaitMessage();
}

void TApplication::HandleException(std::exception_ptr error)
{
    if (OnException) {
        OnException(error);
        return;
    }
    std::string text = "Unknown error";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    ::MessageBoxA(GetActiveWindow(), text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
}

bool TApplication::HelpContext(std::int64_t context) { return OnHelp ? OnHelp(context) : false; }

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    return MessageDlgBox(text, caption, flags);
}

// ---- TScreen --------------------------------------------------------------------------------

TWinControl* TScreen::ActiveControl() const { return TWinControl::FromHandle(GetFocus()); }

void TScreen::SetCursor(HCURSOR cursor)
{
    cursor_ = cursor;
    ::SetCursor(cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

TApplication& Application()
{
    static TApplication application(nullptr);
    return application;
}

TScreen& Screen()
{
    static TScreen screen(nullptr);
    return screen;
}

} // namespace fw
