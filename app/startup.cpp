#include "app/startup.h"

#include <cctype>
#include <string>

#include "app/ansi_text.h"
#include "app/messages.h"
#include "app/preset_file.h"
#include "app/settings_file.h"
#include "app/switch_line.h"
#include "framework/file_paths.h"
#include "ui/main_window.h"

int g_msgFontSize = 0;
bool g_largeLayout = false;
volatile unsigned char g_modalActive = 0;

namespace {

constexpr int NAME_CHARS = 260;
constexpr char LARGE_LAYOUT_MARK = 'L';
constexpr int MIN_MSG_FONT_SIZE = 8;
// Hex digits below this value give the minimum size.
constexpr int FIRST_LARGER_MSG_FONT_SIZE = 9;

constexpr const wchar_t* MAIN_FONT_FACE = L"Tahoma";
constexpr int SMALL_FONT_POINTS = 8;
constexpr int LARGE_FONT_POINTS = 12;
constexpr int FONT_WEIGHT = FW_NORMAL;

// Fewer presets than this end the program silently (g_presetSlots counts "No preset used").
constexpr int MIN_PRESET_SLOTS = 3;

int HexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

void ShowStartupMessage(const wchar_t* text, int style, int fontSize) {
    g_modalActive = 1;
    ShowMessage(nullptr, text, style, fontSize);
    g_modalActive = 0;
}

void TakeAppearanceOptions() {
    const std::string baseName = WideToAnsi(ExecutableBaseName().Text());
    g_largeLayout = IsLargeLayoutName(baseName);
    MainAppWindow().ReplaceFont(MAIN_FONT_FACE,
                                g_largeLayout ? LARGE_FONT_POINTS : SMALL_FONT_POINTS,
                                FONT_WEIGHT, 0, 0, 0, DEFAULT_CHARSET);
    g_msgFontSize = MessageFontSizeForName(baseName);
}

}  // namespace

bool IsLargeLayoutName(const std::string& baseName) {
    return baseName.find(LARGE_LAYOUT_MARK) != std::string::npos;
}

int MessageFontSizeForName(const std::string& baseName) {
    if (baseName.empty()) {
        return MIN_MSG_FONT_SIZE;
    }
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(baseName.back())));
    const int value = HexDigitValue(last);
    return value < FIRST_LARGER_MSG_FONT_SIZE ? MIN_MSG_FONT_SIZE : value;
}

bool IsFirstInstance() {
    wchar_t name[NAME_CHARS] = {};
    lstrcpynW(name, INSTANCE_MUTEX_NAME, NAME_CHARS);
    // Held for the life of the process and never closed: the system releases it at exit.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (mutex) {
        return error != ERROR_ALREADY_EXISTS;
    }
    std::wstring text = TEXT_MUTEX_FAILED + std::to_wstring(error);
    if (text.size() > static_cast<size_t>(MAX_TEXT_CHARS)) {
        text.resize(MAX_TEXT_CHARS);
    }
    // g_msgFontSize is still 0 here: the file name has not been looked at yet.
    ShowStartupMessage(text.c_str(), MSG_STYLE_NO_ICON, g_msgFontSize);
    return false;
}

int RunIfFirstInstance(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine,
                       int show) {
    if (IsFirstInstance()) {
        return FlagsmithMain(instance, previous, commandLine, show);
    }
    // The running copy is neither signalled nor brought forward.
    ShowStartupMessage(TEXT_ALREADY_RUNNING, MSG_STYLE, MSG_FONT_SIZE_ALREADY_RUNNING);
    return 0;
}

int FlagsmithMain(HINSTANCE, HINSTANCE, const wchar_t*, int show) {
    const WideText folder = ExecutableFolder();
    SetCurrentDirectoryW(folder.Text());
    ComputeIniPath();

    ReadPresets(folder.Text());
    if (g_presetSlots < MIN_PRESET_SLOTS) {
        g_modalActive = 0;
        return 0;
    }

    TakeAppearanceOptions();
    BuildMainWindow();

    if (!IsExistingFile(g_iniPath.Text())) {
        ShowStandardMessageModal(TEXT_NO_SETTINGS);
        DestroyWindow(g_hwndMain);
        return 0;
    }

    SelectPresetForLine(ReadCompilerValue(KEY_COMPILER_SWITCHES));
    // WinFBE may have gone while a start-up message was up: the watch tick then closed the
    // window, and the quit it posted was taken by the message box's own loop.
    if (!IsWindow(g_hwndMain)) {
        return 0;
    }
    return MainAppWindow().RunMessageLoop(show);
}
