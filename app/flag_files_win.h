#pragma once
#include "app/switch_line.h"

// Which flag files exist in folder (Console.dat, exx.dat, 686.dat looked for in that order).
SwitchFlags ReadFlagFiles(const wchar_t* folder);
// Brings one flag file in line with its flag: created empty when on, deleted by its bare name
// when off.
void UpdateFlagFile(const FlagInfo& flag, bool on, const wchar_t* folder);
// All three, in the order console, 686, exx.
void UpdateFlagFiles(const SwitchFlags& flags, const wchar_t* folder);
