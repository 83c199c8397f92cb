#include "app/switch_line.h"

#include <gtest/gtest.h>

#include "framework/text_rules.h"

namespace {

constexpr size_t FLAG_COMBINATIONS = size_t{1} << FLAG_COUNT;

SwitchFlags FlagsOf(size_t combination) {
    SwitchFlags flags = {};
    for (size_t i = 0; i < FLAG_COUNT; ++i) {
        flags.on[i] = (combination >> i & 1) != 0;
    }
    return flags;
}

Text16 Base() {
    return BASE_SWITCHES;
}

}  // namespace

TEST(SwitchLine, PrefixRowsAreWhatCompositionPutsInFrontOfThePreset) {
    ASSERT_EQ(FLAG_COMBINATIONS, SWITCH_PREFIXES.size());
    EXPECT_EQ(Base(), SWITCH_PREFIXES[0]);
    EXPECT_EQ(U16("-s console -exx ") + Base(), SWITCH_PREFIXES[3]);
    EXPECT_EQ(U16("-s console -exx -w all -fpmode fast -fpu sse -gen gas64"),
              ComposeSwitchLine({true, false, true}, U16("-gen gas64")));
}

TEST(SwitchLine, ComposedLinesMatchTheirPresetForEveryFlagCombination) {
    const Array<Text16> presets = {U16("-gen gas"), U16("-gen gas64"), U16("-O 2 -g"), U16("")};
    for (size_t combination = 0; combination < FLAG_COMBINATIONS; ++combination) {
        for (size_t i = 0; i < presets.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "flags " << combination << " preset " << i + 1);
            const Text16 line = ComposeSwitchLine(FlagsOf(combination), presets[i]);
            EXPECT_EQ(static_cast<int>(i) + 1, MatchPresetIn(presets, line));
        }
    }
}

// A cut line would hand the compiler a broken switch: the line is written whole, and read back
// cut at the next start it matches no preset.
TEST(SwitchLine, ComposedLineIsWholeBeyondTheTextLimit) {
    const Text16 preset(MAX_TEXT_CHARS, Char16('x'));
    const Text16 line = ComposeSwitchLine(FlagsOf(FLAG_COMBINATIONS - 1), preset);
    EXPECT_EQ(SWITCH_PREFIXES.back() + preset, line);
    EXPECT_GT(line.size(), static_cast<size_t>(MAX_TEXT_CHARS));
    EXPECT_EQ(0, MatchPresetIn({preset}, line.substr(0, MAX_TEXT_CHARS)));
}

TEST(SwitchLine, MatchIsExact) {
    const Array<Text16> presets = {U16("-gen gas"), U16("-gen gas64")};
    struct Case {
        const char* name;
        Text16 line;
        int expected;
    };
    const Case cases[] = {
        {"686 with gas", U16("-arch 686 ") + Base() + U16("-gen gas"), 1},
        {"no flags with gas64", Base() + U16("-gen gas64"), 2},
        {"two blanks", U16("-w all  -fpmode fast -fpu sse -gen gas"), 0},
        {"letter case of a switch", U16("-W all -fpmode fast -fpu sse -gen gas"), 0},
        {"letter case of the preset", Base() + U16("-GEN GAS"), 0},
        {"trailing blank", Base() + U16("-gen gas "), 0},
        {"leading blank", U16(" ") + Base() + U16("-gen gas"), 0},
        {"pieces out of order", U16("-exx -s console ") + Base() + U16("-gen gas"), 0},
        {"prefix alone", Base(), 0},
        {"empty line", U16(""), 0},
        {"preset alone", U16("-gen gas"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, MatchPresetIn(presets, c.line));
    }
}

TEST(SwitchLine, EarlierPresetWinsAndEmptyPresetMatchesABarePrefix) {
    EXPECT_EQ(1, MatchPresetIn({U16("-gen gas"), U16("-gen gas")}, Base() + U16("-gen gas")));
    EXPECT_EQ(2, MatchPresetIn({U16("-gen gas"), U16("")}, SWITCH_PREFIXES[5]));
}

TEST(SwitchLine, Arch686RuleNeedsTheExactPresetText) {
    const std::pair<const Char16*, Arch686Rule> cases[] = {
        {U16("-gen gas"), Arch686Rule::Check}, {U16("-gen gas64"), Arch686Rule::Clear},
        {U16("-gen gas "), Arch686Rule::Keep}, {U16("-GEN GAS"), Arch686Rule::Keep},
        {U16("-gen gcc"), Arch686Rule::Keep},  {U16(""), Arch686Rule::Keep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.first));
        EXPECT_EQ(c.second, Arch686RuleFor(c.first));
    }
}
