// Any style, font size, size, owner and work-area rectangle, and any text: the decoded style
// stays inside its button sets, every size and position is the value its arithmetic states,
// rounded as stated, or the end of the int range where that value lies beyond it, and no
// writer stores past the room it is given.
#include <fuzzer/FuzzedDataProvider.h>
#include <limits.h>
#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "alertkit/dialog_template.h"
#include "alertkit/message_box_layout.h"
#include "alertkit/style_decode.h"

namespace {

using namespace alertkit;

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// `result` is `twice` / 2 to the nearest integer (ties to even), or the end of the int range
// the exact value lies at or beyond.
void CheckHalf(int result, long long twice) {
    const long long error = 2LL * result - twice;
    Check(result == INT_MIN || error <= 1);
    Check(result == INT_MAX || error >= -1);
    if (result != INT_MIN && result != INT_MAX && error != 0)
        Check(result % 2 == 0);
}

void CheckStyle(int32_t style, int anyNumber) {
    const BoxStyle decoded = DecodeStyle(style);
    Check(decoded.shownButtons >= 1 && decoded.shownButtons <= MAX_BUTTONS);
    Check(decoded.buttonCount >= 0 && decoded.buttonCount <= decoded.shownButtons);
    Check(decoded.defaultButton >= 1 && decoded.defaultButton <= decoded.shownButtons);
    Check(decoded.icon >= BoxIcon::None && decoded.icon <= BoxIcon::Asterisk);
    for (int number = 1; number <= MAX_BUTTONS; ++number) {
        const int32_t result = ResultOfButton(decoded, number);
        Check(decoded.captions[number - 1] != nullptr);
        Check((result >= 1 && result <= 7) || result == 11 ||
              (result == 0 && (number > decoded.shownButtons || decoded.buttonCount == 0)));
    }
    if (anyNumber < 1 || anyNumber > MAX_BUTTONS)
        Check(ResultOfButton(decoded, anyNumber) == 0);
    const int number = DefaultButtonNumber(anyNumber, style);
    Check(number >= 1 && (number == 1 || number <= anyNumber));
}

void CheckMulDiv(int value, int multiplier, int divisor) {
    const int result = MulDivRounded(value, multiplier, divisor);
    if (divisor == 0) {
        Check(result == -1);
        return;
    }
    const __int128 product = static_cast<__int128>(value) * multiplier;
    const __int128 magnitude = divisor < 0 ? -static_cast<__int128>(divisor) : divisor;
    const __int128 error = 2 * (static_cast<__int128>(result) * divisor - product);
    const bool nearest = error <= magnitude && error >= -magnitude;
    const __int128 absProduct = product < 0 ? -product : product;
    if (result == -1 && !nearest) {
        Check(absProduct >= static_cast<__int128>(INT_MAX) * magnitude);  // out of range
        return;
    }
    Check(nearest && result >= -INT_MAX);
    const __int128 absResult = result < 0 ? -static_cast<__int128>(result) : result;
    if (error == magnitude || error == -magnitude)
        Check(absResult * magnitude > absProduct);  // a half goes away from zero
}

void CheckSizes(FuzzedDataProvider& in) {
    const int textWidth = in.ConsumeIntegral<int>();
    const int lines = in.ConsumeIntegral<int>();
    const bool hasIcon = in.ConsumeBool();
    const int buttons = in.ConsumeIntegral<int>();
    const BoxSize size = BoxSizeUnits(textWidth, lines, hasIcon, buttons);
    Check(size.width >= textWidth && size.width >= std::min<long long>(60LL * buttons, INT_MAX));
    Check(size.height >= std::min<long long>(8LL * lines, INT_MAX));

    const BoxSize any{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
    const int shown = in.ConsumeIntegral<int>();
    const BoxControlList controls = BoxControls(any, shown, hasIcon);
    const int buttonsShown = shown < 0 ? 0 : shown > MAX_BUTTONS ? MAX_BUTTONS : shown;
    Check(controls.count == 2 + buttonsShown + (hasIcon ? 1 : 0));
    int seen = 0;
    for (int i = 0; i < controls.count; ++i) {
        const ControlPlace& place = controls.items[i];
        Check(place.id > IDC_BOX_BUTTON_BASE && place.id <= IDC_BOX_ICON);
        Check(!(seen & (1 << (place.id - IDC_BOX_BUTTON_BASE))));
        seen |= 1 << (place.id - IDC_BOX_BUTTON_BASE);
        if (place.id <= IDC_BOX_BUTTON3)
            Check(place.x == INT_MIN || static_cast<long long>(place.x) + place.width <= any.width);
    }

    const int pixels = in.ConsumeIntegral<int>();
    const int per1024 = in.ConsumeIntegral<int>();
    const int units = PixelsToUnits(pixels, per1024);
    if (per1024 <= 0) {
        Check(units == 0);
    } else {
        // Nearest, halves up.
        const __int128 error = 2 * (static_cast<__int128>(units) * per1024 - 1024LL * pixels);
        Check(units == INT_MIN || error <= per1024);
        Check(units == INT_MAX || error > -per1024);
    }
    CheckHalf(HalfToEven(pixels), pixels);
    const Point centred = CenterOnDesktop(pixels, per1024, any);
    CheckHalf(centred.x, static_cast<long long>(pixels) - any.width);
    CheckHalf(centred.y, static_cast<long long>(per1024) - any.height);
}

void CheckPlacement(FuzzedDataProvider& in) {
    Rect owner{};
    Rect area{};
    for (Rect* rect : {&owner, &area}) {
        rect->left = in.ConsumeIntegral<int>();
        rect->top = in.ConsumeIntegral<int>();
        rect->right = in.ConsumeIntegral<int>();
        rect->bottom = in.ConsumeIntegral<int>();
    }
    const int width = in.ConsumeIntegral<int>();
    const int height = in.ConsumeIntegral<int>();
    const Point free = PlaceOverOwner(owner, nullptr, width, height);
    CheckHalf(free.x, static_cast<long long>(owner.left) + owner.right - width);
    CheckHalf(free.y, static_cast<long long>(owner.top) + owner.bottom - height);
    const Point kept = PlaceOverOwner(owner, &area, width, height);
    const struct {
        long long at, size, low, high;
    } axes[] = {{kept.x, width, area.left, area.right}, {kept.y, height, area.top, area.bottom}};
    for (const auto& axis : axes) {
        if (axis.size <= axis.high - axis.low)
            Check(axis.at >= axis.low && axis.at + axis.size <= axis.high);  // inside
        else if (axis.at != INT_MIN && axis.at != INT_MAX)
            Check(axis.at + axis.size == axis.high);  // too large: its far edge wins
    }
}

void CheckPictureAndTimer(FuzzedDataProvider& in) {
    const int points = in.ConsumeIntegral<int>();
    const int areaWidth = in.ConsumeIntegral<int>();
    const int areaHeight = in.ConsumeIntegral<int>();
    const int side = IconSidePixels(points, areaWidth, areaHeight);
    Check(side >= 0 &&
          (side == 0 || (side <= areaWidth && side <= areaHeight && side <= 4LL * points)));
    const int32_t seconds = in.ConsumeIntegral<int32_t>();
    const uint32_t ms = TimeoutIntervalMs(seconds);
    Check(ms <= TIMER_MAXIMUM_MS && (ms == 0) == (seconds <= 0));
    Check(ms == TIMER_MAXIMUM_MS || ms == 1000ULL * static_cast<uint32_t>(seconds) || ms == 0);
    CheckMulDiv(points, areaWidth, areaHeight);
    MeasuringFontHeight(areaWidth, points);
}

// The writers count the same length with or without room, and store nothing past the room.
void CheckWriters(FuzzedDataProvider& in) {
    const size_t room = in.ConsumeIntegralInRange<size_t>(0, 512);
    std::wstring texts[3];
    for (std::wstring& text : texts) {
        const std::string bytes = in.ConsumeRandomLengthString(256);
        for (unsigned char byte : bytes)
            text.push_back(byte == 1 ? L'\n' : static_cast<wchar_t>(byte));
    }
    const wchar_t* captions[] = {texts[2].c_str(), L"OK"};
    int lines = 0;
    for (const wchar_t* line = texts[1].c_str(); line; line = NextLine(line))
        ++lines;
    Check(lines == CountLines(texts[1].c_str()));

    constexpr wchar_t GUARD = 0xBEEF;
    constexpr uint16_t WORD_GUARD = 0xBEEF;
    std::vector<wchar_t> chars(room + 1, GUARD);
    const size_t length =
        ClipboardText(texts[0].c_str(), texts[1].c_str(), captions, 2, nullptr, 0);
    Check(length ==
          ClipboardText(texts[0].c_str(), texts[1].c_str(), captions, 2, chars.data(), room));
    Check(chars[room] == GUARD);

    const DialogTemplateFields fields{
        0, 0, 0, 0, 0, 0, texts[0].c_str(), 8, 400, 0, 0, texts[1].c_str()};
    std::vector<uint16_t> words(room + 1, WORD_GUARD);
    const size_t count = BuildDialogTemplate(fields, nullptr, 0);
    Check(count == BuildDialogTemplate(fields, words.data(), room));
    Check(words[room] == WORD_GUARD);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CheckStyle(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int>());
    CheckSizes(in);
    CheckPlacement(in);
    CheckPictureAndTimer(in);
    CheckWriters(in);
    return 0;
}
