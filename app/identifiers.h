#pragma once
#include "app/flags.h"
#include "framework/input_field.h"
#include "framework/text16.h"

// The names the window-free core and the window layer share: the main window's controls and
// timer, WinFBE's window, the files and the settings keys. Plain values, so that the core needs
// nothing of the window layer to name them.

// Main window controls (the flags' check boxes: app/flags.h). The option of preset slot i is
// IDC_PRESET_FIRST - 1 + i, the last one "No preset used".
constexpr int IDC_SWITCH_GROUP = 1000;
constexpr int IDC_PRESET_FIRST = 1001;
constexpr int IDC_APPLY = 1102;
constexpr int IDC_EDIT = 1103;
constexpr int IDC_CLEAR = 1104;
constexpr int IDC_BUILD_CONFIG = 1107;
constexpr int IDC_COMPILER_SETUP = 1108;
constexpr int IDC_STATUSBAR = 200;
// The edit window's field is the framework's text-input field (framework/input_field.h).
constexpr int IDC_SWITCHES_TEXT = INPUT_TEXT_FIELD_ID;
// The main window's watch timer.
constexpr int IDT_WATCH = 1105;

// WinFBE's main window.
constexpr const Char16* WINFBE_CLASS = U16("WinFBE_Class");

// WinFBE's settings file, from the program's folder, and what the program reads and writes in it.
constexpr const Char16* SETTINGS_RELATIVE_PATH = U16("..\\Settings\\WinFBE.ini");
constexpr const Char16* SECTION_COMPILER = U16("Compiler");
constexpr const Char16* KEY_COMPILER_SWITCHES = U16("CompilerSwitches");
constexpr const Char16* KEY_COMPILER_PATH = U16("FBWINCompiler32");

// The program's own files, in its folder (the flag files: app/flags.h).
constexpr const Char16* PRESET_FILE_NAME = U16("FlagsmithII.ini");
constexpr const Char16* POSITION_FILE_NAME = U16("CSposition.dat");

// The single-instance mutex.
constexpr const Char16* INSTANCE_MUTEX_NAME = U16("ZpbozVzQxVK6AMneOUQC");
