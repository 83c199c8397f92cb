#pragma once
#include <windows.h>

constexpr UINT WATCH_PERIOD_MS = 100;

// True while this program last made the main window topmost (it is created so). Written only
// by WatchTick.
extern unsigned char g_isTopmost;
// True while the main window is minimised because WinFBE is. Written only by WatchTick.
extern unsigned char g_followMinimized;

// One tick of timer IDT_WATCH on the main window: status text, following WinFBE's
// minimisation, closing when WinFBE has gone, window order. False when the tick ended early
// (the window procedure then answers 0 instead of default processing).
bool WatchTick(HWND mainWindow);
