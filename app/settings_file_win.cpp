#include "app/settings_file_win.h"

#include <windows.h>

#include <cstring>

#include "app/ansi_text_win.h"
#include "app/byte_stream_win.h"
#include "app/identifiers.h"
#include "app/position_codec.h"
#include "framework/paths_win.h"
#include "framework/handles.h"

SettingsFile g_iniPath;
int g_savedLeft = 0;
int g_savedTop = 0;

namespace {

constexpr DWORD FULL_PATH_CHARS = 4096;
// A value read with the UTF-16 call takes at most four bytes per unit in any ANSI code page
// before it is cut.
constexpr int CONVERTED_VALUE_BYTES = 4 * TEXT_BUFFER_UNITS;
constexpr const wchar_t* WIDE_KEYS[] = {KEY_COMPILER_SWITCHES, KEY_COMPILER_PATH};

size_t KeyIndex(CompilerKey key) {
    return key == CompilerKey::Switches ? 0 : 1;
}

}  // namespace

SettingsFile::SettingsFile(const wchar_t* iniPath, const wchar_t* programFolder)
    : path_(iniPath),
      widePath_(!SurvivesAnsiRoundTrip(path_)),
      ansiPath_(WideToAnsi(path_)),
      section_(WideToAnsi(SECTION_COMPILER)),
      keys_{WideToAnsi(WIDE_KEYS[0]), WideToAnsi(WIDE_KEYS[1])},
      positionPath_(JoinPath(programFolder, POSITION_FILE_NAME)) {}

void SettingsFile::ReadCompilerValue(CompilerKey key, char (&value)[TEXT_BUFFER_UNITS]) const {
    value[0] = '\0';
    if (path_.empty()) {
        return;
    }
    const size_t index = KeyIndex(key);
    if (!widePath_) {
        GetPrivateProfileStringA(section_.c_str(), keys_[index].c_str(), "", value,
                                 TEXT_BUFFER_UNITS, ansiPath_.c_str());
        return;
    }
    // The code page cannot name this file (a folder with letters outside it), so the 8-bit
    // call would find no file and report an empty line; the UTF-16 call reads the same value.
    wchar_t wide[TEXT_BUFFER_UNITS] = {};
    GetPrivateProfileStringW(SECTION_COMPILER, WIDE_KEYS[index], L"", wide, TEXT_BUFFER_UNITS,
                             path_.c_str());
    char converted[CONVERTED_VALUE_BYTES] = {};
    WideToAnsiInto(wide, converted, CONVERTED_VALUE_BYTES);
    CutToTextLimit(converted);
    std::memcpy(value, converted, TEXT_BUFFER_UNITS);
}

Text8 SettingsFile::ReadCompilerValue(CompilerKey key) const {
    char value[TEXT_BUFFER_UNITS] = {};
    ReadCompilerValue(key, value);
    return value;
}

bool SettingsFile::WriteSwitchLine(const wchar_t* line) const {
    return !path_.empty() && WritePrivateProfileStringW(SECTION_COMPILER, KEY_COMPILER_SWITCHES,
                                                        line, path_.c_str()) != FALSE;
}

SettingsFile ComputeIniPath(const wchar_t* programFolder) {
    wchar_t relative[FULL_PATH_CHARS] = {};
    lstrcpynW(relative, SETTINGS_RELATIVE_PATH, FULL_PATH_CHARS);
    wchar_t full[FULL_PATH_CHARS] = {};
    GetFullPathNameW(relative, FULL_PATH_CHARS, full, nullptr);
    CutToTextLimit(full);
    return SettingsFile(full, programFolder);
}

bool SettingsFile::ReadPosition() const {
    const Text16& path = positionPath_;
    if (!IsExistingFile(path.c_str())) {
        return false;
    }
    // One block of the position's size: the one read the file needs.
    FileByteStream file(path.c_str(), static_cast<DWORD>(POSITION_BYTES));
    if (!file.IsOpen()) {
        return true;
    }
    Text8 bytes;
    while (bytes.size() < POSITION_BYTES && !file.AtEnd()) {
        bytes += file.Peek();
        file.Skip();
    }
    int left = 0;
    int top = 0;
    DecodePosition(bytes, &left, &top);
    // Written by a copy that saved a minimised window's parking place: the window would come
    // back invisible, so it is centred instead, and the next close mends the file.
    if (IsParkedPosition(left, top)) {
        return false;
    }
    g_savedLeft = left;
    g_savedTop = top;
    return true;
}

void SettingsFile::WritePositionIfMoved(int left, int top) const {
    if ((left == g_savedLeft && top == g_savedTop) || IsParkedPosition(left, top)) {
        return;
    }
    const FileOwner file(CreateFileW(positionPath_.c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    const Text8 bytes = EncodePosition(left, top);
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
