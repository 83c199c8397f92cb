#pragma once
#include <string>

#include "framework/text_rules.h"
#include "framework/wide_text_win.h"

// The full path of WinFBE.ini, fixed at start-up. Written only by SetIniPath.
extern WideText g_iniPath;
// The position read at start-up; 0 and 0 without a position file. Written only by ReadPosition.
extern int g_savedLeft;
extern int g_savedTop;

// g_iniPath from "..\Settings\WinFBE.ini" against the current directory, cut to 259.
void ComputeIniPath();
// Sets g_iniPath and makes the settings reader for it: the last step of ComputeIniPath, and how
// a test points the program at a settings file of its own.
void SetIniPath(const wchar_t* path);

// The values the program reads from section "Compiler".
enum class CompilerKey { Switches, Path };
// A value as 8-bit text of at most 259 characters ("" when missing). Read with the 8-bit call
// when the code page can name g_iniPath, else with the UTF-16 call. The first form fills the
// caller's buffer and allocates nothing: the watch tick reads ten times a second.
void ReadCompilerValue(CompilerKey key, char (&value)[TEXT_BUFFER_UNITS]);
std::string ReadCompilerValue(CompilerKey key);
// Writes CompilerSwitches (UTF-16 call); false when the platform reports failure.
bool WriteSwitchLine(const wchar_t* line);

// Reads "CSposition.dat" in folder into g_savedLeft/g_savedTop; false when absent. A parked
// position counts as absent and leaves them alone.
bool ReadPosition(const wchar_t* folder);
// Rewrites the file when (left, top) differs from the saved values; a parked position is
// never written.
void WritePositionIfMoved(const wchar_t* folder, int left, int top);
