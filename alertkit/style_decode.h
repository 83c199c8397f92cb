#pragma once
#include <stdint.h>

#include <array>

namespace alertkit {

constexpr int MAX_BUTTONS = 3;

enum class BoxIcon { None, Hand, Question, Exclamation, Asterisk };

// The decoded `style` argument. Buttons are numbered from the right: index 0 holds button 1,
// the rightmost one.
struct BoxStyle {
    std::array<const wchar_t*, MAX_BUTTONS> captions;
    std::array<int32_t, MAX_BUTTONS> results;
    int shownButtons;   // buttons on screen
    int buttonCount;    // buttons counted for the width and the clipboard copy (0 for set 7)
    int defaultButton;  // 1 = rightmost
    BoxIcon icon;
    bool modal;
};

BoxStyle DecodeStyle(int32_t style);

// Button number (1 = rightmost) of the default button; `style`'s default bits count from the left.
int DefaultButtonNumber(int shownButtons, int32_t style);

// Result of the button the box ended with; 0 for no button (closed otherwise).
int32_t ResultOfButton(const BoxStyle& boxStyle, int buttonNumber);

}  // namespace alertkit
