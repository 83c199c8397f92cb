#include "app/switch_line.h"

const Char16* const BASE_SWITCHES = U16("-w all -fpmode fast -fpu sse ");

namespace {

constexpr const Char16* PRESET_GAS = U16("-gen gas");
constexpr const Char16* PRESET_GAS64 = U16("-gen gas64");

Array<Text16> MakeSwitchPrefixes() {
    Array<Text16> prefixes;
    for (size_t row = 0; row < (size_t{1} << FLAG_COUNT); ++row) {
        SwitchFlags flags = {};
        for (size_t i = 0; i < FLAG_COUNT; ++i) {
            flags.on[i] = (row >> FLAGS[i].layoutSlot & 1) != 0;
        }
        prefixes.push_back(ComposeSwitchLine(flags, Text16()));
    }
    return prefixes;
}

}  // namespace

const Array<Text16> SWITCH_PREFIXES = MakeSwitchPrefixes();

Text16 ComposeSwitchLine(const SwitchFlags& flags, const Text16& preset) {
    Text16 line;
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        if (flags.on[i]) {
            line += FLAGS[i].piece;
        }
    }
    line += BASE_SWITCHES;
    // Never cut: WinFBE would hand the compiler a broken switch. A line longer than 259
    // characters is written whole (the UTF-16 write has no such limit); read back cut, it then
    // matches no preset.
    return line + preset;
}

int MatchPresetIn(const Array<Text16>& presets, const Text16& line) {
    for (size_t i = 0; i < presets.size(); ++i) {
        for (const Text16& prefix : SWITCH_PREFIXES) {
            if (prefix + presets[i] == line) {
                return static_cast<int>(i) + 1;
            }
        }
    }
    return 0;
}

Arch686Rule Arch686RuleFor(const Text16& preset) {
    if (preset == PRESET_GAS) {
        return Arch686Rule::Check;
    }
    if (preset == PRESET_GAS64) {
        return Arch686Rule::Clear;
    }
    return Arch686Rule::Keep;
}
