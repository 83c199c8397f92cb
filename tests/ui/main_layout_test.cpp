#include <gtest/gtest.h>

#include "ui/main_layout.h"

namespace {

TEST(MainLayout, WidthsAndHeightsForBothLayouts) {
    struct Case {
        bool large;
        int widest;
        int presets;
        int optionWidth, groupWidth, bottom, clientWidth, clientHeight;
    };
    const Case cases[] = {
        // Two short presets: the group keeps its minimum width.
        {false, 40, 2, 56, 115, 90, 135, 252},
        {true, 40, 2, 58, 150, 98, 170, 264},
        // A caption of 200 pixels widens option, group and window.
        {false, 200, 2, 216, 226, 90, 246, 252},
        {true, 200, 2, 218, 228, 98, 248, 264},
        // Right at the minimum: W + 26 = 115.
        {false, 89, 3, 105, 115, 110, 135, 272},
        {false, 90, 3, 106, 116, 110, 136, 272},
        {true, 122, 32, 140, 150, 698, 170, 864},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "large " << c.large << " W " << c.widest << " n " << c.presets);
        const MainLayout layout = ComputeMainLayout(c.large, c.widest, c.presets);
        EXPECT_EQ(c.optionWidth, layout.optionWidth);
        EXPECT_EQ(c.groupWidth, layout.groupWidth);
        EXPECT_EQ(c.bottom, layout.bottom);
        EXPECT_EQ(c.clientWidth, layout.clientWidth);
        EXPECT_EQ(c.clientHeight, layout.clientHeight);
        EXPECT_EQ(c.large ? 25 : 22, layout.buttonHeight);
        EXPECT_EQ(c.large ? 213 : 205, layout.groupHeight);
    }
}

Array<Text16> Slots(int presets) {
    Array<Text16> slots;
    for (int i = 0; i < presets; ++i) {
        slots.push_back(U16("-gen gas"));
    }
    slots.push_back(U16("No preset used"));
    return slots;
}

const ControlSpec* Find(const Array<ControlSpec>& specs, int id) {
    for (const ControlSpec& item : specs) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

// Eight presets still fit in the group box; from nine on, "No preset used" runs past its lower
// edge while the command buttons follow T down.
TEST(MainLayout, NoPresetOptionAgainstTheGroupsLowerEdge) {
    struct Case {
        bool large;
        int presets;
        int noPresetBottom;
        int groupBottom;
        int applyTop;
    };
    const Case cases[] = {
        {false, 2, 130, 255, 140}, {false, 8, 250, 255, 260}, {true, 8, 258, 263, 268},
        {false, 9, 270, 255, 280}, {true, 9, 278, 263, 288},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "large " << c.large << " n " << c.presets);
        const Array<Text16> slots = Slots(c.presets);
        const MainLayout layout = ComputeMainLayout(c.large, 50, c.presets);
        const Array<ControlSpec> specs = MainControlSpecs(c.large, layout, slots);
        const ControlSpec* noPreset = Find(specs, PresetOptionId(c.presets + 1));
        const ControlSpec* group = Find(specs, IDC_SWITCH_GROUP);
        const ControlSpec* apply = Find(specs, IDC_APPLY);
        ASSERT_TRUE(noPreset && group && apply);
        EXPECT_EQ(c.noPresetBottom, noPreset->y + noPreset->height);
        EXPECT_EQ(c.groupBottom, group->y + group->height);
        EXPECT_EQ(c.applyTop, apply->y);
    }
}

TEST(MainLayout, IdentifiersAreUnique) {
    const Array<Text16> slots = Slots(32);
    const Array<ControlSpec> specs =
        MainControlSpecs(false, ComputeMainLayout(false, 50, 32), slots);
    std::vector<int> ids = {IDC_STATUSBAR, IDT_WATCH};
    for (const ControlSpec& item : specs) {
        ids.push_back(item.id);
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        for (size_t j = i + 1; j < ids.size(); ++j) {
            EXPECT_NE(ids[i], ids[j]) << "positions " << i << " and " << j;
        }
    }
}

}  // namespace
