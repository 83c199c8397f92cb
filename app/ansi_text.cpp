#include "app/ansi_text.h"

#include <windows.h>

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int chars = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(chars), L'\0');
    if (chars > 0) {
        MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, &result[0], chars);
    }
    return result;
}

std::string WideToAnsi(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, &result[0], bytes, nullptr, nullptr);
    }
    return result;
}
