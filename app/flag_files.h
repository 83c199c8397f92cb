#pragma once
#include <windows.h>

#include "app/switch_line.h"

// Checks the three flag boxes of window from the flag files in folder
// (Console.dat, exx.dat, 686.dat in that order).
void ReadFlagFiles(HWND window, const wchar_t* folder);
// Brings one flag file in line with its check box (create empty / delete by bare name).
void UpdateFlagFile(HWND window, const FlagInfo& flag, const wchar_t* folder);
// All three, in the order console, 686, exx.
void UpdateFlagFiles(HWND window, const wchar_t* folder);
