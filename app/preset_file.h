#pragma once
#include <string>
#include <vector>

constexpr const wchar_t* PRESET_FILE_NAME = L"FlagsmithII.ini";

// The reading rules of the preset file over its raw bytes: at most 32 items, 8-bit text, each
// kept only as far as 259 characters can reach in any code page (the rest is read past).
std::vector<std::string> ReadPresetItems(const std::string& bytes);
// Items converted to UTF-16 (user's code page), each cut to 259 characters.
std::vector<std::wstring> PresetsFromBytes(const std::string& bytes);
// Reads "FlagsmithII.ini" in folder into g_presets and sets g_presetSlots = n + 1
// (the "No preset used" slot is filled when the window is built). The file is read block by
// block and only as far as 32 items go.
void ReadPresets(const wchar_t* folder);
