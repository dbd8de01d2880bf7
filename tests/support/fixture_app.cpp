// A tiny GUI program for the tests of the automation driver: a window with a panel holding an
// edit and a check box, a button that the check box enables and that shows a message box, and
// a hidden label. Controls carry their component name the way the framework stores it.
//
// Arguments: --caption TEXT   the window's caption (default "AppDriver Fixture")
//            --exit N         ends at once with exit code N, without a window
//            --delay MS       waits that long before it creates its window
// Exit codes: 0 after WM_CLOSE, 3 after Escape.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kNameProperty = "FwComponentName";
constexpr int kAgreeId = 101;

HWND g_main = nullptr;
HWND g_edit = nullptr;
HWND g_check = nullptr;
HWND g_done = nullptr;
int g_exitCode = 0;

void Name(HWND window, const char* name)
{
    SetPropA(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(GlobalAddAtomA(name))));
}

BOOL CALLBACK Unname(HWND window, LPARAM)
{
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropA(window, kNameProperty)));
    if (atom != 0) GlobalDeleteAtom(atom);
    return TRUE;
}

HWND Control(HWND parent, const char* className, const char* caption, DWORD style, int x, int y, int w, int h,
             int id, const char* name)
{
    HWND window = CreateWindowExA(0, className, caption, WS_CHILD | style, x, y, w, h, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    Name(window, name);
    return window;
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kAgreeId && HIWORD(wParam) == BN_CLICKED) {
            EnableWindow(g_done, SendMessageA(g_check, BM_GETCHECK, 0, 0) == BST_CHECKED);
            return 0;
        }
        if (LOWORD(wParam) == IDOK) {
            if (!IsWindowEnabled(g_done)) return 0;
            const int answer = MessageBoxA(g_main, "Done", "Fixture", MB_OKCANCEL);
            SetWindowTextA(g_edit, ("answer " + std::to_string(answer)).c_str());
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            g_exitCode = 3;
            DestroyWindow(g_main);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (window == g_main) {
            EnumChildWindows(window, Unname, 0);
            PostQuitMessage(g_exitCode);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The panel passes its children's notifications on to the main window.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* Argument(int argc, char** argv, const char* option)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return argv[i + 1];
    return nullptr;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (const char* code = Argument(__argc, __argv, "--exit")) return std::atoi(code);
    if (const char* delay = Argument(__argc, __argv, "--delay")) Sleep(static_cast<DWORD>(std::atoi(delay)));
    const char* caption = Argument(__argc, __argv, "--caption");

    WNDCLASSA mainClass{};
    mainClass.lpfnWndProc = MainProc;
    mainClass.hInstance = instance;
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    mainClass.lpszClassName = "AppDriverFixture";
    RegisterClassA(&mainClass);
    WNDCLASSA panelClass = mainClass;
    panelClass.lpfnWndProc = PanelProc;
    panelClass.lpszClassName = "AppDriverFixturePanel";
    RegisterClassA(&panelClass);

    g_main = CreateWindowExA(0, "AppDriverFixture", caption ? caption : "AppDriver Fixture", WS_OVERLAPPEDWINDOW,
                             100, 100, 320, 240, nullptr, nullptr, instance, nullptr);
    HWND panel = Control(g_main, "AppDriverFixturePanel", "", WS_VISIBLE, 6, 5, 290, 150, 0, "Panel");
    g_edit = Control(panel, "EDIT", "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 24, 145, 21, 100, "NameEdit");
    g_check = Control(panel, "BUTTON", "I agree", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10, 60, 129, 17, kAgreeId,
                      "AgreeCheckBox");
    g_done = Control(g_main, "BUTTON", "Done", WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_DEFPUSHBUTTON, 148, 170, 75,
                     22, IDOK, "DoneButton");
    Control(g_main, "STATIC", "Hidden", 0, 10, 170, 60, 13, 0, "HiddenLabel");
    ShowWindow(g_main, SW_SHOW);
    SetFocus(g_edit);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(g_main, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
