#pragma once
#include <vector>

#include "framework/text16.h"

// Flags in switch-line order: console, 686, exx.
struct FlagInfo {
    const Char16* caption;
    int controlId;
    const Char16* piece;
    const Char16* fileName;
};
extern const FlagInfo ConsoleFlag;
extern const FlagInfo Arch686Flag;
extern const FlagInfo ExxFlag;

// The state of the three flags, read once from wherever they are kept (check boxes, flag files).
struct SwitchFlags {
    bool console;
    bool arch686;
    bool exx;
};

constexpr int MAX_PRESETS = 32;
// The switch vocabulary is plain ASCII, the same text in every code page.
extern const Char16* const BASE_SWITCHES;       // "-w all -fpmode fast -fpu sse "
extern const Char16* const SWITCH_PREFIXES[8];  // in MatchPreset's try order

// The checked flags' pieces, BASE_SWITCHES and the preset, whole (also beyond 259 characters).
Text16 ComposeSwitchLine(const SwitchFlags& flags, const Text16& preset);
// First preset (1-based) that some prefix followed by it equals line exactly; 0 for none.
int MatchPresetIn(const std::vector<Text16>& presets, const Text16& line);

enum class Arch686Rule { Keep, Check, Clear };
Arch686Rule Arch686RuleFor(const Text16& preset);
