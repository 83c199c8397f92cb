#include "alertkit/message_box_layout.h"

#include <gtest/gtest.h>

#include <limits.h>

#include <string>
#include <vector>

namespace alertkit {
namespace {

std::vector<std::wstring> Lines(const wchar_t* text) {
    std::vector<std::wstring> lines;
    for (const wchar_t* line = text ? text : L""; line; line = NextLine(line))
        lines.emplace_back(line, static_cast<size_t>(LineLength(line)));
    EXPECT_EQ(static_cast<int>(lines.size()), CountLines(text));
    return lines;
}

std::wstring Clipboard(const wchar_t* title,
                       const wchar_t* message,
                       const std::vector<const wchar_t*>& captionsFromRight) {
    const int count = static_cast<int>(captionsFromRight.size());
    const size_t length =
        ClipboardText(title, message, captionsFromRight.data(), count, nullptr, 0);
    std::wstring text(length + 1, L'#');
    EXPECT_EQ(length,
              ClipboardText(title, message, captionsFromRight.data(), count, &text[0], length));
    EXPECT_EQ(L'#', text.back());  // nothing written past the capacity
    text.pop_back();
    return text;
}

TEST(MessageBoxLayout, SizeFromTextLinesIconAndButtons) {
    struct Case {
        const char* name;
        int textWidth;
        int lines;
        bool icon;
        int buttons;
        BoxSize expected;
    };
    const Case cases[] = {
        {"one line, icon, one button: lines raised to 3", 30, 1, true, 1, {82, 92}},
        {"no icon, two lines, OK/Cancel", 40, 2, false, 2, {136, 84}},
        {"three buttons, short text", 20, 1, false, 3, {196, 76}},
        {"widest line 300 with icon", 300, 1, true, 1, {352, 92}},
        {"four lines with icon keep four", 10, 4, true, 2, {136, 100}},
        {"unassigned set counts no button", 0, 1, false, 0, {20, 76}},
        {"widths and lines past the int range stop at its end",
         INT_MAX,
         INT_MAX,
         true,
         3,
         {INT_MAX, INT_MAX}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BoxSize size = BoxSizeUnits(c.textWidth, c.lines, c.icon, c.buttons);
        EXPECT_EQ(c.expected.width, size.width);
        EXPECT_EQ(c.expected.height, size.height);
    }
}

TEST(MessageBoxLayout, ControlsInTabOrderWithButtonsAlignedRight) {
    const BoxControlList withIcon = BoxControls({196, 92}, 3, true);
    const ControlPlace expected[] = {
        {IDC_BOX_BAND, 0, 48, 196, 44},    {IDC_BOX_BUTTON3, 10, 54, 50, 16},
        {IDC_BOX_BUTTON2, 70, 54, 50, 16}, {IDC_BOX_BUTTON1, 130, 54, 50, 16},
        {IDC_BOX_ICON, 10, 12, 32, 32},    {IDC_BOX_TEXT, 44, 12, 191, 32},
    };
    ASSERT_EQ(static_cast<int>(std::size(expected)), withIcon.count);
    for (int i = 0; i < withIcon.count; ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(expected[i].id, withIcon.items[i].id);
        EXPECT_EQ(expected[i].x, withIcon.items[i].x);
        EXPECT_EQ(expected[i].y, withIcon.items[i].y);
        EXPECT_EQ(expected[i].width, withIcon.items[i].width);
        EXPECT_EQ(expected[i].height, withIcon.items[i].height);
    }
    const BoxControlList plain = BoxControls({136, 84}, 1, false);
    ASSERT_EQ(3, plain.count);
    EXPECT_EQ(IDC_BOX_BUTTON1, plain.items[1].id);
    EXPECT_EQ(IDC_BOX_TEXT, plain.items[2].id);
    EXPECT_EQ(8, plain.items[2].x);
    EXPECT_EQ(24, plain.items[2].height);
}

TEST(MessageBoxLayout, PixelsToUnitsRoundsHalvesUp) {
    const struct {
        int pixels;
        int per1024;
        int expected;
    } cases[] = {{0, 2048, 0},          {1, 2048, 1},         {3, 2048, 2},  {2, 2048, 1},
                 {3, 1536, 2},          {1280, 1792, 731},    {-1, 2048, 0}, {-3, 2048, -1},
                 {INT_MAX, 1, INT_MAX}, {INT_MIN, 1, INT_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pixels << " px at " << c.per1024);
        EXPECT_EQ(c.expected, PixelsToUnits(c.pixels, c.per1024));
    }
}

TEST(MessageBoxLayout, HalvingRoundsTiesToEven) {
    const int cases[][2] = {{4, 2},  {5, 2},   {7, 4},   {1, 0},   {3, 2},
                            {-1, 0}, {-3, -2}, {-5, -2}, {-4, -2}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(c[1], HalfToEven(c[0]));
    }
    const Point centred = CenterOnDesktop(641, 480, {136, 85});
    EXPECT_EQ(252, centred.x);  // 505 / 2
    EXPECT_EQ(198, centred.y);  // 395 / 2
    const Point outside = CenterOnDesktop(INT_MAX, INT_MIN, {INT_MIN, INT_MAX});
    EXPECT_EQ(INT_MAX, outside.x);
    EXPECT_EQ(INT_MIN, outside.y);
}

TEST(MessageBoxLayout, PlacementOverOwnerClampsToWorkArea) {
    const Rect work{0, 0, 1280, 1000};
    const struct {
        const char* name;
        Rect owner;
        const Rect* area;
        int width;
        int height;
        Point expected;
    } cases[] = {
        {"centred", {100, 100, 401, 300}, &work, 100, 50, {200, 175}},
        {"past the right edge", {1200, 100, 1500, 300}, &work, 200, 100, {1080, 150}},
        {"past the left and top", {-300, -100, 100, 60}, &work, 200, 100, {0, 0}},
        {"larger than the work area", {0, 0, 1280, 1000}, &work, 1400, 1100, {-120, -100}},
        {"no work area", {1200, 100, 1500, 300}, nullptr, 200, 100, {1250, 150}},
        {"sums past the int range",
         {INT_MAX, INT_MIN, INT_MAX, INT_MIN},
         nullptr,
         INT_MIN,
         INT_MAX,
         {INT_MAX, INT_MIN}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Point at = PlaceOverOwner(c.owner, c.area, c.width, c.height);
        EXPECT_EQ(c.expected.x, at.x);
        EXPECT_EQ(c.expected.y, at.y);
    }
    EXPECT_TRUE(OwnerIsMinimised({-32000, -32000, -31840, -31970}));
    EXPECT_FALSE(OwnerIsMinimised({-10, 20, 100, 200}));
}

TEST(MessageBoxLayout, LinesSplitAtLineFeedOnly) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {nullptr, {L""}},
        {L"", {L""}},
        {L"a\nb\n", {L"a", L"b", L""}},
        {L"one\r\ntwo", {L"one\r", L"two"}},
        {L"\n\n", {L"", L"", L""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.text ? c.text : L"(null)"));
        EXPECT_EQ(c.lines, Lines(c.text));
    }
}

TEST(MessageBoxLayout, MeasuringHeightAndTimeout) {
    EXPECT_EQ(-13, MeasuringFontHeight(96, 10));
    EXPECT_EQ(-11, MeasuringFontHeight(96, 0));  // measured at 8 points
    EXPECT_EQ(-20, MeasuringFontHeight(144, 10));
    EXPECT_EQ(0u, TimeoutIntervalMs(0));
    EXPECT_EQ(0u, TimeoutIntervalMs(-5));
    EXPECT_EQ(10000u, TimeoutIntervalMs(10));
    EXPECT_EQ(0x7FFFFFFFu, TimeoutIntervalMs(0x7FFFFFFF));
}

TEST(MessageBoxLayout, IconIsFourPixelsPerPointCutToThePictureArea) {
    const struct {
        int fontSize;
        int areaWidth;
        int areaHeight;
        int side;
    } cases[] = {
        {10, 53, 53, 40},         {8, 43, 43, 32},
        {0, 53, 53, 0},           {13, 48, 52, 48},
        {13, 52, 48, 48},         {3000, 72, 64, 64},
        {0x1FFFFFFF, 72, 64, 64}, {0x20000000, 72, 64, 64},
        {0x7FFFFFFF, 8, 4, 4},    {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
        {1000, 6592, 6204, 4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.fontSize << " points in " << c.areaWidth << " x " << c.areaHeight);
        EXPECT_EQ(c.side, IconSidePixels(c.fontSize, c.areaWidth, c.areaHeight));
    }
}

TEST(MessageBoxLayout, ClipboardTextInSevenLines) {
    const std::wstring rule = L"---------------------------\r\n";
    EXPECT_EQ(
        rule + L"Question\r\n" + rule + L"First\nSecond\r\n" + rule + L"No   Yes   \r\n" + rule,
        Clipboard(L"Question", L"First\nSecond", {L"No", L"Yes"}));
    EXPECT_EQ(rule + L"\r\n" + rule + L"\r\n" + rule + L"\r\n" + rule, Clipboard(L"", L"", {}));
}

}  // namespace
}  // namespace alertkit
