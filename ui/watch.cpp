#include "ui/watch.h"

#include <cstring>
#include <cwchar>

#include "app/ansi_text_win.h"
#include "app/identifiers.h"
#include "app/settings_file_win.h"
#include "app/status_text.h"
#include "framework/system_info_win.h"
#include "framework/text_rules.h"
#include "ui/main_window.h"
#include "ui/modal.h"

unsigned char g_isTopmost = 1;
unsigned char g_followMinimized = 0;

namespace {

constexpr int STATUS_CHARS = MAX_STATUS_TEXT_CHARS + 1;
constexpr UINT Z_ORDER_ONLY = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The tick runs ten times a second for the life of the program, so it reads into fixed buffers
// with the settings reader made at start-up. The status text is a function of the compiler
// path alone: it is rebuilt only when the path changed, and sent only when it changed.
char lastCompilerPath[TEXT_BUFFER_UNITS] = {};
bool compilerPathKnown = false;
wchar_t lastStatusText[STATUS_CHARS] = {};

void UpdateStatusText() {
    char value[TEXT_BUFFER_UNITS] = {};
    g_iniPath.ReadCompilerValue(CompilerKey::Path, value);
    if (compilerPathKnown && std::strcmp(value, lastCompilerPath) == 0) {
        return;
    }
    std::memcpy(lastCompilerPath, value, sizeof value);
    compilerPathKnown = true;

    const Text8 text = StatusTextFromCompilerPath(value);
    // One byte of 8-bit text never gives more than one UTF-16 unit, so the longest text fits.
    wchar_t wide[STATUS_CHARS] = {};
    AnsiToWideInto(text.c_str(), wide, STATUS_CHARS);
    if (std::wcscmp(wide, lastStatusText) != 0) {
        std::wmemcpy(lastStatusText, wide, STATUS_CHARS);
        SendMessageW(g_hwndStatus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lastStatusText));
    }
}

HWND WinFbeWindow() {
    return FindWindowW(WINFBE_CLASS, nullptr);
}

// The desktop is no application: the platform's desktop window (which Wine reports as the
// foreground while no window is active) and the shell's desktop windows (a click on the desktop
// of Windows makes one of them the foreground).
bool IsDesktop(HWND window) {
    if (window == GetDesktopWindow()) {
        return true;
    }
    HWND shell = GetShellWindow();
    if (!shell) {
        return false;
    }
    if (window == shell) {
        return true;
    }
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wcscmp(className, L"WorkerW") != 0 && std::wcscmp(className, L"Progman") != 0) {
        return false;
    }
    DWORD shellProcess = 0;
    DWORD windowProcess = 0;
    GetWindowThreadProcessId(shell, &shellProcess);
    GetWindowThreadProcessId(window, &windowProcess);
    return windowProcess == shellProcess;
}

// Where the window goes while another application (or a dialog of WinFBE's) is in front:
// directly below that application's top-level window, which also takes it out of the topmost
// band. HWND_NOTOPMOST alone would put it above every non-topmost window, on top of the
// application the user just turned to; it is left for a topmost or missing foreground and for
// the desktop, below which nothing can be placed (the order would never read back as done).
HWND BelowForeground(HWND foreground) {
    HWND root = foreground ? GetAncestor(foreground, GA_ROOT) : nullptr;
    if (!root || (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_TOPMOST) || IsDesktop(root)) {
        return HWND_NOTOPMOST;
    }
    return root;
}

// Under Wine on a Linux desktop the host's window manager stacks the windows, and Wine passes
// it no request to go below another window. Leaving the topmost band, the window goes below
// the one the manager has focused, which is still WinFBE while the application in front has
// not yet handled its activation (busy right after showing its window): the window would sink
// below WinFBE. A raise is passed on, so the window rises out of the band over everything and
// then the application in front rises over it, in its own thread's time (asked again on each
// tick until done, unless it hangs). Wine passes a raise on only where it changes the window
// order when that thread takes it: Wine 10 has often put the application on top there by then
// (its activation), and the manager would keep the window over it while the order reads as
// done; so the application is first put just below the window, then on top. Where Wine leaves
// the windows unmanaged it stacks them itself by the Win32 rules, and there, as on Windows, one
// placement does it.
void PlaceBelow(HWND mainWindow, HWND below) {
    static const bool stackedByHost = StackedByWindowManager();
    if (below == HWND_NOTOPMOST || !stackedByHost) {
        SetWindowPos(mainWindow, below, 0, 0, 0, 0, Z_ORDER_ONLY);
        return;
    }
    SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, Z_ORDER_ONLY);
    if (!IsHungAppWindow(below)) {
        SetWindowPos(below, mainWindow, 0, 0, 0, 0, Z_ORDER_ONLY | SWP_ASYNCWINDOWPOS);
        SetWindowPos(below, HWND_TOP, 0, 0, 0, 0, Z_ORDER_ONLY | SWP_ASYNCWINDOWPOS);
    }
}

// Restored with WinFBE, the window stays disabled for a while: a window manager gives a
// window the focus when it maps it again, a moment after the restore, which makes it the
// foreground and takes the keyboard from WinFBE; a disabled window takes no focus.
constexpr DWORD RESTORE_HOLD_MS = 300;
bool restoreHeld = false;
DWORD restoreHeldSince = 0;

struct OwnedSearch {
    HWND owner;
    bool found;
};

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    search->found = GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window);
    return search->found ? FALSE : TRUE;
}

// A message box or the edit window owned by the main window is up: it disabled the window
// and enables it again when it closes.
bool OwnsWindowUp(HWND mainWindow) {
    OwnedSearch search{mainWindow, false};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ends the hold once its time is up. A box or the edit window opened in the meantime found the
// window disabled already and enables it when it closes; under it the window stays disabled.
void EndRestoreHold(HWND mainWindow) {
    if (!restoreHeld || GetTickCount() - restoreHeldSince < RESTORE_HOLD_MS) {
        return;
    }
    restoreHeld = false;
    if (!g_modalActive && !OwnsWindowUp(mainWindow)) {
        EnableWindow(mainWindow, TRUE);
    }
}

}  // namespace

bool WatchTick(HWND mainWindow) {
    UpdateStatusText();
    EndRestoreHold(mainWindow);

    // Looked up once per tick and used for all its steps: each lookup is a round trip to the
    // window server, and the tick runs ten times a second for the life of the program.
    HWND winFbe = WinFbeWindow();
    const bool winFbeMinimized = winFbe && IsIconic(winFbe);
    // Following never activates: SW_MINIMIZE would activate the next window and SW_RESTORE this
    // one, taking the keyboard from whoever has it (the foreground lock of Windows refuses that
    // and flashes the taskbar button instead).
    if (winFbeMinimized && !g_followMinimized) {
        ShowWindow(mainWindow, SW_SHOWMINNOACTIVE);
        g_followMinimized = 1;
        return false;
    }
    if (!winFbeMinimized && g_followMinimized) {
        // Wine gives a window restored from its minimised state the focus, which activates it
        // all the same; a disabled window takes no focus. A box or the edit window may have
        // disabled it already, and then it stays so.
        const bool wasDisabled = EnableWindow(mainWindow, FALSE) != FALSE;
        ShowWindow(mainWindow, SW_SHOWNOACTIVATE);
        // Restored again while held, the hold starts anew.
        if (!wasDisabled || restoreHeld) {
            restoreHeld = true;
            restoreHeldSince = GetTickCount();
        }
        g_followMinimized = 0;
        return false;
    }

    if (!winFbe) {
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
        if (foreground != winFbe && foreground != mainWindow) {
            // Set again only when the order changed (another application came forward, or
            // something rose between): reordering a window costs the window server far more
            // than reading the order, and this can go on for hours.
            HWND below = BelowForeground(foreground);
            const bool inPlace = below == HWND_NOTOPMOST
                                     ? !g_isTopmost
                                     : GetWindow(below, GW_HWNDNEXT) == mainWindow;
            if (!inPlace) {
                PlaceBelow(mainWindow, below);
            }
            g_isTopmost = 0;
        } else if (!g_isTopmost) {
            SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, Z_ORDER_ONLY);
            g_isTopmost = 1;
        }
    }
    return true;
}
