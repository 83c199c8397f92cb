#include "app/preset_list.h"

#include <utility>

#include "app/messages.h"
#include "app/switch_line.h"

Array<Text16> g_presets;
int g_presetSlots = 0;

void SetPresetList(Array<Text16> presets) {
    g_presets = std::move(presets);
    g_presetSlots = static_cast<int>(g_presets.size()) + 1;
    g_presets.emplace_back(TEXT_NO_PRESET);
}

int MatchPresetInSlots(const Array<Text16>& slots, int presetSlots, const Text16& line) {
    size_t real = presetSlots > 1 ? static_cast<size_t>(presetSlots - 1) : 0;
    if (real > slots.size()) {
        real = slots.size();
    }
    const Array<Text16> presets(slots.begin(), slots.begin() + real);
    return MatchPresetIn(presets, line);
}

int MatchPreset(const Text16& line) {
    return MatchPresetInSlots(g_presets, g_presetSlots, line);
}
