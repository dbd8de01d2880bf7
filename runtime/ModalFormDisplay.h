// The window-level work around showing a form modally: the other top-level windows of the
// thread are disabled and lose their always-on-top state for the duration, the browser's root
// window is disabled when the installed browser is newer than version 6, and Windows XP gets
// its own rules. Free of any form class, so the modal display routine calls these steps.
#pragma once

#include <windows.h>

#include <forward_list>

// The installed browser's major version: -1 until it is known.
extern int BrowserMajorVersion;

// BrowserMajorVersion, read first while it is still -1 from the value "Version" under
// HKEY_LOCAL_MACHINE\Software\Microsoft\Internet Explorer: the number before the first "."
// of that text (a decimal integer, as fw::TryStrToInt reads it). A missing value, a text
// without a "." (so "11" too), or one whose part before the "." is no number counts as absent:
// -1 is returned, nothing is remembered, and the next call reads the registry again. Never fails.
int GetBrowserMajorVersion();

// Forgets the remembered browser version, so the next GetBrowserMajorVersion reads the registry
// again. Exists for tests, which change the registry between calls.
void ResetBrowserMajorVersion();

// True on the NT family with version 5.1.
bool IsWindowsXP();

// The windows DisableThreadWindows disabled, the most recently recorded first. Owns them: a list
// that is destroyed without having been handed to EnableThreadWindows restores its windows
// itself, so an error path leaves no window disabled.
class TDisabledWindowList {
public:
    TDisabledWindowList() = default;
    TDisabledWindowList(TDisabledWindowList&& other) noexcept;
    TDisabledWindowList& operator=(TDisabledWindowList&& other) noexcept;
    TDisabledWindowList(const TDisabledWindowList&) = delete;
    TDisabledWindowList& operator=(const TDisabledWindowList&) = delete;
    ~TDisabledWindowList();

    bool Empty() const { return windows_.empty(); }
    bool Contains(HWND window) const;
    // In list order: the most recently recorded first.
    const std::forward_list<HWND>& Windows() const { return windows_; }

private:
    friend TDisabledWindowList DisableThreadWindows(HWND keep);
    friend void EnableThreadWindows(TDisabledWindowList list);

    void Restore() noexcept;

    std::forward_list<HWND> windows_;
};

// Disables the calling thread's top-level windows other than keep (which may be null) and
// records them. On Windows XP every enabled window qualifies, visible or not, except untitled
// windows of the classes "ComboLBox", "tooltips_class32" and "THintWindow" (in any letter case);
// elsewhere only visible, enabled windows do. A qualifying window that is always on top is put
// behind the always-on-top windows, without moving, sizing, redrawing or activating it, and is
// marked with the property "WasTopmost" = 1.
TDisabledWindowList DisableThreadWindows(HWND keep);

// Restores the recorded windows that still exist, most recently recorded first: a window marked
// "WasTopmost" loses the mark and goes back into the always-on-top band, then it is enabled.
void EnableThreadWindows(TDisabledWindowList list);

// The browser step of the modal display, run once the modal form is shown. When the browser's
// major version is greater than 6, the root window of previouslyActive (the window that was
// active before the form came up) is disabled and returned; the caller enables it again after
// the modal loop, before EnableThreadWindows. Null when nothing was disabled (older or unknown
// browser, no previously active window).
// *wantDialogBorder (may be null) is set to true only on Windows XP with browser version exactly
// 7 when that root window is exactly as wide and as high as the screen: the caller then gives
// the modal form the dialog border style. Otherwise it is set to false.
HWND DisableBrowserRootWindow(HWND previouslyActive, bool* wantDialogBorder);
