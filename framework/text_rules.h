#pragma once
#include <cstddef>
#include <string>

#include "framework/text16.h"

// Presets, settings values, paths and switch lines are held in buffers of 260 units: at most
// 259 characters, longer ones cut without notice.
constexpr int MAX_TEXT_CHARS = 259;
constexpr int TEXT_BUFFER_UNITS = MAX_TEXT_CHARS + 1;

// The cut, on text held in a string...
template <typename Char>
void CutToTextLimit(std::basic_string<Char>& text) {
    if (text.size() > static_cast<size_t>(MAX_TEXT_CHARS)) {
        text.resize(MAX_TEXT_CHARS);
    }
}

// ...and on NUL-terminated text in a buffer of at least TEXT_BUFFER_UNITS units.
template <typename Char>
void CutToTextLimit(Char* buffer) {
    buffer[MAX_TEXT_CHARS] = Char();
}

// A file in a folder: the folder, a backslash and the name.
inline Text16 JoinPath(const Char16* folder, const Char16* name) {
    return Text16(folder) + Char16('\\') + name;
}
