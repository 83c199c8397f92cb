#include "ui/watch.h"

#include <cstring>
#include <cwchar>
#include <string>

#include "app/settings_file.h"
#include "app/startup.h"
#include "app/status_text.h"
#include "app/switch_line.h"
#include "ui/main_window.h"

unsigned char g_isTopmost = 1;
unsigned char g_followMinimized = 0;

namespace {

constexpr int VALUE_BYTES = MAX_TEXT_CHARS + 1;
constexpr int STATUS_CHARS = MAX_STATUS_TEXT_CHARS + 1;
constexpr UINT Z_ORDER_ONLY = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The tick runs ten times a second for the life of the program, so it reads with fixed buffers
// and the 8-bit forms of the section, key and file name made once (the settings path never
// changes after start-up). A settings path that the code page cannot name is read with the
// UTF-16 call, as at start-up. The status text is a function of the compiler path alone: it
// is rebuilt only when the path changed.
class CompilerPathReader {
public:
    CompilerPathReader() : widePath_(!SurvivesAnsiRoundTrip(g_iniPath.Text())) {
        ToAnsi(SECTION_COMPILER, section_, sizeof section_);
        ToAnsi(KEY_COMPILER_PATH, key_, sizeof key_);
        ToAnsi(g_iniPath.Text(), file_, sizeof file_);
    }

    void Read(char* value) const {
        if (!widePath_) {
            GetPrivateProfileStringA(section_, key_, "", value, VALUE_BYTES, file_);
            return;
        }
        wchar_t wide[VALUE_BYTES] = {};
        GetPrivateProfileStringW(SECTION_COMPILER, KEY_COMPILER_PATH, L"", wide, VALUE_BYTES,
                                 g_iniPath.Text());
        char ansi[VALUE_BYTES * 2] = {};
        ToAnsi(wide, ansi, sizeof ansi);
        lstrcpynA(value, ansi, VALUE_BYTES);
    }

private:
    static void ToAnsi(const wchar_t* text, char* out, int size) {
        if (!WideCharToMultiByte(CP_ACP, 0, text, -1, out, size, nullptr, nullptr)) {
            out[0] = '\0';
        }
    }

    bool widePath_;
    char section_[VALUE_BYTES] = {};
    char key_[VALUE_BYTES] = {};
    char file_[VALUE_BYTES * 2] = {};
};

char lastCompilerPath[VALUE_BYTES] = {};
bool compilerPathKnown = false;
wchar_t lastStatusText[STATUS_CHARS] = {};

void UpdateStatusText() {
    static const CompilerPathReader reader;
    char value[VALUE_BYTES] = {};
    reader.Read(value);
    if (compilerPathKnown && std::strcmp(value, lastCompilerPath) == 0) {
        return;
    }
    std::memcpy(lastCompilerPath, value, sizeof value);
    compilerPathKnown = true;

    const std::string text = StatusTextFromCompilerPath(value);
    // One byte of 8-bit text never gives more than one UTF-16 unit, so the longest text fits.
    wchar_t wide[STATUS_CHARS] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, STATUS_CHARS)) {
        wide[0] = L'\0';
    }
    if (std::wcscmp(wide, lastStatusText) != 0) {
        std::wmemcpy(lastStatusText, wide, STATUS_CHARS);
        SendMessageW(g_hwndStatus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lastStatusText));
    }
}

HWND WinFbeWindow() {
    return FindWindowW(WINFBE_CLASS, nullptr);
}

}  // namespace

bool WatchTick(HWND mainWindow) {
    UpdateStatusText();

    HWND winFbe = WinFbeWindow();
    const bool winFbeMinimized = winFbe && IsIconic(winFbe);
    if (winFbeMinimized && !g_followMinimized) {
        ShowWindow(mainWindow, SW_MINIMIZE);
        g_followMinimized = 1;
        return false;
    }
    if (!winFbeMinimized && g_followMinimized) {
        ShowWindow(mainWindow, SW_RESTORE);
        g_followMinimized = 0;
        return false;
    }

    if (!WinFbeWindow()) {
        KillTimer(mainWindow, IDT_WATCH);
        // Sent, not posted: the position is saved and the window destroyed right here.
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
        return false;
    }

    // Frozen while a message box or the edit window is up. Wine activates the window on any
    // SetWindowPos without SWP_NOACTIVATE, taking the foreground from the application the user
    // just turned to (and, on the way back, from WinFBE); the order changes, activation never.
    if (!g_modalActive) {
        HWND foreground = GetForegroundWindow();
        if (foreground != WinFbeWindow() && foreground != mainWindow) {
            // Repeated on every tick while another application is in front.
            SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, Z_ORDER_ONLY);
            g_isTopmost = 0;
        } else if (!g_isTopmost) {
            SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, Z_ORDER_ONLY);
            g_isTopmost = 1;
        }
    }
    return true;
}
