#include "alertkit/style_decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace alertkit {
namespace {

struct ButtonSetCase {
    int32_t set;
    std::vector<std::wstring> leftToRight;
    std::vector<int32_t> results;
    int buttonCount;
};

TEST(StyleDecode, ButtonSetsGiveCaptionsAndResultsFromTheRight) {
    const ButtonSetCase cases[] = {
        {0, {L"OK"}, {1}, 1},
        {1, {L"OK", L"Cancel"}, {1, 2}, 2},
        {2, {L"ABORT", L"Try Again", L"Ignore"}, {3, 4, 5}, 3},
        {3, {L"Yes", L"No", L"Cancel"}, {6, 7, 2}, 3},
        {4, {L"Yes", L"No"}, {6, 7}, 2},
        {5, {L"Try Again", L"Cancel"}, {4, 2}, 2},
        {6, {L"Cancel", L"Try Again", L"Continue"}, {2, 4, 11}, 3},
        {7, {L""}, {0}, 0},
    };
    for (const ButtonSetCase& c : cases) {
        SCOPED_TRACE(c.set);
        const BoxStyle style = DecodeStyle(c.set | 0x4000);  // unrelated bits are ignored
        const int shown = static_cast<int>(c.leftToRight.size());
        EXPECT_EQ(shown, style.shownButtons);
        EXPECT_EQ(c.buttonCount, style.buttonCount);
        for (int number = 1; number <= MAX_BUTTONS; ++number) {
            const bool present = number <= shown;
            EXPECT_EQ(present ? c.leftToRight[shown - number] : L"",
                      std::wstring(style.captions[number - 1]));
            EXPECT_EQ(present ? c.results[shown - number] : 0, ResultOfButton(style, number));
        }
        EXPECT_EQ(0, ResultOfButton(style, 0));
    }
}

TEST(StyleDecode, DefaultButtonCountsFromTheLeftAndFallsBackToTheRightmost) {
    struct Case {
        int buttons;
        int32_t bits;
        int expected;
    };
    const Case cases[] = {
        {1, 0x000, 1}, {1, 0x100, 1}, {1, 0x200, 1}, {1, 0x300, 1}, {2, 0x000, 2}, {2, 0x100, 1},
        {2, 0x200, 1}, {2, 0x300, 1}, {3, 0x000, 3}, {3, 0x100, 2}, {3, 0x200, 1}, {3, 0x300, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.buttons << " buttons, bits " << c.bits);
        EXPECT_EQ(c.expected, DefaultButtonNumber(c.buttons, c.bits));
    }
    EXPECT_EQ(1, DecodeStyle(7 | 0x200).defaultButton);
    EXPECT_EQ(7, ResultOfButton(DecodeStyle(4 | 0x200), DecodeStyle(4 | 0x200).defaultButton));
}

TEST(StyleDecode, IconAndModality) {
    const struct {
        int32_t bits;
        BoxIcon icon;
    } icons[] = {{0x00, BoxIcon::None},        {0x10, BoxIcon::Hand},     {0x20, BoxIcon::Question},
                 {0x30, BoxIcon::Exclamation}, {0x40, BoxIcon::Asterisk}, {0x50, BoxIcon::None},
                 {0x60, BoxIcon::None},        {0x70, BoxIcon::None}};
    for (const auto& c : icons) {
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(c.icon, DecodeStyle(c.bits).icon);
    }
    EXPECT_FALSE(DecodeStyle(0x0000).modal);
    EXPECT_TRUE(DecodeStyle(0x1000).modal);
    EXPECT_TRUE(DecodeStyle(0x2030).modal);
    EXPECT_FALSE(DecodeStyle(0x3000).modal);
}

}  // namespace
}  // namespace alertkit
