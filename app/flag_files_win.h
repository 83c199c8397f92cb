#pragma once
#include "app/flags.h"

// Which flag files exist in folder.
SwitchFlags ReadFlagFiles(const wchar_t* folder);
// Brings one flag file in line with its flag: created empty when on, deleted by its bare name
// when off.
void UpdateFlagFile(const FlagInfo& flag, bool on, const wchar_t* folder);
// Every flag, in table order.
void UpdateFlagFiles(const SwitchFlags& flags, const wchar_t* folder);
