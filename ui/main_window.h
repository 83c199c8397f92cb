#pragma once
#include <windows.h>

#include <string>

#include "app/identifiers.h"
#include "app/switch_line.h"
#include "framework/app_window.h"

// The main window and its status bar. Written only by BuildMainWindowIn.
extern HWND g_hwndMain;
extern HWND g_hwndStatus;
// The program-wide main window object.
AppWindow& MainAppWindow();

// Builds the hidden main window with every control, sized and placed.
void BuildMainWindow();
// The same on any window object (BuildMainWindow uses MainAppWindow()).
void BuildMainWindowIn(AppWindow& app);
// Width in pixels of text drawn on the screen in font.
int TextWidth(HFONT font, const wchar_t* text);
// Start-up preset selection for the switch line read from WinFBE.ini (8-bit text).
void SelectPresetForLine(const std::string& line);
// Whether the check box or option button id of window is checked.
bool IsChecked(HWND window, int id);
// The flag check boxes, read once.
SwitchFlags ReadFlagBoxes(HWND window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
