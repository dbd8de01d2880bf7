// The start-up benchmark's yardstick: the connection settings dialog's 38 windows (the form and
// its 37 controls, same classes of window, positions, sizes, captions and states, "MS Sans Serif"
// 8 pt) created straight against the Windows API, with no framework, no settings and no
// resources. Runs a message loop until the window is closed.
#include <windows.h>

namespace {

enum class Kind { Group, Check, Label, WrappedLabel, Edit, Password, Button };

struct ControlSpec {
    Kind kind;
    int parent;  // index into kControls of the parent, or -1 for the form
    int left, top, width, height;
    const char* caption;
    bool disabled;
};

constexpr int kForm = -1;
constexpr int kProxyBox = 0;
constexpr int kServerBox = 19;
constexpr int kLogBox = 28;
constexpr int kTimeoutBox = 32;
constexpr int kCloseButtonIndex = 36;

// In the order of the dialog's form, so parents come before their children.
constexpr ControlSpec kControls[] = {
    {Kind::Group, kForm, 6, 5, 217, 460, " Proxy Customization ", false},
    {Kind::Check, kProxyBox, 10, 24, 129, 17, "Use a Proxy Server", false},
    {Kind::Label, kProxyBox, 32, 48, 51, 13, "Proxy Port:", true},
    {Kind::Edit, kProxyBox, 40, 63, 152, 21, "", true},
    {Kind::Label, kProxyBox, 32, 91, 63, 13, "Proxy Server:", true},
    {Kind::Edit, kProxyBox, 40, 107, 152, 21, "", true},
    {Kind::Check, kProxyBox, 10, 146, 201, 17, "Open Proxy Authentication dialog box", false},
    {Kind::Label, kProxyBox, 32, 167, 80, 13, "Proxy Username:", false},
    {Kind::Edit, kProxyBox, 40, 182, 152, 21, "", false},
    {Kind::Label, kProxyBox, 32, 207, 78, 13, "Proxy Password:", false},
    {Kind::Password, kProxyBox, 40, 223, 152, 21, "", false},
    {Kind::Label, kProxyBox, 33, 252, 39, 13, "Domain:", false},
    {Kind::Edit, kProxyBox, 40, 267, 152, 21, "", false},
    {Kind::Check, kProxyBox, 10, 302, 177, 17, "Use IE Proxy Settings", false},
    {Kind::Check, kProxyBox, 10, 326, 177, 17, "Bypass Proxy Server", false},
    {Kind::Check, kProxyBox, 10, 350, 177, 17, "Enable HTTP Compression", false},
    {Kind::Check, kProxyBox, 10, 374, 97, 17, "Login SSL Mode", false},
    {Kind::Label, kProxyBox, 32, 400, 45, 13, "SSL Port:", true},
    {Kind::Edit, kProxyBox, 40, 415, 152, 21, "", true},
    {Kind::Group, kForm, 227, 5, 217, 196, " Web Server Customization ", false},
    {Kind::Check, kServerBox, 10, 24, 17, 17, "", false},
    {Kind::WrappedLabel, kServerBox, 28, 26, 160, 26, "Open Web Server Authentication dialog box", false},
    {Kind::Label, kServerBox, 26, 66, 111, 13, "Web Server Username:", false},
    {Kind::Edit, kServerBox, 32, 81, 152, 21, "", false},
    {Kind::Label, kServerBox, 26, 108, 109, 13, "Web Server Password:", false},
    {Kind::Password, kServerBox, 32, 123, 152, 21, "", false},
    {Kind::Label, kServerBox, 26, 152, 39, 13, "Domain:", false},
    {Kind::Edit, kServerBox, 32, 165, 152, 21, "", false},
    {Kind::Group, kForm, 227, 207, 217, 93, " WebClient Log ", false},
    {Kind::Check, kLogBox, 10, 24, 161, 17, "Write Client Side Log File", false},
    {Kind::Edit, kLogBox, 10, 64, 145, 21, "", false},
    {Kind::Button, kLogBox, 160, 64, 49, 21, "Path", false},
    {Kind::Group, kForm, 227, 303, 214, 58, "Connection Timeout", false},
    {Kind::Edit, kTimeoutBox, 10, 24, 145, 21, "", false},
    {Kind::Label, kTimeoutBox, 160, 27, 19, 13, "Sec", false},
    {Kind::Button, kForm, 148, 475, 75, 22, "Save", false},
    {Kind::Button, kForm, 227, 475, 75, 22, "Close", false},
};
static_assert(sizeof kControls / sizeof kControls[0] == 37);

constexpr int kCloseButtonId = 1000 + kCloseButtonIndex;

void ClassAndStyle(Kind kind, const char*& className, DWORD& style, DWORD& exStyle)
{
    exStyle = 0;
    switch (kind) {
    case Kind::Group: className = "BUTTON"; style = BS_GROUPBOX; return;
    case Kind::Check: className = "BUTTON"; style = WS_TABSTOP | BS_AUTOCHECKBOX; return;
    case Kind::Label: className = "STATIC"; style = SS_LEFTNOWORDWRAP; return;
    case Kind::WrappedLabel: className = "STATIC"; style = SS_LEFT; return;
    case Kind::Edit: className = "EDIT"; style = WS_TABSTOP | ES_AUTOHSCROLL; exStyle = WS_EX_CLIENTEDGE; return;
    case Kind::Password: className = "EDIT"; style = WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD; exStyle = WS_EX_CLIENTEDGE; return;
    case Kind::Button: className = "BUTTON"; style = WS_TABSTOP | BS_PUSHBUTTON; return;
    }
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseButtonId && HIWORD(wParam) == BN_CLICKED) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA formClass{};
    formClass.lpfnWndProc = FormProc;
    formClass.hInstance = instance;
    formClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = "BaselineDialog";
    if (!RegisterClassA(&formClass)) return 1;

    // A fixed dialog frame around a client area of 451 x 511, centred on the screen.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, 451, 511};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND form = CreateWindowExA(exStyle, "BaselineDialog", "Linkward Customization", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                                width, height, nullptr, nullptr, instance, nullptr);
    if (!form) return 1;

    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    HWND controls[sizeof kControls / sizeof kControls[0]] = {};
    for (int i = 0; i < static_cast<int>(sizeof kControls / sizeof kControls[0]); ++i) {
        const ControlSpec& spec = kControls[i];
        const char* className = nullptr;
        DWORD controlStyle = 0;
        DWORD controlExStyle = 0;
        ClassAndStyle(spec.kind, className, controlStyle, controlExStyle);
        controlStyle |= WS_CHILD | WS_VISIBLE | (spec.disabled ? WS_DISABLED : 0);
        controls[i] = CreateWindowExA(controlExStyle, className, spec.caption, controlStyle, spec.left, spec.top,
                                      spec.width, spec.height, spec.parent == kForm ? form : controls[spec.parent],
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance, nullptr);
        if (!controls[i]) return 1;
        SendMessageA(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(form, show);
    UpdateWindow(form);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(font);
    return 0;
}
