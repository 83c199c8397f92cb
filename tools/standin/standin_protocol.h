#pragma once
#include <windows.h>

// The stand-in WinFBE and the end-to-end driver agree on these. The stand-in is started with
// one argument, the path of its key log; every WM_KEYDOWN / WM_KEYUP (and the SYS forms) it
// receives is appended there as one line: "down 0x76", "up 0x10", "sysdown 0x12", ...
constexpr const wchar_t* STANDIN_CLASS = L"WinFBE_Class";
constexpr const wchar_t* STANDIN_TITLE = L"WinFBE stand-in";

// Requests the driver sends (SendMessageW, so each has run when the call returns).
constexpr UINT STANDIN_MINIMIZE = WM_APP + 1;   // ShowWindow(SW_MINIMIZE) on itself
constexpr UINT STANDIN_RESTORE = WM_APP + 2;    // ShowWindow(SW_RESTORE) on itself
constexpr UINT STANDIN_CLOSE = WM_APP + 3;      // destroys its window and ends with code 0
constexpr UINT STANDIN_HAS_FOCUS = WM_APP + 4;  // returns 1 when it is foreground and has focus
constexpr UINT STANDIN_CLEAR_LOG = WM_APP + 5;  // empties the key log and the shown lines
