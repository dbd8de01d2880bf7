// Controls: TControl (position, size, caption, enabled, visible, font, colour, help), the
// non-windowed TGraphicControl painted by its parent, and TWinControl, which owns a real
// window. One window procedure routes every message to the object bound to the window;
// notifications (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, colour messages) are reflected to the
// control they concern. Windows of our controls have a class named after the C++ class; a
// control over a system control (BUTTON, EDIT, ...) uses a superclass of it.
#pragma once

#include "platform/framework/Graphics.h"

#include <windows.h>

#include <string>
#include <vector>

namespace fw {

class TWinControl;
class TCustomForm;

// The window procedure of every window of ours.
LRESULT CALLBACK RouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The framework's own notifications.
inline constexpr UINT CM_ACTIVATE = 0xB000;
inline constexpr UINT CM_DEACTIVATE = 0xB001;
inline constexpr UINT CM_EXIT = 0xB01B;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TComponent* ParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    // The form this control sits on, or nullptr.
    TCustomForm* ParentForm() const;

    std::int64_t Left() const { return left_; }
    std::int64_t Top() const { return top_; }
    std::int64_t Width() const { return width_; }
    std::int64_t Height() const { return height_; }
    void SetLeft(std::int64_t v) { SetBounds(v, top_, width_, height_); }
    void SetTop(std::int64_t v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(std::int64_t v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(std::int64_t v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);
    RECT BoundsRect() const;

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& text);

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(std::int64_t color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    std::int64_t HelpContext() const { return helpContext_; }
    void SetHelpContext(std::int64_t context) { helpContext_ = context; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }

    TNotifyEvent OnClick;
    TNotifyEvent GetOnClick() const { return OnClick; }
    void SetOnClick(TNotifyEvent e) { OnClick = std::move(e); }

    // Runs the click handler.
    virtual void Click() { OnClick(this); }
    virtual void Invalidate();

protected:
    // A change of font, colour or enabled state that the control shows.
    virtual void FontChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    virtual void VisibleChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    friend class TWinControl;
    void ParentFontChanged();
    void ParentColorChanged();
    // "Caption" or "Text": the one property name under which a class publishes its text.
    static TPropertyInfo TextProperty(const char* name);

    std::string text_;

private:
    TWinControl* parent_ = nullptr;
    std::int64_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true, visible_ = true;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = true;
    std::int64_t helpContext_ = 0;
    std::string hint_;
    bool inheriting_ = false;  // taking the parent's font or colour, not a change of our own
};

// A control without a window of its own: its parent paints it.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();
    // Paints into the parent's device context, in the parent's client coordinates.
    virtual void Paint(HDC dc) = 0;
    void Invalidate() override;
};

// How a windowed control asks for its window.
struct TCreateParams {
    std::string WinClassName;     // the class registered for the control
    std::string SystemClassName;  // the system class it is a superclass of, or empty
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const TClassInfo& ClassInfo() const override;
    static const TClassInfo& StaticClassInfo();

    // The window, created when first asked for (its parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void DestroyHandle();

    // The child controls, windowed or not, in the order they were parented.
    const std::vector<TControl*>& Controls() const { return controls_; }
    std::vector<TWinControl*> TabOrderedChildren() const;

    std::int64_t TabOrder() const { return tabOrder_; }
    void SetTabOrder(std::int64_t order) { tabOrder_ = order; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool stop);

    void SetBounds(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    void Invalidate() override;

    bool Focused() const;
    virtual void SetFocus();
    // Client area size.
    RECT ClientRect();

    // The message handler of the control; DefaultHandler gives a message to the window's
    // default procedure.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    // The control bound to a window of ours, or nullptr.
    static TWinControl* FromHandle(HWND window);

    // Paints the non-windowed children into dc.
    void PaintControls(HDC dc);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists: push state the window does not take at creation.
    virtual void HandleCreated();
    // A notification reflected from the parent (WM_COMMAND code).
    virtual void CommandNotify(WORD /*code*/) {}
    // A WM_NOTIFY reflected from the parent; true when handled, with the answer in result.
    virtual bool NotifyReflected(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // A colour message reflected from the parent; returns the brush to paint with.
    virtual HBRUSH CtlColor(HDC dc);
    void FontChanged() override;
    void ColorChanged() override;

    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

private:
    friend LRESULT CALLBACK RouteMessage(HWND, UINT, WPARAM, LPARAM);
    void CreateChildHandles();
    HBRUSH Brush();

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;
    std::vector<TControl*> controls_;
    std::int64_t tabOrder_ = -1;
    bool tabStop_ = false;
    HBRUSH brush_ = nullptr;
    COLORREF brushColor_ = 0;
};

// The instance the windows of the framework register their classes with.
HINSTANCE ModuleInstance();

} // namespace fw
