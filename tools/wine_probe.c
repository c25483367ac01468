/* Prints which Wine ran it; the 32-bit probe looks for "wine32-ok".
 * It also opens and closes one window, so the Wine session starts its
 * desktop and RPC helper processes here, detached from every pipe, and
 * not inside the first test whose output a test runner reads.
 *
 * With --hold it keeps a hidden window until the session ends. The desktop
 * process quits a while after the last window of the session closes, and
 * the next window starts it again inside whichever test comes first; that
 * test's output pipe then stays open, and the runner waits for it, until
 * the desktop quits once more. Holding one window keeps the first desktop
 * for the whole session. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(int argc, char** argv)
{
    int hold = argc > 1 && strcmp(argv[1], "--hold") == 0;
    HWND w = CreateWindowA("STATIC", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (hold && w) {
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
        return 0;
    }
    if (w) DestroyWindow(w);
    puts(sizeof(void*) == 4 ? "wine32-ok" : "wine64-ok");
    return 0;
}
