#pragma once
#include <windows.h>

constexpr const wchar_t* MSG_CAPTION = L"FLG";
constexpr int MSG_STYLE = 0x2030;
constexpr int MSG_TIMEOUT = 10;
constexpr const wchar_t* MSG_FONT = L"Segoe UI";
constexpr int MSG_TEXT_COLOR = 0;
constexpr int MSG_BACK_COLOR = 0x0098D3FF;
// Task modal, one "OK" button, no icon: the mutex failure.
constexpr int MSG_STYLE_NO_ICON = 0x2000;
// The single-instance messages come before the message font size is known.
constexpr int MSG_FONT_SIZE_ALREADY_RUNNING = 10;

constexpr const wchar_t* TEXT_ALREADY_RUNNING = L"Flagsmith is already running.";
constexpr const wchar_t* TEXT_MUTEX_FAILED = L"Mutex Create failed with error code";
constexpr const wchar_t* TEXT_NO_SETTINGS = L"The given WinFBE ini file does not exist.";
constexpr const wchar_t* TEXT_NO_MATCH = L"No preset match.";
constexpr const wchar_t* TEXT_EMPTY_SWITCHES = L"'CompilerSwitches' in WinFBE.ini is empty.";
constexpr const wchar_t* TEXT_NO_RADIO = L"No valid radio button has been selected.";
constexpr const wchar_t* TEXT_ERROR1 = L"Error1";
constexpr const wchar_t* TEXT_ERROR2 = L"Error2";
constexpr const wchar_t* TEXT_ERROR3 = L"Error3";
constexpr const wchar_t* TEXT_NO_PRESET = L"No preset used";

// Any ALERTKIT call of the program; the result is never used.
void ShowMessage(HWND owner, const wchar_t* text, int style, int fontSize);
// The standard message over g_hwndMain; the second form raises g_modalActive around it.
void ShowStandardMessage(const wchar_t* text);
void ShowStandardMessageModal(const wchar_t* text);
