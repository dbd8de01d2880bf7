#include "runtime/ShowModalForm.h"

#include "platform/framework/Exception.h"
#include "runtime/ModalFormDisplay.h"

std::int64_t ShowModalForm(fw::TCustomForm& form)
{
    if (form.Visible() || !form.Enabled() || form.Modal()) throw fw::Exception("Cannot make a visible window modal");
    if (const HWND capture = GetCapture()) {
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }

    fw::TScreen& screen = fw::Screen();
    form.SetModal(true);
    HWND previouslyActive = GetActiveWindow();
    fw::TCustomForm* activeForm = screen.ActiveForm();
    const int focusCount = screen.FocusCount;
    screen.SavedFocusForms.push_back(screen.FocusedForm());
    screen.SetFocusedForm(&form);
    const HCURSOR cursor = screen.Cursor();
    const int cursorCount = screen.CursorCount;
    screen.SetCursor(nullptr);

    TDisabledWindowList disabled = DisableThreadWindows(nullptr);
    const bool windowsXP = IsWindowsXP();
    HWND browserRoot = nullptr;

    auto restore = [&] {
        if (form.HandleAllocated()) SendMessageA(form.Handle(), fw::CM_DEACTIVATE, 0, 0);
        if (GetActiveWindow() != (form.HandleAllocated() ? form.Handle() : nullptr)) previouslyActive = nullptr;
        form.Hide();
        screen.SetCursor(screen.CursorCount == cursorCount ? cursor : nullptr);
        if (browserRoot) EnableWindow(browserRoot, TRUE);
        EnableThreadWindows(std::move(disabled));
        if (windowsXP)
            for (fw::TCustomForm* other : screen.Forms())
                if (other->Visible() && other->HandleAllocated()) ShowWindow(other->Handle(), SW_SHOWNA);
        screen.SetFocusedForm(screen.SavedFocusForms.empty() ? nullptr : screen.SavedFocusForms.back());
        if (!screen.SavedFocusForms.empty()) screen.SavedFocusForms.pop_back();
        if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
        if (activeForm && activeForm->HandleAllocated() && IsWindowVisible(activeForm->Handle()))
            SetActiveWindow(activeForm->Handle());
        screen.FocusCount = focusCount;
        form.SetModal(false);
    };

    try {
        if (windowsXP) EnableWindow(form.Handle(), TRUE);
        form.Show();
        const HWND window = form.Handle();
        SetForegroundWindow(window);
        SendMessageA(window, fw::CM_ACTIVATE, 0, 0);
        if (windowsXP) {
            BringWindowToTop(window);
            SetFocus(window);
        }
        bool wantDialogBorder = false;
        browserRoot = DisableBrowserRootWindow(previouslyActive, &wantDialogBorder);
        if (wantDialogBorder) form.SetBorderStyle(fw::TFormBorderStyle::bsDialog);
        form.RunModalLoop();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return form.ModalResult();
}
