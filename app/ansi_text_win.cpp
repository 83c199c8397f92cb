#include "app/ansi_text_win.h"

#include <windows.h>

namespace {

// No flags, the documented default: MB_PRECOMPOSED is not valid where the ANSI code page is
// UTF-8, and the conversion would fail there.
constexpr DWORD TO_WIDE_FLAGS = 0;
constexpr DWORD TO_ANSI_FLAGS = 0;
// Whole NUL-terminated text.
constexpr int TERMINATED = -1;

int ToWide(const char* text, int size, wchar_t* out, int units) {
    return MultiByteToWideChar(CP_ACP, TO_WIDE_FLAGS, text, size, out, units);
}

int ToAnsi(const wchar_t* text, int size, char* out, int bytes) {
    return WideCharToMultiByte(CP_ACP, TO_ANSI_FLAGS, text, size, out, bytes, nullptr, nullptr);
}

}  // namespace

Text16 AnsiToWide(const Text8& text) {
    if (text.empty()) {
        return Text16();
    }
    const int size = static_cast<int>(text.size());
    const int chars = ToWide(text.data(), size, nullptr, 0);
    Text16 result(static_cast<size_t>(chars), L'\0');
    if (chars > 0) {
        ToWide(text.data(), size, &result[0], chars);
    }
    return result;
}

Text8 WideToAnsi(const Text16& text) {
    if (text.empty()) {
        return Text8();
    }
    const int size = static_cast<int>(text.size());
    const int bytes = ToAnsi(text.data(), size, nullptr, 0);
    Text8 result(static_cast<size_t>(bytes), '\0');
    if (bytes > 0) {
        ToAnsi(text.data(), size, &result[0], bytes);
    }
    return result;
}

void AnsiToWideInto(const char* text, wchar_t* out, int units) {
    if (!ToWide(text, TERMINATED, out, units)) {
        out[0] = L'\0';
    }
}

void WideToAnsiInto(const wchar_t* text, char* out, int bytes) {
    if (!ToAnsi(text, TERMINATED, out, bytes)) {
        out[0] = '\0';
    }
}

bool SurvivesAnsiRoundTrip(const Text16& text) {
    return AnsiToWide(WideToAnsi(text)) == text;
}
