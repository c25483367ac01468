/* Prints which Wine ran it; the 32-bit probe looks for "wine32-ok".
 * It also opens and closes one window, so the Wine session starts its
 * desktop and RPC helper processes here, detached from every pipe, and
 * not inside the first test whose output a test runner reads. */
#include <stdio.h>
#include <windows.h>

int main(void)
{
    HWND w = CreateWindowA("STATIC", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (w) DestroyWindow(w);
    puts(sizeof(void*) == 4 ? "wine32-ok" : "wine64-ok");
    return 0;
}
