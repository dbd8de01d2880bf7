#include "support/AppDriver.h"

#include <cstdio>
#include <stdexcept>
#include <thread>

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;
constexpr Milliseconds kPollInterval{10};

std::string Hex(const void* value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", value);
    return text;
}

[[noreturn]] void Fail(const std::string& what, HWND window)
{
    const DWORD error = GetLastError();
    throw std::runtime_error(what + " (window " + Hex(window) + ", error " + std::to_string(error) + ")");
}

void RequireWindow(HWND window)
{
    if (!IsWindow(window)) Fail("no such window", window);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ERRORONEXIT,
                             static_cast<UINT>(kDefaultTimeout.count()), &result))
        Fail("message " + std::to_string(message) + " was not answered", window);
    return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    if (!PostMessageA(window, message, wParam, lParam)) Fail("cannot post message " + std::to_string(message), window);
}

// Quotes one argument so that the C runtime of the started program splits it back unchanged.
std::string Quote(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string ClassName(HWND window)
{
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string Caption(HWND window)
{
    // For a window of another process this reads the stored caption without sending a message,
    // so it works while that program is busy.
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string WithoutAccelerators(const std::string& caption)
{
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

BOOL CALLBACK Collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Every descendant of root that matches, in the order EnumChildWindows gives them.
template <typename Predicate>
std::vector<HWND> Descendants(HWND root, Predicate matches)
{
    std::vector<HWND> all;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all)
        if (matches(window)) found.push_back(window);
    return found;
}

std::vector<HWND> ThreadWindows(DWORD threadId)
{
    std::vector<HWND> windows;
    EnumThreadWindows(threadId, Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// A window that would get WM_PAINT if it were invalidated: visible, not inside a minimised
// window, with a non-empty client area.
bool CanBePainted(HWND window)
{
    RECT client{};
    return IsWindow(window) && IsWindowVisible(window) && !IsIconic(GetAncestor(window, GA_ROOT)) &&
           GetClientRect(window, &client) && !IsRectEmpty(&client);
}

// The window itself or its nearest ancestor that can be painted, else any paintable top-level
// window of the thread; null when the thread has none.
HWND PaintableWindow(HWND preferred, DWORD threadId)
{
    for (HWND window = preferred; window && window != GetDesktopWindow(); window = GetAncestor(window, GA_PARENT))
        if (GetWindowThreadProcessId(window, nullptr) == threadId && CanBePainted(window)) return window;
    for (HWND window : ThreadWindows(threadId))
        if (CanBePainted(window)) return window;
    return nullptr;
}

// The barrier behind Synchronize. A thread generates WM_PAINT only when no posted or input
// message is waiting for it, so once an invalidated window of the thread has been painted
// (its update region is empty again), everything posted before the invalidation has been
// retrieved and handled, or a modal loop it opened is pumping messages. A sent WM_NULL would not
// do: sent messages are delivered before posted ones and may be answered before the posted
// message is even looked at.
// Returns false when the thread has no window that can be painted.
bool PaintBarrier(HWND preferred, DWORD threadId, Clock::time_point deadline)
{
    HWND target = PaintableWindow(preferred, threadId);
    if (!target) return false;
    InvalidateRect(target, nullptr, FALSE);
    for (;;) {
        if (!IsWindow(target)) {
            // Destroyed before it was painted (a message box that closed, say): the code after
            // it may still run, so wait on another window of the thread.
            target = PaintableWindow(nullptr, threadId);
            if (!target) return true;
            InvalidateRect(target, nullptr, FALSE);
            continue;
        }
        if (!GetUpdateRect(target, nullptr, FALSE)) return true;
        if (Clock::now() > deadline) Fail("the window's thread did not get idle", target);
        std::this_thread::sleep_for(Milliseconds(1));
    }
}

void SynchronizeThread(HWND preferred, DWORD threadId)
{
    const auto deadline = Clock::now() + kDefaultTimeout;
    // A second round because the first one also ends when the handling of the action itself
    // validated, hid or destroyed the window; the second invalidation comes after that.
    for (int round = 0; round < 2; ++round) {
        if (PaintBarrier(preferred, threadId, deadline)) continue;
        // Nothing of the thread is on the screen (any more): the best left is a sent message,
        // which fails when the thread has gone meanwhile.
        DWORD_PTR ignored = 0;
        if (round == 0 && IsWindow(preferred))
            SendMessageTimeoutA(preferred, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ERRORONEXIT,
                                static_cast<UINT>(kDefaultTimeout.count()), &ignored);
        return;
    }
}

// Refuses what a user could not do: act on a hidden control or on one that is disabled, itself
// or through a parent.
void RequireUsable(HWND control)
{
    RequireWindow(control);
    if (!IsWindowVisible(control)) throw std::logic_error("control " + Hex(control) + " is not visible");
    for (HWND window = control; window && window != GetDesktopWindow(); window = GetAncestor(window, GA_PARENT))
        if (!IsWindowEnabled(window)) throw std::logic_error("control " + Hex(control) + " is disabled");
}

// A window just found may be shown before its program has finished setting it up.
HWND Settled(HWND window)
{
    SynchronizeThread(window, GetWindowThreadProcessId(window, nullptr));
    return IsWindow(window) ? window : nullptr;
}

} // namespace

Program::Program(const std::string& exePath, const std::vector<std::string>& arguments)
{
    std::string commandLine = Quote(exePath);
    for (const auto& argument : arguments) commandLine += " " + Quote(argument);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start " + exePath + ": error " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
}

Program::~Program()
{
    if (IsRunning()) Terminate();
    CloseHandle(process_);
}

bool Program::IsRunning() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::WaitForExit(Milliseconds timeout) const
{
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Program::Terminate() const
{
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, static_cast<DWORD>(kDefaultTimeout.count()));
}

std::vector<HWND> Program::Windows() const
{
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId_ && IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}

HWND Program::WaitForWindow(const std::string& caption, Milliseconds timeout) const
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (HWND window : Windows())
            if (Caption(window) == caption) return Settled(window);
        if (Clock::now() >= deadline || !IsRunning()) return nullptr;
        std::this_thread::sleep_for(kPollInterval);
    }
}

HWND Program::WaitForMessageBox(const std::string& title, Milliseconds timeout) const
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (HWND window : Windows())
            if (ClassName(window) == "#32770" && Caption(window) == title) return Settled(window);
        if (Clock::now() >= deadline || !IsRunning()) return nullptr;
        std::this_thread::sleep_for(kPollInterval);
    }
}

namespace ui {

std::string ComponentName(HWND window)
{
    RequireWindow(window);
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "FwComponentName")));
    if (atom == 0) return {};
    char name[256];
    return std::string(name, GlobalGetAtomNameA(atom, name, sizeof name));
}

HWND FindControl(HWND root, const std::string& componentName)
{
    RequireWindow(root);
    const auto found = Descendants(root, [&](HWND window) { return ComponentName(window) == componentName; });
    return found.empty() ? nullptr : found.front();
}

HWND FindChild(HWND root, const std::string& className, const std::string& caption)
{
    RequireWindow(root);
    const auto found = Descendants(root, [&](HWND window) {
        return lstrcmpiA(ClassName(window).c_str(), className.c_str()) == 0 && Text(window) == caption;
    });
    return found.empty() ? nullptr : found.front();
}

std::string MessageBoxText(HWND box)
{
    RequireWindow(box);
    // The text is the static control that is not the icon.
    const auto texts = Descendants(box, [](HWND window) {
        return lstrcmpiA(ClassName(window).c_str(), "Static") == 0 &&
               (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
    });
    if (texts.empty()) Fail("the message box has no text", box);
    return Text(texts.front());
}

void PressMessageBoxButton(HWND box, const std::string& caption)
{
    RequireWindow(box);
    const auto buttons = Descendants(box, [&](HWND window) {
        return lstrcmpiA(ClassName(window).c_str(), "Button") == 0 && WithoutAccelerators(Text(window)) == caption;
    });
    if (buttons.empty()) throw std::logic_error("the message box has no button \"" + caption + "\"");
    Click(buttons.front());
}

void Click(HWND control)
{
    RequireUsable(control);
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    Post(control, BM_CLICK);
    SynchronizeThread(control, thread);
}

void SetText(HWND control, const std::string& text)
{
    RequireUsable(control);
    if (!Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) Fail("the control refused the text", control);
}

void PressKey(HWND anyWindowOfThread, WORD virtualKey)
{
    HWND target = FocusedControl(anyWindowOfThread);
    if (!target) Fail("no control of the thread has the focus", anyWindowOfThread);
    const DWORD thread = GetWindowThreadProcessId(target, nullptr);
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    Post(target, WM_KEYDOWN, virtualKey, 1 | scanCode << 16);
    Post(target, WM_KEYUP, virtualKey, 1 | scanCode << 16 | LPARAM{1} << 30 | LPARAM{1} << 31);
    SynchronizeThread(target, thread);
}

void Close(HWND window)
{
    RequireWindow(window);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    Post(window, WM_CLOSE);
    SynchronizeThread(window, thread);
}

void Synchronize(HWND window)
{
    RequireWindow(window);
    SynchronizeThread(window, GetWindowThreadProcessId(window, nullptr));
}

HWND FocusedControl(HWND anyWindowOfThread)
{
    RequireWindow(anyWindowOfThread);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info))
        Fail("cannot read the thread's focus", anyWindowOfThread);
    return info.hwndFocus;
}

std::string Text(HWND window)
{
    RequireWindow(window);
    const auto length = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    text.resize(static_cast<std::size_t>(Send(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

int CheckState(HWND control)
{
    RequireWindow(control);
    return static_cast<int>(Send(control, BM_GETCHECK));
}

bool IsChecked(HWND control) { return CheckState(control) == BST_CHECKED; }

bool IsEnabled(HWND window)
{
    RequireWindow(window);
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window)
{
    RequireWindow(window);
    return IsWindowVisible(window) != FALSE;
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    if (!GetWindowRect(window, &rect)) Fail("cannot read the window's rectangle", window);
    MapWindowPoints(HWND_DESKTOP, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace ui
} // namespace testing_support
