#pragma once
#include <windows.h>

// Any ALERTKIT call of the program; the result is never used.
void ShowMessage(HWND owner, const wchar_t* text, int style, int fontSize);
// The standard message over g_hwndMain; the second form raises g_modalActive around it.
void ShowStandardMessage(const wchar_t* text);
void ShowStandardMessageModal(const wchar_t* text);
