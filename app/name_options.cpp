#include "app/name_options.h"

#include <cctype>

namespace {

constexpr char LARGE_LAYOUT_MARK = 'L';
constexpr int MIN_MSG_FONT_SIZE = 8;
// Hex digits below this value give the minimum size.
constexpr int FIRST_LARGER_MSG_FONT_SIZE = 9;

int HexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

}  // namespace

bool IsLargeLayoutName(const Text8& baseName) {
    return baseName.find(LARGE_LAYOUT_MARK) != Text8::npos;
}

int MessageFontSizeForName(const Text8& baseName) {
    if (baseName.empty()) {
        return MIN_MSG_FONT_SIZE;
    }
    // Locale-aware: the runtime runs under the user's locale.
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(baseName.back())));
    const int value = HexDigitValue(last);
    return value < FIRST_LARGER_MSG_FONT_SIZE ? MIN_MSG_FONT_SIZE : value;
}
