#pragma once
#include <windows.h>

#include "framework/input_field.h"

// Window procedures the framework gives its windows.

LRESULT CALLBACK DefaultFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Hands the text-input window the buffer that OK fills (at least INPUT_TEXT_LIMIT + 1 code
// units). OK copies only into the buffer handed to that very window; it is forgotten when the
// window is destroyed.
void SetInputResultBuffer(HWND window, wchar_t* buffer);
