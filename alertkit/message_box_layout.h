#pragma once
#include <stddef.h>
#include <stdint.h>

#include "alertkit/style_decode.h"

// Size, placement, control layout and clipboard text of the message box, as plain arithmetic.
// Sizes and positions are dialog units of the box's font unless a name says pixels; one that
// would lie beyond the int range stops at its end.
namespace alertkit {

constexpr int IDC_BOX_BUTTON1 = 1001;  // button n has 1000 + n
constexpr int IDC_BOX_BUTTON2 = 1002;
constexpr int IDC_BOX_BUTTON3 = 1003;
constexpr int IDC_BOX_TEXT = 1004;
constexpr int IDC_BOX_BAND = 1005;
constexpr int IDC_BOX_ICON = 1006;
constexpr int IDC_BOX_BUTTON_BASE = 1000;

// Band, buttons, icon and text.
constexpr int MAX_BOX_CONTROLS = MAX_BUTTONS + 3;

// Longest timer interval the platform takes (USER_TIMER_MAXIMUM).
constexpr uint32_t TIMER_MAXIMUM_MS = 0x7FFFFFFF;

struct Point {
    int x;
    int y;
};

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

struct BoxSize {
    int width;
    int height;
};

struct ControlPlace {
    int id;
    int x;
    int y;
    int width;
    int height;
};

struct BoxControlList {
    ControlPlace items[MAX_BOX_CONTROLS];
    int count;
};

// Outer size of the box, title bar and frame included.
BoxSize BoxSizeUnits(int textWidthUnits, int lineCount, bool hasIcon, int buttonCount);

// The box's controls in creation (and tab) order.
BoxControlList BoxControls(BoxSize size, int shownButtons, bool hasIcon);

// Pixels to dialog units given the pixel size of 1024 units; nearest, halves up.
int PixelsToUnits(int pixels, int pixelsPer1024Units);

// value / 2 to the nearest integer, ties to even.
int HalfToEven(int value);

// Top-left corner, in units, of a box centred on a desktop of the given size in units.
Point CenterOnDesktop(int desktopWidthUnits, int desktopHeightUnits, BoxSize size);

// Owner window rectangle with both corner coordinates negative: the owner is minimised.
bool OwnerIsMinimised(const Rect& ownerRect);

// Top-left corner, in pixels, of a box centred over the owner and kept inside the work area
// (null: no work area known, no clamping).
Point PlaceOverOwner(const Rect& ownerRect, const Rect* workArea, int widthPx, int heightPx);

// Message lines: split at every LF; a CR stays part of its line. A text (null reads as
// empty) has one line more than it has LFs.
int CountLines(const wchar_t* text);

// Characters of the line that starts at `line`, up to its LF or the text's end.
int LineLength(const wchar_t* line);

// Start of the line after the one at `line`; null when that was the last line.
const wchar_t* NextLine(const wchar_t* line);

// value x multiplier / divisor as the platform's MulDiv has it: rounded to the nearest integer,
// halves away from zero; -1 for a zero divisor or a result beyond +-INT_MAX.
int MulDivRounded(int value, int multiplier, int divisor);

// Logical font height the lines are measured with: `points` on a screen of the given pixels
// per inch, 8 points for a size of 0.
int MeasuringFontHeight(int pixelsPerInch, int points);

// Side in pixels of the icon square: 4 pixels per point, but no larger than the picture
// area (pixels) can show. Not negative.
int IconSidePixels(int fontSize, int areaWidthPx, int areaHeightPx);

// Timer interval for the timeout; 0 means no automatic close.
uint32_t TimeoutIntervalMs(int32_t timeoutSeconds);

// Plain-text copy of the box; captions from button 1 (rightmost) to the last. Writes at
// most `capacity` characters to `out` (which may be null), without a terminator, and
// returns the length of the whole copy.
size_t ClipboardText(const wchar_t* title,
                     const wchar_t* message,
                     const wchar_t* const* captionsFromRight,
                     int captionCount,
                     wchar_t* out,
                     size_t capacity);

}  // namespace alertkit
