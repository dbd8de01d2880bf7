// Built twice: runtime_tests.exe sees Windows 7 and runtime_xp_tests.exe sees Windows XP
// (LINKWARD_EXPECT_XP), so the thread-window rules of both systems run against real windows.
#include "runtime/ModalFormDisplay.h"

#include "support/RegistrySandbox.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace testing_support;

#ifdef LINKWARD_EXPECT_XP
constexpr bool kExpectXP = true;
#else
constexpr bool kExpectXP = false;
#endif

constexpr const char* kLoggingClass = "LinkwardModalDisplayTest";
// A hint window class of our own, spelled in mixed case: the exemption ignores letter case.
constexpr const char* kHintClass = "tHiNtWiNdOw";

// The windows of kLoggingClass that received WM_ENABLE with "enabled", in order.
std::vector<HWND> enabledLog;

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ENABLE && wParam) {
        try {
            enabledLog.push_back(window);
        } catch (...) {
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterTestClasses()
{
    static const bool registered = [] {
        WNDCLASSA logging{};
        logging.lpfnWndProc = LoggingProc;
        logging.hInstance = GetModuleHandleA(nullptr);
        logging.lpszClassName = kLoggingClass;
        WNDCLASSA hint{};
        hint.lpfnWndProc = DefWindowProcA;
        hint.hInstance = GetModuleHandleA(nullptr);
        hint.lpszClassName = kHintClass;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        return RegisterClassA(&logging) && RegisterClassA(&hint) && InitCommonControlsEx(&controls);
    }();
    ASSERT_TRUE(registered);
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
HANDLE WasTopmost(HWND window) { return GetPropA(window, "WasTopmost"); }

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) noexcept
{
    try {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

// The calling thread's top-level windows in the order the system enumerates them.
std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> ThreadWindowsOfClass(const std::string& className)
{
    std::vector<HWND> found;
    for (HWND window : ThreadWindows())
        if (ClassOf(window) == className) found.push_back(window);
    return found;
}

// Creates top-level test windows and destroys whatever is left of them.
class WindowFactory {
public:
    WindowFactory() = default;
    WindowFactory(const WindowFactory&) = delete;
    WindowFactory& operator=(const WindowFactory&) = delete;
    ~WindowFactory() { DestroyAll(); }

    HWND Make(const char* className, const char* title, DWORD style, DWORD exStyle = 0, HWND parent = nullptr,
              RECT rect = {10, 10, 210, 110})
    {
        const HWND window = CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                            rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                            GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr) << "cannot create a window of class " << className;
        if (window) made_.push_back(window);
        return window;
    }

    void DestroyAll()
    {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
        made_.clear();
    }

private:
    std::vector<HWND> made_;
};

class ModalFormDisplayThreadWindows : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        enabledLog.clear();
    }

    WindowFactory windows;
};

TEST_F(ModalFormDisplayThreadWindows, SystemIsTheOneThisProgramRunsOn)
{
    EXPECT_EQ(IsWindowsXP(), kExpectXP);
}

TEST_F(ModalFormDisplayThreadWindows, TopmostWindowLosesTopmostWhileDisabledAndTheKeptWindowIsUntouched)
{
    const HWND tool = windows.Make(kLoggingClass, "Tool", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    const HWND plain = windows.Make(kLoggingClass, "Plain", WS_POPUP | WS_VISIBLE);
    const HWND kept = windows.Make(kLoggingClass, "Kept", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    const HWND disabledBefore = windows.Make(kLoggingClass, "Disabled", WS_POPUP | WS_VISIBLE | WS_DISABLED);
    ASSERT_TRUE(IsTopmost(tool));

    TDisabledWindowList list = DisableThreadWindows(kept);
    EXPECT_TRUE(list.Contains(tool));
    EXPECT_TRUE(list.Contains(plain));
    EXPECT_FALSE(list.Contains(kept));
    EXPECT_FALSE(list.Contains(disabledBefore));
    EXPECT_FALSE(IsWindowEnabled(tool));
    EXPECT_FALSE(IsTopmost(tool));
    EXPECT_EQ(WasTopmost(tool), reinterpret_cast<HANDLE>(1));
    EXPECT_FALSE(IsWindowEnabled(plain));
    EXPECT_EQ(WasTopmost(plain), nullptr);
    EXPECT_TRUE(IsWindowEnabled(kept));
    EXPECT_TRUE(IsTopmost(kept));
    EXPECT_EQ(WasTopmost(kept), nullptr);

    EnableThreadWindows(std::move(list));
    EXPECT_TRUE(IsWindowEnabled(tool));
    EXPECT_TRUE(IsTopmost(tool));
    EXPECT_EQ(WasTopmost(tool), nullptr);
    EXPECT_TRUE(IsWindowEnabled(plain));
    EXPECT_FALSE(IsTopmost(plain));
    EXPECT_TRUE(IsTopmost(kept));
    EXPECT_FALSE(IsWindowEnabled(disabledBefore));  // not ours to enable
    EXPECT_EQ(std::count(enabledLog.begin(), enabledLog.end(), kept), 0);
}

// Which windows qualify, on the system this program sees.
TEST_F(ModalFormDisplayThreadWindows, WindowsThatQualify)
{
    struct Case {
        const char* name;
        std::function<HWND(WindowFactory&)> make;
        bool onXP, elsewhere;
    };
    const auto plain = [](const char* title, DWORD style) {
        return [=](WindowFactory& f) { return f.Make(kLoggingClass, title, style); };
    };
    const auto hint = [](const char* title, DWORD style) {
        return [=](WindowFactory& f) { return f.Make(kHintClass, title, style); };
    };
    // The list of a drop-down combo box: an untitled top-level window of class "ComboLBox".
    const auto dropDownList = [](bool dropped) {
        return [=](WindowFactory& f) -> HWND {
            const HWND parent = f.Make(kLoggingClass, "Combo parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
            const HWND combo = CreateWindowExA(0, WC_COMBOBOXA, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 5, 5,
                                               100, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
            if (dropped) SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
            const auto lists = ThreadWindowsOfClass("ComboLBox");
            EXPECT_EQ(lists.size(), 1u) << "the drop-down list is not a top-level window of the thread";
            if (lists.size() != 1) return nullptr;
            EXPECT_EQ(GetWindowTextLengthA(lists[0]), 0);
            EXPECT_EQ(IsWindowVisible(lists[0]) != FALSE, dropped);
            return lists[0];
        };
    };
    const auto toolTip = [](WindowFactory& f) {
        return f.Make(TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, WS_EX_TOPMOST);
    };
    const Case cases[] = {
        {"visible", plain("Visible", WS_POPUP | WS_VISIBLE), true, true},
        {"hidden", plain("Hidden", WS_POPUP), true, false},
        {"hidden untitled", plain("", WS_POPUP), true, false},
        {"hidden topmost tool", [](WindowFactory& f) {
             return f.Make(kLoggingClass, "Tool", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
         }, true, false},
        {"visible, disabled", plain("Disabled", WS_POPUP | WS_VISIBLE | WS_DISABLED), false, false},
        {"hidden, disabled", plain("Disabled", WS_POPUP | WS_DISABLED), false, false},
        {"hidden untitled hint", hint("", WS_POPUP), false, false},
        {"visible untitled hint", hint("", WS_POPUP | WS_VISIBLE), false, true},
        {"hidden titled hint", hint("Hint", WS_POPUP), true, false},
        {"hidden tool tip", toolTip, false, false},
        {"closed drop-down list", dropDownList(false), false, false},
        {"open drop-down list", dropDownList(true), false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND window = c.make(windows);
        if (!window) continue;
        const bool expected = IsWindowsXP() ? c.onXP : c.elsewhere;
        const bool enabledBefore = IsWindowEnabled(window) != FALSE;
        const bool topmostBefore = IsTopmost(window);
        TDisabledWindowList list = DisableThreadWindows(nullptr);
        EXPECT_EQ(list.Contains(window), expected);
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, enabledBefore && !expected);
        EXPECT_EQ(IsTopmost(window), topmostBefore && !expected);
        EXPECT_EQ(WasTopmost(window), reinterpret_cast<HANDLE>(topmostBefore && expected ? 1 : 0));
        EnableThreadWindows(std::move(list));
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, enabledBefore);
        EXPECT_EQ(IsTopmost(window), topmostBefore);
        EXPECT_EQ(WasTopmost(window), nullptr);
        windows.DestroyAll();
    }
}

TEST_F(ModalFormDisplayThreadWindows, RestoreGoesMostRecentFirstAndSkipsDestroyedWindows)
{
    std::vector<HWND> made;
    for (const char* title : {"One", "Two", "Three", "Four"})
        made.push_back(windows.Make(kLoggingClass, title, WS_POPUP | WS_VISIBLE));
    std::vector<HWND> enumerated;  // our windows in the order the system enumerates them
    for (HWND window : ThreadWindows())
        if (std::find(made.begin(), made.end(), window) != made.end()) enumerated.push_back(window);
    ASSERT_EQ(enumerated.size(), made.size());

    TDisabledWindowList list = DisableThreadWindows(nullptr);
    std::vector<HWND> listed;
    for (HWND window : list.Windows())
        if (std::find(made.begin(), made.end(), window) != made.end()) listed.push_back(window);
    const std::vector<HWND> mostRecentFirst(enumerated.rbegin(), enumerated.rend());
    EXPECT_EQ(listed, mostRecentFirst);

    const HWND destroyed = mostRecentFirst[1];
    DestroyWindow(destroyed);
    enabledLog.clear();
    EnableThreadWindows(std::move(list));
    std::vector<HWND> expected = mostRecentFirst;
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(enabledLog, expected);
    for (HWND window : expected) EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(ModalFormDisplayThreadWindows, ListDroppedWithoutEnablingRestoresItsWindows)
{
    const HWND tool = windows.Make(kLoggingClass, "Tool", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    {
        TDisabledWindowList list = DisableThreadWindows(nullptr);
        TDisabledWindowList moved = std::move(list);
        EXPECT_TRUE(list.Empty());
        EXPECT_FALSE(IsWindowEnabled(tool));
    }
    EXPECT_TRUE(IsWindowEnabled(tool));
    EXPECT_TRUE(IsTopmost(tool));
    EXPECT_EQ(WasTopmost(tool), nullptr);
    EXPECT_EQ(std::count(enabledLog.begin(), enabledLog.end(), tool), 1);
}

// The browser's key in the 32-bit view, put back as it was after each test.
constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";

class ModalFormDisplayBrowser : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        HKEY key = nullptr;
        keyExisted_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) ==
                      ERROR_SUCCESS;
        if (keyExisted_) {
            DWORD type = 0, size = 0;
            if (RegQueryValueExA(key, "Version", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
                std::vector<BYTE> data(size);
                if (RegQueryValueExA(key, "Version", nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
                    saved_.emplace(type, std::move(data));
            }
            RegCloseKey(key);
        }
        ResetBrowserMajorVersion();
    }

    void TearDown() override
    {
        if (saved_)
            SetRawValue(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", saved_->first, saved_->second.data(),
                        static_cast<DWORD>(saved_->second.size()));
        else
            DeleteValue(HKEY_LOCAL_MACHINE, kBrowserKey, "Version");
        if (!keyExisted_) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, KEY_WOW64_32KEY, 0);
        ResetBrowserMajorVersion();
    }

    static void SetVersion(const std::optional<std::string>& text)
    {
        if (text)
            SetText(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", *text);
        else
            DeleteValue(HKEY_LOCAL_MACHINE, kBrowserKey, "Version");
    }

    WindowFactory windows;

private:
    bool keyExisted_ = false;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> saved_;
};

TEST_F(ModalFormDisplayBrowser, MajorVersionIsTheNumberBeforeTheFirstDot)
{
    struct Case {
        const char* text;
        int major;
    };
    const Case cases[] = {
        {"7.0.5730.13", 7},
        {"6.0.2900.2180", 6},
        {"11.0.9600.16428", 11},
        {"8.", 8},
        {"abc", -1},
        {"11", -1},  // no "." at all: treated as no version
        {".7", -1},
        {"7a.0", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetVersion(c.text);
        ResetBrowserMajorVersion();
        EXPECT_EQ(GetBrowserMajorVersion(), c.major);
        EXPECT_EQ(BrowserMajorVersion, c.major);
    }
    // A version stored as a number is no version text.
    const DWORD seven = 7;
    SetRawValue(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", REG_DWORD, &seven, sizeof seven);
    ResetBrowserMajorVersion();
    EXPECT_EQ(GetBrowserMajorVersion(), -1);
}

TEST_F(ModalFormDisplayBrowser, UnknownVersionIsReadAgainKnownVersionIsKept)
{
    SetVersion(std::nullopt);
    EXPECT_EQ(GetBrowserMajorVersion(), -1);
    SetVersion("abc");
    EXPECT_EQ(GetBrowserMajorVersion(), -1);
    SetVersion("7.0.5730.13");
    EXPECT_EQ(GetBrowserMajorVersion(), 7);
    SetVersion("6.0.2900.2180");
    EXPECT_EQ(GetBrowserMajorVersion(), 7);  // known once, not read again
    SetVersion(std::nullopt);
    EXPECT_EQ(GetBrowserMajorVersion(), 7);
    ResetBrowserMajorVersion();
    EXPECT_EQ(GetBrowserMajorVersion(), -1);
}

TEST_F(ModalFormDisplayBrowser, RootWindowIsDisabledAfterVersion6)
{
    const HWND root = windows.Make(kLoggingClass, "Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND child = windows.Make(kLoggingClass, "Plug-in", WS_CHILD | WS_VISIBLE, 0, root, {0, 0, 50, 50});
    const HWND owned = windows.Make(kLoggingClass, "Owned", WS_POPUP | WS_VISIBLE, 0, root);
    const auto NameOf = [&](HWND window) -> std::string {
        return window == child ? "child" : window == root ? "root" : window ? "owned" : "no window";
    };
    struct Case {
        std::optional<std::string> version;
        HWND active;
        HWND disabled;  // the root window disabled and returned, or null
    };
    const Case cases[] = {
        {std::nullopt, child, nullptr},
        {"abc", child, nullptr},
        {"6.0.2900.2180", child, nullptr},
        {"7.0.5730.13", child, root},
        {"8.0.6001.18702", child, root},
        {"7.0.5730.13", root, root},
        {"7.0.5730.13", owned, owned},  // an owned window is its own root: owners are not followed
        {"7.0.5730.13", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version.value_or("(none)") + " from " + NameOf(c.active));
        SetVersion(c.version);
        ResetBrowserMajorVersion();
        bool wantDialogBorder = true;
        EXPECT_EQ(DisableBrowserRootWindow(c.active, &wantDialogBorder), c.disabled);
        EXPECT_FALSE(wantDialogBorder);  // the root window is smaller than the screen
        for (HWND window : {root, owned})
            EXPECT_EQ(IsWindowEnabled(window) != FALSE, window != c.disabled);
        EnableWindow(root, TRUE);
        EnableWindow(owned, TRUE);
    }
}

TEST_F(ModalFormDisplayBrowser, DialogBorderOnXpWithVersion7AndFullScreenRoot)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const auto browser = [&](RECT rect) {
        return windows.Make(kLoggingClass, "Browser", WS_POPUP | WS_VISIBLE, 0, nullptr, rect);
    };
    const HWND fullScreen = browser({0, 0, width, height});
    const HWND shorter = browser({0, 0, width, height - 1});
    const HWND offset = browser({5, 5, width + 5, height + 5});
    const HWND child = windows.Make(kLoggingClass, "Plug-in", WS_CHILD | WS_VISIBLE, 0, fullScreen, {0, 0, 50, 50});
    RECT rect{};
    GetWindowRect(fullScreen, &rect);
    ASSERT_EQ(rect.right - rect.left, width);
    ASSERT_EQ(rect.bottom - rect.top, height);
    struct Case {
        const char* version;
        HWND active, root;
        bool border;
    };
    const Case cases[] = {
        {"7.0.5730.13", child, fullScreen, IsWindowsXP()},
        {"7.0.5730.13", offset, offset, IsWindowsXP()},  // only the size counts
        {"7.0.5730.13", shorter, shorter, false},
        {"8.0.6001.18702", child, fullScreen, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) +
                     (c.root == fullScreen ? " full screen" : c.root == offset ? " offset" : " shorter"));
        SetVersion(c.version);
        ResetBrowserMajorVersion();
        bool wantDialogBorder = !c.border;
        EXPECT_EQ(DisableBrowserRootWindow(c.active, &wantDialogBorder), c.root);
        EXPECT_EQ(wantDialogBorder, c.border);
        EXPECT_FALSE(IsWindowEnabled(c.root));
        EnableWindow(c.root, TRUE);
    }
    // The flag is optional.
    EXPECT_EQ(DisableBrowserRootWindow(child, nullptr), fullScreen);
    EnableWindow(fullScreen, TRUE);
}

} // namespace
