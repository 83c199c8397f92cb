#pragma once
#include <windows.h>

#include <string>

#include "framework/app_window.h"

constexpr int IDC_SWITCH_GROUP = 1000;
constexpr int IDC_PRESET_FIRST = 1001;
constexpr int IDC_EXX = 1100;
constexpr int IDC_APPLY = 1102;
constexpr int IDC_EDIT = 1103;
constexpr int IDC_CLEAR = 1104;
constexpr int IDT_WATCH = 1105;
constexpr int IDC_BUILD_CONFIG = 1107;
constexpr int IDC_COMPILER_SETUP = 1108;
constexpr int IDC_ARCH686 = 1109;
constexpr int IDC_CONSOLE = 1110;
constexpr int IDC_STATUSBAR = 200;
constexpr int IDC_SWITCHES_TEXT = 101;
constexpr const wchar_t* WINFBE_CLASS = L"WinFBE_Class";

extern HWND g_hwndMain;
extern HWND g_hwndStatus;
// The program-wide main window object.
AppWindow& MainAppWindow();

// Builds the hidden main window with every control, sized and placed.
void BuildMainWindow();
// The same on any window object (BuildMainWindow uses MainAppWindow()).
void BuildMainWindowIn(AppWindow& app);
// Width in pixels of text drawn in the control's current font.
int TextWidth(HWND control, const wchar_t* text);
// Start-up preset selection for the switch line read from WinFBE.ini (8-bit text).
void SelectPresetForLine(const std::string& line);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
