#include "app/preset_list.h"

#include <gtest/gtest.h>

#include "app/switch_line.h"

TEST(PresetList, MatchPresetSkipsTheNoPresetSlot) {
    const std::vector<Text16> saved = g_presets;
    const int savedSlots = g_presetSlots;
    g_presets = {U16("-gen gas"), U16("-gen gas64"), U16("")};
    g_presetSlots = 3;
    EXPECT_EQ(2, MatchPreset(BASE_SWITCHES + Text16(U16("-gen gas64"))));
    EXPECT_EQ(0, MatchPreset(BASE_SWITCHES));
    g_presets.back() = U16("No preset used");
    EXPECT_EQ(0, MatchPreset(BASE_SWITCHES + Text16(U16("No preset used"))));
    g_presets = saved;
    g_presetSlots = savedSlots;
}
