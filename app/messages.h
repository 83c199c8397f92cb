#pragma once
#include "framework/text16.h"

// The texts of the program's messages and the arguments of its message boxes (ALERTKIT).
constexpr const Char16* MSG_CAPTION = U16("FLG");
// Task modal, exclamation icon, one "OK" button.
constexpr int MSG_STYLE = 0x2030;
constexpr int MSG_TIMEOUT = 10;
constexpr const Char16* MSG_FONT = U16("Segoe UI");
constexpr int MSG_TEXT_COLOR = 0;
constexpr int MSG_BACK_COLOR = 0x0098D3FF;
// Task modal, one "OK" button, no icon: the mutex failure.
constexpr int MSG_STYLE_NO_ICON = 0x2000;
// The single-instance messages come before the message font size is known.
constexpr int MSG_FONT_SIZE_ALREADY_RUNNING = 10;

constexpr const Char16* TEXT_ALREADY_RUNNING = U16("Flagsmith is already running.");
constexpr const Char16* TEXT_MUTEX_FAILED = U16("Mutex Create failed with error code");
constexpr const Char16* TEXT_NO_SETTINGS = U16("The given WinFBE ini file does not exist.");
constexpr const Char16* TEXT_NO_MATCH = U16("No preset match.");
constexpr const Char16* TEXT_EMPTY_SWITCHES = U16("'CompilerSwitches' in WinFBE.ini is empty.");
constexpr const Char16* TEXT_NO_RADIO = U16("No valid radio button has been selected.");
constexpr const Char16* TEXT_ERROR1 = U16("Error1");
constexpr const Char16* TEXT_ERROR2 = U16("Error2");
constexpr const Char16* TEXT_ERROR3 = U16("Error3");
// The caption of the last option, which stands for no preset.
constexpr const Char16* TEXT_NO_PRESET = U16("No preset used");
