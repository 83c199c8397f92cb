#pragma once
#include <windows.h>

bool IsFirstInstance();
int RunIfFirstInstance(HINSTANCE instance,
                       HINSTANCE previous,
                       const wchar_t* commandLine,
                       int show);
// The start-up in its fixed order, then the message loop; 0 when it stops early.
int FlagsmithMain(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine, int show);
