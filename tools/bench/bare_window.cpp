// The yardstick for the program's benchmarks: the least a one-window Win32 program does.
// Started with the argument "timer" it also runs a 100 ms timer that does nothing, the
// counterpart of the program's watch tick.
#include <windows.h>

#include <cwchar>

#include "tools/bench/bench_names.h"

namespace {

constexpr const wchar_t* BARE_CLASS = L"BenchBareWindow";
constexpr UINT_PTR IDLE_TIMER_ID = 1;
constexpr UINT IDLE_TIMER_MS = 100;
constexpr int BARE_WIDTH = 200;
constexpr int BARE_HEIGHT = 150;

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = BARE_CLASS;
    if (!RegisterClassExW(&windowClass))
        return 0;

    HWND window = CreateWindowExW(0, BARE_CLASS, BENCH_BARE_TITLE, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, BARE_WIDTH, BARE_HEIGHT, nullptr,
                                  nullptr, instance, nullptr);
    if (!window)
        return 0;
    if (wcsstr(commandLine, BENCH_TIMER_ARGUMENT))
        SetTimer(window, IDLE_TIMER_ID, IDLE_TIMER_MS, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
