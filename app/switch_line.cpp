#include "app/switch_line.h"

#include "app/ansi_text.h"
#include "ui/main_window.h"

const FlagInfo ConsoleFlag = {L"Console", IDC_CONSOLE, "-s console ", L"Console.dat"};
const FlagInfo Arch686Flag = {L"686", IDC_ARCH686, "-arch 686 ", L"686.dat"};
const FlagInfo ExxFlag = {L"-exx", IDC_EXX, "-exx ", L"exx.dat"};

const char* const BASE_SWITCHES = "-w all -fpmode fast -fpu sse ";

const char* const SWITCH_PREFIXES[8] = {
    "-w all -fpmode fast -fpu sse ",
    "-s console -w all -fpmode fast -fpu sse ",
    "-exx -w all -fpmode fast -fpu sse ",
    "-s console -exx -w all -fpmode fast -fpu sse ",
    "-arch 686 -w all -fpmode fast -fpu sse ",
    "-s console -arch 686 -w all -fpmode fast -fpu sse ",
    "-arch 686 -exx -w all -fpmode fast -fpu sse ",
    "-s console -arch 686 -exx -w all -fpmode fast -fpu sse ",
};

std::vector<std::wstring> g_presets;
int g_presetSlots = 0;

namespace {

constexpr const wchar_t* PRESET_GAS = L"-gen gas";
constexpr const wchar_t* PRESET_GAS64 = L"-gen gas64";

}  // namespace

std::wstring ComposeSwitchLine(bool console, bool arch686, bool exx, const std::wstring& preset) {
    std::string pieces;
    if (console) {
        pieces += ConsoleFlag.piece;
    }
    if (arch686) {
        pieces += Arch686Flag.piece;
    }
    if (exx) {
        pieces += ExxFlag.piece;
    }
    pieces += BASE_SWITCHES;
    // Never cut: WinFBE would hand the compiler a broken switch. A line longer than 259
    // characters is written whole (the UTF-16 write has no such limit); read back cut, it then
    // matches no preset.
    return AnsiToWide(pieces) + preset;
}

int MatchPresetIn(const std::vector<std::wstring>& presets, const std::wstring& line) {
    std::vector<std::wstring> prefixes;
    for (const char* prefix : SWITCH_PREFIXES) {
        prefixes.push_back(AnsiToWide(prefix));
    }
    for (size_t i = 0; i < presets.size(); ++i) {
        for (const std::wstring& prefix : prefixes) {
            if (prefix + presets[i] == line) {
                return static_cast<int>(i) + 1;
            }
        }
    }
    return 0;
}

int MatchPreset(const std::string& line) {
    size_t real = g_presetSlots > 1 ? static_cast<size_t>(g_presetSlots - 1) : 0;
    if (real > g_presets.size()) {
        real = g_presets.size();
    }
    const std::vector<std::wstring> presets(g_presets.begin(), g_presets.begin() + real);
    return MatchPresetIn(presets, AnsiToWide(line));
}

Arch686Rule Arch686RuleFor(const std::wstring& preset) {
    if (preset == PRESET_GAS) {
        return Arch686Rule::Check;
    }
    if (preset == PRESET_GAS64) {
        return Arch686Rule::Clear;
    }
    return Arch686Rule::Keep;
}
