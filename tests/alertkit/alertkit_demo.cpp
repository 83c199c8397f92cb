// Shows one box as the program shows its messages, for a look at the real thing.
#include <windows.h>

#include "alertkit/alertkit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int32_t owner = 0;
    const int32_t style = 0x2030;
    const int32_t timeout = 0;
    const int32_t fontSize = 10;
    const int32_t textColor = 0;
    const int32_t backColor = 0x0098D3FF;
    ALERTKIT(&owner,
             L"The compiler switches were written to WinFBE.ini.\nRestart the build to use them.",
             L"FLG", &style, &timeout, L"Segoe UI", &fontSize, &textColor, &backColor);
    return 0;
}
