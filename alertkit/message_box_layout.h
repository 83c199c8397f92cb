#pragma once
#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

// Size, placement, control layout and clipboard text of the message box, as plain arithmetic.
// Sizes and positions are dialog units of the box's font unless a name says pixels.
namespace alertkit {

constexpr int IDC_BOX_BUTTON1 = 1001;  // button n has 1000 + n
constexpr int IDC_BOX_BUTTON2 = 1002;
constexpr int IDC_BOX_BUTTON3 = 1003;
constexpr int IDC_BOX_TEXT = 1004;
constexpr int IDC_BOX_BAND = 1005;
constexpr int IDC_BOX_ICON = 1006;
constexpr int IDC_BOX_BUTTON_BASE = 1000;

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

// Outer size of the box, title bar and frame included.
BoxSize BoxSizeUnits(int textWidthUnits, int lineCount, bool hasIcon, int buttonCount);

// The box's controls in creation (and tab) order.
std::vector<ControlPlace> BoxControls(BoxSize size, int shownButtons, bool hasIcon);

// Pixels to dialog units given the pixel size of 1024 units; nearest, halves up.
int PixelsToUnits(int pixels, int pixelsPer1024Units);

// value / 2 to the nearest integer, ties to even.
int HalfToEven(int value);

// Top-left corner, in units, of a box centred on a desktop of the given size in units.
POINT CenterOnDesktop(int desktopWidthUnits, int desktopHeightUnits, BoxSize size);

// Owner window rectangle with both corner coordinates negative: the owner is minimised.
bool OwnerIsMinimised(const RECT& ownerRect);

// Top-left corner, in pixels, of a box centred over the owner and kept inside the work area
// (null: no work area known, no clamping).
POINT PlaceOverOwner(const RECT& ownerRect, const RECT* workArea, int widthPx, int heightPx);

// Message lines: split at every LF; a CR stays part of its line.
std::vector<std::wstring> SplitLines(const wchar_t* text);

// Logical font height the lines are measured with: `points` on a screen of the given pixels
// per inch, 8 points for a size of 0.
int MeasuringFontHeight(int pixelsPerInch, int points);

// Timer interval for the timeout; 0 means no automatic close.
UINT TimeoutIntervalMs(int32_t timeoutSeconds);

// Plain-text copy of the box; captions from button 1 (rightmost) to the last.
std::wstring ClipboardText(const std::wstring& title, const std::wstring& message,
                           const std::vector<std::wstring>& captionsFromRight);

}  // namespace alertkit
