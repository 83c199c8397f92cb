#pragma once
#include <windows.h>

// The message boxes' font size: 0 until the appearance options are taken from the program's
// name, then 8 to 15. Written only by the start-up.
extern int g_msgFontSize;

// Any ALERTKIT call of the program; the result is never used.
void ShowMessage(HWND owner, const wchar_t* text, int style, int fontSize);
// The standard message over g_hwndMain; the second form raises g_modalActive around it.
void ShowStandardMessage(const wchar_t* text);
void ShowStandardMessageModal(const wchar_t* text);
