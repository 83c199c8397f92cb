#pragma once
#include <windows.h>

// The message boxes' font size: 0 until the appearance options are taken from the program's
// name, then 8 to 15. Written only by the start-up (TakeAppearanceOptions).
extern int g_msgFontSize;
// The large layout, from the program's name. Written only by the start-up.
extern bool g_largeLayout;

bool IsFirstInstance();
int RunIfFirstInstance(HINSTANCE instance,
                       HINSTANCE previous,
                       const wchar_t* commandLine,
                       int show);
// The start-up in its fixed order, then the message loop; 0 when it stops early.
int FlagsmithMain(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine, int show);
