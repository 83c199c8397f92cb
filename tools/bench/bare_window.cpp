// The yardsticks for the program's benchmarks: the least a one-window Win32 program does.
// Started with the argument "timer" it also runs a 100 ms timer that does nothing, the
// counterpart of the program's watch tick. Built with BENCH_FLOOR it is the floor: the same
// window with the set-up every start of the program must pay for as well (the program's
// manifest with common controls 6, InitCommonControlsEx with every class, and Alertkit.dll
// loaded with the program for its import of ALERTKIT).
#include <windows.h>

#include <cwchar>

#include "tools/bench/bench_names.h"

#ifdef BENCH_FLOOR
#include <commctrl.h>

#include "alertkit/alertkit.h"
#endif

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
#ifdef BENCH_FLOOR
    const INITCOMMONCONTROLSEX controls = {sizeof controls, 0x7FFF};
    InitCommonControlsEx(&controls);
    // The call that keeps the import: never made by the benchmark.
    if (wcsstr(commandLine, BENCH_BOX_ARGUMENT)) {
        const int32_t none = 0;
        ALERTKIT(&none, BENCH_WINDOW_TITLE, BENCH_WINDOW_TITLE, &none, &none, L"", &none, &none,
                 &none);
    }
#endif
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = BARE_CLASS;
    if (!RegisterClassExW(&windowClass))
        return 0;

    HWND window = CreateWindowExW(0, BARE_CLASS, BENCH_WINDOW_TITLE, WS_OVERLAPPEDWINDOW,
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
