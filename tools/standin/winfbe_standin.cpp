// A stand-in for the WinFBE editor: a top-level window of WinFBE's class that logs the keys
// it receives and minimises, restores and closes itself when the driver asks.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <deque>
#include <string>

#include "tools/standin/standin_protocol.h"

namespace {

constexpr size_t SHOWN_LINES = 24;
constexpr int WINDOW_X = 40;
constexpr int WINDOW_Y = 40;
constexpr int WINDOW_WIDTH = 520;
constexpr int WINDOW_HEIGHT = 420;

std::wstring g_logPath;
std::deque<std::wstring> g_shown;

void AppendToLog(const std::wstring& line) {
    g_shown.push_back(line);
    if (g_shown.size() > SHOWN_LINES)
        g_shown.pop_front();
    if (g_logPath.empty())
        return;
    // Opened per line so the driver reads every event as soon as it has been handled.
    HANDLE file = CreateFileW(g_logPath.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string bytes(line.begin(), line.end());
    bytes += "\r\n";
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void ClearLog() {
    g_shown.clear();
    if (g_logPath.empty())
        return;
    HANDLE file = CreateFileW(g_logPath.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

std::wstring KeyLine(UINT message, WPARAM vk) {
    const wchar_t* kind = L"down";
    if (message == WM_KEYUP)
        kind = L"up";
    if (message == WM_SYSKEYDOWN)
        kind = L"sysdown";
    if (message == WM_SYSKEYUP)
        kind = L"sysup";
    wchar_t line[32];
    swprintf(line, 32, L"%ls 0x%02X", kind, static_cast<unsigned>(vk & 0xFF));
    return line;
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    std::wstring text = L"WinFBE stand-in: keys received\n";
    for (const std::wstring& line : g_shown)
        text += line + L"\n";
    RECT area = client;
    InflateRect(&area, -8, -8);
    DrawTextW(dc, text.c_str(), -1, &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
    EndPaint(window, &ps);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            AppendToLog(KeyLine(message, wParam));
            InvalidateRect(window, nullptr, TRUE);
            return message == WM_SYSKEYDOWN || message == WM_SYSKEYUP
                       ? DefWindowProcW(window, message, wParam, lParam)
                       : 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case STANDIN_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            return 1;
        case STANDIN_RESTORE:
            ShowWindow(window, SW_RESTORE);
            return 1;
        case STANDIN_CLOSE:
            DestroyWindow(window);
            return 1;
        case STANDIN_HAS_FOCUS:
            return GetForegroundWindow() == window && GetFocus() == window ? 1 : 0;
        case STANDIN_CLEAR_LOG:
            ClearLog();
            InvalidateRect(window, nullptr, TRUE);
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc > 1)
        g_logPath = argv[1];
    if (argv)
        LocalFree(argv);
    ClearLog();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = STANDIN_CLASS;
    if (!RegisterClassExW(&wc))
        return 1;
    HWND window =
        CreateWindowExW(0, STANDIN_CLASS, STANDIN_TITLE, WS_OVERLAPPEDWINDOW | WS_VISIBLE, WINDOW_X,
                        WINDOW_Y, WINDOW_WIDTH, WINDOW_HEIGHT, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    SetFocus(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
