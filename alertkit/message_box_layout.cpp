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

// a + b, stopped at the end of the int range; in 32 bits, which keeps the library small.
int AddClamped(int a, int b) {
    if (b > 0 && a > INT_MAX - b)
        return INT_MAX;
    if (b < 0 && a < INT_MIN - b)
        return INT_MIN;
    return a + b;
}

// value / 2 to the nearest integer, ties to even.
long long HalfToEvenWide(long long value) {
    long long half = value / 2;  // towards zero
    if (value % 2 != 0 && half % 2 != 0)
        half += value < 0 ? -1 : 1;
    return half;
}

// One axis of a placement: centred over the span from `low` to `high`, then, when there is a
// work area, kept inside it; its far edge last, so that it wins for a box larger than the area.
int CenterOnAxis(int low, int high, int size, const int* areaLow, const int* areaHigh) {
    long long at = HalfToEvenWide(static_cast<long long>(low) + high - size);
    if (areaLow && at < *areaLow)
        at = *areaLow;
    if (areaHigh && at + size > *areaHigh)
        at = static_cast<long long>(*areaHigh) - size;
    return ClampToInt(at);
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
    const int fromText = AddClamped(textWidthUnits, TEXT_MARGIN + (hasIcon ? ICON_EXTRA_WIDTH : 0));
    const int fromButtons =
        ClampToInt(BUTTON_ROW_MARGIN + static_cast<long long>(BUTTON_PITCH) * buttonCount);
    const int lines = hasIcon && lineCount < ICON_MIN_LINES ? ICON_MIN_LINES : lineCount;
    return {fromText > fromButtons ? fromText : fromButtons,
            ClampToInt(static_cast<long long>(LINE_HEIGHT) * lines + FRAME_HEIGHT)};
}

BoxControlList BoxControls(BoxSize size, int shownButtons, bool hasIcon) {
    const int w = size.width;
    const int h = size.height;
    BoxControlList controls{};
    controls.items[controls.count++] = {IDC_BOX_BAND, 0, AddClamped(h, -BAND_HEIGHT), w,
                                        BAND_HEIGHT};
    const int buttons = shownButtons > MAX_BUTTONS ? MAX_BUTTONS : shownButtons;
    for (int number = buttons; number >= 1; --number) {
        controls.items[controls.count++] = {
            IDC_BOX_BUTTON_BASE + number,
            AddClamped(w, -(BUTTON1_FROM_RIGHT + BUTTON_PITCH * (number - 1))),
            AddClamped(h, -BUTTON_FROM_BOTTOM), BUTTON_WIDTH, BUTTON_HEIGHT};
    }
    if (hasIcon)
        controls.items[controls.count++] = {IDC_BOX_ICON, ICON_X, ICON_Y, ICON_SIZE, ICON_SIZE};
    controls.items[controls.count++] = {
        IDC_BOX_TEXT, hasIcon ? TEXT_X_WITH_ICON : TEXT_X_WITHOUT_ICON, TEXT_Y,
        AddClamped(w, -TEXT_WIDTH_CUT), AddClamped(h, -TEXT_HEIGHT_CUT)};
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
    return {CenterOnAxis(0, desktopWidthUnits, size.width, nullptr, nullptr),
            CenterOnAxis(0, desktopHeightUnits, size.height, nullptr, nullptr)};
}

bool OwnerIsMinimised(const Rect& ownerRect) {
    return ownerRect.left < 0 && ownerRect.top < 0;
}

Point PlaceOverOwner(const Rect& ownerRect, const Rect* workArea, int widthPx, int heightPx) {
    return {
        CenterOnAxis(ownerRect.left, ownerRect.right, widthPx, workArea ? &workArea->left : nullptr,
                     workArea ? &workArea->right : nullptr),
        CenterOnAxis(ownerRect.top, ownerRect.bottom, heightPx, workArea ? &workArea->top : nullptr,
                     workArea ? &workArea->bottom : nullptr)};
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
    // In 64 bits the product of two ints fits, and so does every step below.
    const long long product = static_cast<long long>(value) * multiplier;
    long long quotient = product / divisor;
    const long long remainder = product % divisor;
    // A remainder of half the divisor or more takes the quotient one step away from zero.
    const long long twiceRemainder = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRemainder >= (divisor < 0 ? -static_cast<long long>(divisor) : divisor))
        quotient += (product < 0) == (divisor < 0) ? 1 : -1;
    if (quotient > INT_MAX || quotient < -INT_MAX)
        return MUL_DIV_FAILED;
    return static_cast<int>(quotient);
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
