#include "framework/scaling.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int POINTS_PER_INCH = 72;
constexpr int FALLBACK_SCREEN_DPI = 96;
constexpr int MUL_DIV_FAILED = -1;

// value x multiplier / divisor the way the platform's MulDiv has it: in 64 bits, rounded to
// the nearest integer with halves away from zero, and -1 for a zero divisor or a result out
// of range.
int MulDivRounded(int value, int multiplier, int divisor) {
    if (divisor == 0) {
        return MUL_DIV_FAILED;
    }
    int64_t product = static_cast<int64_t>(value) * multiplier;
    int64_t positiveDivisor = divisor;
    if (divisor < 0) {
        product = -product;
        positiveDivisor = -positiveDivisor;
    }
    const int64_t half = positiveDivisor / 2;
    const int64_t result = (product >= 0 ? product + half : product - half) / positiveDivisor;
    if (result > INT32_MAX || result < -INT32_MAX) {
        return MUL_DIV_FAILED;
    }
    return static_cast<int>(result);
}

}  // namespace

int ScaleValue(int value, float ratio) {
    // The default rounding mode rounds halves to even.
    return static_cast<int>(std::nearbyint(static_cast<float>(value) * ratio));
}

int FontHeightForPoints(int points, int dpi, int screenY) {
    if (screenY <= 0) {
        screenY = FALLBACK_SCREEN_DPI;
    }
    const int p = points * dpi / screenY;
    return -MulDivRounded(p, screenY, POINTS_PER_INCH);
}
