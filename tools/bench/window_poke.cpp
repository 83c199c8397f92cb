// Drives windows of the running program from a script, by window messages: waits for a
// visible top-level window by title (and class), prints its rectangle, clicks its controls.
//   WindowPoke rect  <title> [class]        prints "left top width height" once it is visible
//   WindowPoke click <title> <control> [class]   posts BM_CLICK to the control with this
//                                                identifier, or else with this caption
//   WindowPoke close <title> [class]        posts WM_CLOSE to it
//   WindowPoke gone  <title> [class]        waits until no such window is visible
// Ends with 1 when the window did not come (or go) within the wait.
#include <windows.h>

#include <cstdio>
#include <cwchar>

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
    if (wcscmp(text, query->title) != 0)
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: WindowPoke rect|click|close|gone <title> [control] [class]\n");
        return 2;
    }
    const bool click = wcscmp(argv[1], L"click") == 0;
    const bool gone = wcscmp(argv[1], L"gone") == 0;
    const int classArgument = click ? 4 : 3;
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
    if (click) {
        if (argc < 4)
            return 2;
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
