/* Reports the ANSI code page and thread locale that Wine gives this process,
   so the harness can prove which Windows it is emulating. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    printf("ACP=%u LCID=%lu\n", GetACP(), (unsigned long)GetThreadLocale());
    fflush(stdout);
    /* --hang stands in for a test program that never finishes: it shows a
       window and waits, so the harness must time it out and keep a screenshot. */
    if (argc > 1 && strcmp(argv[1], "--hang") == 0) {
        CreateWindowExA(0, "STATIC", "deliberate hang", WS_POPUP | WS_BORDER | WS_VISIBLE,
                        40, 40, 400, 160, NULL, NULL, GetModuleHandleA(NULL), NULL);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0) DispatchMessageA(&msg);
    }
    return 0;
}
