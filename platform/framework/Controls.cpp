#include "platform/framework/Controls.h"

#include "platform/framework/Exception.h"
#include "platform/framework/Forms.h"

#include <algorithm>
#include <map>

namespace fw {

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

namespace {

// The control whose window is being created: bound at its first message.
thread_local TWinControl* t_creating = nullptr;

constexpr const char* kNameProperty = "FwComponentName";

// The default procedures of the system classes our superclasses are made from, by our class name.
std::map<std::string, WNDPROC>& DefaultProcs()
{
    static std::map<std::string, WNDPROC> procs;
    return procs;
}

WNDPROC RegisterWindowClass(const TCreateParams& params)
{
    auto& procs = DefaultProcs();
    if (auto known = procs.find(params.WinClassName); known != procs.end()) return known->second;
    WNDCLASSEXA wc{sizeof wc};
    WNDPROC defaultProc = DefWindowProcA;
    if (!params.SystemClassName.empty()) {
        if (!GetClassInfoExA(nullptr, params.SystemClassName.c_str(), &wc))
            throw Exception(FormatMessage1("No system window class %s", params.SystemClassName));
        defaultProc = wc.lpfnWndProc;
        wc.cbSize = sizeof wc;
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = nullptr;
    }
    wc.lpfnWndProc = RouteMessage;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception(FormatMessage1("Cannot register the window class %s", params.WinClassName));
    procs[params.WinClassName] = defaultProc;
    return defaultProc;
}

WNDPROC DefaultProcOf(HWND window)
{
    char name[256];
    GetClassNameA(window, name, sizeof name);
    const auto known = DefaultProcs().find(name);
    return known == DefaultProcs().end() ? DefWindowProcA : known->second;
}

} // namespace

LRESULT CALLBACK RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control && t_creating) {
        control = t_creating;
        t_creating = nullptr;
        control->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    if (!control) return CallWindowProcA(DefaultProcOf(window), window, message, wParam, lParam);
    try {
        return control->WndProc(message, wParam, lParam);
    } catch (...) {
        // No exception may leave a window procedure.
        Application().HandleException(std::current_exception());
        return 0;
    }
}

// ---- TControl -------------------------------------------------------------------------------

TPropertyInfo TControl::TextProperty(const char* name)
{
    TPropertyInfo info;
    info.Name = name;
    info.Type = TPropertyType::String;
    info.Get = [](const TPersistent& self) { return TPropertyValue(static_cast<const TControl&>(self).Text()); };
    info.Set = [](TPersistent& self, const TPropertyValue& value) {
        static_cast<TControl&>(self).SetText(std::get<std::string>(value));
    };
    info.Default = TPropertyValue(std::string());
    return info;
}

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TControl", &TComponent::StaticClassInfo()};
        using T = TControl;
        c.Properties = {
            Prop<std::int64_t>("Left", TPropertyType::Integer, &T::Left, &T::SetLeft),
            Prop<std::int64_t>("Top", TPropertyType::Integer, &T::Top, &T::SetTop),
            Prop<std::int64_t>("Width", TPropertyType::Integer, &T::Width, &T::SetWidth),
            Prop<std::int64_t>("Height", TPropertyType::Integer, &T::Height, &T::SetHeight),
            Prop<bool>("Enabled", TPropertyType::Boolean, &T::Enabled, &T::SetEnabled, true),
            Prop<bool>("Visible", TPropertyType::Boolean, &T::Visible, &T::SetVisible, true),
            Prop<bool>("ParentColor", TPropertyType::Boolean, &T::ParentColor, &T::SetParentColor, true),
            Prop<std::int64_t>("Color", TPropertyType::Integer, &T::Color, &T::SetColor),
            Prop<bool>("ParentFont", TPropertyType::Boolean, &T::ParentFont, &T::SetParentFont, true),
            Prop<std::int64_t>("HelpContext", TPropertyType::Integer, &T::HelpContext, &T::SetHelpContext, 0),
            Prop<std::string>("Hint", TPropertyType::String, &T::Hint, &T::SetHint, std::string()),
            Prop<TNotifyEvent>("OnClick", TPropertyType::Event, &T::GetOnClick, &T::SetOnClick),
        };
        // Colour and font are written only where they are the control's own.
        for (auto& p : c.Properties)
            if (p.Name == "Color")
                p.Stored = [](const TPersistent& self) { return !static_cast<const T&>(self).ParentColor(); };
        TPropertyInfo font;
        font.Name = "Font";
        font.Type = TPropertyType::Object;
        font.Get = [](const TPersistent& self) {
            return TPropertyValue(static_cast<TPersistent*>(&const_cast<T&>(static_cast<const T&>(self)).Font()));
        };
        font.Stored = [](const TPersistent& self) { return !static_cast<const T&>(self).ParentFont(); };
        c.Properties.push_back(std::move(font));
        return c;
    }();
    return info;
}

const TClassInfo& TControl::ClassInfo() const { return StaticClassInfo(); }

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this] {
        if (!inheriting_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

TComponent* TControl::ParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) { SetParent(dynamic_cast<TWinControl*>(parent)); }

TCustomForm* TControl::ParentForm() const
{
    const TControl* control = this;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    Invalidate();
}

RECT TControl::BoundsRect() const
{
    return RECT{static_cast<LONG>(left_), static_cast<LONG>(top_), static_cast<LONG>(left_ + width_),
                static_cast<LONG>(top_ + height_)};
}

void TControl::SetText(const std::string& text)
{
    if (text == text_) return;
    text_ = text;
    TextChanged();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_) return;
    Invalidate();
    visible_ = visible;
    VisibleChanged();
}

void TControl::SetParentFont(bool value)
{
    parentFont_ = value;
    if (value) ParentFontChanged();
}

void TControl::SetColor(std::int64_t color)
{
    parentColor_ = false;
    if (static_cast<TColor>(color) == color_) return;
    color_ = static_cast<TColor>(color);
    ColorChanged();
}

void TControl::SetParentColor(bool value)
{
    parentColor_ = value;
    if (value) ParentColorChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_) return;
    inheriting_ = true;
    font_.Assign(parent_->Font());
    inheriting_ = false;
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_ || color_ == parent_->Color()) return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::Invalidate() {}

// ---- TGraphicControl ------------------------------------------------------------------------

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo()};
    return info;
}

const TClassInfo& TGraphicControl::ClassInfo() const { return StaticClassInfo(); }

void TGraphicControl::Invalidate()
{
    if (Parent() && Parent()->HandleAllocated() && Visible()) {
        const RECT bounds = BoundsRect();
        InvalidateRect(Parent()->Handle(), &bounds, TRUE);
    }
}

// ---- TWinControl ----------------------------------------------------------------------------

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo c{"TWinControl", &TControl::StaticClassInfo()};
        c.Properties = {
            Prop<std::int64_t>("TabOrder", TPropertyType::Integer, &TWinControl::TabOrder, &TWinControl::SetTabOrder,
                               -1),
            Prop<bool>("TabStop", TPropertyType::Boolean, &TWinControl::TabStop, &TWinControl::SetTabStop, false),
        };
        return c;
    }();
    return info;
}

const TClassInfo& TWinControl::ClassInfo() const { return StaticClassInfo(); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    DestroyHandle();
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
    if (brush_) DeleteObject(brush_);
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && handle_) windowed->Handle();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    control->Invalidate();
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
}

std::vector<TWinControl*> TWinControl::TabOrderedChildren() const
{
    std::vector<TWinControl*> children;
    for (TControl* control : controls_)
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) children.push_back(windowed);
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        const auto order = [](TWinControl* c) { return c->tabOrder_ < 0 ? INT64_MAX : c->tabOrder_; };
        return order(a) < order(b);
    });
    return children;
}

void TWinControl::SetTabStop(bool stop)
{
    tabStop_ = stop;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
        style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(handle_, GWL_STYLE, style);
    }
}

HWND TWinControl::Handle()
{
    if (!handle_) {
        if (Parent()) Parent()->Handle();  // creates this window among its siblings
        if (!handle_) CreateWnd();
    }
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.WinClassName = ClassName();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = static_cast<int>(Left());
    params.Y = static_cast<int>(Top());
    params.Width = static_cast<int>(Width());
    params.Height = static_cast<int>(Height());
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (params.WndParent == nullptr && (params.Style & WS_CHILD))
        throw Exception(FormatMessage1("Control '%s' has no parent window", Name()));
    defaultProc_ = RegisterWindowClass(params);
    t_creating = this;
    const HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), text_.c_str(), params.Style,
                                        params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                        ModuleInstance(), nullptr);
    t_creating = nullptr;
    if (!window) throw Exception(FormatMessage1("Error creating window of %s", Name()));
    handle_ = window;
    if (!Name().empty()) SetPropA(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomA(Name().c_str()))));
    HandleCreated();
    CreateChildHandles();
}

void TWinControl::HandleCreated()
{
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::CreateChildHandles()
{
    for (TWinControl* child : TabOrderedChildren())
        if (!child->handle_) child->CreateWnd();
}

void TWinControl::DestroyHandle()
{
    if (!handle_) return;
    const HWND window = handle_;
    if (InState(csDestroying)) {
        // This object is going: its window must not route messages to it any more.
        for (TControl* control : controls_)
            if (auto* child = dynamic_cast<TWinControl*>(control)) child->DestroyHandle();
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(window, kNameProperty))))
            GlobalDeleteAtom(atom);
        handle_ = nullptr;
    }
    DestroyWindow(window);
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    if (!window) return nullptr;
    char name[256];
    GetClassNameA(window, name, sizeof name);
    if (!DefaultProcs().count(name)) return nullptr;
    return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void TWinControl::SetBounds(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    TControl::SetBounds(left, top, width, height);
    if (handle_)
        MoveWindow(handle_, static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                   static_cast<int>(height), TRUE);
}

std::string TWinControl::Text() const
{
    if (!handle_) return text_;
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetText(const std::string& text)
{
    text_ = text;
    if (handle_) SetWindowTextA(handle_, text.c_str());
    TextChanged();
}

void TWinControl::SetEnabled(bool enabled)
{
    TControl::SetEnabled(enabled);
    if (handle_) EnableWindow(handle_, enabled);
}

void TWinControl::SetVisible(bool visible)
{
    TControl::SetVisible(visible);
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::Invalidate()
{
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

RECT TWinControl::ClientRect()
{
    RECT rect{0, 0, static_cast<LONG>(Width()), static_cast<LONG>(Height())};
    if (handle_) GetClientRect(handle_, &rect);
    return rect;
}

void TWinControl::FontChanged()
{
    if (handle_) {
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
        Invalidate();
    }
    for (TControl* control : controls_) control->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    Invalidate();
    for (TControl* control : controls_) control->ParentColorChanged();
}

HBRUSH TWinControl::Brush()
{
    const COLORREF color = ColorToRGB(Color());
    if (!brush_ || brushColor_ != color) {
        if (brush_) DeleteObject(brush_);
        brush_ = CreateSolidBrush(color);
        brushColor_ = color;
    }
    return brush_;
}

HBRUSH TWinControl::CtlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    return Brush();
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* control : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(control);
        if (!graphic || !graphic->Visible()) continue;
        const int saved = SaveDC(dc);
        const RECT bounds = graphic->BoundsRect();
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        graphic->Paint(dc);
        RestoreDC(dc, saved);
    }
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = handle_;
    return CallWindowProcA(defaultProc_ ? defaultProc_ : DefWindowProcA, window, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam) {
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->CommandNotify(HIWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_NOTIFY:
        if (auto* header = reinterpret_cast<NMHDR*>(lParam))
            if (TWinControl* child = FromHandle(header->hwndFrom)) {
                LRESULT result = 0;
                if (child->NotifyReflected(*header, result)) return result;
            }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_ERASEBKGND:
        if (defaultProc_ == DefWindowProcA) {
            RECT rect;
            GetClientRect(handle_, &rect);
            FillRect(reinterpret_cast<HDC>(wParam), &rect, Brush());
            return 1;
        }
        break;
    case WM_PAINT: {
        const bool hasGraphic = std::any_of(controls_.begin(), controls_.end(),
                                            [](TControl* c) { return dynamic_cast<TGraphicControl*>(c) != nullptr; });
        if (!hasGraphic && defaultProc_ != DefWindowProcA) break;
        PAINTSTRUCT ps{};
        const HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(handle_, &ps);
        if (defaultProc_ != DefWindowProcA) DefaultHandler(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        PaintControls(dc);
        if (!wParam) EndPaint(handle_, &ps);
        return 0;
    }
    case WM_NCDESTROY: {
        const HWND window = handle_;
        const LRESULT result = DefaultHandler(message, wParam, lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(window, kNameProperty))))
            GlobalDeleteAtom(atom);
        handle_ = nullptr;
        return result;
    }
    default:
        break;
    }
    return DefaultHandler(message, wParam, lParam);
}

} // namespace fw
