#pragma once
#include <cstddef>

#include "framework/text16.h"

// Presets, settings values, paths and switch lines are held in buffers of 260 units: at most
// 259 characters, longer ones cut without notice.
constexpr int MAX_TEXT_CHARS = 259;
constexpr int TEXT_BUFFER_UNITS = MAX_TEXT_CHARS + 1;

// The cut, on text held in a string...
template <typename Char>
void CutToTextLimit(BasicText<Char>& text) {
    if (text.size() > static_cast<size_t>(MAX_TEXT_CHARS)) {
        text.resize(MAX_TEXT_CHARS);
    }
}

// ...and on NUL-terminated text in a buffer of at least TEXT_BUFFER_UNITS units.
template <typename Char>
void CutToTextLimit(Char* buffer) {
    buffer[MAX_TEXT_CHARS] = Char();
}

// A number in decimal digits, as the texts that carry one (an error code, a class name) show it.
// Written out here: the runtime's formatted printing would bring its floating-point conversion
// into the program with it.
inline Text16 DecimalText(unsigned long value) {
    Char16 digits[12];
    Char16* first = digits + 12;
    do {
        *--first = static_cast<Char16>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return Text16(first, digits + 12);
}

// A file in a folder: the folder, a backslash and the name.
inline Text16 JoinPath(const Char16* folder, const Char16* name) {
    return Text16(folder) + Char16('\\') + name;
}
