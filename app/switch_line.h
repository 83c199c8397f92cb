#pragma once
#include <string>
#include <vector>

// Flags in switch-line order: console, 686, exx.
struct FlagInfo {
    const wchar_t* caption;
    int controlId;
    const char* piece;
    const wchar_t* fileName;
};
extern const FlagInfo ConsoleFlag;
extern const FlagInfo Arch686Flag;
extern const FlagInfo ExxFlag;

constexpr int MAX_PRESETS = 32;
// Presets, settings values, paths and switch lines are held in 260-unit buffers.
constexpr int MAX_TEXT_CHARS = 259;
extern const char* const BASE_SWITCHES;       // "-w all -fpmode fast -fpu sse "
extern const char* const SWITCH_PREFIXES[8];  // in MatchPreset's try order

// Slot i (1-based) is g_presets[i - 1]; slot g_presetSlots holds "No preset used".
// After ReadPresets g_presets has g_presetSlots = n + 1 entries, the last one empty until the
// window build fills it; only the first n ever take part in matching.
extern std::vector<std::wstring> g_presets;
extern int g_presetSlots;

// The checked flags' pieces, BASE_SWITCHES and the preset, whole (also beyond 259 characters).
std::wstring ComposeSwitchLine(bool console, bool arch686, bool exx, const std::wstring& preset);
// First preset (1-based) that some prefix followed by it equals line exactly; 0 for none.
int MatchPresetIn(const std::vector<std::wstring>& presets, const std::wstring& line);
// Against the n real presets of g_presets; line is 8-bit text in the user's code page.
int MatchPreset(const std::string& line);

enum class Arch686Rule { Keep, Check, Clear };
Arch686Rule Arch686RuleFor(const std::wstring& preset);
