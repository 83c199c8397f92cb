#pragma once
#include "app/flags.h"
#include "framework/array.h"
#include "framework/text16.h"

constexpr int MAX_PRESETS = 32;
// The switch vocabulary is plain ASCII, the same text in every code page.
extern const Char16* const BASE_SWITCHES;  // "-w all -fpmode fast -fpu sse "
// Every text the flags and BASE_SWITCHES can put in front of a preset, in MatchPreset's try
// order: row r holds the flags whose layout slot is a bit of r (2 to the FLAG_COUNT rows).
extern const Array<Text16> SWITCH_PREFIXES;

// The checked flags' pieces, BASE_SWITCHES and the preset, whole (also beyond 259 characters).
Text16 ComposeSwitchLine(const SwitchFlags& flags, const Text16& preset);
// First preset (1-based) that some prefix followed by it equals line exactly; 0 for none.
int MatchPresetIn(const Array<Text16>& presets, const Text16& line);

// The flag the preset's rule checks or clears.
constexpr size_t ARCH686_FLAG = FlagIndex(IDC_ARCH686);
static_assert(ARCH686_FLAG < FLAG_COUNT, "the 686 flag is in the table");
enum class Arch686Rule { Keep, Check, Clear };
Arch686Rule Arch686RuleFor(const Text16& preset);
