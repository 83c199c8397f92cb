#include "alertkit/message_box_layout.h"

#include <limits.h>

namespace alertkit {
namespace {

constexpr int TEXT_MARGIN = 20;
constexpr int ICON_EXTRA_WIDTH = 32;
constexpr int BUTTON_ROW_MARGIN = 16;
constexpr int BUTTON_PITCH = 60;
constexpr int LINE_HEIGHT = 8;
constexpr int FRAME_HEIGHT = 68;
constexpr int ICON_MIN_LINES = 3;

constexpr int BAND_HEIGHT = 44;
constexpr int BUTTON_WIDTH = 50;
constexpr int BUTTON_HEIGHT = 16;
constexpr int BUTTON_FROM_BOTTOM = 38;
constexpr int BUTTON1_FROM_RIGHT = 66;
constexpr int ICON_X = 10;
constexpr int ICON_Y = 12;
constexpr int ICON_SIZE = 32;
constexpr int TEXT_X_WITH_ICON = 44;
constexpr int TEXT_X_WITHOUT_ICON = 8;
constexpr int TEXT_Y = 12;
constexpr int TEXT_WIDTH_CUT = 5;
constexpr int TEXT_HEIGHT_CUT = 60;

constexpr int UNITS_SCALE = 1024;
constexpr long long ICON_PIXELS_PER_POINT = 4;
constexpr int POINTS_PER_INCH = 72;
constexpr int MEASURE_POINTS_WHEN_ZERO = 8;
constexpr unsigned long long MS_PER_SECOND = 1000;
constexpr int MUL_DIV_FAILED = -1;
constexpr wchar_t LINE_BREAK = L'\n';
constexpr const wchar_t* CLIPBOARD_RULE = L"---------------------------";
constexpr const wchar_t* CLIPBOARD_EOL = L"\r\n";
constexpr const wchar_t* CAPTION_GAP = L"   ";

// Floor division for a positive divisor, independent of how the compiler rounds negatives.
long long FloorDiv(long long numerator, long long divisor) {
    long long quotient = numerator / divisor;
    if (numerator % divisor != 0 && numerator < 0)
        --quotient;
    return quotient;
}

// A wide result stops at the end of the int range instead of wrapping.
int ClampToInt(long long value) {
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

long long HalfToEvenWide(long long value) {
    const long long floorHalf = FloorDiv(value, 2);
    if (2 * floorHalf == value || floorHalf % 2 == 0)
        return floorHalf;
    return floorHalf + 1;
}

// Counts every character and stores those that fit.
class TextWriter {
public:
    TextWriter(wchar_t* out, size_t capacity) : out_(out), capacity_(capacity) {}
    void Append(const wchar_t* text) {
        for (const wchar_t* c = text ? text : L""; *c; ++c) {
            if (out_ && count_ < capacity_)
                out_[count_] = *c;
            ++count_;
        }
    }
    void Rule() {
        Append(CLIPBOARD_RULE);
        Append(CLIPBOARD_EOL);
    }
    // A rule, then the text on its own line.
    void Section(const wchar_t* text) {
        Rule();
        Append(text);
        Append(CLIPBOARD_EOL);
    }
    size_t Count() const { return count_; }

private:
    wchar_t* out_;
    size_t capacity_;
    size_t count_ = 0;
};

}  // namespace

BoxSize BoxSizeUnits(int textWidthUnits, int lineCount, bool hasIcon, int buttonCount) {
    const long long fromText =
        static_cast<long long>(textWidthUnits) + TEXT_MARGIN + (hasIcon ? ICON_EXTRA_WIDTH : 0);
    const long long fromButtons =
        BUTTON_ROW_MARGIN + static_cast<long long>(BUTTON_PITCH) * buttonCount;
    const int lines = hasIcon && lineCount < ICON_MIN_LINES ? ICON_MIN_LINES : lineCount;
    return {ClampToInt(fromText > fromButtons ? fromText : fromButtons),
            ClampToInt(static_cast<long long>(LINE_HEIGHT) * lines + FRAME_HEIGHT)};
}

BoxControlList BoxControls(BoxSize size, int shownButtons, bool hasIcon) {
    const long long w = size.width;
    const long long h = size.height;
    BoxControlList controls{};
    controls.items[controls.count++] = {IDC_BOX_BAND, 0, ClampToInt(h - BAND_HEIGHT), size.width,
                                        BAND_HEIGHT};
    const int buttons = shownButtons > MAX_BUTTONS ? MAX_BUTTONS : shownButtons;
    for (int number = buttons; number >= 1; --number) {
        controls.items[controls.count++] = {
            IDC_BOX_BUTTON_BASE + number,
            ClampToInt(w - BUTTON1_FROM_RIGHT - BUTTON_PITCH * (number - 1)),
            ClampToInt(h - BUTTON_FROM_BOTTOM), BUTTON_WIDTH, BUTTON_HEIGHT};
    }
    if (hasIcon)
        controls.items[controls.count++] = {IDC_BOX_ICON, ICON_X, ICON_Y, ICON_SIZE, ICON_SIZE};
    controls.items[controls.count++] = {
        IDC_BOX_TEXT, hasIcon ? TEXT_X_WITH_ICON : TEXT_X_WITHOUT_ICON, TEXT_Y,
        ClampToInt(w - TEXT_WIDTH_CUT), ClampToInt(h - TEXT_HEIGHT_CUT)};
    return controls;
}

int PixelsToUnits(int pixels, int pixelsPer1024Units) {
    if (pixelsPer1024Units <= 0)
        return 0;
    const long long twice = 2LL * pixels * UNITS_SCALE + pixelsPer1024Units;
    return ClampToInt(FloorDiv(twice, 2LL * pixelsPer1024Units));
}

int HalfToEven(int value) {
    return static_cast<int>(HalfToEvenWide(value));
}

Point CenterOnDesktop(int desktopWidthUnits, int desktopHeightUnits, BoxSize size) {
    return {ClampToInt(HalfToEvenWide(static_cast<long long>(desktopWidthUnits) - size.width)),
            ClampToInt(HalfToEvenWide(static_cast<long long>(desktopHeightUnits) - size.height))};
}

bool OwnerIsMinimised(const Rect& ownerRect) {
    return ownerRect.left < 0 && ownerRect.top < 0;
}

Point PlaceOverOwner(const Rect& ownerRect, const Rect* workArea, int widthPx, int heightPx) {
    long long x =
        HalfToEvenWide(static_cast<long long>(ownerRect.left) + ownerRect.right - widthPx);
    long long y =
        HalfToEvenWide(static_cast<long long>(ownerRect.top) + ownerRect.bottom - heightPx);
    if (workArea) {
        // Right and bottom last, so they win when the box is larger than the work area.
        if (x < workArea->left)
            x = workArea->left;
        if (y < workArea->top)
            y = workArea->top;
        if (x + widthPx > workArea->right)
            x = static_cast<long long>(workArea->right) - widthPx;
        if (y + heightPx > workArea->bottom)
            y = static_cast<long long>(workArea->bottom) - heightPx;
    }
    return {ClampToInt(x), ClampToInt(y)};
}

int CountLines(const wchar_t* text) {
    int count = 1;
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        if (*p == LINE_BREAK)
            ++count;
    }
    return count;
}

int LineLength(const wchar_t* line) {
    int length = 0;
    while (line[length] && line[length] != LINE_BREAK)
        ++length;
    return length;
}

const wchar_t* NextLine(const wchar_t* line) {
    const wchar_t* end = line + LineLength(line);
    return *end == LINE_BREAK ? end + 1 : nullptr;
}

int MulDivRounded(int value, int multiplier, int divisor) {
    if (divisor == 0)
        return MUL_DIV_FAILED;
    // In 64 bits the product of two ints and its negation both fit.
    long long product = static_cast<long long>(value) * multiplier;
    long long positiveDivisor = divisor;
    if (divisor < 0) {
        product = -product;
        positiveDivisor = -positiveDivisor;
    }
    const long long half = positiveDivisor / 2;
    const long long result = (product >= 0 ? product + half : product - half) / positiveDivisor;
    if (result > INT_MAX || result < -INT_MAX)
        return MUL_DIV_FAILED;
    return static_cast<int>(result);
}

int MeasuringFontHeight(int pixelsPerInch, int points) {
    if (points == 0)
        points = MEASURE_POINTS_WHEN_ZERO;
    return -MulDivRounded(pixelsPerInch, points, POINTS_PER_INCH);
}

int IconSidePixels(int fontSize, int areaWidthPx, int areaHeightPx) {
    // In 64 bits: 4 x fontSize passes INT_MAX from 0x20000000 points on.
    long long side = ICON_PIXELS_PER_POINT * fontSize;
    if (side > areaWidthPx)
        side = areaWidthPx;
    if (side > areaHeightPx)
        side = areaHeightPx;
    return side > 0 ? static_cast<int>(side) : 0;
}

uint32_t TimeoutIntervalMs(int32_t timeoutSeconds) {
    if (timeoutSeconds <= 0)
        return 0;
    const unsigned long long ms = static_cast<unsigned long long>(timeoutSeconds) * MS_PER_SECOND;
    return ms > TIMER_MAXIMUM_MS ? TIMER_MAXIMUM_MS : static_cast<uint32_t>(ms);
}

size_t ClipboardText(const wchar_t* title,
                     const wchar_t* message,
                     const wchar_t* const* captionsFromRight,
                     int captionCount,
                     wchar_t* out,
                     size_t capacity) {
    TextWriter writer(out, capacity);
    writer.Section(title);
    writer.Section(message);
    writer.Rule();
    for (int i = 0; i < captionCount; ++i) {
        writer.Append(captionsFromRight[i]);
        writer.Append(CAPTION_GAP);
    }
    writer.Append(CLIPBOARD_EOL);
    writer.Rule();
    return writer.Count();
}

}  // namespace alertkit
