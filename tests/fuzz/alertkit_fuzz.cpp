// Any style, font size, size, owner and work-area rectangle: the decoded style stays inside its
// button sets, and every size and position is the value its arithmetic states, rounded as
// stated, or the end of the int range where that value lies beyond it.
#include <fuzzer/FuzzedDataProvider.h>
#include <limits.h>
#include <stdint.h>

#include <algorithm>
#include <cstdlib>

#include "alertkit/message_box_layout.h"
#include "alertkit/style_decode.h"

namespace {

using namespace alertkit;

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// A rounded `result` whose error (result less the exact value, scaled) lies in [low, high],
// unless the result stopped at the end of the int range the exact value lies beyond.
void CheckRounded(int result, __int128 error, long long low, long long high) {
    Check(result == INT_MIN || error <= high);
    Check(result == INT_MAX || error >= low);
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
    Check(number == 1 || (number > 1 && number <= anyNumber));
}

void CheckArithmetic(FuzzedDataProvider& in) {
    int v[8];
    for (int& value : v)
        value = in.ConsumeIntegral<int>();
    const bool hasIcon = in.ConsumeBool();

    const BoxSize size = BoxSizeUnits(v[0], v[1], hasIcon, v[2]);
    Check(size.width >= v[0] && size.width >= std::min(60LL * v[2], 0LL + INT_MAX));
    Check(size.height >= std::min(8LL * v[1], 0LL + INT_MAX));
    const BoxControlList controls = BoxControls({v[0], v[1]}, v[2], hasIcon);
    Check(controls.count == 2 + std::clamp(v[2], 0, MAX_BUTTONS) + (hasIcon ? 1 : 0));
    for (int i = 0, seen = 0; i < controls.count; ++i) {
        const ControlPlace& place = controls.items[i];
        const int bit = 1 << (place.id - IDC_BOX_BUTTON_BASE);
        Check(place.id > IDC_BOX_BUTTON_BASE && place.id <= IDC_BOX_ICON && !(seen & bit));
        seen |= bit;
        if (place.id <= IDC_BOX_BUTTON3)
            Check(place.x == INT_MIN || 0LL + place.x + place.width <= v[0]);
    }

    const int units = PixelsToUnits(v[3], v[4]);
    if (v[4] <= 0)
        Check(units == 0);
    else  // nearest, halves up
        CheckRounded(units, 2 * (static_cast<__int128>(units) * v[4] - 1024LL * v[3]), 1 - v[4],
                     v[4]);
    const Point centred = CenterOnDesktop(v[3], v[4], size);
    CheckRounded(centred.x, 2LL * centred.x - (0LL + v[3] - size.width), -1, 1);
    CheckRounded(centred.y, 2LL * centred.y - (0LL + v[4] - size.height), -1, 1);

    // Nearest, or -1 for a zero divisor or a result beyond +-INT_MAX.
    const int result = MulDivRounded(v[5], v[6], v[7]);
    const __int128 product = static_cast<__int128>(v[5]) * v[6];
    const __int128 error = 2 * (static_cast<__int128>(result) * v[7] - product);
    const __int128 divisor = v[7] < 0 ? -static_cast<__int128>(v[7]) : v[7];
    if (v[7] != 0 && error <= divisor && error >= -divisor)
        Check(result >= -INT_MAX);
    else
        Check(result == -1 &&
              (v[7] == 0 || (product < 0 ? -product : product) >= INT_MAX * divisor));

    const int side = IconSidePixels(v[5], v[6], v[7]);
    Check(side == 0 || (side > 0 && side <= v[6] && side <= v[7] && side <= 4LL * v[5]));
    const uint32_t ms = TimeoutIntervalMs(v[5]);
    Check((ms == 0) == (v[5] <= 0) && ms <= TIMER_MAXIMUM_MS);
    Check(ms == 0 || ms == TIMER_MAXIMUM_MS || ms == 1000ULL * v[5]);
    MeasuringFontHeight(v[6], v[5]);
}

void CheckPlacement(FuzzedDataProvider& in) {
    Rect rects[2];
    for (Rect& rect : rects)
        rect = {in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                in.ConsumeIntegral<int>()};
    const Rect& owner = rects[0];
    const Rect& area = rects[1];
    const int width = in.ConsumeIntegral<int>();
    const int height = in.ConsumeIntegral<int>();
    const Point free = PlaceOverOwner(owner, nullptr, width, height);
    CheckRounded(free.x, 2LL * free.x - (0LL + owner.left + owner.right - width), -1, 1);
    CheckRounded(free.y, 2LL * free.y - (0LL + owner.top + owner.bottom - height), -1, 1);
    const Point kept = PlaceOverOwner(owner, &area, width, height);
    const struct {
        long long at, size, low, high;
    } axes[] = {{kept.x, width, area.left, area.right}, {kept.y, height, area.top, area.bottom}};
    for (const auto& axis : axes) {
        if (axis.size <= axis.high - axis.low)
            Check(axis.at >= axis.low && axis.at + axis.size <= axis.high);  // inside
        else if (axis.at != INT_MIN)
            Check(axis.at + axis.size == axis.high);  // too large: its far edge wins
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    CheckStyle(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int>());
    CheckArithmetic(in);
    CheckPlacement(in);
    return 0;
}
