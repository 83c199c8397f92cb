#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/identifiers.h"
#include "framework/text16.h"

// The main window's geometry in 96-DPI units, from the widest preset caption W (screen
// pixels, used unchanged) and the number of presets n.
struct MainLayout {
    int optionWidth;  // OW
    int groupWidth;   // GW
    int optionTop;    // S0
    int bottom;       // T = S0 + 20 n
    int buttonHeight;
    int groupHeight;
    int clientWidth;
    int clientHeight;
};

MainLayout ComputeMainLayout(bool large, int widestCaption, int presetCount);

// The control kind's own style (the framework's default style request).
constexpr uint32_t KIND_DEFAULT_STYLE = static_cast<uint32_t>(-1);

struct ControlSpec {
    const Char16* kind;
    int id;
    const Char16* caption;
    int x;
    int y;
    int width;
    int height;
    uint32_t style;
};

// Every permanent control but the status bar, in creation order: the flag check boxes first
// (FLAG_BOX_COUNT of them), then the preset options, "No preset used", the command buttons
// and the group box. slots holds the n presets followed by "No preset used".
constexpr size_t FLAG_BOX_COUNT = 3;
std::vector<ControlSpec> MainControlSpecs(bool large,
                                          const MainLayout& layout,
                                          const std::vector<Text16>& slots);

// Identifier of the option button of preset slot i (1-based).
constexpr int PresetOptionId(int slot) {
    return IDC_PRESET_FIRST - 1 + slot;
}
