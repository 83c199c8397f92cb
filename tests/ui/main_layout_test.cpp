#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "ui/keystrokes.h"
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
        SCOPED_TRACE(testing::Message() << "large " << c.large << " W " << c.widest << " n "
                                        << c.presets);
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

std::vector<std::wstring> Slots(int presets) {
    std::vector<std::wstring> slots;
    for (int i = 0; i < presets; ++i) {
        slots.push_back(L"-gen gas");
    }
    slots.push_back(L"No preset used");
    return slots;
}

const ControlSpec* Find(const std::vector<ControlSpec>& specs, int id) {
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
        const std::vector<std::wstring> slots = Slots(c.presets);
        const MainLayout layout = ComputeMainLayout(c.large, 50, c.presets);
        const std::vector<ControlSpec> specs = MainControlSpecs(c.large, layout, slots);
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
    const std::vector<std::wstring> slots = Slots(32);
    const std::vector<ControlSpec> specs =
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

TEST(StartupOptions, AppearanceFromTheProgramsName) {
    struct Case {
        const char* name;
        bool large;
        int fontSize;
    };
    const Case cases[] = {
        {"FlagsmithII", false, 8},  {"FlagsmithIIL", true, 8},   {"flagsmith lower l", false, 8},
        {"LargeA", true, 10},       {"FlagsmithIIa", false, 10}, {"FlagsmithIIF", false, 15},
        {"FlagsmithIIf", false, 15}, {"FlagsmithII9", false, 9},  {"FlagsmithII8", false, 8},
        {"FlagsmithII0", false, 8}, {"FlagsmithIIG", false, 8},  {"FlagsmithIIC", false, 12},
        {"", false, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.large, IsLargeLayoutName(c.name));
        EXPECT_EQ(c.fontSize, MessageFontSizeForName(c.name));
    }
}

std::string Describe(const KeySequence& sequence) {
    std::string text;
    for (int i = 0; i < sequence.count; ++i) {
        const KeyEvent& event = sequence.events[i];
        const char* name = event.virtualKey == VK_SHIFT ? "Shift"
                           : event.virtualKey == VK_F7  ? "F7"
                           : event.virtualKey == VK_UP  ? "Up"
                           : event.virtualKey == VK_DOWN ? "Down"
                                                         : "?";
        text += std::string(event.release ? "-" : "+") + name + " ";
    }
    return text;
}

TEST(Keystrokes, SequencesInOrder) {
    EXPECT_EQ("+F7 -F7 ", Describe(BUILD_CONFIG_KEYS));
    // Only the press is followed by a wait; the release comes after the resolution is released.
    EXPECT_EQ(1, BUILD_CONFIG_KEYS.timedCount);

    std::string setup = "+Shift +F7 -F7 -Shift ";
    for (int i = 0; i < 7; ++i) {
        setup += "+Up -Up ";
    }
    for (int i = 0; i < 4; ++i) {
        setup += "+Down -Down ";
    }
    EXPECT_EQ(setup, Describe(COMPILER_SETUP_KEYS));
    EXPECT_EQ(26, COMPILER_SETUP_KEYS.count);
    EXPECT_EQ(26, COMPILER_SETUP_KEYS.timedCount);
}

TEST(Keystrokes, WaitForWinFbeFocusOnlyWhileFoundUnfocusedAndWithinTheLimit) {
    struct Case {
        bool found, focus;
        DWORD waitedMs;
        bool keepWaiting;
    };
    const Case cases[] = {
        {false, false, 0, false},
        {false, false, 100, false},
        {true, true, 0, false},
        {true, false, 0, true},
        {true, false, 249, true},
        {true, false, 250, false},
        {true, false, 60000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.found << c.focus << " " << c.waitedMs);
        EXPECT_EQ(c.keepWaiting, KeepWaitingForFocus(c.found, c.focus, c.waitedMs));
    }
}

}  // namespace
