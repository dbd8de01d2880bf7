// Keeps one Wine process alive for a test run, so the system processes that Wine starts with
// the first program stay up and every test program starts quickly. Ended by wineserver -k.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CreateWindowExA(0, "STATIC", "keep-alive", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
