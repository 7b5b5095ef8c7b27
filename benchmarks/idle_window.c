/* The cheapest visible Win32 window, standing where Horavel docks: the
   baseline scripts/measure-cpu compares Horavel with. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show) {
    WNDCLASSA wc = {0};
    MSG message;
    (void)previous;
    (void)command;
    (void)show;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = "IdleWindow";
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TOPMOST, "IdleWindow", "Idle", WS_POPUP | WS_VISIBLE, 1827, 23, 93, 1017, NULL, NULL,
                    instance, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
