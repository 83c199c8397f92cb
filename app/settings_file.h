#pragma once
#include <string>

#include "framework/wide_text.h"

constexpr const wchar_t* SETTINGS_RELATIVE_PATH = L"..\\Settings\\WinFBE.ini";
constexpr const wchar_t* SECTION_COMPILER = L"Compiler";
constexpr const wchar_t* KEY_COMPILER_SWITCHES = L"CompilerSwitches";
constexpr const wchar_t* KEY_COMPILER_PATH = L"FBWINCompiler32";
constexpr const wchar_t* POSITION_FILE_NAME = L"CSposition.dat";

extern WideText g_iniPath;
extern int g_savedLeft;
extern int g_savedTop;

// g_iniPath from "..\Settings\WinFBE.ini" against the current directory, cut to 259.
void ComputeIniPath();
// Whether the ANSI code page can name this text: converted to 8-bit text and back, it is unchanged.
bool SurvivesAnsiRoundTrip(const std::wstring& text);
// A value of section "Compiler" as 8-bit text of at most 259 characters ("" when missing).
// Read with the 8-bit call when the code page can name g_iniPath, else with the UTF-16 call.
std::string ReadCompilerValue(const wchar_t* key);
// Writes CompilerSwitches (UTF-16 call); false when the platform reports failure.
bool WriteSwitchLine(const wchar_t* line);

// Position file: 8 bytes, two little-endian int32; short input leaves missing bytes 0.
void DecodePosition(const std::string& bytes, int* left, int* top);
std::string EncodePosition(int left, int top);
// The place where Windows parks a minimised window, (-32000, -32000), or beyond: no place a
// window can come back to. Negative edges of a monitor left of or above the primary one are
// far from it.
bool IsParkedPosition(int left, int top);
// Reads "CSposition.dat" in folder into g_savedLeft/g_savedTop; false when absent. A parked
// position counts as absent and leaves them alone.
bool ReadPosition(const wchar_t* folder);
// Rewrites the file when (left, top) differs from the saved values; a parked position is
// never written.
void WritePositionIfMoved(const wchar_t* folder, int left, int top);
