// Keeps one Wine process alive for a test run, so the system processes that Wine starts with
// the first program (the desktop among them) stay up and every test program starts quickly.
// Its top-level window makes Wine start the desktop here, with this process's output, and not
// in the first test, whose output pipe the desktop would then keep open. Ended by wineserver -k.
// With --probe it only creates its window and ends: a run can wait on it until the desktop is up.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "keep-alive", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, nullptr, nullptr);
    if (std::strstr(commandLine, "--probe")) return window ? 0 : 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
