#include "ui/startup.h"

#include <clocale>

#include "app/ansi_text_win.h"
#include "app/identifiers.h"
#include "app/messages.h"
#include "app/name_options.h"
#include "app/preset_file_win.h"
#include "app/preset_list.h"
#include "app/settings_file_win.h"
#include "framework/text_rules.h"
#include "framework/app_window_win.h"
#include "framework/paths_win.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/modal.h"

int g_msgFontSize = 0;
bool g_largeLayout = false;

namespace {

// The conversions between 8-bit text and UTF-16 follow the user's code page, and the main
// window object must be made after that is settled: both are static objects of this file,
// constructed in the order of definition before the entry runs and destroyed after it returns.
struct UserLocale {
    UserLocale() { setlocale(LC_ALL, ""); }
};
UserLocale userLocale;
AppWindow mainAppWindow;

constexpr const wchar_t* MAIN_FONT_FACE = L"Tahoma";
constexpr int SMALL_FONT_POINTS = 8;
constexpr int LARGE_FONT_POINTS = 12;
constexpr int FONT_WEIGHT = FW_NORMAL;

// Fewer presets than this end the program silently (g_presetSlots counts "No preset used").
constexpr int MIN_PRESET_SLOTS = 3;

void ShowStartupMessage(const wchar_t* text, int style, int fontSize) {
    const ModalScope modal;
    ShowMessage(nullptr, text, style, fontSize);
}

void TakeAppearanceOptions() {
    const Text8 baseName = WideToAnsi(ExecutableBaseName().Text());
    g_largeLayout = IsLargeLayoutName(baseName);
    mainAppWindow.ReplaceFont(MAIN_FONT_FACE, g_largeLayout ? LARGE_FONT_POINTS : SMALL_FONT_POINTS,
                              FONT_WEIGHT, 0, 0, 0, DEFAULT_CHARSET);
    g_msgFontSize = MessageFontSizeForName(baseName);
}

}  // namespace

bool IsFirstInstance() {
    wchar_t name[TEXT_BUFFER_UNITS] = {};
    lstrcpynW(name, INSTANCE_MUTEX_NAME, TEXT_BUFFER_UNITS);
    // Held for the life of the process and never closed: the system releases it at exit.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
    const DWORD error = GetLastError();
    if (mutex) {
        return error != ERROR_ALREADY_EXISTS;
    }
    Text16 text = TEXT_MUTEX_FAILED + DecimalText(error);
    CutToTextLimit(text);
    // g_msgFontSize is still 0 here: the file name has not been looked at yet.
    ShowStartupMessage(text.c_str(), MSG_STYLE_NO_ICON, g_msgFontSize);
    return false;
}

int RunIfFirstInstance(HINSTANCE instance,
                       HINSTANCE previous,
                       const wchar_t* commandLine,
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
    g_iniPath = ComputeIniPath(folder.Text());

    ReadPresets(folder.Text());
    // g_modalActive is already down: every message so far raised it for its own scope only.
    if (g_presetSlots < MIN_PRESET_SLOTS) {
        return 0;
    }

    TakeAppearanceOptions();
    BuildMainWindow(mainAppWindow, g_largeLayout);

    if (!IsExistingFile(g_iniPath.Path())) {
        ShowStandardMessageModal(TEXT_NO_SETTINGS);
        DestroyWindow(g_hwndMain);
        return 0;
    }

    SelectPresetForLine(g_iniPath.ReadCompilerValue(CompilerKey::Switches));
    // WinFBE may have gone while a start-up message was up: the watch tick then closed the
    // window, and the quit it posted was taken by the message box's own loop.
    if (!IsWindow(g_hwndMain)) {
        return 0;
    }
    return mainAppWindow.RunMessageLoop(show);
}
