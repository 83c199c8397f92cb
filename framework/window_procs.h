#pragma once
#include <windows.h>

// Window procedures the framework gives its windows.

// The text-input window's edit field and the most UTF-16 code units OK copies from it.
constexpr int INPUT_TEXT_FIELD_ID = 101;
constexpr int INPUT_TEXT_LIMIT = 2048;

LRESULT CALLBACK DefaultFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Hands the text-input window the buffer that OK fills (at least INPUT_TEXT_LIMIT + 1 code
// units). OK copies only into the buffer handed to that very window; it is forgotten when the
// window is destroyed.
void SetInputResultBuffer(HWND window, wchar_t* buffer);
