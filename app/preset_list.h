#pragma once
#include "framework/array.h"
#include "framework/text16.h"

// The program-wide presets list, fixed from start-up to exit. Slot i (1-based) is
// g_presets[i - 1]: the n presets of the preset file, then "No preset used" in slot
// g_presetSlots = n + 1. Written only by SetPresetList.
extern Array<Text16> g_presets;
extern int g_presetSlots;

// Fills the list with the presets read and the "No preset used" slot behind them.
void SetPresetList(Array<Text16> presets);
// MatchPresetIn against the real presets of slots, the first presetSlots - 1: "No preset used"
// never takes part.
int MatchPresetInSlots(const Array<Text16>& slots, int presetSlots, const Text16& line);
// The same on g_presets and g_presetSlots.
int MatchPreset(const Text16& line);
