#include "app/switch_line.h"

#include <gtest/gtest.h>

#include "app/ansi_text.h"

namespace {

struct Flags {
    bool console;
    bool arch686;
    bool exx;
};

// The flags each row of SWITCH_PREFIXES stands for, in MatchPreset's try order.
constexpr Flags ROW_FLAGS[8] = {{false, false, false}, {true, false, false}, {false, false, true},
                                {true, false, true},   {false, true, false}, {true, true, false},
                                {false, true, true},   {true, true, true}};

std::wstring Base() {
    return AnsiToWide(BASE_SWITCHES);
}

}  // namespace

TEST(SwitchLine, PrefixRowsAreWhatCompositionPutsInFrontOfThePreset) {
    for (int row = 0; row < 8; ++row) {
        SCOPED_TRACE(row + 1);
        const Flags& f = ROW_FLAGS[row];
        EXPECT_EQ(AnsiToWide(SWITCH_PREFIXES[row]),
                  ComposeSwitchLine(f.console, f.arch686, f.exx, L""));
    }
    EXPECT_EQ(L"-s console -exx -w all -fpmode fast -fpu sse -gen gas64",
              ComposeSwitchLine(true, false, true, L"-gen gas64"));
}

TEST(SwitchLine, ComposedLinesMatchTheirPresetForEveryFlagCombination) {
    const std::vector<std::wstring> presets = {L"-gen gas", L"-gen gas64", L"-O 2 -g", L""};
    for (int row = 0; row < 8; ++row) {
        for (size_t i = 0; i < presets.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "row " << row + 1 << " preset " << i + 1);
            const Flags& f = ROW_FLAGS[row];
            const std::wstring line = ComposeSwitchLine(f.console, f.arch686, f.exx, presets[i]);
            EXPECT_EQ(static_cast<int>(i) + 1, MatchPresetIn(presets, line));
        }
    }
}

// A cut line would hand the compiler a broken switch: the line is written whole, and read back
// cut at the next start it matches no preset.
TEST(SwitchLine, ComposedLineIsWholeBeyondTheTextLimit) {
    const std::wstring preset(MAX_TEXT_CHARS, L'x');
    const std::wstring line = ComposeSwitchLine(true, true, true, preset);
    EXPECT_EQ(AnsiToWide(SWITCH_PREFIXES[7]) + preset, line);
    EXPECT_GT(line.size(), static_cast<size_t>(MAX_TEXT_CHARS));
    EXPECT_EQ(0, MatchPresetIn({preset}, line.substr(0, MAX_TEXT_CHARS)));
}

TEST(SwitchLine, MatchIsExact) {
    const std::vector<std::wstring> presets = {L"-gen gas", L"-gen gas64"};
    struct Case {
        const char* name;
        std::wstring line;
        int expected;
    };
    const Case cases[] = {
        {"686 with gas", L"-arch 686 " + Base() + L"-gen gas", 1},
        {"no flags with gas64", Base() + L"-gen gas64", 2},
        {"two blanks", L"-w all  -fpmode fast -fpu sse -gen gas", 0},
        {"letter case of a switch", L"-W all -fpmode fast -fpu sse -gen gas", 0},
        {"letter case of the preset", Base() + L"-GEN GAS", 0},
        {"trailing blank", Base() + L"-gen gas ", 0},
        {"leading blank", L" " + Base() + L"-gen gas", 0},
        {"pieces out of order", L"-exx -s console " + Base() + L"-gen gas", 0},
        {"prefix alone", Base(), 0},
        {"empty line", L"", 0},
        {"preset alone", L"-gen gas", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, MatchPresetIn(presets, c.line));
    }
}

TEST(SwitchLine, EarlierPresetWinsAndEmptyPresetMatchesABarePrefix) {
    EXPECT_EQ(1, MatchPresetIn({L"-gen gas", L"-gen gas"}, Base() + L"-gen gas"));
    EXPECT_EQ(2, MatchPresetIn({L"-gen gas", L""}, AnsiToWide(SWITCH_PREFIXES[5])));
}

TEST(SwitchLine, MatchPresetSkipsTheNoPresetSlot) {
    const std::vector<std::wstring> saved = g_presets;
    const int savedSlots = g_presetSlots;
    g_presets = {L"-gen gas", L"-gen gas64", L""};
    g_presetSlots = 3;
    EXPECT_EQ(2, MatchPreset(BASE_SWITCHES + std::string("-gen gas64")));
    EXPECT_EQ(0, MatchPreset(BASE_SWITCHES));
    g_presets.back() = L"No preset used";
    EXPECT_EQ(0, MatchPreset(BASE_SWITCHES + std::string("No preset used")));
    g_presets = saved;
    g_presetSlots = savedSlots;
}

TEST(SwitchLine, Arch686RuleNeedsTheExactPresetText) {
    const std::pair<const wchar_t*, Arch686Rule> cases[] = {
        {L"-gen gas", Arch686Rule::Check}, {L"-gen gas64", Arch686Rule::Clear},
        {L"-gen gas ", Arch686Rule::Keep}, {L"-GEN GAS", Arch686Rule::Keep},
        {L"-gen gcc", Arch686Rule::Keep},  {L"", Arch686Rule::Keep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.first << '"');
        EXPECT_EQ(c.second, Arch686RuleFor(c.first));
    }
}
