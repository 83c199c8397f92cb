#include "app/settings_file.h"

#include <windows.h>

#include "app/ansi_text.h"
#include "app/switch_line.h"
#include "framework/file_paths.h"

WideText g_iniPath;
int g_savedLeft = 0;
int g_savedTop = 0;

namespace {

constexpr DWORD FULL_PATH_CHARS = 4096;
constexpr DWORD VALUE_BUFFER_CHARS = MAX_TEXT_CHARS + 1;
constexpr size_t POSITION_BYTES = 8;
constexpr int PARKED_EDGE = -32000;

std::wstring PositionFilePath(const wchar_t* folder) {
    return std::wstring(folder) + L"\\" + POSITION_FILE_NAME;
}

void PutInt32(std::string& bytes, size_t offset, int value) {
    const unsigned int bits = static_cast<unsigned int>(value);
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

int GetInt32(const unsigned char* bytes) {
    const unsigned int bits =
        static_cast<unsigned int>(bytes[0]) | (static_cast<unsigned int>(bytes[1]) << 8) |
        (static_cast<unsigned int>(bytes[2]) << 16) | (static_cast<unsigned int>(bytes[3]) << 24);
    return static_cast<int>(bits);
}

}  // namespace

void ComputeIniPath() {
    wchar_t relative[FULL_PATH_CHARS] = {};
    lstrcpynW(relative, SETTINGS_RELATIVE_PATH, FULL_PATH_CHARS);
    wchar_t full[FULL_PATH_CHARS] = {};
    GetFullPathNameW(relative, FULL_PATH_CHARS, full, nullptr);
    full[MAX_TEXT_CHARS] = L'\0';
    g_iniPath = WideText(full);
}

bool SurvivesAnsiRoundTrip(const std::wstring& text) {
    return AnsiToWide(WideToAnsi(text)) == text;
}

std::string ReadCompilerValue(const wchar_t* key) {
    const std::wstring path = g_iniPath.Text();
    if (SurvivesAnsiRoundTrip(path)) {
        char value[VALUE_BUFFER_CHARS] = {};
        GetPrivateProfileStringA(WideToAnsi(SECTION_COMPILER).c_str(), WideToAnsi(key).c_str(), "",
                                 value, VALUE_BUFFER_CHARS, WideToAnsi(path).c_str());
        return value;
    }
    // The code page cannot name this file (a folder with letters outside it), so the 8-bit
    // call would find no file and report an empty line; the UTF-16 call reads the same value.
    wchar_t value[VALUE_BUFFER_CHARS] = {};
    GetPrivateProfileStringW(SECTION_COMPILER, key, L"", value, VALUE_BUFFER_CHARS, path.c_str());
    std::string text = WideToAnsi(value);
    if (text.size() > static_cast<size_t>(MAX_TEXT_CHARS)) {
        text.resize(MAX_TEXT_CHARS);
    }
    return text;
}

bool WriteSwitchLine(const wchar_t* line) {
    return WritePrivateProfileStringW(SECTION_COMPILER, KEY_COMPILER_SWITCHES, line,
                                      g_iniPath.Text()) != FALSE;
}

void DecodePosition(const std::string& bytes, int* left, int* top) {
    unsigned char raw[POSITION_BYTES] = {};
    for (size_t i = 0; i < POSITION_BYTES && i < bytes.size(); ++i) {
        raw[i] = static_cast<unsigned char>(bytes[i]);
    }
    *left = GetInt32(raw);
    *top = GetInt32(raw + 4);
}

std::string EncodePosition(int left, int top) {
    std::string bytes(POSITION_BYTES, '\0');
    PutInt32(bytes, 0, left);
    PutInt32(bytes, 4, top);
    return bytes;
}

bool IsParkedPosition(int left, int top) {
    return left <= PARKED_EDGE && top <= PARKED_EDGE;
}

bool ReadPosition(const wchar_t* folder) {
    const std::wstring path = PositionFilePath(folder);
    if (!IsExistingFile(path.c_str())) {
        return false;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return true;
    }
    char raw[POSITION_BYTES] = {};
    DWORD got = 0;
    ReadFile(file, raw, POSITION_BYTES, &got, nullptr);
    CloseHandle(file);
    int left = 0;
    int top = 0;
    DecodePosition(std::string(raw, got), &left, &top);
    // Written by a copy that saved a minimised window's parking place: the window would come
    // back invisible, so it is centred instead, and the next close mends the file.
    if (IsParkedPosition(left, top)) {
        return false;
    }
    g_savedLeft = left;
    g_savedTop = top;
    return true;
}

void WritePositionIfMoved(const wchar_t* folder, int left, int top) {
    if ((left == g_savedLeft && top == g_savedTop) || IsParkedPosition(left, top)) {
        return;
    }
    HANDLE file = CreateFileW(PositionFilePath(folder).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string bytes = EncodePosition(left, top);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}
