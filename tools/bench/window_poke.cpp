// Drives windows of the running programs from a script, by window messages and, where the
// focus matters, real input: waits for a visible top-level window by title (and class),
// prints its rectangle, clicks its controls, gives it keys.
//   WindowPoke rect  <title> [class]        prints "left top width height" once it is visible
//   WindowPoke click <title> <control> [class]   posts BM_CLICK to the control with this
//                                                identifier, or else with this caption
//   WindowPoke close <title> [class]        posts WM_CLOSE to it
//   WindowPoke gone  <title> [class]        waits until no such window is visible
//   WindowPoke keys  <title> <key> [class]  gives the window the foreground and the keyboard
//                                           focus, then presses the key, a virtual-key number,
//                                           with Ctrl when it is written ctrl+<number>
//   WindowPoke pick  <title> <item> [class] clicks the item with this text in the window's
//                                           first list box with the mouse
// A title of * matches any title (then name the class).
// Ends with 1 when the window did not come (or go) within the wait.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "tests/harness/keys.h"

namespace {

constexpr DWORD WAIT_MS = 10000;
constexpr DWORD POLL_MS = 10;
constexpr int TEXT_CHARS = 256;

struct Query {
    const wchar_t* title;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam) {
    auto* query = reinterpret_cast<Query*>(lParam);
    if (!IsWindowVisible(window))
        return TRUE;
    wchar_t text[TEXT_CHARS] = {};
    GetWindowTextW(window, text, TEXT_CHARS);
    if (wcscmp(query->title, L"*") != 0 && wcscmp(text, query->title) != 0)
        return TRUE;
    if (query->className) {
        GetClassNameW(window, text, TEXT_CHARS);
        if (wcscmp(text, query->className) != 0)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

HWND Find(const wchar_t* title, const wchar_t* className) {
    Query query{title, className, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool WaitUntil(bool present, const wchar_t* title, const wchar_t* className, HWND* window) {
    for (DWORD waited = 0; waited <= WAIT_MS; waited += POLL_MS) {
        *window = Find(title, className);
        if ((*window != nullptr) == present)
            return true;
        Sleep(POLL_MS);
    }
    return false;
}

// Wine gives another process's thread no focus window until it has handled its activation,
// and drops keys injected in that gap: sharing the input state lets SetFocus take at once.
bool GiveKeyboard(HWND window) {
    const DWORD target = GetWindowThreadProcessId(window, nullptr);
    const DWORD self = GetCurrentThreadId();
    for (DWORD waited = 0; waited <= WAIT_MS; waited += POLL_MS) {
        if (AttachThreadInput(self, target, TRUE)) {
            SetForegroundWindow(window);
            SetFocus(window);
            AttachThreadInput(self, target, FALSE);
        }
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetForegroundWindow() == window && GetGUIThreadInfo(target, &info) && info.hwndFocus)
            return true;
        Sleep(POLL_MS);
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr,
                 L"usage: WindowPoke rect|click|close|gone|keys|pick <title> [argument] [class]\n");
        return 2;
    }
    const bool click = wcscmp(argv[1], L"click") == 0;
    const bool keys = wcscmp(argv[1], L"keys") == 0;
    const bool pick = wcscmp(argv[1], L"pick") == 0;
    const bool gone = wcscmp(argv[1], L"gone") == 0;
    const bool withArgument = click || keys || pick;
    const int classArgument = withArgument ? 4 : 3;
    const wchar_t* className = argc > classArgument ? argv[classArgument] : nullptr;
    HWND window = nullptr;
    if (!WaitUntil(!gone, argv[2], className, &window))
        return 1;
    if (gone)
        return 0;
    if (wcscmp(argv[1], L"close") == 0) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (withArgument && argc < 4)
        return 2;
    if (keys) {
        const bool ctrl = wcsncmp(argv[3], L"ctrl+", 5) == 0;
        const long key = wcstol(argv[3] + (ctrl ? 5 : 0), nullptr, 10);
        if (key <= 0 || key > 0xFE || !GiveKeyboard(window))
            return 1;
        e2e::PressKey(static_cast<BYTE>(key), ctrl ? VK_CONTROL : 0);
        return 0;
    }
    if (pick) {
        HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
        const LRESULT item = list ? SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(argv[3]))
                                  : LB_ERR;
        if (item == LB_ERR)
            return 1;
        // A person's click on the item: the dialog then shows that entry as after one.
        RECT rect{};
        if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
            return 1;
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(list, &centre);
        SetCursorPos(centre.x, centre.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        for (DWORD waited = 0; waited <= WAIT_MS; waited += POLL_MS) {
            if (SendMessageW(list, LB_GETCURSEL, 0, 0) == item) {
                // Under Wine the focus frame of the item clicked before stays drawn until the
                // list is painted afresh (its caret has moved).
                RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                return 0;
            }
            Sleep(POLL_MS);
        }
        return 1;
    }
    if (click) {
        wchar_t* end = nullptr;
        const long id = wcstol(argv[3], &end, 10);
        HWND control = *end == L'\0' ? GetDlgItem(window, id)
                                     : FindWindowExW(window, nullptr, nullptr, argv[3]);
        if (!control)
            return 1;
        // Posted: the click may open a modal window whose loop would hold a sent message.
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    RECT rect;
    GetWindowRect(window, &rect);
    wprintf(L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
            rect.bottom - rect.top);
    return 0;
}
