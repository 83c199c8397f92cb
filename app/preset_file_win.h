#pragma once
#include <string>
#include <vector>

// Items converted to UTF-16 (user's code page), each cut to 259 characters.
std::vector<std::wstring> PresetsFromItems(const std::vector<std::string>& items);
// Reads "FlagsmithII.ini" in folder into the presets list (SetPresetList). The file is read
// block by block and only as far as 32 items go; one that cannot be opened reads as empty.
void ReadPresets(const wchar_t* folder);
