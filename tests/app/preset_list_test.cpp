#include "app/preset_list.h"

#include <gtest/gtest.h>

#include "app/switch_line.h"

TEST(PresetList, MatchPresetSkipsTheNoPresetSlot) {
    Array<Text16> slots = {U16("-gen gas"), U16("-gen gas64"), U16("")};
    EXPECT_EQ(2, MatchPresetInSlots(slots, 3, BASE_SWITCHES + Text16(U16("-gen gas64"))));
    EXPECT_EQ(0, MatchPresetInSlots(slots, 3, BASE_SWITCHES));
    slots.back() = U16("No preset used");
    EXPECT_EQ(0, MatchPresetInSlots(slots, 3, BASE_SWITCHES + Text16(U16("No preset used"))));
}
