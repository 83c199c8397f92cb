#include "app/settings_file_win.h"

#include <windows.h>

#include <cstring>

#include "app/ansi_text_win.h"
#include "app/byte_stream_win.h"
#include "app/identifiers.h"
#include "app/position_codec.h"
#include "framework/paths_win.h"
#include "framework/handles.h"

WideText g_iniPath;
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

// Section "Compiler" of g_iniPath, read with the 8-bit forms of the section, the keys and the
// path made once, when the path is set (it never changes after start-up).
class CompilerReader {
public:
    CompilerReader() = default;
    explicit CompilerReader(const std::wstring& path)
        : known_(true),
          widePath_(!SurvivesAnsiRoundTrip(path)),
          section_(WideToAnsi(SECTION_COMPILER)),
          keys_{WideToAnsi(WIDE_KEYS[0]), WideToAnsi(WIDE_KEYS[1])},
          file_(WideToAnsi(path)) {}

    void Read(CompilerKey key, char (&value)[TEXT_BUFFER_UNITS]) const {
        value[0] = '\0';
        if (!known_) {
            return;
        }
        const size_t index = KeyIndex(key);
        if (!widePath_) {
            GetPrivateProfileStringA(section_.c_str(), keys_[index].c_str(), "", value,
                                     TEXT_BUFFER_UNITS, file_.c_str());
            return;
        }
        // The code page cannot name this file (a folder with letters outside it), so the 8-bit
        // call would find no file and report an empty line; the UTF-16 call reads the same value.
        wchar_t wide[TEXT_BUFFER_UNITS] = {};
        GetPrivateProfileStringW(SECTION_COMPILER, WIDE_KEYS[index], L"", wide, TEXT_BUFFER_UNITS,
                                 g_iniPath.Text());
        char converted[CONVERTED_VALUE_BYTES] = {};
        WideToAnsiInto(wide, converted, CONVERTED_VALUE_BYTES);
        CutToTextLimit(converted);
        std::memcpy(value, converted, TEXT_BUFFER_UNITS);
    }

private:
    bool known_ = false;
    bool widePath_ = false;
    std::string section_;
    std::string keys_[2];
    std::string file_;
};

// Made by SetIniPath, beside g_iniPath.
CompilerReader settingsReader;

}  // namespace

void ComputeIniPath() {
    wchar_t relative[FULL_PATH_CHARS] = {};
    lstrcpynW(relative, SETTINGS_RELATIVE_PATH, FULL_PATH_CHARS);
    wchar_t full[FULL_PATH_CHARS] = {};
    GetFullPathNameW(relative, FULL_PATH_CHARS, full, nullptr);
    CutToTextLimit(full);
    SetIniPath(full);
}

void SetIniPath(const wchar_t* path) {
    g_iniPath = WideText(path);
    settingsReader = CompilerReader(g_iniPath.Text());
}

void ReadCompilerValue(CompilerKey key, char (&value)[TEXT_BUFFER_UNITS]) {
    settingsReader.Read(key, value);
}

std::string ReadCompilerValue(CompilerKey key) {
    char value[TEXT_BUFFER_UNITS] = {};
    settingsReader.Read(key, value);
    return value;
}

bool WriteSwitchLine(const wchar_t* line) {
    return WritePrivateProfileStringW(SECTION_COMPILER, KEY_COMPILER_SWITCHES, line,
                                      g_iniPath.Text()) != FALSE;
}

bool ReadPosition(const wchar_t* folder) {
    const std::wstring path = JoinPath(folder, POSITION_FILE_NAME);
    if (!IsExistingFile(path.c_str())) {
        return false;
    }
    // One block of the position's size: the one read the file needs.
    FileByteStream file(path.c_str(), static_cast<DWORD>(POSITION_BYTES));
    if (!file.IsOpen()) {
        return true;
    }
    std::string bytes;
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

void WritePositionIfMoved(const wchar_t* folder, int left, int top) {
    if ((left == g_savedLeft && top == g_savedTop) || IsParkedPosition(left, top)) {
        return;
    }
    const FileOwner file(CreateFileW(JoinPath(folder, POSITION_FILE_NAME).c_str(), GENERIC_WRITE, 0,
                                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    const std::string bytes = EncodePosition(left, top);
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
