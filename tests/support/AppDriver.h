// Drives a Windows program from outside for end-to-end tests: starts it, finds its windows and
// controls, and acts on them with real window messages as a user would, waiting after each
// action until the program's thread has handled it.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

using Milliseconds = std::chrono::milliseconds;
inline constexpr Milliseconds kDefaultTimeout{5000};

// A program started for a test. It is terminated (and waited for) when this object goes, so a
// failing test never leaves it running.
class Program {
public:
    // Starts exePath (a Windows path) with the arguments, each quoted as the C runtime splits
    // them. Throws std::runtime_error when the program cannot be started.
    explicit Program(const std::string& exePath, const std::vector<std::string>& arguments = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD ProcessId() const { return processId_; }
    HANDLE Handle() const { return process_; }  // borrowed
    bool IsRunning() const;
    // The exit code, or nothing when the program still runs after the timeout.
    std::optional<DWORD> WaitForExit(Milliseconds timeout = kDefaultTimeout) const;
    // Ends the program at once and waits until it is gone.
    void Terminate() const;

    // The visible top-level windows of the program, in z-order.
    std::vector<HWND> Windows() const;
    // A visible top-level window of the program with exactly this caption, once the program's
    // thread has become idle or entered a modal loop (as ui::Synchronize); null after the
    // timeout, std::runtime_error when the thread never gets idle.
    HWND WaitForWindow(const std::string& caption, Milliseconds timeout = kDefaultTimeout) const;
    // A visible message box (class "#32770") of the program with this title, likewise settled;
    // null after the timeout.
    HWND WaitForMessageBox(const std::string& title, Milliseconds timeout = kDefaultTimeout) const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

namespace ui {

// Every operation throws std::runtime_error when the window is gone or its thread does not
// answer within the default timeout; actions throw std::logic_error when a user could not do
// them (the control is hidden or disabled, itself or through a parent).

// The component name the framework stores on a windowed control ("" when it has none).
std::string ComponentName(HWND window);
// The first descendant of root with that component name; null when there is none.
HWND FindControl(HWND root, const std::string& componentName);
// The first descendant of root of that window class (compared ignoring case) whose text is
// exactly caption; null when there is none.
HWND FindChild(HWND root, const std::string& className, const std::string& caption);

// The message text of a message box.
std::string MessageBoxText(HWND box);
// Clicks the button of a message box whose caption (without '&') is caption; throws
// std::logic_error when the box has no such button.
void PressMessageBoxButton(HWND box, const std::string& caption);

// Posts BM_CLICK to a button or check box, then waits until it has been handled, also when it
// opened a modal loop.
void Click(HWND control);
// Replaces the text of an edit (WM_SETTEXT).
void SetText(HWND control, const std::string& text);
// Posts a key press (WM_KEYDOWN, WM_KEYUP) of virtualKey to the control that has the focus in
// the thread of anyWindowOfThread, then waits until it has been handled.
void PressKey(HWND anyWindowOfThread, WORD virtualKey);
// Posts WM_CLOSE, then waits until it has been handled.
void Close(HWND window);
// Waits until the thread of window has handled every message posted to it so far: until it is
// idle again or waits in a modal loop, or until it has no visible window left.
void Synchronize(HWND window);

// The control that has the focus in the thread of anyWindowOfThread (null when none has).
HWND FocusedControl(HWND anyWindowOfThread);
std::string Text(HWND window);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int CheckState(HWND control);
bool IsChecked(HWND control);
// The window's own enabled state (IsWindowEnabled).
bool IsEnabled(HWND window);
// Visible on the screen: the window and all its parents are visible.
bool IsVisible(HWND window);
// The window's rectangle in the client coordinates of its parent (screen coordinates for a
// top-level window).
RECT RectInParent(HWND window);

} // namespace ui
} // namespace testing_support
