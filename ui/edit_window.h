#pragma once
#include <windows.h>

#include "framework/text16.h"

// The Edit command: shows "FLG - Edit" over mainWindow with the current switch line, writes
// the edited line when it is not empty (but never an unchanged line that may have been read
// cut) and selects the matching option. False when the result was empty (nothing written,
// selection untouched).
bool RunEditCommand(HWND mainWindow);

// The field's UTF-16 text as the 8-bit line that is written: at most 259 characters.
Text8 ResultLine(const wchar_t* fieldText);
