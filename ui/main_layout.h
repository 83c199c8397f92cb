#pragma once
#include <cstddef>
#include <cstdint>

#include "app/identifiers.h"
#include "framework/array.h"
#include "framework/control_description.h"
#include "framework/text16.h"

// The main window's geometry in 96-DPI units, from the widest option caption W, "No preset
// used" included (screen pixels, used unchanged), and the number of presets n.
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

// The styles of the main window's own buttons, as the platform spells them in
// ui/main_window.cpp. The option group runs from the first preset up to the group box (whose
// default style starts a group), so "No preset used" belongs to it.
constexpr uint32_t FIRST_OPTION_STYLE = 0x10030D09;
constexpr uint32_t OPTION_STYLE = 0x10010D09;
// A push button with its caption centred.
constexpr uint32_t COMMAND_STYLE = 0x10010C00;

// Every permanent control but the status bar, in creation order: the flag check boxes first
// (FLAG_COUNT of them, by layout slot), then the preset options, "No preset used", the command
// buttons and the group box. slots holds the n presets followed by "No preset used".
Array<ControlSpec> MainControlSpecs(bool large,
                                    const MainLayout& layout,
                                    const Array<Text16>& slots);

// Identifier of the option button of preset slot i (1-based).
constexpr int PresetOptionId(int slot) {
    return IDC_PRESET_FIRST - 1 + slot;
}
