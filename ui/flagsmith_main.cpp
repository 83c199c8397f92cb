#include <windows.h>

#include "ui/startup.h"

// The runtime has set the user's locale and made the main window object by now (static
// objects of ui/startup.cpp); they are destroyed after this returns.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    // Always shown normally, whatever the launcher's shortcut asked for.
    return RunIfFirstInstance(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
}
