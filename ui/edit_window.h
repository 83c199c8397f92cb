#pragma once
#include <windows.h>

#include <string>

// The Edit command: shows "FLG - Edit" over mainWindow with the current switch line, writes
// the edited line when it is not empty and selects the matching option. True when it wrote.
bool RunEditCommand(HWND mainWindow);

// The field's UTF-16 text as the 8-bit line that is written: at most 259 characters.
std::string ResultLine(const wchar_t* fieldText);
