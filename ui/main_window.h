#pragma once
#include <windows.h>

#include "app/identifiers.h"
#include "app/flags.h"
#include "framework/app_window_win.h"
#include "framework/text16.h"

// The main window and its status bar. Written only by BuildMainWindow.
extern HWND g_hwndMain;
extern HWND g_hwndStatus;
// The large layout, from the program's name. Written only by the start-up.
extern bool g_largeLayout;

// Builds the hidden main window on app with every control, in the large or the small layout,
// sized and placed.
void BuildMainWindow(AppWindow& app, bool large);
// Width in pixels of text drawn on the screen in font.
int TextWidth(HFONT font, const wchar_t* text);
// Checks the option of preset slot (1-based; g_presetSlots: "No preset used") and unchecks
// the others.
void SelectOption(HWND window, int slot);
// Start-up preset selection for the switch line read from WinFBE.ini (8-bit text).
void SelectPresetForLine(const Text8& line);
// Whether the check box or option button id of window is checked.
bool IsChecked(HWND window, int id);
// The flag check boxes, read once.
SwitchFlags ReadFlagBoxes(HWND window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
