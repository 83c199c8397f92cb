#include "ui/main_layout.h"

#include <algorithm>

namespace {

// One quantity for the small (Tahoma 8 pt) and the large (Tahoma 12 pt) layout.
struct ByLayout {
    int small;
    int large;
    int For(bool isLarge) const { return isLarge ? large : small; }
};

constexpr ByLayout OPTION_PADDING = {16, 18};
constexpr ByLayout GROUP_PADDING = {26, 28};
constexpr ByLayout GROUP_MIN_WIDTH = {115, 150};
constexpr ByLayout OPTION_TOP = {50, 58};
constexpr ByLayout BUTTON_HEIGHT = {22, 25};
constexpr ByLayout GROUP_HEIGHT = {205, 213};
constexpr ByLayout CLIENT_EXTRA_HEIGHT = {162, 166};
constexpr int CLIENT_EXTRA_WIDTH = 20;
constexpr int OPTION_PITCH = 20;
constexpr int OPTION_HEIGHT = 20;
constexpr int OPTION_X = 15;
constexpr int FIRST_OPTION_OFFSET = 16;
// "No preset used" stands 24 units below the last preset's top instead of one pitch of 20,
// which sets it apart from the presets.
constexpr int NO_PRESET_OFFSET = 20;
constexpr int GROUP_X = 10;
constexpr int GROUP_Y = 50;

constexpr const Char16* KIND_OPTION = U16("Option");
constexpr const Char16* KIND_CHECKBOX = U16("Checkbox");
constexpr const Char16* KIND_BUTTON = U16("Button");
constexpr const Char16* KIND_GROUPBOX = U16("GroupBox");
constexpr const Char16* GROUP_CAPTION = U16("Select switches");

// Where each flag's check box stands, by its layout slot (FlagInfo::layoutSlot).
struct FlagBoxPlace {
    ByLayout x, y, width;
};
constexpr FlagBoxPlace FLAG_BOX_PLACES[] = {
    {{46, 58}, {5, 8}, {80, 90}},     // Console
    {{32, 40}, {25, 28}, {40, 46}},   // -exx
    {{80, 106}, {25, 28}, {48, 46}},  // 686
};
static_assert(sizeof(FLAG_BOX_PLACES) / sizeof(FLAG_BOX_PLACES[0]) == FLAG_COUNT,
              "every flag has its place in the window");
constexpr int FLAG_BOX_HEIGHT = 20;

// Command buttons stand at T plus yOffset.
struct CommandRow {
    int id;
    const Char16* caption;
    ByLayout x;
    int yOffset;
    ByLayout width;
};

constexpr CommandRow COMMAND_ROWS[] = {
    {IDC_APPLY, U16("Apply"), {10, 8}, 50, {38, 56}},
    {IDC_EDIT, U16("Edit"), {52, 67}, 50, {38, 56}},
    {IDC_CLEAR, U16("Clear"), {96, 126}, 50, {38, 56}},
    {IDC_BUILD_CONFIG, U16("Build Configurations..."), {10, 10}, 80, {124, 172}},
    {IDC_COMPILER_SETUP, U16("Compiler Setup"), {10, 10}, 110, {124, 172}},
};

}  // namespace

MainLayout ComputeMainLayout(bool large, int widestCaption, int presetCount) {
    MainLayout layout = {};
    layout.optionWidth = widestCaption + OPTION_PADDING.For(large);
    layout.groupWidth =
        std::max(widestCaption + GROUP_PADDING.For(large), GROUP_MIN_WIDTH.For(large));
    layout.optionTop = OPTION_TOP.For(large);
    layout.bottom = layout.optionTop + OPTION_PITCH * presetCount;
    layout.buttonHeight = BUTTON_HEIGHT.For(large);
    layout.groupHeight = GROUP_HEIGHT.For(large);
    layout.clientWidth = layout.groupWidth + CLIENT_EXTRA_WIDTH;
    layout.clientHeight = layout.bottom + CLIENT_EXTRA_HEIGHT.For(large);
    return layout;
}

Array<ControlSpec> MainControlSpecs(bool large,
                                    const MainLayout& layout,
                                    const Array<Text16>& slots) {
    // The boxes in layout-slot order, which is not the order of the pieces in a switch line.
    Array<ControlSpec> specs;
    for (size_t slot = 0; slot < FLAG_COUNT; ++slot) {
        for (const FlagInfo& flag : FLAGS) {
            if (flag.layoutSlot == slot) {
                const FlagBoxPlace& place = FLAG_BOX_PLACES[slot];
                specs.push_back({KIND_CHECKBOX, flag.controlId, flag.caption, place.x.For(large),
                                 place.y.For(large), place.width.For(large), FLAG_BOX_HEIGHT});
            }
        }
    }

    const int presetCount = static_cast<int>(slots.size()) - 1;
    for (int k = 0; k < presetCount; ++k) {
        specs.push_back({KIND_OPTION, PresetOptionId(k + 1), slots[k].c_str(), OPTION_X,
                         layout.optionTop + FIRST_OPTION_OFFSET + OPTION_PITCH * k,
                         layout.optionWidth, OPTION_HEIGHT,
                         k == 0 ? FIRST_OPTION_STYLE : OPTION_STYLE});
    }
    specs.push_back({KIND_OPTION, PresetOptionId(presetCount + 1), slots.back().c_str(), OPTION_X,
                     layout.optionTop + NO_PRESET_OFFSET + OPTION_PITCH * presetCount,
                     layout.optionWidth, OPTION_HEIGHT, OPTION_STYLE});

    for (const CommandRow& row : COMMAND_ROWS) {
        specs.push_back({KIND_BUTTON, row.id, row.caption, row.x.For(large),
                         layout.bottom + row.yOffset, row.width.For(large), layout.buttonHeight,
                         COMMAND_STYLE});
    }

    specs.push_back({KIND_GROUPBOX, IDC_SWITCH_GROUP, GROUP_CAPTION, GROUP_X, GROUP_Y,
                     layout.groupWidth, layout.groupHeight});
    return specs;
}
