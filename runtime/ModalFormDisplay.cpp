#include "runtime/ModalFormDisplay.h"

#include "platform/framework/SysUtils.h"
#include "settings/RegistrySettings.h"

#include <exception>
#include <string>
#include <utility>

int BrowserMajorVersion = -1;

namespace {

constexpr const char* kBrowserKeyPath = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kWasTopmost = "WasTopmost";

// The major version in a version text, or -1 when the text has none.
int MajorVersionOf(const std::string& text)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos) return -1;
    return fw::TryStrToInt(std::string_view(text).substr(0, dot)).value_or(-1);
}

int ReadBrowserMajorVersion()
{
    try {
        TQXRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!registry.OpenKey(kBrowserKeyPath, false) || !registry.ValueExists("Version")) return -1;
        return MajorVersionOf(registry.ReadString("Version"));
    } catch (const std::exception&) {
        // A version that cannot be read is one that is not known; the modal display goes on.
        return -1;
    }
}

// Untitled helper windows that stay enabled on Windows XP although they are hidden windows of
// the thread: drop-down lists, tool tips and hint windows.
bool IsExemptHelperWindow(HWND window)
{
    if (GetWindowTextLengthA(window) != 0) return false;
    char className[256] = {};
    const int length = GetClassNameA(window, className, sizeof className);
    const std::string_view name(className, length > 0 ? static_cast<std::size_t>(length) : 0);
    return fw::SameText(name, "ComboLBox") || fw::SameText(name, "tooltips_class32") ||
           fw::SameText(name, "THintWindow");
}

bool Qualifies(HWND window, bool windowsXP)
{
    if (!IsWindowEnabled(window)) return false;
    if (windowsXP) return !IsExemptHelperWindow(window);
    return IsWindowVisible(window) != FALSE;
}

struct DisableContext {
    HWND keep;
    bool windowsXP;
    std::forward_list<HWND>* windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM param) noexcept
{
    auto& context = *reinterpret_cast<DisableContext*>(param);
    if (window == context.keep || !Qualifies(window, context.windowsXP)) return TRUE;
    try {
        context.windows->push_front(window);
    } catch (const std::exception&) {
        return TRUE;  // not recorded, so left enabled: it could not be restored
    }
    EnableWindow(window, FALSE);
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        SetPropA(window, kWasTopmost, reinterpret_cast<HANDLE>(1));
    }
    return TRUE;
}

} // namespace

int GetBrowserMajorVersion()
{
    if (BrowserMajorVersion == -1) BrowserMajorVersion = ReadBrowserMajorVersion();
    return BrowserMajorVersion;
}

void ResetBrowserMajorVersion() { BrowserMajorVersion = -1; }

bool IsWindowsXP()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5 && info.dwMinorVersion == 1;
}

TDisabledWindowList::TDisabledWindowList(TDisabledWindowList&& other) noexcept
    : windows_(std::exchange(other.windows_, {}))
{
}

TDisabledWindowList& TDisabledWindowList::operator=(TDisabledWindowList&& other) noexcept
{
    if (this != &other) {
        Restore();
        windows_ = std::exchange(other.windows_, {});
    }
    return *this;
}

TDisabledWindowList::~TDisabledWindowList() { Restore(); }

bool TDisabledWindowList::Contains(HWND window) const
{
    for (HWND recorded : windows_)
        if (recorded == window) return true;
    return false;
}

void TDisabledWindowList::Restore() noexcept
{
    for (HWND window : windows_) {
        if (!IsWindow(window)) continue;
        if (GetPropA(window, kWasTopmost) == reinterpret_cast<HANDLE>(1)) {
            RemovePropA(window, kWasTopmost);
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        EnableWindow(window, TRUE);
    }
    windows_.clear();
}

TDisabledWindowList DisableThreadWindows(HWND keep)
{
    TDisabledWindowList list;
    DisableContext context{keep, IsWindowsXP(), &list.windows_};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&context));
    return list;
}

void EnableThreadWindows(TDisabledWindowList list) { list.Restore(); }

HWND DisableBrowserRootWindow(HWND previouslyActive, bool* wantDialogBorder)
{
    if (wantDialogBorder) *wantDialogBorder = false;
    const int version = GetBrowserMajorVersion();
    if (version <= 6 || !previouslyActive) return nullptr;
    const HWND root = GetAncestor(previouslyActive, GA_ROOT);
    if (!root) return nullptr;
    EnableWindow(root, FALSE);
    if (wantDialogBorder && version == 7 && IsWindowsXP()) {
        RECT rect{};
        if (GetWindowRect(root, &rect) && rect.right - rect.left == GetSystemMetrics(SM_CXSCREEN) &&
            rect.bottom - rect.top == GetSystemMetrics(SM_CYSCREEN))
            *wantDialogBorder = true;
    }
    return root;
}
