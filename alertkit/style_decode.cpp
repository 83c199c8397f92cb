#include "alertkit/style_decode.h"

namespace alertkit {
namespace {

constexpr int32_t BUTTON_SET_MASK = 0x7;
constexpr int32_t ICON_MASK = 0x70;
constexpr int32_t DEFAULT_BUTTON_MASK = 0x300;
constexpr int DEFAULT_BUTTON_SHIFT = 8;
constexpr int32_t MODALITY_MASK = 0x3000;
constexpr int32_t SYSTEM_MODAL = 0x1000;
constexpr int32_t TASK_MODAL = 0x2000;

constexpr int32_t RESULT_OK = 1;
constexpr int32_t RESULT_CANCEL = 2;
constexpr int32_t RESULT_ABORT = 3;
constexpr int32_t RESULT_RETRY = 4;
constexpr int32_t RESULT_IGNORE = 5;
constexpr int32_t RESULT_YES = 6;
constexpr int32_t RESULT_NO = 7;
constexpr int32_t RESULT_CONTINUE = 11;

constexpr const wchar_t* CAPTION_OK = L"OK";
constexpr const wchar_t* CAPTION_CANCEL = L"Cancel";
constexpr const wchar_t* CAPTION_ABORT = L"ABORT";
constexpr const wchar_t* CAPTION_TRY_AGAIN = L"Try Again";
constexpr const wchar_t* CAPTION_IGNORE = L"Ignore";
constexpr const wchar_t* CAPTION_YES = L"Yes";
constexpr const wchar_t* CAPTION_NO = L"No";
constexpr const wchar_t* CAPTION_CONTINUE = L"Continue";
constexpr const wchar_t* CAPTION_NONE = L"";

struct Button {
    const wchar_t* caption;
    int32_t result;
};

struct ButtonSet {
    int count;
    Button leftToRight[MAX_BUTTONS];
};

constexpr ButtonSet BUTTON_SETS[] = {
    {1, {{CAPTION_OK, RESULT_OK}}},
    {2, {{CAPTION_OK, RESULT_OK}, {CAPTION_CANCEL, RESULT_CANCEL}}},
    {3,
     {{CAPTION_ABORT, RESULT_ABORT},
      {CAPTION_TRY_AGAIN, RESULT_RETRY},
      {CAPTION_IGNORE, RESULT_IGNORE}}},
    {3, {{CAPTION_YES, RESULT_YES}, {CAPTION_NO, RESULT_NO}, {CAPTION_CANCEL, RESULT_CANCEL}}},
    {2, {{CAPTION_YES, RESULT_YES}, {CAPTION_NO, RESULT_NO}}},
    {2, {{CAPTION_TRY_AGAIN, RESULT_RETRY}, {CAPTION_CANCEL, RESULT_CANCEL}}},
    {3,
     {{CAPTION_CANCEL, RESULT_CANCEL},
      {CAPTION_TRY_AGAIN, RESULT_RETRY},
      {CAPTION_CONTINUE, RESULT_CONTINUE}}},
    // The unassigned set still shows one button, but it counts as none for the layout.
    {0, {{CAPTION_NONE, 0}}},
};

BoxIcon DecodeIcon(int32_t style) {
    switch (style & ICON_MASK) {
        case 0x10:
            return BoxIcon::Hand;
        case 0x20:
            return BoxIcon::Question;
        case 0x30:
            return BoxIcon::Exclamation;
        case 0x40:
            return BoxIcon::Asterisk;
        default:
            return BoxIcon::None;
    }
}

}  // namespace

int DefaultButtonNumber(int shownButtons, int32_t style) {
    const int fromLeft = (style & DEFAULT_BUTTON_MASK) >> DEFAULT_BUTTON_SHIFT;  // 0-based
    // Compared before subtracting, so that no count runs below the int range.
    return shownButtons <= fromLeft ? 1 : shownButtons - fromLeft;
}

BoxStyle DecodeStyle(int32_t style) {
    const ButtonSet& set = BUTTON_SETS[style & BUTTON_SET_MASK];
    BoxStyle decoded{};
    decoded.buttonCount = set.count;
    decoded.shownButtons = set.count == 0 ? 1 : set.count;
    for (int number = 1; number <= MAX_BUTTONS; ++number) {
        if (number <= decoded.shownButtons) {
            const Button& button = set.leftToRight[decoded.shownButtons - number];
            decoded.captions[number - 1] = button.caption;
            decoded.results[number - 1] = button.result;
        } else {
            decoded.captions[number - 1] = CAPTION_NONE;
            decoded.results[number - 1] = 0;
        }
    }
    decoded.defaultButton = DefaultButtonNumber(decoded.shownButtons, style);
    decoded.icon = DecodeIcon(style);
    const int32_t modality = style & MODALITY_MASK;
    decoded.modal = modality == SYSTEM_MODAL || modality == TASK_MODAL;
    return decoded;
}

int32_t ResultOfButton(const BoxStyle& boxStyle, int buttonNumber) {
    if (buttonNumber < 1 || buttonNumber > MAX_BUTTONS)
        return 0;
    return boxStyle.results[buttonNumber - 1];
}

}  // namespace alertkit
