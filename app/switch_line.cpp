#include "app/switch_line.h"

#include "app/identifiers.h"

const FlagInfo ConsoleFlag = {U16("Console"), IDC_CONSOLE, U16("-s console "), CONSOLE_FLAG_FILE};
const FlagInfo Arch686Flag = {U16("686"), IDC_ARCH686, U16("-arch 686 "), ARCH686_FLAG_FILE};
const FlagInfo ExxFlag = {U16("-exx"), IDC_EXX, U16("-exx "), EXX_FLAG_FILE};

const Char16* const BASE_SWITCHES = U16("-w all -fpmode fast -fpu sse ");

const Char16* const SWITCH_PREFIXES[8] = {
    U16("-w all -fpmode fast -fpu sse "),
    U16("-s console -w all -fpmode fast -fpu sse "),
    U16("-exx -w all -fpmode fast -fpu sse "),
    U16("-s console -exx -w all -fpmode fast -fpu sse "),
    U16("-arch 686 -w all -fpmode fast -fpu sse "),
    U16("-s console -arch 686 -w all -fpmode fast -fpu sse "),
    U16("-arch 686 -exx -w all -fpmode fast -fpu sse "),
    U16("-s console -arch 686 -exx -w all -fpmode fast -fpu sse "),
};

namespace {

constexpr const Char16* PRESET_GAS = U16("-gen gas");
constexpr const Char16* PRESET_GAS64 = U16("-gen gas64");

}  // namespace

Text16 ComposeSwitchLine(const SwitchFlags& flags, const Text16& preset) {
    Text16 line;
    if (flags.console) {
        line += ConsoleFlag.piece;
    }
    if (flags.arch686) {
        line += Arch686Flag.piece;
    }
    if (flags.exx) {
        line += ExxFlag.piece;
    }
    line += BASE_SWITCHES;
    // Never cut: WinFBE would hand the compiler a broken switch. A line longer than 259
    // characters is written whole (the UTF-16 write has no such limit); read back cut, it then
    // matches no preset.
    return line + preset;
}

int MatchPresetIn(const std::vector<Text16>& presets, const Text16& line) {
    for (size_t i = 0; i < presets.size(); ++i) {
        for (const Char16* prefix : SWITCH_PREFIXES) {
            if (Text16(prefix) + presets[i] == line) {
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
