#include "framework/window_procs_win.h"

#include <algorithm>

namespace {

constexpr WPARAM SYSTEM_COMMAND_MASK = 0xFFF0;

// Process-wide: only one input window exists at a time. The buffer is handed over by a direct
// call, never by a window message: WM_USER + 1 is also DM_SETDEFID, which the dialog manager may
// send to a window it handles, and any program can post it, so a message could make OK copy
// through a stray "address".
struct InputResult {
    HWND window;
    wchar_t* buffer;
};
InputResult g_inputResult = {};

bool IsMenuOrButtonCommand(WPARAM wParam, int id) {
    return HIWORD(wParam) == 0 && LOWORD(wParam) == id;
}

}  // namespace

LRESULT CALLBACK DefaultFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_COMMAND:
            if (IsMenuOrButtonCommand(wParam, IDCANCEL)) {
                SendMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_SYSCOMMAND:
            if ((wParam & SYSTEM_COMMAND_MASK) == SC_CLOSE) {
                SendMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK InputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            EnableWindow(GetParent(window), FALSE);
            return 0;
        case WM_COMMAND:
            if (IsMenuOrButtonCommand(wParam, IDOK)) {
                if (g_inputResult.window == window && g_inputResult.buffer) {
                    const LRESULT length =
                        SendDlgItemMessageW(window, INPUT_TEXT_FIELD_ID, WM_GETTEXTLENGTH, 0, 0);
                    const WPARAM capacity =
                        static_cast<WPARAM>(std::min<LRESULT>(length, INPUT_TEXT_LIMIT) + 1);
                    SendDlgItemMessageW(window, INPUT_TEXT_FIELD_ID, WM_GETTEXT, capacity,
                                        reinterpret_cast<LPARAM>(g_inputResult.buffer));
                }
                SendMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            if (IsMenuOrButtonCommand(wParam, IDCANCEL)) {
                SendMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        case WM_CLOSE:
            // The owner comes back before this window goes, so the platform activates it.
            EnableWindow(GetParent(window), TRUE);
            break;
        case WM_DESTROY:
            // The buffer lives no longer than the command that handed it over.
            if (g_inputResult.window == window) {
                g_inputResult = {};
            }
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void SetInputResultBuffer(HWND window, wchar_t* buffer) {
    g_inputResult = {window, buffer};
}
