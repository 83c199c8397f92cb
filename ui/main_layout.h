#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/flags.h"
#include "framework/control_spec.h"
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

// Where the temporary option button that measures W stands; it borrows the first preset's id.
ControlSpec MeasuringOptionSpec(const Char16* firstPresetCaption);

// Every permanent control but the status bar, in creation order: the flag check boxes first
// (FLAG_COUNT of them, by layout slot), then the preset options, "No preset used", the command
// buttons and the group box. slots holds the n presets followed by "No preset used".
std::vector<ControlSpec> MainControlSpecs(bool large,
                                          const MainLayout& layout,
                                          const std::vector<Text16>& slots);

// Identifier of the option button of preset slot i (1-based).
constexpr int PresetOptionId(int slot) {
    return IDC_PRESET_FIRST - 1 + slot;
}
