#pragma once
#include "framework/array.h"
#include "framework/text16.h"

// Items converted to UTF-16 (user's code page), each cut to 259 characters.
Array<Text16> PresetsFromItems(const Array<Text8>& items);
// Reads "FlagsmithII.ini" in folder into the presets list (SetPresetList). The file is read
// block by block and only as far as 32 items go; one that cannot be opened reads as empty.
void ReadPresets(const wchar_t* folder);
